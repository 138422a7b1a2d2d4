
// Display profile 0: a plain power-law display with its own gamma per channel.

uniform vec3 gamma;

vec3 encodeDisplay(vec3 linear)
{
    return pow(clamp(linear, 0.0, 1.0), 1.0 / max(gamma, 1e-3));
}
