
// Display profile 5, display-referred output. On an HDR display the signal is
// PQ (SMPTE ST 2084) with SDR white (1.0) at 80 cd/m2 and the display's peak
// as the ceiling; otherwise the linear value itself, clipped to 0..1.

#ifdef HDR_RANGE
const float pqM1 = 2610.0 / 16384.0;
const float pqM2 = 2523.0 / 4096.0 * 128.0;
const float pqC1 = 3424.0 / 4096.0;
const float pqC2 = 2413.0 / 4096.0 * 32.0;
const float pqC3 = 2392.0 / 4096.0 * 32.0;

vec3 encodeDisplay(vec3 linear)
{
    // PQ's unit is 10000 cd/m2.
    vec3 l = clamp(linear, 0.0, HDR_RANGE / 80.0) * (80.0 / 10000.0);
    vec3 p = pow(l, vec3(pqM1));
    return pow((pqC1 + pqC2 * p) / (1.0 + pqC3 * p), vec3(pqM2));
}
#else
vec3 encodeDisplay(vec3 linear)
{
    return clamp(linear, 0.0, 1.0);
}
#endif
