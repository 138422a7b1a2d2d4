#ifndef OSG_UBER_CAMERA_BASE_H
#define OSG_UBER_CAMERA_BASE_H

// Field container base of the camera core: the camera's own fields, their ids,
// masks and defaults, the typed accessors, the binary field stream and aspect
// synchronisation, and the registration of the type "UberCamera".
// Regular by design; behaviour lives in OSGUberCamera.

#include "OSGAnimNode.h"
#include "OSGFogSettings.h"
#include "OSGGeometry.h"
#include "OSGMField.h"
#include "OSGPerspectiveCamera.h"
#include "OSGPerspectiveMatch.h"
#include "OSGSField.h"
#include "OSGTextureSettings.h"
#include "OSGTonemappingSettings.h"

namespace osg {

class UberCamera;
using UberCameraPtr = FCPtr<PerspectiveCameraPtr, UberCamera>;

/// Field traits of camera handles: the data type "UberCameraPtr" and the field
/// types "SFUberCameraPtr" and "MFUberCameraPtr", registered at load time.
template <> struct FieldDataTraits<UberCameraPtr> : FieldContainerPtrTraitsBase {
    static const DataType& getType();
    static const FieldType& getSFieldType();
    static const FieldType& getMFieldType();
    static void copyFromBin(BinaryDataHandler& handler, UberCameraPtr& value);
    static UberCameraPtr castFrom(const FieldContainerPtr& value);
};

using SFUberCameraPtr = SField<UberCameraPtr>;
using MFUberCameraPtr = MField<UberCameraPtr>;

using SFPerspectiveMatchPtr = SField<PerspectiveMatchPtr>;
using SFGeometryPtr = SField<GeometryPtr>;
using SFTextureSettingsPtr = SField<TextureSettingsPtr>;
using SFTonemappingSettingsPtr = SField<TonemappingSettingsPtr>;
using SFAnimNodePtr = SField<AnimNodePtr>;
using SFFogSettingsPtr = SField<FogSettingsPtr>;

class UberCameraBase : public PerspectiveCamera {
public:
    using Inherited = PerspectiveCamera;
    using Ptr = UberCameraPtr;

    enum : UInt32 {
        PerspectiveMatchFieldId = Inherited::NextFieldId,
        VisualizationFieldId = PerspectiveMatchFieldId + 1,
        ProjectionModeFieldId = VisualizationFieldId + 1,
        ProjectionScaleFieldId = ProjectionModeFieldId + 1,
        FocusDistanceFieldId = ProjectionScaleFieldId + 1,
        SensorSizeFieldId = FocusDistanceFieldId + 1,
        FrustumSidesFieldId = SensorSizeFieldId + 1,
        ShutterSpeedFieldId = FrustumSidesFieldId + 1,
        ApertureDiameterFieldId = ShutterSpeedFieldId + 1,
        PrincipalPointOffsetFieldId = ApertureDiameterFieldId + 1,
        SkewFactorFieldId = PrincipalPointOffsetFieldId + 1,
        RollFieldId = SkewFactorFieldId + 1,
        DefaultCameraIdFieldId = RollFieldId + 1,
        HmdMatrixFieldId = DefaultCameraIdFieldId + 1,
        LeftEyeDistortionMapFieldId = HmdMatrixFieldId + 1,
        RightEyeDistortionMapFieldId = LeftEyeDistortionMapFieldId + 1,
        TonemappingSettingsFieldId = RightEyeDistortionMapFieldId + 1,
        AnimationRootFieldId = TonemappingSettingsFieldId + 1,
        ViewpointTransitionDurationFieldId = AnimationRootFieldId + 1,
        TrackOverridesFieldId = ViewpointTransitionDurationFieldId + 1,
        CustomProjectionMatrixFieldId = TrackOverridesFieldId + 1,
        PbarProjectionPlanePointsFieldId = CustomProjectionMatrixFieldId + 1,
        AtDistanceFieldId = PbarProjectionPlanePointsFieldId + 1,
        TurntableParameterFieldId = AtDistanceFieldId + 1,
        TurntableAnimationDurationFieldId = TurntableParameterFieldId + 1,
        ActiveParentIndexFieldId = TurntableAnimationDurationFieldId + 1,
        VisualizationScaleFieldId = ActiveParentIndexFieldId + 1,
        FogSettingsFieldId = VisualizationScaleFieldId + 1,
        NextFieldId = FogSettingsFieldId + 1
    };

