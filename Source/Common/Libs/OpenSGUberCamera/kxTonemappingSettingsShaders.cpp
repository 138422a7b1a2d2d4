// The post-processing program: which stored sources make it up, the uniforms
// it reads, and the lookup textures it samples.

#include "kxTonemappingSettings.h"

#include "kxColor.h"
#include "kxImagePostprocessor.h"
#include "kxShaderSources.h"
#include "kxUtils.h"

using namespace osg;
namespace src = kxShaderSources;

namespace {

/// The only transform mode the program asks of the colour management.
constexpr kxLumivex::TransformMode DisplayTransform = kxLumivex::DisplayTransform;
constexpr float LuminousExposureScale = 100.0f;
constexpr int LastLogarithmicCandelaMode = 1;
constexpr UInt32 GreyScaleCandelaBit = 0x1;

/// Display profile modes with a shader of their own.
enum ProfileMode : unsigned {
    GammaProfile = 0,
    SrgbProfile = 1,
    Bt1886Profile = 2,
    MonitorIccProfile = 3,
    ImageIccProfile = 4,
    DisplayReferredProfile = 5,
};

/// Levels per channel of the output the dithering aims at.
constexpr float DitherColors = 256.0f;
/// The 8x8 Bayer index matrix, column by column; each entry is divided by 64.
constexpr int DitherIndices[64] = {
    0,  48, 12, 60, 3,  51, 15, 63, 32, 16, 44, 28, 35, 19, 47, 31, 8,  56, 4,  52, 11, 59,
    7,  55, 40, 24, 36, 20, 43, 27, 39, 23, 2,  50, 14, 62, 1,  49, 13, 61, 34, 18, 46, 30,
    33, 17, 45, 29, 10, 58, 6,  54, 9,  57, 5,  53, 42, 26, 38, 22, 41, 25, 37, 21,
};
constexpr float DitherStep = 1.0f / 64.0f;

// The plain text exists only while it is appended.
void append(std::string& source, const std::string& stored) {
    source += kxUtils::decryptShader(stored, false);
}

bool showsLuminance(int tonemapperId) {
    return tonemapperId == TonemappingSettings::FalseColorTonemapper ||
           tonemapperId == TonemappingSettings::IsoLuminanceTonemapper;
}

bool usesIccProfile(unsigned profileMode) {
    return profileMode == MonitorIccProfile || profileMode == ImageIccProfile;
}

const std::string& operatorSource(int tonemapperId) {
    switch (tonemapperId) {
    case TonemappingSettings::ReinhardTonemapper:
        return src::tonemapSource1;
    case TonemappingSettings::ExtendedReinhardTonemapper:
        return src::tonemapSource2;
    case TonemappingSettings::LogarithmicTonemapper:
        return src::tonemapSource3;
    case TonemappingSettings::FilmicTonemapper:
        return src::tonemapSource4;
    case TonemappingSettings::FalseColorTonemapper:
        return src::tonemapSource6;
    case TonemappingSettings::IsoLuminanceTonemapper:
        return src::tonemapSource7;
    case TonemappingSettings::AcesTonemapper:
        return src::tonemapSource8;
    case TonemappingSettings::NeutralTonemapper:
        return src::tonemapSource9;
    default:
        return src::tonemapSource0;
    }
}

void setColorant(SHLChunkPtr& chunk, const kxICCProfile& profile) {
    chunk->setUniformParameter("rXYZ", profile.getRedColorant());
    chunk->setUniformParameter("gXYZ", profile.getGreenColorant());
    chunk->setUniformParameter("bXYZ", profile.getBlueColorant());
}

} // namespace

const kxLumivex* kxTonemappingSettings::colorManagement() const {
    if (m_lumivex != nullptr)
        return m_lumivex;
    return m_settings.isNull() ? nullptr : m_settings->getLumivex();
}

// ---- sources ------------------------------------------------------------------------------

void kxTonemappingSettings::setupColorTransformShader(std::string& source) {
    append(source, src::colorTransformSource);
}

