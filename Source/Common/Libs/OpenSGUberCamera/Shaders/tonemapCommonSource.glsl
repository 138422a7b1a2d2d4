
// Tonemapping, shared part: the working colour space and the display peak the
// operator (appended after this source, `tonemapOperator`) maps into. The
// operator applies exposure, white point and display luminance itself: the
// false-colour operators have none of them.

uniform float exposure;
uniform float whitepoint;
uniform float invDisplayLuminance;

// Display peak relative to SDR white (80 cd/m2). On an HDR display the
// operators keep highlights up to HDR_RANGE cd/m2 instead of clipping them.
#ifdef HDR_RANGE
const float tmPeak = HDR_RANGE / 80.0;
#else
const float tmPeak = 1.0;
#endif

#ifdef USE_ACES_COLORSPACE
// BT.709 (D65) <-> ACEScg (AP1, ACES white), Bradford-adapted: per-channel
// curves desaturate bright colours more pleasantly in the wider primaries.
const mat3 tmToWorking = mat3(
    vec3(0.6130974, 0.0701937, 0.0206156),
    vec3(0.3395231, 0.9163539, 0.1095698),
    vec3(0.0473795, 0.0134524, 0.8698146));
const mat3 tmFromWorking = mat3(
    vec3(1.7050510, -0.1302564, -0.0240034),
    vec3(-0.6217921, 1.1408047, -0.1289690),
    vec3(-0.0832589, -0.0105483, 1.1529723));
const vec3 tmLuma = vec3(0.2722287, 0.6740818, 0.0536895);
#else
const mat3 tmToWorking = mat3(1.0);
const mat3 tmFromWorking = mat3(1.0);
const vec3 tmLuma = vec3(0.2126, 0.7152, 0.0722);
#endif

vec3 tonemapOperator(vec3 x);

// Each channel through the operator, in the working space.
vec3 tonemap(vec3 rgb)
{
    return max(tmFromWorking * tonemapOperator(tmToWorking * rgb), 0.0);
}
