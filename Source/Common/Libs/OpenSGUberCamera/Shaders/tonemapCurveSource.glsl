
// Operator 5 with the camera's measured response curve: the input, scaled by
// the camera's exposure (a linear factor here), is the relative exposure the
// curve gives the recorded value for, per channel. On an HDR display the
// curve is stretched by the peak along both axes, so highlights that would
// saturate the sensor keep detail up to the display's peak.

uniform sampler1D cameraResponseCurve;

// Entry i of the curve holds relative exposure i / (n - 1): sample at texel
// centres so 0 and 1 hit the first and last entries exactly.
float curveCoord(float u, float n)
{
    return (u * (n - 1.0) + 0.5) / n;
}

vec3 tonemapOperator(vec3 x)
{
    vec3 u = clamp(max(x, 0.0) * exposure / tmPeak, 0.0, 1.0);
    float n = float(textureSize(cameraResponseCurve, 0));
    vec3 y = vec3(texture(cameraResponseCurve, curveCoord(u.r, n)).r,
                  texture(cameraResponseCurve, curveCoord(u.g, n)).g,
                  texture(cameraResponseCurve, curveCoord(u.b, n)).b);
    return tmPeak * y;
}
