
// Display profile 1: sRGB (the piecewise inverse EOTF of IEC 61966-2-1).

vec3 encodeDisplay(vec3 linear)
{
    vec3 c = clamp(linear, 0.0, 1.0);
    vec3 curve = 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055;
    return mix(curve, 12.92 * c, lessThanEqual(c, vec3(0.0031308)));
}
