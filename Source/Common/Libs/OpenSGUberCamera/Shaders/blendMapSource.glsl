
// Blend map: multiplies the image by a map (e.g. a measured lens falloff),
// in whole-image coordinates so tiles rendered separately join without seams.

uniform float blendAmount;
uniform sampler2D blendingMap;
uniform bool applyBlending;
uniform vec2 tileOffset;

vec3 blend(vec3 rgb, vec2 uv)
{
    if (!applyBlending)
        return rgb;
    vec3 m = texture(blendingMap, uv + tileOffset).rgb;
    return rgb * mix(vec3(1.0), m, blendAmount);
}
