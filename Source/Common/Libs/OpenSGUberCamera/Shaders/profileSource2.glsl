
// Display profile 2: BT.1886 reference display, inverse of its EOTF with
// black at 0 (a pure 2.4 power).

vec3 encodeDisplay(vec3 linear)
{
    return pow(clamp(linear, 0.0, 1.0), vec3(1.0 / 2.4));
}
