#version 330 core

// Post-processing frame: reads the scene-referred image and runs the stages
// appended after this source (colour correction, tonemapping, colour profile,
// blend). docs/tonemapping.md describes each stage.

in vec2 texCoord;
out vec4 fragColor;

// Linear BT.709 RGB, scene-referred; alpha 0 marks background pixels.
uniform sampler2D hdrImage;

// 8x8 ordered-dither matrix (values k/64, column-major) and the number of
// output levels it dithers for.
uniform float ditherMat[64];
uniform float ditherNumColors;

vec3 correctColor(vec3 rgb, bool background);
vec3 tonemap(vec3 rgb);
vec3 blend(vec3 rgb, vec2 uv);
vec3 encodeDisplay(vec3 linear);

// Largest finite half float: keeps +inf from turning into NaN in the curves.
const float ctMaxValue = 65504.0;

// NaN and negative input (bad samples, denoiser undershoot) would poison the
// tonemapping curves, so they become black.
vec3 colorTransform(vec3 rgb)
{
    rgb = mix(rgb, vec3(0.0), isnan(rgb));
    return clamp(rgb, 0.0, ctMaxValue);
}

// Ordered dither ahead of 8-bit quantisation, so smooth gradients do not band.
// A non-positive level count switches it off.
vec3 dither(vec3 rgb)
{
    if (ditherNumColors > 0.0) {
        ivec2 p = ivec2(gl_FragCoord.xy) & 7;
        rgb += (ditherMat[p.x * 8 + p.y] - 0.5) / ditherNumColors;
    }
    return clamp(rgb, 0.0, 1.0);
}

void main()
{
    vec4 src = texture(hdrImage, texCoord);
    bool background = src.a <= 0.0;
    vec3 c = colorTransform(src.rgb);
    c = correctColor(c, background);
    c = tonemap(c);
    c = blend(c, texCoord);
    c = encodeDisplay(c);
    c = dither(c);
    fragColor = vec4(c, 1.0);
}
