// The tonemapping state: what changed since the last frame, the lookup
// textures, and what the image post-processor is told.

#include "kxTonemappingSettings.h"

#include "kxColor.h"
#include "kxGLInfo.h"
#include "kxImagePostprocessor.h"
#include "kxUberCameraUtils.h"

#include <bit>
#include <cmath>

using namespace osg;

namespace {

constexpr GLsizei LookupTableSize = 1024;
constexpr float PercentScale = 100.0f;
constexpr float LuminousExposureScale = 100.0f;
/// Candela mapping modes above this one map the range linearly.
constexpr int LastLogarithmicCandelaMode = 1;

// ---- comparisons ------------------------------------------------------------------------

// Exact: a NaN on either side is a change.
bool differs(float current, float cached) {
    return !(current == cached);
}

template <class VectorT> bool differsBeyondTolerance(const VectorT& current, const VectorT& cached) {
    for (UInt32 i = 0; i < VectorT::size(); ++i) {
        const bool equal = current[i] - cached[i] <= kxTonemappingSettings::VectorTolerance &&
                           cached[i] - current[i] <= kxTonemappingSettings::VectorTolerance;
        if (!equal)
            return true;
    }
    return false;
}

// A component away from neutral makes the correction active; a NaN is not away from it.
bool isActive(const Vec4f& colorCorrection) {
    const float tolerance = kxTonemappingSettings::ColorCorrectionTolerance;
    return std::fabs(colorCorrection[0]) > tolerance ||
           std::fabs(colorCorrection[1] - 1.0f) > tolerance ||
           std::fabs(colorCorrection[2] - 1.0f) > tolerance ||
           std::fabs(colorCorrection[3] - 1.0f) > tolerance;
}

// The false-colour tonemappers show luminance as it is: no colour correction,
// white balance or display profile of their own.
bool showsLuminance(int tonemapperId) {
    return tonemapperId == TonemappingSettings::FalseColorTonemapper ||
           tonemapperId == TonemappingSettings::IsoLuminanceTonemapper;
}


// A curve that is not a whole table is replaced by the default one before anyone reads
// it; false when it still is not (the default could not be loaded).
bool makeWhole(const SensorResponseCurvePtr& curve) {
    if (curve->getCurveDataSize() != SensorResponseCurve::CurveBytes)
        curve->loadSensorResponseCurve(kxTonemappingSettings::DefaultResponseCurveFile);
    return curve->getCurveDataSize() == SensorResponseCurve::CurveBytes;
}

// Fills `texture` with a 1D lookup table of 1024 RGB float triples.
void uploadLookupTable(kxTexture& texture, GLint internalFormat, const float* table) {
    texture.initTexture(GL_TEXTURE_1D, LookupTableSize, 1, internalFormat, GL_RGB, GL_FLOAT, table,
                        GL_LINEAR, GL_LINEAR, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE, false);
}

// The values the camera itself contributes, as kxUberCameraUtils reads them through whatever
// decorates the camera, from the camera behind the decorators looked up once (each lookup
// is a dynamic cast, and this runs every frame).
struct CameraExposure {
    TonemappingSettingsPtr settings;
    float fStop;
    float shutterSpeed;
    float luminousExposure;
};

CameraExposure readCamera(Camera* camera) {
    const UberCameraPtr uber = kxUberCameraUtils::getNonDecoratedUberCamera(camera);
    if (uber.isNull())
        return {TonemappingSettingsPtr(), kxUberCameraUtils::FallbackFStop,
                kxUberCameraUtils::FallbackShutterSpeed, kxUberCameraUtils::FallbackLuminousExposure};
    return {uber->getTonemappingSettings(), uber->getFStop(), uber->getShutterSpeed(),
            kxUberCameraUtils::getLuminousExposure(uber)};
}

} // namespace

kxTonemappingSettings::~kxTonemappingSettings() {
    kxImagePostprocessor* postprocessor = kxImagePostprocessor::getImagePostprocessor();
    if (postprocessor->m_lumivex == m_lumivex)
        postprocessor->m_lumivex = nullptr;
    m_sensorResponseTexture.clearTexture();
    m_monitorProfileTexture.clearTexture();
    m_extraTexture.clearTexture();
}

float kxTonemappingSettings::getDisplayLuminance() const {
    return m_luminanceInPercent ? m_displayLuminance / PercentScale : m_displayLuminance;
}

