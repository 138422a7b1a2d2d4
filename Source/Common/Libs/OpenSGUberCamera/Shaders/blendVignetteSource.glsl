
// Vignette: darkens towards the image's edges, in whole-image coordinates so
// tiles rendered separately join without seams.

uniform float blendAmount;
uniform float vignetteRadius;
uniform float vignetteRoundness;
uniform float vignetteFeather;
uniform bool applyBlending;
uniform vec2 tileOffset;

vec3 blend(vec3 rgb, vec2 uv)
{
    if (!applyBlending)
        return rgb;
    // Distance from the centre (1 at the middle of each edge) in a
    // superellipse metric: exponent 2 (a circle) at roundness 1, 8 (nearly
    // the image's rectangle) at roundness 0.
    vec2 q = abs(2.0 * (uv + tileOffset) - 1.0);
    float k = mix(8.0, 2.0, clamp(vignetteRoundness, 0.0, 1.0));
    float dist = pow(pow(q.x, k) + pow(q.y, k), 1.0 / k);
    // A zero feather would leave smoothstep undefined: keep a hairline edge.
    float edge = smoothstep(vignetteRadius, vignetteRadius + max(vignetteFeather, 1e-4), dist);
    return rgb * (1.0 - blendAmount * edge);
}
