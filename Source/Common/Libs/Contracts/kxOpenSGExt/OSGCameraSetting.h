#ifndef OSG_CAMERA_SETTING_H
#define OSG_CAMERA_SETTING_H

#include "OSGMField.h"
#include "OSGNode.h"
#include "OSGNodeCore.h"
#include "OSGTextureSettings.h"
#include "OSGTonemappingSettings.h"

namespace osg {

class CameraSetting;
using CameraSettingPtr = FCPtr<NodeCorePtr, CameraSetting>;

OSG_DECLARE_PTR_TRAITS(CameraSettingPtr);

/// The camera of older scenes: a node core holding the whole camera as plain
/// values (field of view in radians, the frustum, the lens, a from/at/up
/// placement, beacons to aim at). Current scenes convert it to an
/// `UberCamera`. Holds one reference on each of its containers and beacons.
class CameraSetting : public NodeCore {
    OSG_CONTAINER_DECL(CameraSettingPtr, CameraSetting)

public:
    using Inherited = NodeCore;
    OSG_FIELD_ID(Orthographic, Inherited::NextFieldId)
    OSG_FIELD_ID(LensShaderId, Inherited::NextFieldId + 1)
    OSG_FIELD_ID(UseManualProjectionMatrix, Inherited::NextFieldId + 2)
    OSG_FIELD_ID(ManualProjectionMatrix, Inherited::NextFieldId + 3)
    OSG_FIELD_ID(UseManualFrustum, Inherited::NextFieldId + 4)
    OSG_FIELD_ID(Left, Inherited::NextFieldId + 5)
    OSG_FIELD_ID(Right, Inherited::NextFieldId + 6)
    OSG_FIELD_ID(Bottom, Inherited::NextFieldId + 7)
    OSG_FIELD_ID(Top, Inherited::NextFieldId + 8)
    OSG_FIELD_ID(Scale, Inherited::NextFieldId + 9)
    OSG_FIELD_ID(DepthOfField, Inherited::NextFieldId + 10)
    OSG_FIELD_ID(MotionBlur, Inherited::NextFieldId + 11)
    OSG_FIELD_ID(FieldOfView, Inherited::NextFieldId + 12)
    OSG_FIELD_ID(FieldOfViewMode, Inherited::NextFieldId + 13)
    OSG_FIELD_ID(FocusDistance, Inherited::NextFieldId + 14)
    OSG_FIELD_ID(SensorWidth, Inherited::NextFieldId + 15)
    OSG_FIELD_ID(SensorHeight, Inherited::NextFieldId + 16)
    OSG_FIELD_ID(ShutterSpeed, Inherited::NextFieldId + 17)
    OSG_FIELD_ID(ApertureDiameter, Inherited::NextFieldId + 18)
    OSG_FIELD_ID(PrincipalPointOffset, Inherited::NextFieldId + 19)
    OSG_FIELD_ID(SkewFactor, Inherited::NextFieldId + 20)
    OSG_FIELD_ID(Roll, Inherited::NextFieldId + 21)
    OSG_FIELD_ID(NearClippingPlane, Inherited::NextFieldId + 22)
    OSG_FIELD_ID(FarClippingPlane, Inherited::NextFieldId + 23)
    OSG_FIELD_ID(LeftEyeDistortionMap, Inherited::NextFieldId + 24)
    OSG_FIELD_ID(RightEyeDistortionMap, Inherited::NextFieldId + 25)
    OSG_FIELD_ID(TonemappingSettings, Inherited::NextFieldId + 26)
    OSG_FIELD_ID(CameraChangeDuration, Inherited::NextFieldId + 27)
    OSG_FIELD_ID(IsDefaultPersp, Inherited::NextFieldId + 28)
    OSG_FIELD_ID(IsDefaultFront, Inherited::NextFieldId + 29)
    OSG_FIELD_ID(IsDefaultSide, Inherited::NextFieldId + 30)
    OSG_FIELD_ID(IsDefaultTop, Inherited::NextFieldId + 31)
    OSG_FIELD_ID(IsViewpoint, Inherited::NextFieldId + 32)
    OSG_FIELD_ID(UseTransformBeacon, Inherited::NextFieldId + 33)
    OSG_FIELD_ID(From, Inherited::NextFieldId + 34)
    OSG_FIELD_ID(At, Inherited::NextFieldId + 35)
    OSG_FIELD_ID(Up, Inherited::NextFieldId + 36)
    OSG_FIELD_ID(UseAimBeacon, Inherited::NextFieldId + 37)
    OSG_FIELD_ID(AimBeacon, Inherited::NextFieldId + 38)
    OSG_FIELD_ID(UseUpBeacon, Inherited::NextFieldId + 39)
    OSG_FIELD_ID(UpBeacon, Inherited::NextFieldId + 40)
    OSG_FIELD_ID(ProjectionPlanePoints, Inherited::NextFieldId + 41)
    OSG_FIELD_ID(Flags, Inherited::NextFieldId + 42)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 43;