float kxTonemappingSettings::getGlowThreshold() const {
    return m_luminanceInPercent ? m_glowParameter[2] / PercentScale : m_glowParameter[2];
}

float kxTonemappingSettings::getGlareThreshold() const {
    return m_luminanceInPercent ? m_glareParameter[2] / PercentScale : m_glareParameter[2];
}

// ---- change detection -------------------------------------------------------------------

void kxTonemappingSettings::requiresUpdate(Camera* camera, bool& rebuildShaders,
                                           bool& updateUniforms, bool) {
    kxImagePostprocessor* postprocessor = kxImagePostprocessor::getImagePostprocessor();
    const CameraExposure exposure = readCamera(camera);
    m_settings = exposure.settings;
    if (m_settings.isNull()) {
        postprocessor->m_lumivex = nullptr;
        m_lumivex = nullptr;
        return;
    }
    const TonemappingSettings& settings = *m_settings;
    kxLumivex* lumivex = settings.getLumivex();
    postprocessor->m_lumivex = lumivex;
    m_lumivex = lumivex;

    const int nits = getDisplayNits();
    const unsigned sensorResponse = settings.getSensorResponse();
    if (lumivex->getCurrentResponseMode() != sensorResponse || lumivex->getCurrentNits() != nits)
        lumivex->createSensorTransform(sensorResponse, nits);

    // What chooses the program's sources.
    bool sourcesChanged = false;
    if (settings.getTonemapperId() != m_tonemapperId || settings.getBlendMode() != m_blendMode) {
        m_tonemapperId = settings.getTonemapperId();
        m_blendMode = settings.getBlendMode();
        sourcesChanged = true;
    }
    if (settings.getTonemappingColorspace() != m_tonemappingColorspace) {
        m_tonemappingColorspace = settings.getTonemappingColorspace();
        sourcesChanged = true;
    }
    if (sensorResponse != m_sensorResponse || nits != m_displayNits) {
        m_sensorResponse = sensorResponse;
        m_displayNits = nits;
        sourcesChanged = true;
    }
    if (sourcesChanged) {
        rebuildShaders = true;
        updateUniforms = true;
    }

    // What feeds the uniforms.
    const bool flag1 = settings.hasPostprocessingFlag(TonemappingSettings::GlowFlag);
    const bool flag2 = settings.hasPostprocessingFlag(TonemappingSettings::GlareFlag);
    const SensorResponseCurvePtr& curve = settings.getSensorResponseCurve();
    const UInt64 checksum = curve.isNull() ? 0 : curve->getCheckSum();
    const bool valuesChanged =
        differs(settings.getWhitepoint(), m_whitepoint) ||
        differs(settings.getExposure(), m_exposure) ||
        differs(settings.getContrast(), m_contrast) ||
        differs(exposure.luminousExposure, m_luminousExposure) ||
        differs(settings.getWhitebalance(), m_whitebalance) ||
        differs(settings.getSensitivity(), m_sensitivity) ||
        differs(exposure.fStop, m_fStop) || differs(exposure.shutterSpeed, m_shutterSpeed) ||
        differs(settings.getCandelaRange()[0], m_candelaRange[0]) ||
        differs(settings.getCandelaRange()[1], m_candelaRange[1]) ||
        differs(settings.getBlendAmount(), m_blendAmount) ||
        differs(settings.getVignetteRadius(), m_vignetteRadius) ||
        differs(settings.getVignetteRoundness(), m_vignetteRoundness) ||
        differs(settings.getVignetteFeather(), m_vignetteFeather) ||
        differsBeyondTolerance(settings.getFilmicParameter(), m_filmicParameter) ||
        differsBeyondTolerance(settings.getColorCorrection(), m_colorCorrection) ||
        differsBeyondTolerance(settings.getGlowParameter(), m_glowParameter) ||
        differsBeyondTolerance(settings.getGlareParameter(), m_glareParameter) ||
        differsBeyondTolerance(settings.getGlareParameter2(), m_glareParameter2) ||
        settings.getCandelaMappingMode() != m_candelaMappingMode ||
        settings.getColorCorrectionFlags() != m_colorCorrectionFlags ||
        flag1 != m_postprocessingFlag1 || flag2 != m_postprocessingFlag2 ||
        settings.getLensFlareEnabled() != m_lensFlareEnabled ||
        checksum != m_sensorResponseCurveChecksum;

    if (valuesChanged) {
        updateSensorResponseCurve();
        updateUniforms = true;
        m_whitepoint = settings.getWhitepoint();
        m_exposure = settings.getExposure();
        m_contrast = settings.getContrast();
        m_luminousExposure = exposure.luminousExposure;
        m_whitebalance = settings.getWhitebalance();
        m_sensitivity = settings.getSensitivity();
        m_fStop = exposure.fStop;
        m_shutterSpeed = exposure.shutterSpeed;
        m_candelaRange = settings.getCandelaRange();
        m_blendAmount = settings.getBlendAmount();
        m_vignetteRadius = settings.getVignetteRadius();
        m_vignetteRoundness = settings.getVignetteRoundness();
        m_vignetteFeather = settings.getVignetteFeather();
        m_filmicParameter = settings.getFilmicParameter();
        m_colorCorrection = settings.getColorCorrection();
        m_glowParameter = settings.getGlowParameter();
        m_glareParameter = settings.getGlareParameter();
        m_glareParameter2 = settings.getGlareParameter2();
        m_candelaMappingMode = settings.getCandelaMappingMode();
        m_colorCorrectionFlags = settings.getColorCorrectionFlags();
        m_postprocessingFlag1 = flag1;
        m_postprocessingFlag2 = flag2;
        m_lensFlareEnabled = settings.getLensFlareEnabled();
        m_colorCorrectionActive = isActive(m_colorCorrection);
    }
    publish();
}