    static constexpr BitVector PerspectiveMatchFieldMask = BitVector(1) << PerspectiveMatchFieldId;
    static constexpr BitVector VisualizationFieldMask = BitVector(1) << VisualizationFieldId;
    static constexpr BitVector ProjectionModeFieldMask = BitVector(1) << ProjectionModeFieldId;
    static constexpr BitVector ProjectionScaleFieldMask = BitVector(1) << ProjectionScaleFieldId;
    static constexpr BitVector FocusDistanceFieldMask = BitVector(1) << FocusDistanceFieldId;
    static constexpr BitVector SensorSizeFieldMask = BitVector(1) << SensorSizeFieldId;
    static constexpr BitVector FrustumSidesFieldMask = BitVector(1) << FrustumSidesFieldId;
    static constexpr BitVector ShutterSpeedFieldMask = BitVector(1) << ShutterSpeedFieldId;
    static constexpr BitVector ApertureDiameterFieldMask = BitVector(1) << ApertureDiameterFieldId;
    static constexpr BitVector PrincipalPointOffsetFieldMask = BitVector(1)
                                                               << PrincipalPointOffsetFieldId;
    static constexpr BitVector SkewFactorFieldMask = BitVector(1) << SkewFactorFieldId;
    static constexpr BitVector RollFieldMask = BitVector(1) << RollFieldId;
    static constexpr BitVector DefaultCameraIdFieldMask = BitVector(1) << DefaultCameraIdFieldId;
    static constexpr BitVector HmdMatrixFieldMask = BitVector(1) << HmdMatrixFieldId;
    static constexpr BitVector LeftEyeDistortionMapFieldMask = BitVector(1)
                                                               << LeftEyeDistortionMapFieldId;
    static constexpr BitVector RightEyeDistortionMapFieldMask = BitVector(1)
                                                                << RightEyeDistortionMapFieldId;
    static constexpr BitVector TonemappingSettingsFieldMask = BitVector(1)
                                                              << TonemappingSettingsFieldId;
    static constexpr BitVector AnimationRootFieldMask = BitVector(1) << AnimationRootFieldId;
    static constexpr BitVector ViewpointTransitionDurationFieldMask =
        BitVector(1) << ViewpointTransitionDurationFieldId;
    static constexpr BitVector TrackOverridesFieldMask = BitVector(1) << TrackOverridesFieldId;
    static constexpr BitVector CustomProjectionMatrixFieldMask = BitVector(1)
                                                                 << CustomProjectionMatrixFieldId;
    static constexpr BitVector PbarProjectionPlanePointsFieldMask =
        BitVector(1) << PbarProjectionPlanePointsFieldId;
    static constexpr BitVector AtDistanceFieldMask = BitVector(1) << AtDistanceFieldId;
    static constexpr BitVector TurntableParameterFieldMask = BitVector(1)
                                                             << TurntableParameterFieldId;
    static constexpr BitVector TurntableAnimationDurationFieldMask =
        BitVector(1) << TurntableAnimationDurationFieldId;
    static constexpr BitVector ActiveParentIndexFieldMask = BitVector(1)
                                                            << ActiveParentIndexFieldId;
    static constexpr BitVector VisualizationScaleFieldMask = BitVector(1)
                                                             << VisualizationScaleFieldId;
    static constexpr BitVector FogSettingsFieldMask = BitVector(1) << FogSettingsFieldId;

    static constexpr BitVector MTInfluenceMask = Inherited::MTInfluenceMask;

    // ---- type -------------------------------------------------------------

    static FieldContainerType& getClassType();
    static UInt32 getClassTypeId();
    FieldContainerType& getType() override;
    const FieldContainerType& getType() const override;
    UInt32 getContainerSize() const override;

    // ---- field objects ------------------------------------------------------

