
// Operator 2, Reinhard's extended operator with a white point:
// x (1 + x / w^2) / (1 + x) reaches display white exactly at w. On an HDR
// display the curve is stretched by the peak along both axes.

uniform float tm_contrast;

vec3 tonemapOperator(vec3 x)
{
    vec3 v = max(x, 0.0) * (exp2(exposure) * invDisplayLuminance);
    float w = max(whitepoint, 1e-4);
    // Contrast is a power about the white point, before the curve.
    vec3 vc = w * pow(v / w, vec3(max(tm_contrast, 1e-3)));
    vec3 y = vc * (1.0 + vc / (tmPeak * w * w)) / (1.0 + vc / tmPeak);
    return min(y, tmPeak);
}
