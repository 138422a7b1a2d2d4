#ifndef OSG_TONEMAPPING_SETTINGS_H
#define OSG_TONEMAPPING_SETTINGS_H

#include "OSGFieldContainer.h"
#include "OSGFieldContainerFields.h"
#include "OSGFieldContainerMacros.h"
#include "OSGMatrix.h"
#include "OSGSensorResponseCurve.h"
#include "OSGTextureSettings.h"
#include "kxColorMatrix.h"
#include "kxLumivex.h"

namespace osg {

class TonemappingSettings;
using TonemappingSettingsPtr = FCPtr<FieldContainerPtr, TonemappingSettings>;

OSG_DECLARE_PTR_TRAITS(TonemappingSettingsPtr);

/// Tonemapping and display colour of a camera's image.
class TonemappingSettings : public FieldContainer {
    OSG_CONTAINER_DECL(TonemappingSettingsPtr, TonemappingSettings)

public:
    using Inherited = FieldContainer;
    OSG_FIELD_ID(Exposure, Inherited::NextFieldId)
    OSG_FIELD_ID(SensorResponse, Inherited::NextFieldId + 1)
    OSG_FIELD_ID(Sensitivity, Inherited::NextFieldId + 2)
    OSG_FIELD_ID(TonemapperId, Inherited::NextFieldId + 3)
    OSG_FIELD_ID(BlendMode, Inherited::NextFieldId + 4)
    OSG_FIELD_ID(TonemappingColorspace, Inherited::NextFieldId + 5)
    OSG_FIELD_ID(Whitepoint, Inherited::NextFieldId + 6)
    OSG_FIELD_ID(Contrast, Inherited::NextFieldId + 7)
    OSG_FIELD_ID(Whitebalance, Inherited::NextFieldId + 8)
    OSG_FIELD_ID(CandelaRange, Inherited::NextFieldId + 9)
    OSG_FIELD_ID(CandelaMappingMode, Inherited::NextFieldId + 10)
    OSG_FIELD_ID(FilmicParameter, Inherited::NextFieldId + 11)
    OSG_FIELD_ID(ColorCorrection, Inherited::NextFieldId + 12)
    OSG_FIELD_ID(ColorCorrectionFlags, Inherited::NextFieldId + 13)
    OSG_FIELD_ID(PostprocessingFlags, Inherited::NextFieldId + 14)
    OSG_FIELD_ID(GlowParameter, Inherited::NextFieldId + 15)
    OSG_FIELD_ID(GlareParameter, Inherited::NextFieldId + 16)
    OSG_FIELD_ID(GlareParameter2, Inherited::NextFieldId + 17)
    OSG_FIELD_ID(LensFlareEnabled, Inherited::NextFieldId + 18)
    OSG_FIELD_ID(BlendAmount, Inherited::NextFieldId + 19)
    OSG_FIELD_ID(VignetteRadius, Inherited::NextFieldId + 20)
    OSG_FIELD_ID(VignetteRoundness, Inherited::NextFieldId + 21)
    OSG_FIELD_ID(VignetteFeather, Inherited::NextFieldId + 22)
    OSG_FIELD_ID(TonemapHDR, Inherited::NextFieldId + 23)
    OSG_FIELD_ID(SensorResponseCurve, Inherited::NextFieldId + 24)
    OSG_FIELD_ID(LeftEyeBlendingMap, Inherited::NextFieldId + 25)
    OSG_FIELD_ID(RightEyeBlendingMap, Inherited::NextFieldId + 26)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 27;

    /// Tonemapping operators (docs/tonemapping.md has each formula).
    enum TonemapperId : Int32 {
        LinearTonemapper = 0,
        ReinhardTonemapper = 1,
        ExtendedReinhardTonemapper = 2,
        LogarithmicTonemapper = 3,
        FilmicTonemapper = 4,
        ResponseCurveTonemapper = 5,
        FalseColorTonemapper = 6,
        IsoLuminanceTonemapper = 7,
        AcesTonemapper = 8,
        NeutralTonemapper = 9,
        SensorTransformTonemapper = 10,
    };
    enum BlendMode : UInt32 { NoBlending = 0, VignetteBlending = 1, BlendingMapBlending = 2 };
    enum ColorCorrectionFlag : UInt32 { ColorCorrectBackground = 1, ColorCorrectForeground = 2 };
    enum PostprocessingFlag : UInt32 { GlowFlag = 1, GlareFlag = 2 };