    SFPerspectiveMatchPtr* getSFPerspectiveMatch();
    const SFPerspectiveMatchPtr* getSFPerspectiveMatch() const;
    SFPerspectiveMatchPtr* editSFPerspectiveMatch();
    SFGeometryPtr* getSFVisualization();
    const SFGeometryPtr* getSFVisualization() const;
    SFGeometryPtr* editSFVisualization();
    SFUInt32* getSFProjectionMode();
    const SFUInt32* getSFProjectionMode() const;
    SFUInt32* editSFProjectionMode();
    SFVec3f* getSFProjectionScale();
    const SFVec3f* getSFProjectionScale() const;
    SFVec3f* editSFProjectionScale();
    SFReal32* getSFFocusDistance();
    const SFReal32* getSFFocusDistance() const;
    SFReal32* editSFFocusDistance();
    SFVec2f* getSFSensorSize();
    const SFVec2f* getSFSensorSize() const;
    SFVec2f* editSFSensorSize();
    SFVec4f* getSFFrustumSides();
    const SFVec4f* getSFFrustumSides() const;
    SFVec4f* editSFFrustumSides();
    SFReal32* getSFShutterSpeed();
    const SFReal32* getSFShutterSpeed() const;
    SFReal32* editSFShutterSpeed();
    SFReal32* getSFApertureDiameter();
    const SFReal32* getSFApertureDiameter() const;
    SFReal32* editSFApertureDiameter();
    SFVec2f* getSFPrincipalPointOffset();
    const SFVec2f* getSFPrincipalPointOffset() const;
    SFVec2f* editSFPrincipalPointOffset();
    SFReal32* getSFSkewFactor();
    const SFReal32* getSFSkewFactor() const;
    SFReal32* editSFSkewFactor();
    SFReal32* getSFRoll();
    const SFReal32* getSFRoll() const;
    SFReal32* editSFRoll();
    SFInt32* getSFDefaultCameraId();
    const SFInt32* getSFDefaultCameraId() const;
    SFInt32* editSFDefaultCameraId();
    SFMatrix* getSFHmdMatrix();
    const SFMatrix* getSFHmdMatrix() const;
    SFMatrix* editSFHmdMatrix();
    SFTextureSettingsPtr* getSFLeftEyeDistortionMap();
    const SFTextureSettingsPtr* getSFLeftEyeDistortionMap() const;
    SFTextureSettingsPtr* editSFLeftEyeDistortionMap();
    SFTextureSettingsPtr* getSFRightEyeDistortionMap();
    const SFTextureSettingsPtr* getSFRightEyeDistortionMap() const;
    SFTextureSettingsPtr* editSFRightEyeDistortionMap();
    SFTonemappingSettingsPtr* getSFTonemappingSettings();
    const SFTonemappingSettingsPtr* getSFTonemappingSettings() const;
    SFTonemappingSettingsPtr* editSFTonemappingSettings();
    SFAnimNodePtr* getSFAnimationRoot();
    const SFAnimNodePtr* getSFAnimationRoot() const;
    SFAnimNodePtr* editSFAnimationRoot();
    SFReal32* getSFViewpointTransitionDuration();
    const SFReal32* getSFViewpointTransitionDuration() const;
    SFReal32* editSFViewpointTransitionDuration();
    SFVec4f* getSFTrackOverrides();
    const SFVec4f* getSFTrackOverrides() const;
    SFVec4f* editSFTrackOverrides();
    SFMatrix* getSFCustomProjectionMatrix();
    const SFMatrix* getSFCustomProjectionMatrix() const;
    SFMatrix* editSFCustomProjectionMatrix();
    MFPnt3f* getMFPbarProjectionPlanePoints();
    const MFPnt3f* getMFPbarProjectionPlanePoints() const;
    MFPnt3f* editMFPbarProjectionPlanePoints();
    SFReal32* getSFAtDistance();
    const SFReal32* getSFAtDistance() const;
    SFReal32* editSFAtDistance();
    SFVec3f* getSFTurntableParameter();
    const SFVec3f* getSFTurntableParameter() const;
    SFVec3f* editSFTurntableParameter();
    SFReal32* getSFTurntableAnimationDuration();
    const SFReal32* getSFTurntableAnimationDuration() const;
    SFReal32* editSFTurntableAnimationDuration();
    SFUInt32* getSFActiveParentIndex();
    const SFUInt32* getSFActiveParentIndex() const;
    SFUInt32* editSFActiveParentIndex();
    SFReal32* getSFVisualizationScale();
    const SFReal32* getSFVisualizationScale() const;
    SFReal32* editSFVisualizationScale();
    SFFogSettingsPtr* getSFFogSettings();
    const SFFogSettingsPtr* getSFFogSettings() const;
    SFFogSettingsPtr* editSFFogSettings();

