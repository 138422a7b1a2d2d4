
// Operator 3, logarithmic: log(1 + x) / log(1 + w), so the white point maps
// to display white. On an HDR display the curve is stretched by the peak along
// both axes.

uniform float tm_contrast;

vec3 tonemapOperator(vec3 x)
{
    vec3 v = max(x, 0.0) * (exp2(exposure) * invDisplayLuminance);
    float w = max(whitepoint, 1e-4);
    // Contrast is a power about the white point, before the curve.
    vec3 vc = w * pow(v / w, vec3(max(tm_contrast, 1e-3)));
    vec3 y = tmPeak * log(1.0 + vc / tmPeak) / log(1.0 + w);
    return min(y, tmPeak);
}
