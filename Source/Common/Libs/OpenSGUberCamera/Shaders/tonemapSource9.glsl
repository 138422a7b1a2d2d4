
// Operator 9, Khronos PBR Neutral: linear up to the start of compression,
// then a hue-preserving shoulder with a little desaturation. Normalised so
// the white point maps to display white; on an HDR display the curve is
// stretched by the peak along both axes.

const float pnStartCompression = 0.8 - 0.04;
const float pnDesaturation = 0.15;

vec3 pbrNeutral(vec3 color)
{
    float x = min(color.r, min(color.g, color.b));
    float offset = x < 0.08 ? x - 6.25 * x * x : 0.04;
    color -= offset;

    float peak = max(color.r, max(color.g, color.b));
    if (peak < pnStartCompression)
        return color;

    const float d = 1.0 - pnStartCompression;
    float newPeak = 1.0 - d * d / (peak + d - pnStartCompression);
    color *= newPeak / peak;

    float g = 1.0 - 1.0 / (pnDesaturation * (peak - newPeak) + 1.0);
    return mix(color, vec3(newPeak), g);
}

vec3 tonemapOperator(vec3 x)
{
    vec3 v = max(x, 0.0) * (exp2(exposure) * invDisplayLuminance);
    float w = max(whitepoint, 1e-4);
    float white = max(pbrNeutral(vec3(w)).x, 1e-6);
    vec3 y = tmPeak * pbrNeutral(v / tmPeak) / white;
    return min(y, tmPeak);
}