    // ---- values -------------------------------------------------------------

    PerspectiveMatchPtr& getPerspectiveMatch();
    const PerspectiveMatchPtr& getPerspectiveMatch() const;
    PerspectiveMatchPtr& editPerspectiveMatch();
    GeometryPtr& getVisualization();
    const GeometryPtr& getVisualization() const;
    GeometryPtr& editVisualization();
    UInt32& getProjectionMode();
    const UInt32& getProjectionMode() const;
    UInt32& editProjectionMode();
    Vec3f& getProjectionScale();
    const Vec3f& getProjectionScale() const;
    Vec3f& editProjectionScale();
    Real32& getFocusDistance();
    const Real32& getFocusDistance() const;
    Real32& editFocusDistance();
    Vec2f& getSensorSize();
    const Vec2f& getSensorSize() const;
    Vec2f& editSensorSize();
    Vec4f& getFrustumSides();
    const Vec4f& getFrustumSides() const;
    Vec4f& editFrustumSides();
    Real32& getShutterSpeed();
    const Real32& getShutterSpeed() const;
    Real32& editShutterSpeed();
    Real32& getApertureDiameter();
    const Real32& getApertureDiameter() const;
    Real32& editApertureDiameter();
    Vec2f& getPrincipalPointOffset();
    const Vec2f& getPrincipalPointOffset() const;
    Vec2f& editPrincipalPointOffset();
    Real32& getSkewFactor();
    const Real32& getSkewFactor() const;
    Real32& editSkewFactor();
    Real32& getRoll();
    const Real32& getRoll() const;
    Real32& editRoll();
    Int32& getDefaultCameraId();
    const Int32& getDefaultCameraId() const;
    Int32& editDefaultCameraId();
    Matrix& getHmdMatrix();
    const Matrix& getHmdMatrix() const;
    Matrix& editHmdMatrix();
    TextureSettingsPtr& getLeftEyeDistortionMap();
    const TextureSettingsPtr& getLeftEyeDistortionMap() const;
    TextureSettingsPtr& editLeftEyeDistortionMap();
    TextureSettingsPtr& getRightEyeDistortionMap();
    const TextureSettingsPtr& getRightEyeDistortionMap() const;
    TextureSettingsPtr& editRightEyeDistortionMap();
    TonemappingSettingsPtr& getTonemappingSettings();
    const TonemappingSettingsPtr& getTonemappingSettings() const;
    TonemappingSettingsPtr& editTonemappingSettings();
    AnimNodePtr& getAnimationRoot();
    const AnimNodePtr& getAnimationRoot() const;
    AnimNodePtr& editAnimationRoot();
    Real32& getViewpointTransitionDuration();
    const Real32& getViewpointTransitionDuration() const;
    Real32& editViewpointTransitionDuration();
    Vec4f& getTrackOverrides();
    const Vec4f& getTrackOverrides() const;
    Vec4f& editTrackOverrides();
    Matrix& getCustomProjectionMatrix();
    const Matrix& getCustomProjectionMatrix() const;
    Matrix& editCustomProjectionMatrix();
    MFPnt3f& getPbarProjectionPlanePoints();
    const MFPnt3f& getPbarProjectionPlanePoints() const;
    Pnt3f& getPbarProjectionPlanePoints(UInt32 index);
    const Pnt3f& getPbarProjectionPlanePoints(UInt32 index) const;
    Pnt3f& editPbarProjectionPlanePoints(UInt32 index);
    Real32& getAtDistance();
    const Real32& getAtDistance() const;
    Real32& editAtDistance();
    Vec3f& getTurntableParameter();
    const Vec3f& getTurntableParameter() const;
    Vec3f& editTurntableParameter();
    Real32& getTurntableAnimationDuration();
    const Real32& getTurntableAnimationDuration() const;
    Real32& editTurntableAnimationDuration();
    UInt32& getActiveParentIndex();
    const UInt32& getActiveParentIndex() const;
    UInt32& editActiveParentIndex();
    Real32& getVisualizationScale();
    const Real32& getVisualizationScale() const;
    Real32& editVisualizationScale();
    FogSettingsPtr& getFogSettings();
    const FogSettingsPtr& getFogSettings() const;
    FogSettingsPtr& editFogSettings();