void kxTonemappingSettings::publish() {
    kxImagePostprocessor& pp = *kxImagePostprocessor::getImagePostprocessor();
    const TonemappingSettings& settings = *m_settings;
    const bool luminanceOnly = showsLuminance(m_tonemapperId);

    pp.m_tonemapperId = m_tonemapperId;
    pp.m_sensorResponse = m_sensorResponse;
    pp.m_displayNits = static_cast<float>(m_displayNits);
    pp.m_tonemapHDR = settings.getTonemapHDR();
    if (luminanceOnly) {
        pp.m_whitebalanceMatrix = kxColorMatrix(1, 0, 0, 0, 1, 0, 0, 0, 1);
        pp.m_hueShiftMatrix.setIdentity();
        pp.m_saturation = Vec4f(1, 1, 1, 1);
        pp.m_brightness = Vec4f(1, 1, 1, 1);
        pp.m_colorCorrectionContrast = Vec4f(1, 1, 1, 1);
        pp.m_colorCorrectionActive = false;
        pp.m_applyToBackground = false;
        pp.m_applyToForeground = false;
    } else {
        pp.m_whitebalanceMatrix =
            m_whitebalanceMemo.get(std::bit_cast<UInt32>(settings.getWhitebalance()),
                                   [&] { return settings.getWhitebalanceMatrix(); });
        pp.m_hueShiftMatrix =
            m_hueShiftMemo.get(std::bit_cast<UInt32>(settings.getColorCorrection()[0]),
                               [&] { return settings.getHueShiftMatrix(); });
        pp.m_saturation = Vec4f(m_colorCorrection[1], m_colorCorrection[1], m_colorCorrection[1],
                                m_colorCorrection[1]);
        pp.m_brightness = Vec4f(m_colorCorrection[2], m_colorCorrection[2], m_colorCorrection[2],
                                m_colorCorrection[2]);
        pp.m_colorCorrectionContrast = Vec4f(m_colorCorrection[3], m_colorCorrection[3],
                                             m_colorCorrection[3], m_colorCorrection[3]);
        pp.m_colorCorrectionActive = m_colorCorrectionActive;
        pp.m_applyToBackground =
            (m_colorCorrectionFlags & TonemappingSettings::ColorCorrectBackground) != 0;
        pp.m_applyToForeground =
            (m_colorCorrectionFlags & TonemappingSettings::ColorCorrectForeground) != 0;
    }
    pp.m_invDisplayLuminance = 1.0f / getDisplayLuminance();
    // The raw luminance: the white point is never held in percent.
    const float relativeWhitepoint = m_whitepoint / m_displayLuminance;
    pp.m_relativeWhitepoint = relativeWhitepoint;
    pp.m_invSquaredRelativeWhitepoint = 1.0f / (relativeWhitepoint * relativeWhitepoint);
    pp.m_contrast = m_contrast;
    const float invGamma = 1.0f / m_gamma[0];
    pp.m_invGamma = Vec4f(invGamma, invGamma, invGamma, invGamma);
    pp.m_candelaMappingMode = m_candelaMappingMode;
    pp.m_tonemappingColorspace = settings.getTonemappingColorspace();
    const std::array<UInt32, 3> candela = {std::bit_cast<UInt32>(m_candelaRange[0]),
                                           std::bit_cast<UInt32>(m_candelaRange[1]),
                                           m_candelaMappingMode};
    const Vec2f& candelaRange = m_candelaMemo.get(candela, [&] {
        if (static_cast<int>(m_candelaMappingMode) > LastLogarithmicCandelaMode)
            return m_candelaRange;
        return Vec2f(std::log(m_candelaRange[0] + 1.0f), std::log(m_candelaRange[1] + 1.0f));
    });
    pp.m_candelaRangeLow = candelaRange[0];
    pp.m_candelaRangeHigh = candelaRange[1];
    pp.m_scaledLuminousExposure = m_luminousExposure * LuminousExposureScale;
    pp.m_responseCurveData = publishedCurveData();
    pp.m_exposure = m_exposure;
    pp.m_sensitivity = m_sensitivity;
    pp.m_fStop = m_fStop;
    pp.m_shutterSpeed = m_shutterSpeed;
    pp.m_filmicA = m_filmicParameter[0];
    pp.m_filmicD = m_filmicParameter[1];
    pp.m_displayProfileMode = luminanceOnly ? DisplayReferredProfileMode : m_displayProfileMode;
}