    // ---- projection ---------------------------------------------------------------

    OSG_SFIELD_ACCESS(bool, Orthographic)
    /// 0: none; otherwise the lens shader that projects the image.
    OSG_SFIELD_ACCESS(UInt32, LensShaderId)
    /// Project with `ManualProjectionMatrix` instead of the lens.
    OSG_SFIELD_ACCESS(bool, UseManualProjectionMatrix)
    OSG_SFIELD_ACCESS(Matrix, ManualProjectionMatrix)
    /// Perspective from the frustum sides below instead of the field of view.
    OSG_SFIELD_ACCESS(bool, UseManualFrustum)
    /// Frustum sides; an orthographic setting stores bottom and top the other way round.
    OSG_SFIELD_ACCESS(Real32, Left)
    OSG_SFIELD_ACCESS(Real32, Right)
    OSG_SFIELD_ACCESS(Real32, Bottom)
    OSG_SFIELD_ACCESS(Real32, Top)
    /// Scale of the projected image along x, y, z.
    OSG_SFIELD_ACCESS(Vec3f, Scale)

    // ---- lens -------------------------------------------------------------------

    OSG_SFIELD_ACCESS(bool, DepthOfField)
    OSG_SFIELD_ACCESS(bool, MotionBlur)
    /// Radians.
    OSG_SFIELD_ACCESS(Real32, FieldOfView)
    /// Which sensor dimension the field of view spans (as `PerspectiveCamera::FovMode`).
    OSG_SFIELD_ACCESS(UInt32, FieldOfViewMode)
    /// Scene units.
    OSG_SFIELD_ACCESS(Real32, FocusDistance)
    /// Sensor units (millimetres).
    OSG_SFIELD_ACCESS(Real32, SensorWidth)
    OSG_SFIELD_ACCESS(Real32, SensorHeight)
    /// 1 / seconds.
    OSG_SFIELD_ACCESS(Real32, ShutterSpeed)
    /// Sensor units.
    OSG_SFIELD_ACCESS(Real32, ApertureDiameter)
    OSG_SFIELD_ACCESS(Vec2f, PrincipalPointOffset)
    OSG_SFIELD_ACCESS(Real32, SkewFactor)
    /// Degrees.
    OSG_SFIELD_ACCESS(Real32, Roll)
    OSG_SFIELD_ACCESS(Real32, NearClippingPlane)
    OSG_SFIELD_ACCESS(Real32, FarClippingPlane)

    // ---- containers (counted) -----------------------------------------------------

    OSG_SFIELD_GET(TextureSettingsPtr, LeftEyeDistortionMap)
    void setLeftEyeDistortionMap(const TextureSettingsPtr& value) {
        setRefdCP(_sfLeftEyeDistortionMap.getValue(), value);
    }
    OSG_SFIELD_GET(TextureSettingsPtr, RightEyeDistortionMap)
    void setRightEyeDistortionMap(const TextureSettingsPtr& value) {
        setRefdCP(_sfRightEyeDistortionMap.getValue(), value);
    }
    OSG_SFIELD_GET(TonemappingSettingsPtr, TonemappingSettings)
    void setTonemappingSettings(const TonemappingSettingsPtr& value) {
        setRefdCP(_sfTonemappingSettings.getValue(), value);
    }

    // ---- role -----------------------------------------------------------------------

    /// Seconds a move to this camera takes.
    OSG_SFIELD_ACCESS(Real32, CameraChangeDuration)
    OSG_SFIELD_ACCESS(bool, IsDefaultPersp)
    OSG_SFIELD_ACCESS(bool, IsDefaultFront)
    OSG_SFIELD_ACCESS(bool, IsDefaultSide)
    OSG_SFIELD_ACCESS(bool, IsDefaultTop)
    OSG_SFIELD_ACCESS(bool, IsViewpoint)