void kxTonemappingSettings::setupColorCorrectionShader(std::string& source) {
    append(source,
           m_useColorCorrection ? src::colorCorrectionSource : src::colorCorrectionPlainSource);
}

void kxTonemappingSettings::setupTonemappingShader(std::string& source) {
    if (m_settings.isNull())
        return;
    if (isHDRDisplay())
        source += "#define HDR_RANGE 1000.0\n";
    if (m_settings->getTonemappingColorspace() == AcesColorspace)
        source += "#define USE_ACES_COLORSPACE\n";
    const bool alternativePrologue = m_prologueVariant && !showsLuminance(m_tonemapperId);
    append(source, alternativePrologue ? src::tonemapCommonAltSource : src::tonemapCommonSource);

    switch (m_tonemapperId) {
    case TonemappingSettings::ResponseCurveTonemapper:
        if (m_sensorResponse == kxSensorResponseCurve && updateSensorResponseCurve()) {
            append(source, src::tonemapCurveSource);
            return;
        }
        appendSensorTransform(source);
        return;
    case TonemappingSettings::SensorTransformTonemapper:
        appendSensorTransform(source);
        return;
    default:
        append(source, operatorSource(m_tonemapperId));
    }
}

void kxTonemappingSettings::appendSensorTransform(std::string& source) const {
    if (const kxLumivex* lumivex = colorManagement())
        lumivex->setupLumivexShader(source, DisplayTransform);
    append(source, src::tonemapLumivexSource);
}

void kxTonemappingSettings::setupColorProfileShader(std::string& source, bool useDefault,
                                                    bool useDisplayColorspace) {
    kxImagePostprocessor* postprocessor = kxImagePostprocessor::getImagePostprocessor();
    if (useDefault) {
        append(source, src::profileSource0);
        return;
    }
    if (isHDRDisplay() || showsLuminance(m_tonemapperId)) {
        append(source, src::profileSource5);
        postprocessor->m_displayProfileMode = DisplayReferredProfileMode;
        return;
    }
    switch (m_displayProfileMode) {
    case SrgbProfile:
        append(source, src::profileSource1);
        return;
    case Bt1886Profile:
        append(source, src::profileSource2);
        return;
    case DisplayReferredProfile:
        append(source, src::profileSource5);
        return;
    case MonitorIccProfile:
    case ImageIccProfile:
        if (updateMonitorProfile(useDisplayColorspace)) {
            append(source, src::profileIccSource);
            return;
        }
        // Without a profile the display gets sRGB, and the post-processor is told so.
        postprocessor->m_displayProfileMode = DefaultProfileMode;
        append(source, src::profileSource1);
        return;
    default:
        append(source, src::profileSource0);
    }
}

void kxTonemappingSettings::setupBlendShader(std::string& source) {
    switch (m_blendMode) {
    case TonemappingSettings::VignetteBlending:
        append(source, src::blendVignetteSource);
        return;
    case TonemappingSettings::BlendingMapBlending:
        append(source, m_blendingMap.isNull() ? src::blendNoneSource : src::blendMapSource);
        return;
    default:
        append(source, src::blendNoneSource);
    }
}

// ---- uniforms ------------------------------------------------------------------------------

