
// Display profile from an ICC matrix/TRC profile: the working BT.709 colour is
// taken to the profile connection space (XYZ, D50), then to the display's
// linear RGB through its colorants, then through the inverse of its tone
// response curves (a 1024-entry table).

uniform sampler1D rgbTRC;
uniform vec3 rXYZ;
uniform vec3 gXYZ;
uniform vec3 bXYZ;

// Linear BT.709 (D65) to XYZ, Bradford-adapted to the ICC D50 illuminant
// (0.9642, 1, 0.8249), so an sRGB monitor profile is the identity.
const mat3 ipRec709ToXYZD50 = mat3(
    vec3(0.4360413, 0.2224845, 0.0139202),
    vec3(0.3851129, 0.7169051, 0.0970672),
    vec3(0.1430458, 0.0606104, 0.7139126));

vec3 encodeDisplay(vec3 linear)
{
    vec3 xyz = ipRec709ToXYZD50 * linear;
    vec3 device = clamp(inverse(mat3(rXYZ, gXYZ, bXYZ)) * xyz, 0.0, 1.0);
    // Entry i holds linear value i / 1023: sample at texel centres.
    vec3 t = device * (1023.0 / 1024.0) + 0.5 / 1024.0;
    return vec3(texture(rgbTRC, t.r).r, texture(rgbTRC, t.g).g, texture(rgbTRC, t.b).b);
}