    /// Exposure correction in stops.
    OSG_SFIELD_ACCESS(Real32, Exposure)
    /// Which sensor response the colour management applies (`kxSensorResponse`;
    /// 0: the response curve).
    OSG_SFIELD_ACCESS(UInt32, SensorResponse)
    /// Film speed of the sensor, ISO.
    OSG_SFIELD_ACCESS(Real32, Sensitivity)
    /// The tonemapping operator, `TonemapperId`.
    OSG_SFIELD_ACCESS(Int32, TonemapperId)
    /// `BlendMode`: none, vignette, blending map.
    OSG_SFIELD_ACCESS(UInt32, BlendMode)
    /// 0: tonemap in the working space (linear BT.709); 1: in ACEScg.
    OSG_SFIELD_ACCESS(UInt32, TonemappingColorspace)
    /// Scene luminance (relative to display white) that maps to display white.
    OSG_SFIELD_ACCESS(Real32, Whitepoint)
    /// Contrast of the simple operators, 1 neutral.
    OSG_SFIELD_ACCESS(Real32, Contrast)
    /// Colour temperature (K) of the light that is to look white; 6504 neutral.
    OSG_SFIELD_ACCESS(Real32, Whitebalance)
    /// Luminance range (cd/m2) of the false-colour operators: low, high.
    OSG_SFIELD_ACCESS(Vec2f, CandelaRange)
    /// 0 and 1: logarithmic false-colour scale; 2 and above: linear. Bit 0
    /// set: grey scale instead of colours.
    OSG_SFIELD_ACCESS(UInt32, CandelaMappingMode)
    /// Filmic operator: shoulder strength A, toe strength D (components 0, 1).
    OSG_SFIELD_ACCESS(Vec4f, FilmicParameter)
    /// Hue shift (degrees), saturation, brightness, contrast; (0, 1, 1, 1) neutral.
    OSG_SFIELD_ACCESS(Vec4f, ColorCorrection)
    /// `ColorCorrectionFlag` bits: where the colour correction applies.
    OSG_SFIELD_ACCESS(UInt32, ColorCorrectionFlags)
    /// `PostprocessingFlag` bits: glow, glare.
    OSG_SFIELD_ACCESS(UInt32, PostprocessingFlags)
    /// Glow: intensity, radius, threshold, unused.
    OSG_SFIELD_ACCESS(Vec4f, GlowParameter)
    /// Glare: intensity, radius, threshold, rotation (degrees).
    OSG_SFIELD_ACCESS(Vec4f, GlareParameter)
    /// Glare: streak count, unused...
    OSG_SFIELD_ACCESS(Vec4f, GlareParameter2)
    OSG_SFIELD_ACCESS(bool, LensFlareEnabled)
    /// Strength of the vignette or blending map, 0 to 1.
    OSG_SFIELD_ACCESS(Real32, BlendAmount)
    /// Vignette: radius (fraction of the half diagonal), roundness (0 follows
    /// the image's aspect, 1 a circle), feather (width of the fall-off).
    OSG_SFIELD_ACCESS(Real32, VignetteRadius)
    OSG_SFIELD_ACCESS(Real32, VignetteRoundness)
    OSG_SFIELD_ACCESS(Real32, VignetteFeather)
    /// Whether tonemapping keeps the HDR range (for HDR output).
    OSG_SFIELD_ACCESS(bool, TonemapHDR)

    /// The measured response curve, or null. Counted.
    const SensorResponseCurvePtr& getSensorResponseCurve() const {
        return _sfSensorResponseCurve.getValue();
    }
    SField<SensorResponseCurvePtr>* editSFSensorResponseCurve() { return &_sfSensorResponseCurve; }
    void setSensorResponseCurve(const SensorResponseCurvePtr& curve);