void kxTonemappingSettings::setTonemapperUniforms(SHLChunkPtr& chunk) {
    if (chunk.isNull())
        return;
    const int id = m_tonemapperId;
    const float scaledLuminousExposure = m_luminousExposure * LuminousExposureScale;
    if (m_display == kxDisplayExternalTonemapping) {
        chunk->setUniformParameter(
            "exposure",
            id == TonemappingSettings::ResponseCurveTonemapper ? scaledLuminousExposure : m_exposure);
        return;
    }
    if (showsLuminance(id)) {
        chunk->setUniformParameter("candelaRange", m_candelaRange);
        chunk->setUniformParameter("candelaLogarithmic",
                                   static_cast<int>(m_candelaMappingMode) <=
                                       LastLogarithmicCandelaMode);
        chunk->setUniformParameter("candelaRGBScale",
                                   (m_candelaMappingMode & GreyScaleCandelaBit) == 0);
        return;
    }
    if (id != TonemappingSettings::ResponseCurveTonemapper) {
        chunk->setUniformParameter("exposure", m_exposure);
        // The raw luminance: the white point is never held in percent.
        chunk->setUniformParameter("whitepoint", m_whitepoint / m_displayLuminance);
        chunk->setUniformParameter("invDisplayLuminance", 1.0f / getDisplayLuminance());
        switch (id) {
        case TonemappingSettings::LinearTonemapper:
        case TonemappingSettings::ReinhardTonemapper:
        case TonemappingSettings::ExtendedReinhardTonemapper:
        case TonemappingSettings::LogarithmicTonemapper:
            chunk->setUniformParameter("tm_contrast", m_contrast);
            return;
        case TonemappingSettings::FilmicTonemapper:
            chunk->setUniformParameter("A", m_filmicParameter[0]);
            chunk->setUniformParameter("D", m_filmicParameter[1]);
            return;
        case TonemappingSettings::SensorTransformTonemapper:
            break;
        default:
            return;
        }
    }
    // The response curve and the sensor transform take the camera's own exposure.
    chunk->setUniformParameter("exposure", scaledLuminousExposure);
    if (m_sensorResponse != kxSensorResponseCurve) {
        if (const kxLumivex* lumivex = colorManagement())
            lumivex->setLumivexUniforms(chunk, LumivexUnit, DisplayTransform);
        return;
    }
    updateSensorResponseCurve();
    chunk->setUniformParameter("cameraResponseCurve", Int32(ResponseCurveUnit));
}

void kxTonemappingSettings::setColorCorrectionUniforms(SHLChunkPtr& chunk) {
    if (chunk.isNull())
        return;
    if (showsLuminance(m_tonemapperId)) {
        chunk->setUniformParameter("whitebalance_x", Vec3f(1, 0, 0));
        chunk->setUniformParameter("whitebalance_y", Vec3f(0, 1, 0));
        chunk->setUniformParameter("whitebalance_z", Vec3f(0, 0, 1));
        if (!m_useColorCorrection)
            return;
        chunk->setUniformParameter("saturation", 1.0f);
        chunk->setUniformParameter("brightness", 1.0f);
        chunk->setUniformParameter("contrast", 1.0f);
        chunk->setUniformParameter("hueShiftMat", Matrix());
        chunk->setUniformParameter("applyColorCorrectionToBackground", false);
        chunk->setUniformParameter("applyColorCorrectionToForeground", false);
        return;
    }
    if (m_settings.isNull())
        return;
    const TonemappingSettings& settings = *m_settings;
    const kxColorMatrix whitebalance = settings.getWhitebalanceMatrix();
    chunk->setUniformParameter("whitebalance_x", whitebalance.getRow(0));
    chunk->setUniformParameter("whitebalance_y", whitebalance.getRow(1));
    chunk->setUniformParameter("whitebalance_z", whitebalance.getRow(2));
    if (!m_useColorCorrection)
        return;
    const Vec4f& correction = settings.getColorCorrection();
    chunk->setUniformParameter("saturation", correction[1]);
    chunk->setUniformParameter("brightness", correction[2]);
    chunk->setUniformParameter("contrast", correction[3]);
    chunk->setUniformParameter("hueShiftMat", settings.getHueShiftMatrix());
    chunk->setUniformParameter(
        "applyColorCorrectionToBackground",
        settings.hasColorCorrectionFlag(TonemappingSettings::ColorCorrectBackground));
    chunk->setUniformParameter(
        "applyColorCorrectionToForeground",
        settings.hasColorCorrectionFlag(TonemappingSettings::ColorCorrectForeground));
}

