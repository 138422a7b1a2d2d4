
// Operators 5 (without a measured curve) and 10: the colour management's
// sensor transform (appended before this source, `sensorTransform`) applied
// to the exposure the camera records. exposure is a linear factor here.

vec3 tonemapOperator(vec3 x)
{
    return sensorTransform(max(x, 0.0) * exposure);
}
