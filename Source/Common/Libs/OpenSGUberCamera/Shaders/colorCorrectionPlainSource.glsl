
// Colour correction reduced to the white balance (no hue, saturation,
// brightness or contrast change): used when the correction is neutral.

uniform vec3 whitebalance_x;
uniform vec3 whitebalance_y;
uniform vec3 whitebalance_z;

vec3 correctColor(vec3 rgb, bool background)
{
    return vec3(dot(whitebalance_x, rgb), dot(whitebalance_y, rgb), dot(whitebalance_z, rgb));
}