void kxTonemappingSettings::setBlendUniforms(SHLChunkPtr& chunk, int blendingMapUnit,
                                             bool applyBlending) {
    if (chunk.isNull())
        return;
    if (m_blendMode == TonemappingSettings::VignetteBlending) {
        chunk->setUniformParameter("blendAmount", m_blendAmount);
        chunk->setUniformParameter("vignetteRadius", m_vignetteRadius);
        chunk->setUniformParameter("vignetteRoundness", m_vignetteRoundness);
        chunk->setUniformParameter("vignetteFeather", m_vignetteFeather);
    } else if (m_blendMode == TonemappingSettings::BlendingMapBlending && !m_blendingMap.isNull()) {
        chunk->setUniformParameter("blendAmount", m_blendAmount);
        chunk->setUniformParameter("blendingMap", Int32(blendingMapUnit));
    } else {
        return;
    }
    chunk->setUniformParameter("applyBlending", applyBlending);
    chunk->setUniformParameter("tileOffset", m_tileOffset);
}

void kxTonemappingSettings::setColorProfileUniforms(SHLChunkPtr& chunk, int trcUnit) {
    if (chunk.isNull())
        return;
    switch (m_displayProfileMode) {
    case SrgbProfile:
    case Bt1886Profile:
    case DisplayReferredProfile:
        return;
    case MonitorIccProfile:
        chunk->setUniformParameter("rgbTRC", Int32(trcUnit));
        setColorant(chunk, kxColor::getMonitorICCProfile());
        return;
    case ImageIccProfile:
        chunk->setUniformParameter("rgbTRC", Int32(trcUnit));
        setColorant(chunk, kxColor::getImageICCProfile());
        return;
    default:
        chunk->setUniformParameter("gamma", m_gamma);
    }
}

void kxTonemappingSettings::setDitheringUniforms(SHLChunkPtr& chunk) {
    if (chunk.isNull())
        return;
    MField<Real32> matrix;
    for (int index : DitherIndices)
        matrix.push_back(static_cast<float>(index) * DitherStep);
    chunk->setUniformParameter("ditherNumColors", DitherColors);
    chunk->setUniformParameter("ditherMat", matrix);
}

// ---- textures ------------------------------------------------------------------------------

void kxTonemappingSettings::bindTextures(unsigned profileUnit, unsigned curveUnit,
                                         unsigned lumivexUnit) const {
    bindOrUnbind(profileUnit, curveUnit, lumivexUnit, true);
}

void kxTonemappingSettings::unbindTextures(unsigned profileUnit, unsigned curveUnit,
                                           unsigned lumivexUnit) const {
    bindOrUnbind(profileUnit, curveUnit, lumivexUnit, false);
}

void kxTonemappingSettings::bindOrUnbind(unsigned profileUnit, unsigned curveUnit,
                                         unsigned lumivexUnit, bool bind) const {
    auto apply = [bind](const kxTexture& texture, unsigned unit) {
        if (bind)
            texture.bindTexture(GL_TEXTURE0 + unit);
        else
            texture.unbindTexture(GL_TEXTURE0 + unit);
    };
    auto applyLumivex = [&](unsigned unit) {
        if (bind)
            bindLumivexTextures(GL_TEXTURE0 + unit, DisplayTransform);
        else
            unbindLumivexTextures(GL_TEXTURE0 + unit, DisplayTransform);
    };
    if (!isHDRDisplay() && usesIccProfile(m_displayProfileMode))
        apply(m_monitorProfileTexture, profileUnit);
    if (m_tonemapperId == TonemappingSettings::SensorTransformTonemapper) {
        applyLumivex(lumivexUnit);
    } else if (m_tonemapperId == TonemappingSettings::ResponseCurveTonemapper) {
        if (m_sensorResponse == kxSensorResponseCurve)
            apply(m_sensorResponseTexture, curveUnit);
        else
            applyLumivex(lumivexUnit);
    }
}

void kxTonemappingSettings::bindLumivexTextures(unsigned unit,
                                                kxLumivex::TransformMode mode) const {
    if (const kxLumivex* lumivex = colorManagement())
        lumivex->bindLumivexTextures(unit, mode);
}

void kxTonemappingSettings::unbindLumivexTextures(unsigned unit,
                                                  kxLumivex::TransformMode mode) const {
    if (const kxLumivex* lumivex = colorManagement())
        lumivex->unbindLumivexTextures(unit, mode);
}
