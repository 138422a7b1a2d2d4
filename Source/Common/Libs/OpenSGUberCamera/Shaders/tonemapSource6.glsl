
// Operator 6, luminance false colour: the pixel's luminance, taken as cd/m2,
// placed in the candela range (linearly or logarithmically) and shown on a
// colour or grey scale. The scale is a legend, so it is shown at SDR white on
// every display.

uniform vec2 candelaRange;
uniform bool candelaLogarithmic;
uniform bool candelaRGBScale;

// Lowest luminance the logarithmic scale resolves, in cd/m2: keeps log(0) out.
const float fcLogFloor = 1e-3;

// Place of luminance y (cd/m2) in the candela range, 0 to 1.
float candelaPosition(float y)
{
    float lo = candelaRange.x;
    float hi = candelaRange.y;
    if (candelaLogarithmic) {
        lo = log2(max(lo, fcLogFloor));
        hi = log2(max(hi, fcLogFloor));
        y = log2(max(y, fcLogFloor));
    }
    return clamp((y - lo) / max(hi - lo, 1e-6), 0.0, 1.0);
}

// Blue, cyan, green, yellow, red at 0, 1/4, 1/2, 3/4, 1; grey without the
// colour scale.
vec3 candelaColor(float t)
{
    if (!candelaRGBScale)
        return vec3(t);
    return clamp(vec3(4.0 * t - 2.0, min(4.0 * t, 4.0 - 4.0 * t), 2.0 - 4.0 * t), 0.0, 1.0);
}

vec3 tonemapOperator(vec3 x)
{
    vec3 c = candelaColor(candelaPosition(dot(tmLuma, x)));
    // The common part converts back from the working space: the legend's
    // colours must come out unchanged.
    return tmToWorking * c;
}
