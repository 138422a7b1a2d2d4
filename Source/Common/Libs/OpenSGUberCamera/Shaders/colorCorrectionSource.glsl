
// Colour correction: white balance everywhere, then hue, saturation,
// brightness and contrast where the correction is switched on (background and
// foreground separately, so a backdrop can stay untouched).

uniform vec3 whitebalance_x;
uniform vec3 whitebalance_y;
uniform vec3 whitebalance_z;

uniform float saturation;
uniform float brightness;
uniform float contrast;
uniform mat4 hueShiftMat;
uniform bool applyColorCorrectionToBackground;
uniform bool applyColorCorrectionToForeground;

// BT.709 luminance weights: saturation pivots on the pixel's own luminance.
const vec3 ccLuma = vec3(0.2126, 0.7152, 0.0722);
// Contrast pivots on scene mid-grey so exposure of mid-tones is kept.
const float ccPivot = 0.18;

vec3 correctColor(vec3 rgb, bool background)
{
    vec3 c = vec3(dot(whitebalance_x, rgb), dot(whitebalance_y, rgb), dot(whitebalance_z, rgb));
    bool apply = background ? applyColorCorrectionToBackground : applyColorCorrectionToForeground;
    if (!apply)
        return c;
    c = (hueShiftMat * vec4(c, 1.0)).rgb;
    c = mix(vec3(dot(ccLuma, c)), c, saturation);
    c *= brightness;
    // A positive exponent keeps pow() defined at black.
    return ccPivot * pow(max(c, 0.0) / ccPivot, vec3(max(contrast, 1e-3)));
}