    // ---- placement --------------------------------------------------------------------

    /// Placed by the node it sits on rather than by from, at and up.
    OSG_SFIELD_ACCESS(bool, UseTransformBeacon)
    OSG_SFIELD_ACCESS(Pnt3f, From)
    OSG_SFIELD_ACCESS(Pnt3f, At)
    OSG_SFIELD_ACCESS(Vec3f, Up)
    OSG_SFIELD_ACCESS(bool, UseAimBeacon)
    /// The node the camera turns towards while `UseAimBeacon` (counted).
    OSG_SFIELD_GET(NodePtr, AimBeacon)
    void setAimBeacon(const NodePtr& value) { setRefdCP(_sfAimBeacon.getValue(), value); }
    OSG_SFIELD_ACCESS(bool, UseUpBeacon)
    /// The node the camera's up direction points to while `UseUpBeacon` (counted).
    OSG_SFIELD_GET(NodePtr, UpBeacon)
    void setUpBeacon(const NodePtr& value) { setRefdCP(_sfUpBeacon.getValue(), value); }

    /// Corners of the plane a projection-plane (powerwall) setup projects onto.
    OSG_MFIELD_ACCESS(Pnt3f, ProjectionPlanePoints)

    /// Bits of the older application's own: 0x1, 0x4 and 0x8 carry over to the
    /// converted camera.
    OSG_SFIELD_ACCESS(UInt32, Flags)
    bool hasFlag(UInt32 flag) const { return (getFlags() & flag) != 0; }

protected:
    friend class FieldContainer;
    CameraSetting() = default;
    /// A copy holds its own references on the same containers and beacons.
    CameraSetting(const CameraSetting& source);

    void onDestroy() override;

private:
    static FieldContainerType _type;

    SFBool _sfOrthographic;
    SFUInt32 _sfLensShaderId;
    SFBool _sfUseManualProjectionMatrix;
    SFMatrix _sfManualProjectionMatrix;
    SFBool _sfUseManualFrustum;
    SFReal32 _sfLeft{-3000.0f};
    SFReal32 _sfRight{3000.0f};
    SFReal32 _sfBottom{-3000.0f};
    SFReal32 _sfTop{3000.0f};
    SFVec3f _sfScale{Vec3f(1.0f, 1.0f, 1.0f)};
    SFBool _sfDepthOfField;
    SFBool _sfMotionBlur;
    SFReal32 _sfFieldOfView{0.7853982f};
    SFUInt32 _sfFieldOfViewMode;
    SFReal32 _sfFocusDistance{1000.0f};
    SFReal32 _sfSensorWidth{36.0f};
    SFReal32 _sfSensorHeight{24.0f};
    SFReal32 _sfShutterSpeed{125.0f};
    SFReal32 _sfApertureDiameter{7.76f};
    SFVec2f _sfPrincipalPointOffset;
    SFReal32 _sfSkewFactor;
    SFReal32 _sfRoll;
    SFReal32 _sfNearClippingPlane{1.0f};
    SFReal32 _sfFarClippingPlane{100000.0f};
    SField<TextureSettingsPtr> _sfLeftEyeDistortionMap;
    SField<TextureSettingsPtr> _sfRightEyeDistortionMap;
    SField<TonemappingSettingsPtr> _sfTonemappingSettings;
    SFReal32 _sfCameraChangeDuration{2.0f};
    SFBool _sfIsDefaultPersp;
    SFBool _sfIsDefaultFront;
    SFBool _sfIsDefaultSide;
    SFBool _sfIsDefaultTop;
    SFBool _sfIsViewpoint;
    SFBool _sfUseTransformBeacon;
    SFPnt3f _sfFrom{Pnt3f(0.0f, 0.0f, 1000.0f)};
    SFPnt3f _sfAt;
    SFVec3f _sfUp{Vec3f(0.0f, 1.0f, 0.0f)};
    SFBool _sfUseAimBeacon;
    SFNodePtr _sfAimBeacon;
    SFBool _sfUseUpBeacon;
    SFNodePtr _sfUpBeacon;
    MFPnt3f _mfProjectionPlanePoints;
    SFUInt32 _sfFlags;
};

} // namespace osg

#endif