    /// Per eye, the map that blends the image into its neighbours' on a
    /// multi-projector display (blend mode `BlendingMapBlending`), or null. Counted.
    const TextureSettingsPtr& getLeftEyeBlendingMap() const {
        return _sfLeftEyeBlendingMap.getValue();
    }
    SField<TextureSettingsPtr>* editSFLeftEyeBlendingMap() { return &_sfLeftEyeBlendingMap; }
    void setLeftEyeBlendingMap(const TextureSettingsPtr& map);
    const TextureSettingsPtr& getRightEyeBlendingMap() const {
        return _sfRightEyeBlendingMap.getValue();
    }
    SField<TextureSettingsPtr>* editSFRightEyeBlendingMap() { return &_sfRightEyeBlendingMap; }
    void setRightEyeBlendingMap(const TextureSettingsPtr& map);

    bool hasColorCorrectionFlag(UInt32 flag) const { return (getColorCorrectionFlags() & flag) != 0; }
    bool hasPostprocessingFlag(UInt32 flag) const { return (getPostprocessingFlags() & flag) != 0; }

    /// Linear BT.709 matrix that makes light of colour temperature
    /// `whitebalance` look white (Bradford adaptation to the 6504 K white);
    /// the identity at 6504 K.
    kxColorMatrix getWhitebalanceMatrix() const;
    /// Rotation of linear RGB about the grey axis by the hue shift (degrees).
    Matrix getHueShiftMatrix() const;

    /// The colour management of this camera's sensor (owned).
    kxLumivex* getLumivex() const { return &_lumivex; }

    /// The fields tied to the camera's sensor rather than to the look: a copy
    /// of another camera's settings keeps its own values of these.
    static BitVector getCombinedCollisionAttributesMask() {
        return SensorResponseFieldMask | SensorResponseCurveFieldMask;
    }

    /// Takes over the fields of `source` that `mask` selects.
    void syncWith(const TonemappingSettingsPtr& source, BitVector mask);

protected:
    friend class FieldContainer;
    TonemappingSettings() = default;
    /// A copy holds its own references on the same response curve and blending maps.
    TonemappingSettings(const TonemappingSettings& source);

    void onDestroy() override;

private:
    static FieldContainerType _type;

    SFReal32 _sfExposure;
    SFUInt32 _sfSensorResponse;
    SFReal32 _sfSensitivity{100.0f};
    SFInt32 _sfTonemapperId{LinearTonemapper};
    SFUInt32 _sfBlendMode{NoBlending};
    SFUInt32 _sfTonemappingColorspace;
    SFReal32 _sfWhitepoint{2.0f};
    SFReal32 _sfContrast{1.0f};
    SFReal32 _sfWhitebalance{6504.0f};
    SFVec2f _sfCandelaRange{Vec2f(0.0f, 8000.0f)};
    SFUInt32 _sfCandelaMappingMode;
    SFVec4f _sfFilmicParameter{Vec4f(0.8f, 0.25f, 0.0f, 0.0f)};
    SFVec4f _sfColorCorrection{Vec4f(0.0f, 1.0f, 1.0f, 1.0f)};
    SFUInt32 _sfColorCorrectionFlags;
    SFUInt32 _sfPostprocessingFlags;
    SFVec4f _sfGlowParameter{Vec4f(0.3f, 1.0f, 2.0f, 0.0f)};
    SFVec4f _sfGlareParameter{Vec4f(0.3f, 1.0f, 2.0f, 45.0f)};
    SFVec4f _sfGlareParameter2{Vec4f(3.5f, 0.0f, 0.0f, 0.0f)};
    SFBool _sfLensFlareEnabled{true};
    SFReal32 _sfBlendAmount;
    SFReal32 _sfVignetteRadius;
    SFReal32 _sfVignetteRoundness;
    SFReal32 _sfVignetteFeather;
    SFBool _sfTonemapHDR;
    SField<SensorResponseCurvePtr> _sfSensorResponseCurve;
    SField<TextureSettingsPtr> _sfLeftEyeBlendingMap;
    SField<TextureSettingsPtr> _sfRightEyeBlendingMap;
    mutable kxLumivex _lumivex;
};

/// The settings have no generated base of their own; field masks are also
/// spelled through this name, as for the other containers.
using TonemappingSettingsBase = TonemappingSettings;

} // namespace osg

#endif
