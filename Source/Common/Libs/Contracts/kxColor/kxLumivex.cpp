#include "kxLumivex.h"

#include "kxGLInfo.h"
#include "kxUtils.h"

#include <cmath>

// The two shader parts, embedded by ubercam_embed_sources from Shaders/.
namespace kxLumivexSources {
extern const std::string lumivexCurve;
extern const std::string lumivexTransform;
} // namespace kxLumivexSources

namespace {

constexpr unsigned TableSize = 1024;
// Nits of SDR white: the unit the renderer's values are in.
constexpr float SdrWhiteNits = 80.0f;

// Film: a log-logistic curve of the exposure x in SDR-white units,
// F(x) = x^c / (x^c + h^c): a logistic S in log exposure, like a film's
// characteristic curve, with toe and shoulder. c = 1.6 sets the contrast,
// h = 0.5 the exposure at half of F's asymptote.
constexpr double FilmContrast = 1.6;
constexpr double FilmHalfExposure = 0.5;

double film(double x) {
    const double a = std::pow(x, FilmContrast);
    return a / (a + std::pow(FilmHalfExposure, FilmContrast));
}

// ITU-R BT.709 opto-electronic transfer function.
double bt709(double l) {
    return l < 0.018 ? 4.5 * l : 1.099 * std::pow(l, 0.45) - 0.099;
}

// Entry i maps relative exposure u = i / 1023 (1 where the sensor saturates)
// to the display value as a fraction of the display's peak, which is
// peak = nits / 80 times SDR white; the shader scales by that peak. The
// sensor's range covers the display's: exposure x = u * peak in SDR-white
// units.
//   film:   F(x) / F(peak), so the curve's shape follows the display's range;
//   video:  BT.709 OETF(u);
//   linear: u (display luminance proportional to exposure, up to the peak).
float transform(unsigned mode, double u, double peak) {
    switch (mode) {
    case 1:
        return static_cast<float>(film(u * peak) / film(peak));
    case 2:
        return static_cast<float>(bt709(u));
    default:
        return static_cast<float>(u);
    }
}

void upload(const std::vector<float>& table, kxTexture& texture) {
    if (table.empty() || texture.getTextureId() != 0 || kxGLInfo::getNoOpenGL())
        return;
    texture.initTexture(GL_TEXTURE_1D, TableSize, 1, GL_RGB16F, GL_RGB, GL_FLOAT, table.data(),
                        GL_LINEAR, GL_LINEAR, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE, false);
}

} // namespace

// Copies share the texture with the table they share; a copy that builds a new
// table drops its share first, and the last share deletes the GL texture.
kxLumivex::kxLumivex(const kxLumivex& other) = default;
kxLumivex& kxLumivex::operator=(const kxLumivex& other) = default;

void kxLumivex::createSensorTransform(unsigned responseMode, int nits) {
    _responseMode = responseMode;
    _nits = nits;
    _texture.clearTexture();
    if (responseMode == 0) {
        // The camera's measured curve is used instead: no table of our own.
        _table.clear();
        return;
    }
    const double peak = (nits > 0 ? nits : SdrWhiteNits) / static_cast<double>(SdrWhiteNits);
    _table.resize(TableSize * 3);
    for (unsigned i = 0; i < TableSize; ++i) {
        const float value = transform(responseMode, i / double(TableSize - 1), peak);
        _table[i * 3] = _table[i * 3 + 1] = _table[i * 3 + 2] = value;
    }
    upload(_table, _texture);
}

void kxLumivex::setupLumivexShader(std::string& source, TransformMode) const {
    source += kxUtils::decryptShader(_responseMode == 0 ? kxLumivexSources::lumivexCurve
                                                        : kxLumivexSources::lumivexTransform,
                                     false);
}

void kxLumivex::setLumivexUniforms(osg::SHLChunkPtr& chunk, int unit, TransformMode) const {
    if (_responseMode == 0 || chunk.isNull())
        return;
    chunk->setUniformParameter("lumivexTransform", osg::Int32(unit));
    chunk->setUniformParameter("lumivexPeak", static_cast<float>(_nits) / SdrWhiteNits);
}

void kxLumivex::bindLumivexTextures(GLenum textureUnit, TransformMode) const {
    if (_responseMode == 0)
        return;
    // A table made without a context (or a copy's) is uploaded when first needed.
    upload(_table, _texture);
    _texture.bindTexture(textureUnit);
}

void kxLumivex::unbindLumivexTextures(GLenum textureUnit, TransformMode) const {
    if (_responseMode == 0)
        return;
    _texture.unbindTexture(textureUnit);
}
