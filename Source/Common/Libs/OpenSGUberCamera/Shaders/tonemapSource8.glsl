
// Operator 8, Narkowicz's rational fit of the ACES filmic curve, normalised
// so the white point maps to display white. On an HDR display the curve is
// stretched by the peak along both axes.

vec3 acesFit(vec3 t)
{
    return (t * (2.51 * t + 0.03)) / (t * (2.43 * t + 0.59) + 0.14);
}

vec3 tonemapOperator(vec3 x)
{
    vec3 v = max(x, 0.0) * (exp2(exposure) * invDisplayLuminance);
    float w = max(whitepoint, 1e-4);
    float white = acesFit(vec3(w)).x;
    vec3 y = tmPeak * acesFit(v / tmPeak) / white;
    return min(y, tmPeak);
}