const float* kxTonemappingSettings::publishedCurveData() {
    const SensorResponseCurvePtr& curve = m_settings->getSensorResponseCurve();
    // Readers take 1024 triples: a curve that stays short is not handed out.
    if (curve.isNull() || !makeWhole(curve))
        return nullptr;
    return curve->getCurveData().data();
}

// ---- lookup textures ----------------------------------------------------------------------

bool kxTonemappingSettings::updateSensorResponseCurve() {
    if (m_settings.isNull())
        return false;
    const SensorResponseCurvePtr& curve = m_settings->getSensorResponseCurve();
    if (curve.isNull())
        return false;
    // Before the checksum (a replaced curve has a new one); the texture reads a whole table.
    const bool whole = makeWhole(curve);
    const UInt64 checksum = curve->getCheckSum();
    if (checksum == m_sensorResponseCurveChecksum && m_sensorResponseTexture.getTextureId() != 0)
        return true;
    if (whole && !kxGLInfo::getNoOpenGL())
        uploadLookupTable(m_sensorResponseTexture, GL_RGBA16F, curve->getCurveData().data());
    m_sensorResponseCurveChecksum = checksum;
    return true;
}

bool kxTonemappingSettings::updateMonitorProfile(bool useDisplayColorspace) {
    if (useDisplayColorspace && !m_displayColorspace.isNull()) {
        if (!kxGLInfo::getNoOpenGL())
            uploadLookupTable(m_monitorProfileTexture, GL_RGB16F,
                              m_displayColorspace->getToneResponseTable().data());
        return true;
    }
    const kxICCProfile& monitor = kxColor::getMonitorICCProfile();
    if (!monitor.isValid())
        return false;
    kxColor::setActiveICCProfile(ICCProfileAttachmentPtr::dcast(monitor.getAttachment()));
    if (!kxGLInfo::getNoOpenGL())
        uploadLookupTable(m_monitorProfileTexture, GL_RGB16F,
                          monitor.getToneResponseTable().data());
    return true;
}

// ---- display ---------------------------------------------------------------------------------

void kxTonemappingSettings::setDisplayColorspace(ICCProfileAttachmentPtr profile, bool& changed) {
    if (profile == m_displayColorspace)
        return;
    changed = true;
    m_displayColorspace = profile;
    m_displayProfileMode = profile.isNull() ? DefaultProfileMode : profile->getProfileID();
    kxImagePostprocessor::getImagePostprocessor()->m_displayProfileMode = m_displayProfileMode;
}

void kxTonemappingSettings::setDisplay(kxDisplay display, bool& changed) {
    if (display == m_display)
        return;
    m_display = display;
    changed = true;
}

void kxTonemappingSettings::setHdrDisplayMode(unsigned int mode, bool& changed) {
    if (mode == m_hdrDisplayMode)
        return;
    m_hdrDisplayMode = mode;
    changed = true;
}
