
// No blend: the image passes unchanged.

vec3 blend(vec3 rgb, vec2 uv)
{
    return rgb;
}