    // Plain setters: store the value; container pointers are copied uncounted.
    void setPerspectiveMatch(const PerspectiveMatchPtr& value);
    void setVisualization(const GeometryPtr& value);
    void setProjectionMode(const UInt32& value);
    void setProjectionScale(const Vec3f& value);
    void setFocusDistance(const Real32& value);
    void setSensorSize(const Vec2f& value);
    void setFrustumSides(const Vec4f& value);
    void setShutterSpeed(const Real32& value);
    void setApertureDiameter(const Real32& value);
    void setPrincipalPointOffset(const Vec2f& value);
    void setSkewFactor(const Real32& value);
    void setRoll(const Real32& value);
    void setDefaultCameraId(const Int32& value);
    void setHmdMatrix(const Matrix& value);
    void setLeftEyeDistortionMap(const TextureSettingsPtr& value);
    void setRightEyeDistortionMap(const TextureSettingsPtr& value);
    void setTonemappingSettings(const TonemappingSettingsPtr& value);
    void setAnimationRoot(const AnimNodePtr& value);
    void setViewpointTransitionDuration(const Real32& value);
    void setTrackOverrides(const Vec4f& value);
    void setCustomProjectionMatrix(const Matrix& value);
    void setAtDistance(const Real32& value);
    void setTurntableParameter(const Vec3f& value);
    void setTurntableAnimationDuration(const Real32& value);
    void setActiveParentIndex(const UInt32& value);
    void setVisualizationScale(const Real32& value);
    void setFogSettings(const FogSettingsPtr& value);

    // ---- binary field stream ------------------------------------------------

    UInt64 getBinSize(const BitVector& whichField) override;
    void copyToBin(BinaryDataHandler& handler, const BitVector& whichField) override;
    void copyFromBin(BinaryDataHandler& handler, const BitVector& whichField) override;

    // ---- creation -----------------------------------------------------------

    /// A copy of the type's prototype, or null when the type has none.
    static UberCameraPtr create();
    /// A new, default-constructed camera: the type's prototype-creation function.
    static UberCameraPtr createEmpty();
    FieldContainerPtr shallowCopy() const override;

protected:
    UberCameraBase();
    /// Copies every field; container pointers are copied without references.
    UberCameraBase(const UberCameraBase& source);
    ~UberCameraBase() override;

    void executeSync(FieldContainer& source, const BitVector& whichField) override;
    void executeSyncImpl(UberCameraBase* source, const BitVector& whichField);

    /// Reads `count` projection-plane points into the list, resized to `count`;
    /// past the end of the data the list stops growing and the rest reads as zeros.
    void readPoints(BinaryDataHandler& handler, UInt64 count);

    SFPerspectiveMatchPtr _sfPerspectiveMatch;
    SFGeometryPtr _sfVisualization;
    SFUInt32 _sfProjectionMode;
    SFVec3f _sfProjectionScale;
    SFReal32 _sfFocusDistance;
    SFVec2f _sfSensorSize;
    SFVec4f _sfFrustumSides;
    SFReal32 _sfShutterSpeed;
    SFReal32 _sfApertureDiameter;
    SFVec2f _sfPrincipalPointOffset;
    SFReal32 _sfSkewFactor;
    SFReal32 _sfRoll;
    SFInt32 _sfDefaultCameraId;
    SFMatrix _sfHmdMatrix;
    SFTextureSettingsPtr _sfLeftEyeDistortionMap;
    SFTextureSettingsPtr _sfRightEyeDistortionMap;
    SFTonemappingSettingsPtr _sfTonemappingSettings;
    SFAnimNodePtr _sfAnimationRoot;
    SFReal32 _sfViewpointTransitionDuration;
    SFVec4f _sfTrackOverrides;
    SFMatrix _sfCustomProjectionMatrix;
    MFPnt3f _mfPbarProjectionPlanePoints;
    SFReal32 _sfAtDistance;
    SFVec3f _sfTurntableParameter;
    SFReal32 _sfTurntableAnimationDuration;
    SFUInt32 _sfActiveParentIndex;
    SFReal32 _sfVisualizationScale;
    SFFogSettingsPtr _sfFogSettings;

private:
    static FieldContainerType _type;
};

} // namespace osg

#include "OSGUberCameraBase.inl"

#endif
