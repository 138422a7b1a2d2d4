#ifndef KX_TONEMAPPING_SETTINGS_H
#define KX_TONEMAPPING_SETTINGS_H

#include "OSGCamera.h"
#include "OSGICCProfileAttachment.h"
#include "OSGSHLChunk.h"
#include "OSGTonemappingSettings.h"
#include "kxDisplayTypes.h"
#include "kxLumivex.h"
#include "kxTexture.h"

#include <array>
#include <string>

/// The tonemapping and display-colour state one renderer keeps for a camera.
/// Once per frame `requiresUpdate` compares the camera's settings with the
/// copy kept here and says whether the post-processing program must be
/// rebuilt or only its uniforms refreshed; it also publishes the values to
/// the image post-processor. The `setup...Shader` operations assemble that
/// program's fragment source, the `set...Uniforms` operations fill its
/// uniforms, `bindTextures` binds its lookup textures.
///
/// The fragment program is assembled in this order: colour transform, colour
/// correction, tonemapping, colour profile, blend (docs/tonemapping.md has
/// what each stage computes). Members are public: the host sets several of
/// them directly.
class kxTonemappingSettings {
public:
    kxTonemappingSettings() = default;
    kxTonemappingSettings(const kxTonemappingSettings& other) = default;
    kxTonemappingSettings& operator=(const kxTonemappingSettings& other) = default;
    /// Unhooks this state's colour management from the post-processor and
    /// releases its share of the three textures.
    ~kxTonemappingSettings();

    // ---- state --------------------------------------------------------------------------

    /// Peak luminance of an HDR display and of an ordinary one, in nits.
    static constexpr int HdrDisplayNits = 1000;
    static constexpr int SdrDisplayNits = 80;
    /// Per-component tolerance of the vector settings.
    static constexpr float VectorTolerance = 1e-6f;
    /// Below this distance from neutral a colour correction counts as none.
    static constexpr float ColorCorrectionTolerance = 1e-5f;
    /// Display profile modes without a profile (sRGB) and of display-referred
    /// output (HDR displays, false colour).
    static constexpr unsigned DefaultProfileMode = 1;
    static constexpr unsigned DisplayReferredProfileMode = 5;
    /// Tonemapping colour space that selects ACEScg.
    static constexpr unsigned AcesColorspace = 1;
    /// The default response curve, by the bare name the data loader knows.
    static constexpr const char* DefaultResponseCurveFile = "gamma+1.0.crv";

    bool isHDRDisplay() const { return m_display == kxDisplayHDR; }
    int getDisplayNits() const { return isHDRDisplay() ? HdrDisplayNits : SdrDisplayNits; }
    /// Display luminance; `m_displayLuminance` / 100 when held in percent.
    float getDisplayLuminance() const;
    float getGlowThreshold() const;
    float getGlareThreshold() const;

    /// Fetches `camera`'s settings and compares them with the copy kept here:
    /// sets `rebuildShaders` (and `updateUniforms`) when the program's sources
    /// change, `updateUniforms` when any value changes; never clears either.
    /// Publishes the values to the image post-processor whenever the camera
    /// has settings. The last argument changes nothing.
    void requiresUpdate(osg::Camera* camera, bool& rebuildShaders, bool& updateUniforms, bool);
    /// Uploads the response curve when its checksum changed; false without a curve.
    bool updateSensorResponseCurve();
    /// Uploads the monitor's tone-response table (the display colour space's
    /// when asked and set); false when neither is available.
    bool updateMonitorProfile(bool useDisplayColorspace);
    void setDisplayColorspace(osg::ICCProfileAttachmentPtr profile, bool& changed);
    void setDisplay(kxDisplay display, bool& changed);
    void setHdrDisplayMode(unsigned int mode, bool& changed);

    // ---- post-processing program --------------------------------------------------------

    void setupColorTransformShader(std::string& source);
    void setupColorCorrectionShader(std::string& source);
    /// Nothing without settings. Otherwise the HDR and ACES defines, the common
    /// tonemapping source and the operator's own.
    void setupTonemappingShader(std::string& source);
    void setupColorProfileShader(std::string& source, bool useDefault, bool useDisplayColorspace);
    void setupBlendShader(std::string& source);

    void setTonemapperUniforms(osg::SHLChunkPtr& chunk);
    void setColorCorrectionUniforms(osg::SHLChunkPtr& chunk);
    void setBlendUniforms(osg::SHLChunkPtr& chunk, int blendingMapUnit, bool applyBlending);
    void setColorProfileUniforms(osg::SHLChunkPtr& chunk, int trcUnit);
    void setDitheringUniforms(osg::SHLChunkPtr& chunk);

    /// Texture units the program's samplers are fixed to.
    static constexpr int ResponseCurveUnit = 6;
    static constexpr int LumivexUnit = 11;

