
// Operator 4, Hable's filmic curve with adjustable shoulder (A) and toe (D)
// strength, the other constants at Hable's values, normalised so the white
// point maps to display white. On an HDR display the curve is stretched by the
// peak along both axes.

uniform float A;
uniform float D;

const float hbB = 0.50;  // linear strength
const float hbC = 0.10;  // linear angle
const float hbE = 0.02;  // toe numerator
const float hbF = 0.30;  // toe denominator

vec3 hableCurve(vec3 t, float a, float d)
{
    return (t * (a * t + hbC * hbB) + d * hbE) / (t * (a * t + hbB) + d * hbF) - hbE / hbF;
}

vec3 tonemapOperator(vec3 x)
{
    vec3 v = max(x, 0.0) * (exp2(exposure) * invDisplayLuminance);
    float w = max(whitepoint, 1e-4);
    // A zero toe strength would make the curve 0/0 at black.
    float d = max(D, 1e-4);
    float white = max(hableCurve(vec3(w), A, d).x, 1e-6);
    vec3 y = tmPeak * hableCurve(v / tmPeak, A, d) / white;
    return min(y, tmPeak);
}
