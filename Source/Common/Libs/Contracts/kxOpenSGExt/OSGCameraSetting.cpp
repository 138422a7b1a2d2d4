#include "OSGCameraSetting.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(CameraSettingPtr, "CameraSettingPtr", "NodeCorePtr")

namespace {
FieldDescription* cameraSettingDescs[] = {
    OSG_SFIELD_DESC(CameraSetting, bool, "orthographic", Orthographic, false),
    OSG_SFIELD_DESC(CameraSetting, UInt32, "lensShaderId", LensShaderId, false),
    OSG_SFIELD_DESC(CameraSetting, bool, "useManualProjectionMatrix", UseManualProjectionMatrix,
                    false),
    OSG_SFIELD_DESC(CameraSetting, Matrix, "manualProjectionMatrix", ManualProjectionMatrix, false),
    OSG_SFIELD_DESC(CameraSetting, bool, "useManualFrustum", UseManualFrustum, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "left", Left, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "right", Right, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "bottom", Bottom, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "top", Top, false),
    OSG_SFIELD_DESC(CameraSetting, Vec3f, "scale", Scale, false),
    OSG_SFIELD_DESC(CameraSetting, bool, "depthOfField", DepthOfField, false),
    OSG_SFIELD_DESC(CameraSetting, bool, "motionBlur", MotionBlur, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "fieldOfView", FieldOfView, false),
    OSG_SFIELD_DESC(CameraSetting, UInt32, "fieldOfViewMode", FieldOfViewMode, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "focusDistance", FocusDistance, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "sensorWidth", SensorWidth, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "sensorHeight", SensorHeight, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "shutterSpeed", ShutterSpeed, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "apertureDiameter", ApertureDiameter, false),
    OSG_SFIELD_DESC(CameraSetting, Vec2f, "principalPointOffset", PrincipalPointOffset, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "skewFactor", SkewFactor, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "roll", Roll, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "nearClippingPlane", NearClippingPlane, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "farClippingPlane", FarClippingPlane, false),
    OSG_SFIELD_DESC(CameraSetting, TextureSettingsPtr, "leftEyeDistortionMap", LeftEyeDistortionMap,
                    false),
    OSG_SFIELD_DESC(CameraSetting, TextureSettingsPtr, "rightEyeDistortionMap",
                    RightEyeDistortionMap, false),
    OSG_SFIELD_DESC(CameraSetting, TonemappingSettingsPtr, "tonemappingSettings",
                    TonemappingSettings, false),
    OSG_SFIELD_DESC(CameraSetting, Real32, "cameraChangeDuration", CameraChangeDuration, false),
    OSG_SFIELD_DESC(CameraSetting, bool, "isDefaultPersp", IsDefaultPersp, false),
    OSG_SFIELD_DESC(CameraSetting, bool, "isDefaultFront", IsDefaultFront, false),
    OSG_SFIELD_DESC(CameraSetting, bool, "isDefaultSide", IsDefaultSide, false),
    OSG_SFIELD_DESC(CameraSetting, bool, "isDefaultTop", IsDefaultTop, false),
    OSG_SFIELD_DESC(CameraSetting, bool, "isViewpoint", IsViewpoint, false),
    OSG_SFIELD_DESC(CameraSetting, bool, "useTransformBeacon", UseTransformBeacon, false),
    OSG_SFIELD_DESC(CameraSetting, Pnt3f, "from", From, false),
    OSG_SFIELD_DESC(CameraSetting, Pnt3f, "at", At, false),
    OSG_SFIELD_DESC(CameraSetting, Vec3f, "up", Up, false),
    OSG_SFIELD_DESC(CameraSetting, bool, "useAimBeacon", UseAimBeacon, false),
    OSG_SFIELD_DESC(CameraSetting, NodePtr, "aimBeacon", AimBeacon, false),
    OSG_SFIELD_DESC(CameraSetting, bool, "useUpBeacon", UseUpBeacon, false),
    OSG_SFIELD_DESC(CameraSetting, NodePtr, "upBeacon", UpBeacon, false),
    OSG_MFIELD_DESC(CameraSetting, Pnt3f, "projectionPlanePoints", ProjectionPlanePoints, false),
    OSG_SFIELD_DESC(CameraSetting, UInt32, "flags", Flags, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(CameraSetting, "CameraSetting", "NodeCore", nullptr,
                       &CameraSetting::createEmpty, cameraSettingDescs)
OSG_CONTAINER_DEF(CameraSetting, CameraSetting)

CameraSetting::CameraSetting(const CameraSetting& source)
    : NodeCore(source), _sfOrthographic(source._sfOrthographic),
      _sfLensShaderId(source._sfLensShaderId),
      _sfUseManualProjectionMatrix(source._sfUseManualProjectionMatrix),
      _sfManualProjectionMatrix(source._sfManualProjectionMatrix),
      _sfUseManualFrustum(source._sfUseManualFrustum), _sfLeft(source._sfLeft),
      _sfRight(source._sfRight), _sfBottom(source._sfBottom), _sfTop(source._sfTop),
      _sfScale(source._sfScale), _sfDepthOfField(source._sfDepthOfField),
      _sfMotionBlur(source._sfMotionBlur), _sfFieldOfView(source._sfFieldOfView),
      _sfFieldOfViewMode(source._sfFieldOfViewMode), _sfFocusDistance(source._sfFocusDistance),
      _sfSensorWidth(source._sfSensorWidth), _sfSensorHeight(source._sfSensorHeight),
      _sfShutterSpeed(source._sfShutterSpeed), _sfApertureDiameter(source._sfApertureDiameter),
      _sfPrincipalPointOffset(source._sfPrincipalPointOffset), _sfSkewFactor(source._sfSkewFactor),
      _sfRoll(source._sfRoll), _sfNearClippingPlane(source._sfNearClippingPlane),
      _sfFarClippingPlane(source._sfFarClippingPlane),
      _sfLeftEyeDistortionMap(source._sfLeftEyeDistortionMap),
      _sfRightEyeDistortionMap(source._sfRightEyeDistortionMap),
      _sfTonemappingSettings(source._sfTonemappingSettings),
      _sfCameraChangeDuration(source._sfCameraChangeDuration),
      _sfIsDefaultPersp(source._sfIsDefaultPersp), _sfIsDefaultFront(source._sfIsDefaultFront),
      _sfIsDefaultSide(source._sfIsDefaultSide), _sfIsDefaultTop(source._sfIsDefaultTop),
      _sfIsViewpoint(source._sfIsViewpoint), _sfUseTransformBeacon(source._sfUseTransformBeacon),
      _sfFrom(source._sfFrom), _sfAt(source._sfAt), _sfUp(source._sfUp),
      _sfUseAimBeacon(source._sfUseAimBeacon), _sfAimBeacon(source._sfAimBeacon),
      _sfUseUpBeacon(source._sfUseUpBeacon), _sfUpBeacon(source._sfUpBeacon),
      _mfProjectionPlanePoints(source._mfProjectionPlanePoints), _sfFlags(source._sfFlags) {
    addRefCP(getLeftEyeDistortionMap());
    addRefCP(getRightEyeDistortionMap());
    addRefCP(getTonemappingSettings());
    addRefCP(getAimBeacon());
    addRefCP(getUpBeacon());
}

void CameraSetting::onDestroy() {
    setLeftEyeDistortionMap(TextureSettingsPtr());
    setRightEyeDistortionMap(TextureSettingsPtr());
    setTonemappingSettings(TonemappingSettingsPtr());
    setAimBeacon(NodePtr());
    setUpBeacon(NodePtr());
    Inherited::onDestroy();
}

} // namespace osg