    void bindTextures(unsigned profileUnit, unsigned curveUnit, unsigned lumivexUnit) const;
    void unbindTextures(unsigned profileUnit, unsigned curveUnit, unsigned lumivexUnit) const;
    void bindLumivexTextures(unsigned unit, kxLumivex::TransformMode mode) const;
    void unbindLumivexTextures(unsigned unit, kxLumivex::TransformMode mode) const;

    // ---- the state, in the host's order -----------------------------------------------------

    osg::TonemappingSettingsPtr m_settings;
    osg::ICCProfileAttachmentPtr m_displayColorspace;
    unsigned int m_displayProfileMode = 1;
    kxDisplay m_display = kxDisplayMonitor;
    unsigned int m_hdrDisplayMode = 0;
    int m_tonemapperId = 0;
    unsigned int m_tonemappingColorspace = 0;
    bool m_luminanceInPercent = false;
    bool m_prologueVariant = false;
    float m_exposure = 1.0f;
    float m_whitepoint = 2.0f;
    float m_contrast = 1.0f;
    float m_sensitivity = 100.0f;
    float m_fStop = 2.8f;
    float m_shutterSpeed = 125.0f;
    float m_luminousExposure = 1.0f;
    osg::Vec4f m_filmicParameter{0.8f, 0.25f, 0.0f, 0.0f};
    osg::Vec3f m_gamma{2.2f, 2.2f, 2.2f};
    osg::Vec2f m_candelaRange{0.0f, 8000.0f};
    unsigned int m_candelaMappingMode = 0;
    float m_whitebalance = 6504.0f;
    float m_displayLuminance = 1.0f;
    /// The host's; no operation here reads it.
    float m_displayScale = 1.0f;
    osg::UInt64 m_sensorResponseCurveChecksum = 0;
    unsigned int m_sensorResponse = kxSensorResponseCurve;
    int m_displayNits = SdrDisplayNits;
    kxTexture m_sensorResponseTexture;
    kxTexture m_monitorProfileTexture;
    /// The host's switches; no operation here reads them.
    bool m_glowActive = false;
    bool m_glareActive = false;
    bool m_useToneMapping = true;
    bool m_useColorProfile = true;
    bool m_useDithering = true;
    bool m_useBlending = true;
    bool m_colorCorrectionActive = false;
    bool m_useColorCorrection = true;
    osg::Vec4f m_colorCorrection{0.0f, 1.0f, 1.0f, 1.0f};
    unsigned int m_colorCorrectionFlags = 0;
    bool m_postprocessingFlag1 = false;
    osg::Vec4f m_glowParameter{0.3f, 1.0f, 2.0f, 0.0f};
    bool m_postprocessingFlag2 = false;
    osg::Vec4f m_glareParameter{0.3f, 1.0f, 2.0f, 45.0f};
    osg::Vec4f m_glareParameter2{3.5f, 0.0f, 0.0f, 0.0f};
    bool m_lensFlareEnabled = true;
    kxTexture m_extraTexture;
    osg::FieldContainerPtr m_blendingMap;
    unsigned int m_blendMode = 0;
    float m_vignetteRadius = 0.0f;
    float m_vignetteRoundness = 0.0f;
    float m_vignetteFeather = 0.0f;
    float m_blendAmount = 0.0f;
    osg::Vec2f m_tileOffset{0.0f, 0.0f};
    const kxLumivex* m_lumivex = nullptr;

private:
    /// The last result of a pure function, made again only when its input (the bits of the
    /// floats it is made from) changes: publication runs every frame, and the same input
    /// gives the same result.
    template <class Input, class Output> struct Memo {
        bool valid = false;
        Input input{};
        Output output{};
        template <class Make> const Output& get(const Input& current, Make make) {
            if (!valid || input != current) {
                output = make();
                input = current;
                valid = true;
            }
            return output;
        }
    };
    /// White balance matrix by temperature, hue shift matrix by angle, published candela
    /// range by (low, high, mapping mode).
    Memo<osg::UInt32, kxColorMatrix> m_whitebalanceMemo;
    Memo<osg::UInt32, osg::Matrix> m_hueShiftMemo;
    Memo<std::array<osg::UInt32, 3>, osg::Vec2f> m_candelaMemo;

    /// Tells the image post-processor the current values.
    void publish();
    /// The curve's data for the post-processor (the default curve replaces one
    /// of the wrong size first), or null without a whole curve.
    const float* publishedCurveData();
    /// The colour management of the settings last fetched, or null.
    const kxLumivex* colorManagement() const;
    /// The colour management's shader part and the source that applies it.
    void appendSensorTransform(std::string& source) const;
    void bindOrUnbind(unsigned profileUnit, unsigned curveUnit, unsigned lumivexUnit,
                      bool bind) const;
};

#endif
