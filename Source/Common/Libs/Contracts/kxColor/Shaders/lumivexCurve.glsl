
// Sensor transform from the camera's measured response curve: relative
// exposure (0 to 1) to the recorded value, per channel, taken as the display
// value. On an HDR display the curve is stretched by the peak along both axes,
// so highlights that would saturate the sensor keep detail up to the peak.

uniform sampler1D cameraResponseCurve;

#ifdef HDR_RANGE
const float lvCurvePeak = HDR_RANGE / 80.0;
#else
const float lvCurvePeak = 1.0;
#endif

// Entry i holds relative exposure i / (n - 1): sample at texel centres.
float lvCurveCoord(float u, float n)
{
    return (u * (n - 1.0) + 0.5) / n;
}

vec3 sensorTransform(vec3 exposureValue)
{
    vec3 u = clamp(exposureValue / lvCurvePeak, 0.0, 1.0);
    float n = float(textureSize(cameraResponseCurve, 0));
    vec3 y = vec3(texture(cameraResponseCurve, lvCurveCoord(u.r, n)).r,
                  texture(cameraResponseCurve, lvCurveCoord(u.g, n)).g,
                  texture(cameraResponseCurve, lvCurveCoord(u.b, n)).b);
    return lvCurvePeak * y;
}
