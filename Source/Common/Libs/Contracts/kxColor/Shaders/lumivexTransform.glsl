
// Sensor transform from the table built for the response mode (film, video,
// linear) and the display: relative exposure (0 to 1, 1 where the sensor
// saturates) to the display value as a fraction of the display's peak. The
// table's shape already accounts for the display's nits; the peak only scales
// it into SDR-white units.

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
    vec3 u = clamp(exposureValue, 0.0, 1.0);
    float n = float(textureSize(lumivexTransform, 0));
    vec3 y = vec3(texture(lumivexTransform, lvTableCoord(u.r, n)).r,
                  texture(lumivexTransform, lvTableCoord(u.g, n)).g,
                  texture(lumivexTransform, lvTableCoord(u.b, n)).b);
    return lumivexPeak * y;
}
