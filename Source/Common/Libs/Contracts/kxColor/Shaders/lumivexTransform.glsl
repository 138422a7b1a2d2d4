
// Sensor transform from the table built for the response mode (film, video,
// linear) and the display. The sensor's range covers the display's: relative
// exposure u = exposure / peak (1 where the sensor saturates, exposure in
// SDR-white units), and the table gives the display value as a fraction of
// the peak, so the result is in SDR-white units up to the display's peak.

uniform sampler1D lumivexTransform;
// Display peak relative to SDR white (1 on an SDR display).
uniform float lumivexPeak;

// Entry i holds relative exposure i / (n - 1): sample at texel centres so 0
// and 1 hit the first and last entries exactly.
float lvTableCoord(float u, float n)
{
    return (u * (n - 1.0) + 0.5) / n;
}

vec3 sensorTransform(vec3 exposureValue)
{
    // A zero peak (no display nits known) must not divide by zero.
    float peak = max(lumivexPeak, 1e-3);
    vec3 u = clamp(exposureValue / peak, 0.0, 1.0);
    float n = float(textureSize(lumivexTransform, 0));
    vec3 y = vec3(texture(lumivexTransform, lvTableCoord(u.r, n)).r,
                  texture(lumivexTransform, lvTableCoord(u.g, n)).g,
                  texture(lumivexTransform, lvTableCoord(u.b, n)).b);
    return peak * y;
}
