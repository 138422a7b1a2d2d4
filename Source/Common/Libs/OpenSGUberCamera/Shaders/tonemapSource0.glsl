
// Operator 0, linear: the white point maps to display white, contrast is a
// power about it; values past the display peak clip.

uniform float tm_contrast;

vec3 tonemapOperator(vec3 x)
{
    vec3 v = max(x, 0.0) * (exp2(exposure) * invDisplayLuminance);
    float w = max(whitepoint, 1e-4);
    vec3 u = pow(v / w, vec3(max(tm_contrast, 1e-3)));
    return min(u, tmPeak);
}
