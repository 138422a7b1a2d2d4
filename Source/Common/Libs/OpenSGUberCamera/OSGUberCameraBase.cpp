#include "OSGUberCameraBase.h"

#include "OSGUberCamera.h"

#include "OSGChangeList.h"
#include "OSGFieldContainerFactory.h"
#include "OSGFieldDescription.h"
#include "OSGThread.h"

namespace osg {

namespace {

// Point lists grow by at most this many elements per read, so a corrupt count
// costs no more memory than the data that backs it.
constexpr UInt64 PointReadChunk = 4096;

FieldContainerPtr prototypeCreate() {
    return UberCameraBase::createEmpty();
}

// The container named by a 32-bit id in the stream (0 for null), after the
// factory's id mapper, if one is installed.
FieldContainerPtr readContainerId(BinaryDataHandler& handler) {
    return FieldContainerPtrTraitsBase::readContainer(handler);
}

FieldDescription* uberCameraDescs[] = {
    new FieldDescription(SFPerspectiveMatchPtr::getClassType(), "perspectiveMatch",
                         UberCameraBase::PerspectiveMatchFieldId,
                         UberCameraBase::PerspectiveMatchFieldMask, false,
                         &accessField<&UberCameraBase::editSFPerspectiveMatch>),
    new FieldDescription(SFGeometryPtr::getClassType(), "visualization",
                         UberCameraBase::VisualizationFieldId,
                         UberCameraBase::VisualizationFieldMask, true,
                         &accessField<&UberCameraBase::editSFVisualization>),
    new FieldDescription(SFUInt32::getClassType(), "projectionMode",
                         UberCameraBase::ProjectionModeFieldId,
                         UberCameraBase::ProjectionModeFieldMask, false,
                         &accessField<&UberCameraBase::editSFProjectionMode>),
    new FieldDescription(SFVec3f::getClassType(), "projectionScale",
                         UberCameraBase::ProjectionScaleFieldId,
                         UberCameraBase::ProjectionScaleFieldMask, false,
                         &accessField<&UberCameraBase::editSFProjectionScale>),
    new FieldDescription(SFReal32::getClassType(), "focusDistance",
                         UberCameraBase::FocusDistanceFieldId,
                         UberCameraBase::FocusDistanceFieldMask, false,
                         &accessField<&UberCameraBase::editSFFocusDistance>),
    new FieldDescription(SFVec2f::getClassType(), "sensorSize", UberCameraBase::SensorSizeFieldId,
                         UberCameraBase::SensorSizeFieldMask, false,
                         &accessField<&UberCameraBase::editSFSensorSize>),
    new FieldDescription(SFVec4f::getClassType(), "frustumSides",
                         UberCameraBase::FrustumSidesFieldId, UberCameraBase::FrustumSidesFieldMask,
                         false, &accessField<&UberCameraBase::editSFFrustumSides>),
    new FieldDescription(SFReal32::getClassType(), "shutterSpeed",
                         UberCameraBase::ShutterSpeedFieldId, UberCameraBase::ShutterSpeedFieldMask,
                         false, &accessField<&UberCameraBase::editSFShutterSpeed>),
    new FieldDescription(SFReal32::getClassType(), "apertureDiameter",
                         UberCameraBase::ApertureDiameterFieldId,
                         UberCameraBase::ApertureDiameterFieldMask, false,
                         &accessField<&UberCameraBase::editSFApertureDiameter>),
    new FieldDescription(SFVec2f::getClassType(), "principalPointOffset",
                         UberCameraBase::PrincipalPointOffsetFieldId,
                         UberCameraBase::PrincipalPointOffsetFieldMask, false,
                         &accessField<&UberCameraBase::editSFPrincipalPointOffset>),
    new FieldDescription(SFReal32::getClassType(), "skewFactor", UberCameraBase::SkewFactorFieldId,
                         UberCameraBase::SkewFactorFieldMask, false,
                         &accessField<&UberCameraBase::editSFSkewFactor>),
    new FieldDescription(SFReal32::getClassType(), "roll", UberCameraBase::RollFieldId,
                         UberCameraBase::RollFieldMask, false,
                         &accessField<&UberCameraBase::editSFRoll>),
    new FieldDescription(SFInt32::getClassType(), "defaultCameraId",
                         UberCameraBase::DefaultCameraIdFieldId,
                         UberCameraBase::DefaultCameraIdFieldMask, false,
                         &accessField<&UberCameraBase::editSFDefaultCameraId>),
    new FieldDescription(SFMatrix::getClassType(), "hmdMatrix", UberCameraBase::HmdMatrixFieldId,
                         UberCameraBase::HmdMatrixFieldMask, false,
                         &accessField<&UberCameraBase::editSFHmdMatrix>),
    new FieldDescription(SFTextureSettingsPtr::getClassType(), "leftEyeDistortionMap",
                         UberCameraBase::LeftEyeDistortionMapFieldId,
                         UberCameraBase::LeftEyeDistortionMapFieldMask, false,
                         &accessField<&UberCameraBase::editSFLeftEyeDistortionMap>),
    new FieldDescription(SFTextureSettingsPtr::getClassType(), "rightEyeDistortionMap",
                         UberCameraBase::RightEyeDistortionMapFieldId,
                         UberCameraBase::RightEyeDistortionMapFieldMask, false,
                         &accessField<&UberCameraBase::editSFRightEyeDistortionMap>),
    new FieldDescription(SFTonemappingSettingsPtr::getClassType(), "tonemappingSettings",
                         UberCameraBase::TonemappingSettingsFieldId,
                         UberCameraBase::TonemappingSettingsFieldMask, false,
                         &accessField<&UberCameraBase::editSFTonemappingSettings>),
    new FieldDescription(SFAnimNodePtr::getClassType(), "animationRoot",
                         UberCameraBase::AnimationRootFieldId,
                         UberCameraBase::AnimationRootFieldMask, true,
                         &accessField<&UberCameraBase::editSFAnimationRoot>),
    new FieldDescription(SFReal32::getClassType(), "viewpointTransitionDuration",
                         UberCameraBase::ViewpointTransitionDurationFieldId,
                         UberCameraBase::ViewpointTransitionDurationFieldMask, false,
                         &accessField<&UberCameraBase::editSFViewpointTransitionDuration>),
    new FieldDescription(SFVec4f::getClassType(), "trackOverrides",
                         UberCameraBase::TrackOverridesFieldId,
                         UberCameraBase::TrackOverridesFieldMask, false,
                         &accessField<&UberCameraBase::editSFTrackOverrides>),
    new FieldDescription(SFMatrix::getClassType(), "customProjectionMatrix",
                         UberCameraBase::CustomProjectionMatrixFieldId,
                         UberCameraBase::CustomProjectionMatrixFieldMask, false,
                         &accessField<&UberCameraBase::editSFCustomProjectionMatrix>),
    new FieldDescription(MFPnt3f::getClassType(), "pbarProjectionPlanePoints",
                         UberCameraBase::PbarProjectionPlanePointsFieldId,
                         UberCameraBase::PbarProjectionPlanePointsFieldMask, false,
                         &accessField<&UberCameraBase::editMFPbarProjectionPlanePoints>),
    new FieldDescription(SFReal32::getClassType(), "atDistance", UberCameraBase::AtDistanceFieldId,
                         UberCameraBase::AtDistanceFieldMask, false,
                         &accessField<&UberCameraBase::editSFAtDistance>),
    new FieldDescription(SFVec3f::getClassType(), "turntableParameter",
                         UberCameraBase::TurntableParameterFieldId,
                         UberCameraBase::TurntableParameterFieldMask, true,
                         &accessField<&UberCameraBase::editSFTurntableParameter>),
    new FieldDescription(SFReal32::getClassType(), "turntableAnimationDuration",
                         UberCameraBase::TurntableAnimationDurationFieldId,
                         UberCameraBase::TurntableAnimationDurationFieldMask, false,
                         &accessField<&UberCameraBase::editSFTurntableAnimationDuration>),
    new FieldDescription(SFUInt32::getClassType(), "activeParentIndex",
                         UberCameraBase::ActiveParentIndexFieldId,
                         UberCameraBase::ActiveParentIndexFieldMask, true,
                         &accessField<&UberCameraBase::editSFActiveParentIndex>),
    new FieldDescription(SFReal32::getClassType(), "visualizationScale",
                         UberCameraBase::VisualizationScaleFieldId,
                         UberCameraBase::VisualizationScaleFieldMask, false,
                         &accessField<&UberCameraBase::editSFVisualizationScale>),
    new FieldDescription(SFFogSettingsPtr::getClassType(), "fogSettings",
                         UberCameraBase::FogSettingsFieldId, UberCameraBase::FogSettingsFieldMask,
                         false, &accessField<&UberCameraBase::editSFFogSettings>),
};

} // namespace

FieldContainerType UberCameraBase::_type("UberCamera", "PerspectiveCamera", nullptr,
                                         &prototypeCreate, &UberCamera::initMethod, uberCameraDescs,
                                         sizeof(uberCameraDescs), false);

namespace {
const DataType uberCameraPtrType("UberCameraPtr", "PerspectiveCameraPtr");
const FieldType sfUberCameraPtrType("SFUberCameraPtr", "Field", uberCameraPtrType,
                                    FieldType::SINGLE_FIELD, &SFUberCameraPtr::create);
const FieldType mfUberCameraPtrType("MFUberCameraPtr", "Field", uberCameraPtrType,
                                    FieldType::MULTI_FIELD, &MFUberCameraPtr::create);
} // namespace

const DataType& FieldDataTraits<UberCameraPtr>::getType() {
    return uberCameraPtrType;
}
const FieldType& FieldDataTraits<UberCameraPtr>::getSFieldType() {
    return sfUberCameraPtrType;
}
const FieldType& FieldDataTraits<UberCameraPtr>::getMFieldType() {
    return mfUberCameraPtrType;
}
void FieldDataTraits<UberCameraPtr>::copyFromBin(BinaryDataHandler& handler, UberCameraPtr& value) {
    value = UberCameraPtr::dcast(readContainer(handler));
}
UberCameraPtr FieldDataTraits<UberCameraPtr>::castFrom(const FieldContainerPtr& value) {
    return UberCameraPtr::dcast(value);
}

// ---- type ------------------------------------------------------------------

FieldContainerType& UberCameraBase::getClassType() {
    return _type;
}
FieldContainerType& UberCameraBase::getType() {
    return _type;
}
const FieldContainerType& UberCameraBase::getType() const {
    return _type;
}
UInt32 UberCameraBase::getContainerSize() const {
    return sizeof(UberCamera);
}

// ---- construction ------------------------------------------------------------

UberCameraBase::UberCameraBase()
    : _sfProjectionMode(0), _sfProjectionScale(Vec3f(1.0f, 1.0f, 1.0f)), _sfFocusDistance(0.0f),
      _sfSensorSize(Vec2f(36.0f, 24.0f)),
      _sfFrustumSides(Vec4f(-3000.0f, 3000.0f, -3000.0f, 3000.0f)), _sfShutterSpeed(125.0f),
      _sfApertureDiameter(7.76f), _sfPrincipalPointOffset(Vec2f(0.0f, 0.0f)), _sfSkewFactor(0.0f),
      _sfRoll(0.0f), _sfDefaultCameraId(-1), _sfViewpointTransitionDuration(2.0f),
      _sfTrackOverrides(Vec4f(0.0f, 0.0f, 3.0f, 0.0f)), _sfAtDistance(1000.0f),
      _sfTurntableParameter(Vec3f(0.0f, 0.0f, 0.0f)), _sfTurntableAnimationDuration(5.0f),
      _sfActiveParentIndex(0), _sfVisualizationScale(100.0f) {}

UberCameraBase::UberCameraBase(const UberCameraBase& source)
    : PerspectiveCamera(source), _sfPerspectiveMatch(source._sfPerspectiveMatch),
      _sfVisualization(source._sfVisualization), _sfProjectionMode(source._sfProjectionMode),
      _sfProjectionScale(source._sfProjectionScale), _sfFocusDistance(source._sfFocusDistance),
      _sfSensorSize(source._sfSensorSize), _sfFrustumSides(source._sfFrustumSides),
      _sfShutterSpeed(source._sfShutterSpeed), _sfApertureDiameter(source._sfApertureDiameter),
      _sfPrincipalPointOffset(source._sfPrincipalPointOffset), _sfSkewFactor(source._sfSkewFactor),
      _sfRoll(source._sfRoll), _sfDefaultCameraId(source._sfDefaultCameraId),
      _sfHmdMatrix(source._sfHmdMatrix), _sfLeftEyeDistortionMap(source._sfLeftEyeDistortionMap),
      _sfRightEyeDistortionMap(source._sfRightEyeDistortionMap),
      _sfTonemappingSettings(source._sfTonemappingSettings),
      _sfAnimationRoot(source._sfAnimationRoot),
      _sfViewpointTransitionDuration(source._sfViewpointTransitionDuration),
      _sfTrackOverrides(source._sfTrackOverrides),
      _sfCustomProjectionMatrix(source._sfCustomProjectionMatrix),
      _mfPbarProjectionPlanePoints(source._mfPbarProjectionPlanePoints),
      _sfAtDistance(source._sfAtDistance), _sfTurntableParameter(source._sfTurntableParameter),
      _sfTurntableAnimationDuration(source._sfTurntableAnimationDuration),
      _sfActiveParentIndex(source._sfActiveParentIndex),
      _sfVisualizationScale(source._sfVisualizationScale), _sfFogSettings(source._sfFogSettings) {}

// The fields go in reverse declaration order by the language's own rule; no
// reference is released here (that is the camera's onDestroy).
UberCameraBase::~UberCameraBase() = default;

// ---- creation ------------------------------------------------------------------

UberCameraPtr UberCameraBase::create() {
    UberCameraPtr result;
    FieldContainerPtr prototype = _type.getPrototype();
    if (prototype.isNull())
        return result;
    FieldContainerPtr copy = prototype->shallowCopy();
    if (copy.isNull())
        return result;
    for (const FieldContainerType* type = &copy->getType(); type != nullptr;
         type = type->getParent()) {
        if (type->getId() == _type.getId())
            return UberCameraPtr::dcast(copy);
    }
    // Not a camera after all: give the unwanted copy back.
    copy.subRef();
    return result;
}

UberCameraPtr UberCameraBase::createEmpty() {
    auto* camera = new UberCamera();
    UberCameraPtr result(camera);
    camera->setId(FieldContainerFactory::the()->registerFieldContainer(result));
    if (ChangeList* list = Thread::getCurrentChangeList())
        list->addCreated(camera->getId());
    camera->onCreate(nullptr);
    return result;
}

FieldContainerPtr UberCameraBase::shallowCopy() const {
    auto* camera = new UberCamera(static_cast<const UberCamera&>(*this));
    UberCameraPtr result(camera);
    camera->setId(FieldContainerFactory::the()->registerFieldContainer(result));
    if (ChangeList* list = Thread::getCurrentChangeList())
        list->addCreated(camera->getId());
    camera->onCreate(static_cast<const UberCamera*>(this));
    return result;
}

// ---- binary field stream -------------------------------------------------------

UInt64 UberCameraBase::getBinSize(const BitVector& whichField) {
    UInt64 size = PerspectiveCameraBase::getBinSize(whichField);
    if (whichField & PerspectiveMatchFieldMask)
        size += sizeof(UInt32);
    if (whichField & VisualizationFieldMask)
        size += _sfVisualization.getBinSize();
    if (whichField & ProjectionModeFieldMask)
        size += _sfProjectionMode.getBinSize();
    if (whichField & ProjectionScaleFieldMask)
        size += _sfProjectionScale.getBinSize();
    if (whichField & FocusDistanceFieldMask)
        size += _sfFocusDistance.getBinSize();
    if (whichField & SensorSizeFieldMask)
        size += _sfSensorSize.getBinSize();
    if (whichField & FrustumSidesFieldMask)
        size += _sfFrustumSides.getBinSize();
    if (whichField & ShutterSpeedFieldMask)
        size += _sfShutterSpeed.getBinSize();
    if (whichField & ApertureDiameterFieldMask)
        size += _sfApertureDiameter.getBinSize();
    if (whichField & PrincipalPointOffsetFieldMask)
        size += _sfPrincipalPointOffset.getBinSize();
    if (whichField & SkewFactorFieldMask)
        size += _sfSkewFactor.getBinSize();
    if (whichField & RollFieldMask)
        size += _sfRoll.getBinSize();
    if (whichField & DefaultCameraIdFieldMask)
        size += _sfDefaultCameraId.getBinSize();
    if (whichField & HmdMatrixFieldMask)
        size += _sfHmdMatrix.getBinSize();
    if (whichField & LeftEyeDistortionMapFieldMask)
        size += _sfLeftEyeDistortionMap.getBinSize();
    if (whichField & RightEyeDistortionMapFieldMask)
        size += _sfRightEyeDistortionMap.getBinSize();
    if (whichField & TonemappingSettingsFieldMask)
        size += sizeof(UInt32);
    if (whichField & AnimationRootFieldMask)
        size += _sfAnimationRoot.getBinSize();
    if (whichField & ViewpointTransitionDurationFieldMask)
        size += _sfViewpointTransitionDuration.getBinSize();
    if (whichField & TrackOverridesFieldMask)
        size += _sfTrackOverrides.getBinSize();
    if (whichField & CustomProjectionMatrixFieldMask)
        size += _sfCustomProjectionMatrix.getBinSize();
    if (whichField & PbarProjectionPlanePointsFieldMask)
        size += (osgUseOSB64() ? sizeof(UInt64) : sizeof(UInt32)) +
                UInt64(_mfPbarProjectionPlanePoints.size()) *
                    FieldDataTraits<Pnt3f>::getBinSize(Pnt3f());
    if (whichField & AtDistanceFieldMask)
        size += _sfAtDistance.getBinSize();
    if (whichField & TurntableParameterFieldMask)
        size += _sfTurntableParameter.getBinSize();
    if (whichField & TurntableAnimationDurationFieldMask)
        size += _sfTurntableAnimationDuration.getBinSize();
    if (whichField & ActiveParentIndexFieldMask)
        size += _sfActiveParentIndex.getBinSize();
    if (whichField & VisualizationScaleFieldMask)
        size += _sfVisualizationScale.getBinSize();
    if (whichField & FogSettingsFieldMask)
        size += sizeof(UInt32);
    return size;
}

void UberCameraBase::copyToBin(BinaryDataHandler& handler, const BitVector& whichField) {
    PerspectiveCameraBase::copyToBin(handler, whichField);
    if (whichField & PerspectiveMatchFieldMask)
        handler.putValue(_sfPerspectiveMatch.getValue().getFieldContainerId());
    if (whichField & VisualizationFieldMask)
        _sfVisualization.copyToBin(handler);
    if (whichField & ProjectionModeFieldMask)
        _sfProjectionMode.copyToBin(handler);
    if (whichField & ProjectionScaleFieldMask)
        _sfProjectionScale.copyToBin(handler);
    if (whichField & FocusDistanceFieldMask)
        _sfFocusDistance.copyToBin(handler);
    if (whichField & SensorSizeFieldMask)
        _sfSensorSize.copyToBin(handler);
    if (whichField & FrustumSidesFieldMask)
        _sfFrustumSides.copyToBin(handler);
    if (whichField & ShutterSpeedFieldMask)
        _sfShutterSpeed.copyToBin(handler);
    if (whichField & ApertureDiameterFieldMask)
        _sfApertureDiameter.copyToBin(handler);
    if (whichField & PrincipalPointOffsetFieldMask)
        _sfPrincipalPointOffset.copyToBin(handler);
    if (whichField & SkewFactorFieldMask)
        _sfSkewFactor.copyToBin(handler);
    if (whichField & RollFieldMask)
        _sfRoll.copyToBin(handler);
    if (whichField & DefaultCameraIdFieldMask)
        _sfDefaultCameraId.copyToBin(handler);
    if (whichField & HmdMatrixFieldMask)
        _sfHmdMatrix.copyToBin(handler);
    if (whichField & LeftEyeDistortionMapFieldMask)
        _sfLeftEyeDistortionMap.copyToBin(handler);
    if (whichField & RightEyeDistortionMapFieldMask)
        _sfRightEyeDistortionMap.copyToBin(handler);
    if (whichField & TonemappingSettingsFieldMask)
        handler.putValue(_sfTonemappingSettings.getValue().getFieldContainerId());
    if (whichField & AnimationRootFieldMask)
        _sfAnimationRoot.copyToBin(handler);
    if (whichField & ViewpointTransitionDurationFieldMask)
        _sfViewpointTransitionDuration.copyToBin(handler);
    if (whichField & TrackOverridesFieldMask)
        _sfTrackOverrides.copyToBin(handler);
    if (whichField & CustomProjectionMatrixFieldMask)
        _sfCustomProjectionMatrix.copyToBin(handler);
    if (whichField & PbarProjectionPlanePointsFieldMask) {
        if (osgUseOSB64())
            handler.putValue(UInt64(_mfPbarProjectionPlanePoints.size()));
        else
            handler.putValue(_mfPbarProjectionPlanePoints.size());
        for (const Pnt3f& point : _mfPbarProjectionPlanePoints)
            FieldDataTraits<Pnt3f>::copyToBin(handler, point);
    }
    if (whichField & AtDistanceFieldMask)
        _sfAtDistance.copyToBin(handler);
    if (whichField & TurntableParameterFieldMask)
        _sfTurntableParameter.copyToBin(handler);
    if (whichField & TurntableAnimationDurationFieldMask)
        _sfTurntableAnimationDuration.copyToBin(handler);
    if (whichField & ActiveParentIndexFieldMask)
        _sfActiveParentIndex.copyToBin(handler);
    if (whichField & VisualizationScaleFieldMask)
        _sfVisualizationScale.copyToBin(handler);
    if (whichField & FogSettingsFieldMask)
        handler.putValue(_sfFogSettings.getValue().getFieldContainerId());
}

void UberCameraBase::copyFromBin(BinaryDataHandler& handler, const BitVector& whichField) {
    PerspectiveCameraBase::copyFromBin(handler, whichField);
    if (whichField & PerspectiveMatchFieldMask)
        _sfPerspectiveMatch.setValue(PerspectiveMatchPtr::dcast(readContainerId(handler)));
    if (whichField & VisualizationFieldMask)
        _sfVisualization.copyFromBin(handler);
    if (whichField & ProjectionModeFieldMask)
        _sfProjectionMode.copyFromBin(handler);
    if (whichField & ProjectionScaleFieldMask)
        _sfProjectionScale.copyFromBin(handler);
    if (whichField & FocusDistanceFieldMask)
        _sfFocusDistance.copyFromBin(handler);
    if (whichField & SensorSizeFieldMask)
        _sfSensorSize.copyFromBin(handler);
    if (whichField & FrustumSidesFieldMask)
        _sfFrustumSides.copyFromBin(handler);
    if (whichField & ShutterSpeedFieldMask)
        _sfShutterSpeed.copyFromBin(handler);
    if (whichField & ApertureDiameterFieldMask)
        _sfApertureDiameter.copyFromBin(handler);
    if (whichField & PrincipalPointOffsetFieldMask)
        _sfPrincipalPointOffset.copyFromBin(handler);
    if (whichField & SkewFactorFieldMask)
        _sfSkewFactor.copyFromBin(handler);
    if (whichField & RollFieldMask)
        _sfRoll.copyFromBin(handler);
    if (whichField & DefaultCameraIdFieldMask)
        _sfDefaultCameraId.copyFromBin(handler);
    if (whichField & HmdMatrixFieldMask)
        _sfHmdMatrix.copyFromBin(handler);
    if (whichField & LeftEyeDistortionMapFieldMask)
        _sfLeftEyeDistortionMap.copyFromBin(handler);
    if (whichField & RightEyeDistortionMapFieldMask)
        _sfRightEyeDistortionMap.copyFromBin(handler);
    if (whichField & TonemappingSettingsFieldMask)
        _sfTonemappingSettings.setValue(TonemappingSettingsPtr::dcast(readContainerId(handler)));
    if (whichField & AnimationRootFieldMask)
        _sfAnimationRoot.copyFromBin(handler);
    if (whichField & ViewpointTransitionDurationFieldMask)
        _sfViewpointTransitionDuration.copyFromBin(handler);
    if (whichField & TrackOverridesFieldMask)
        _sfTrackOverrides.copyFromBin(handler);
    if (whichField & CustomProjectionMatrixFieldMask)
        _sfCustomProjectionMatrix.copyFromBin(handler);
    if (whichField & PbarProjectionPlanePointsFieldMask) {
        UInt64 count = 0;
        if (osgUseOSB64()) {
            handler.getValue(count);
        } else {
            UInt32 count32 = 0;
            handler.getValue(count32);
            count = count32;
        }
        readPoints(handler, count);
    }
    if (whichField & AtDistanceFieldMask)
        _sfAtDistance.copyFromBin(handler);
    if (whichField & TurntableParameterFieldMask)
        _sfTurntableParameter.copyFromBin(handler);
    if (whichField & TurntableAnimationDurationFieldMask)
        _sfTurntableAnimationDuration.copyFromBin(handler);
    if (whichField & ActiveParentIndexFieldMask)
        _sfActiveParentIndex.copyFromBin(handler);
    if (whichField & VisualizationScaleFieldMask)
        _sfVisualizationScale.copyFromBin(handler);
    if (whichField & FogSettingsFieldMask)
        _sfFogSettings.setValue(FogSettingsPtr::dcast(readContainerId(handler)));
}

void UberCameraBase::readPoints(BinaryDataHandler& handler, UInt64 count) {
    MFPnt3f::StorageType& points = _mfPbarProjectionPlanePoints.getValues();
    if (count <= points.size())
        points.resize(count);
    for (UInt64 read = 0; read < count; ++read) {
        if (read == points.size()) {
            if (handler.failed())
                return;
            points.resize(std::min(count, points.size() + PointReadChunk));
        }
        FieldDataTraits<Pnt3f>::copyFromBin(handler, points[read]);
    }
}

// ---- aspect synchronisation --------------------------------------------------

void UberCameraBase::executeSync(FieldContainer& source, const BitVector& whichField) {
    executeSyncImpl(static_cast<UberCameraBase*>(&source), whichField);
}

void UberCameraBase::executeSyncImpl(UberCameraBase* source, const BitVector& whichField) {
    PerspectiveCameraBase::executeSyncImpl(source, whichField);
    if (whichField & PerspectiveMatchFieldMask)
        _sfPerspectiveMatch.setValue(source->_sfPerspectiveMatch.getValue());
    if (whichField & VisualizationFieldMask)
        _sfVisualization.setValue(source->_sfVisualization.getValue());
    if (whichField & ProjectionModeFieldMask)
        _sfProjectionMode.setValue(source->_sfProjectionMode.getValue());
    if (whichField & ProjectionScaleFieldMask)
        _sfProjectionScale.setValue(source->_sfProjectionScale.getValue());
    if (whichField & FocusDistanceFieldMask)
        _sfFocusDistance.setValue(source->_sfFocusDistance.getValue());
    if (whichField & SensorSizeFieldMask)
        _sfSensorSize.setValue(source->_sfSensorSize.getValue());
    if (whichField & FrustumSidesFieldMask)
        _sfFrustumSides.setValue(source->_sfFrustumSides.getValue());
    if (whichField & ShutterSpeedFieldMask)
        _sfShutterSpeed.setValue(source->_sfShutterSpeed.getValue());
    if (whichField & ApertureDiameterFieldMask)
        _sfApertureDiameter.setValue(source->_sfApertureDiameter.getValue());
    if (whichField & PrincipalPointOffsetFieldMask)
        _sfPrincipalPointOffset.setValue(source->_sfPrincipalPointOffset.getValue());
    if (whichField & SkewFactorFieldMask)
        _sfSkewFactor.setValue(source->_sfSkewFactor.getValue());
    if (whichField & RollFieldMask)
        _sfRoll.setValue(source->_sfRoll.getValue());
    if (whichField & DefaultCameraIdFieldMask)
        _sfDefaultCameraId.setValue(source->_sfDefaultCameraId.getValue());
    if (whichField & HmdMatrixFieldMask)
        _sfHmdMatrix.setValue(source->_sfHmdMatrix.getValue());
    if (whichField & LeftEyeDistortionMapFieldMask)
        _sfLeftEyeDistortionMap.setValue(source->_sfLeftEyeDistortionMap.getValue());
    if (whichField & RightEyeDistortionMapFieldMask)
        _sfRightEyeDistortionMap.setValue(source->_sfRightEyeDistortionMap.getValue());
    if (whichField & TonemappingSettingsFieldMask)
        _sfTonemappingSettings.setValue(source->_sfTonemappingSettings.getValue());
    if (whichField & AnimationRootFieldMask)
        _sfAnimationRoot.setValue(source->_sfAnimationRoot.getValue());
    if (whichField & ViewpointTransitionDurationFieldMask)
        _sfViewpointTransitionDuration.setValue(source->_sfViewpointTransitionDuration.getValue());
    if (whichField & TrackOverridesFieldMask)
        _sfTrackOverrides.setValue(source->_sfTrackOverrides.getValue());
    if (whichField & CustomProjectionMatrixFieldMask)
        _sfCustomProjectionMatrix.setValue(source->_sfCustomProjectionMatrix.getValue());
    if (whichField & PbarProjectionPlanePointsFieldMask)
        _mfPbarProjectionPlanePoints.setValues(source->_mfPbarProjectionPlanePoints.getValues());
    if (whichField & AtDistanceFieldMask)
        _sfAtDistance.setValue(source->_sfAtDistance.getValue());
    if (whichField & TurntableParameterFieldMask)
        _sfTurntableParameter.setValue(source->_sfTurntableParameter.getValue());
    if (whichField & TurntableAnimationDurationFieldMask)
        _sfTurntableAnimationDuration.setValue(source->_sfTurntableAnimationDuration.getValue());
    if (whichField & ActiveParentIndexFieldMask)
        _sfActiveParentIndex.setValue(source->_sfActiveParentIndex.getValue());
    if (whichField & VisualizationScaleFieldMask)
        _sfVisualizationScale.setValue(source->_sfVisualizationScale.getValue());
    if (whichField & FogSettingsFieldMask)
        _sfFogSettings.setValue(source->_sfFogSettings.getValue());
}

} // namespace osg
