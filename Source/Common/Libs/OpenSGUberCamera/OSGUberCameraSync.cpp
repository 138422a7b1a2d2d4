// One camera taking over another's settings or placement.

#include "OSGUberCamera.h"

#include "OSGClone.h"
#include "OSGNode.h"

namespace osg {

namespace {

// Structure and identity a settings-only sync never touches.
constexpr BitVector PlacementAndIdentityMask =
    NodeCore::ParentsFieldMask | AttachmentContainer::AttachmentsFieldMask |
    CameraBase::BeaconFieldMask | CameraBase::TrackingMatrixFieldMask |
    UberCamera::VisualizationFieldMask | UberCamera::AnimationRootFieldMask |
    UberCamera::ActiveParentIndexFieldMask | UberCamera::DefaultCameraIdFieldMask;

// Flags that always stay the camera's own.
constexpr UInt64 OwnFlags = UberCamera::InternalCameraFlag | UberCamera::ViewpointFlag |
                            UberCamera::InitialFlag | UberCamera::DollyZoomFlag |
                            UberCamera::LegacyConversionFlag;

constexpr const char* ShareMaterials = "Material";
constexpr const char* ShareImages = "Image";
constexpr const char* ShareNothing = "";

// The clone of `source` as PtrT, or null when it is none (an unwanted clone is given back).
template <class PtrT> PtrT cloneAs(const FieldContainerPtr& source, const char* shareTypes) {
    FieldContainerPtr clone = deepClone(source, shareTypes);
    PtrT typed = PtrT::dcast(clone);
    if (typed.isNull())
        subRefCP(clone);
    return typed;
}

// Removes `field` from `mask`, telling whether it was there.
bool takeField(BitVector& mask, BitVector field) {
    const bool present = (mask & field) != 0;
    mask &= ~field;
    return present;
}

} // namespace

void UberCamera::syncWith(const UberCameraPtr& source, BitVector mask, bool settingsOnly) {
    if (source.isNull())
        return;
    if (settingsOnly)
        mask &= ~PlacementAndIdentityMask;

    const bool beacon = takeField(mask, CameraBase::BeaconFieldMask);
    const bool visualization = takeField(mask, VisualizationFieldMask);
    const bool animationRoot = takeField(mask, AnimationRootFieldMask);
    const bool leftMap = takeField(mask, LeftEyeDistortionMapFieldMask);
    const bool rightMap = takeField(mask, RightEyeDistortionMapFieldMask);
    const bool tonemapping = takeField(mask, TonemappingSettingsFieldMask);
    const bool fog = takeField(mask, FogSettingsFieldMask);
    const bool perspectiveMatch = takeField(mask, PerspectiveMatchFieldMask);

    const BitVector transformPart = mask & Transform3D::getCombinedTransformAttributesMask();
    const Real32 upDistance = transformPart != 0 ? getUpConstraintDistance() : 1.0f;
    const UInt64 ownFlags = getFlags() & OwnFlags;

    UberCameraPtr self(this);
    beginEditCP(self);
    executeSyncImpl(source.getCPtr(), mask);
    editFlags() = (getFlags() & ~OwnFlags) | ownFlags;

    if (beacon) {
        NodePtr clone = cloneAs<NodePtr>(source->getBeacon(), ShareMaterials);
        setBeacon(clone);
    }
    if (visualization)
        setVisualization(cloneAs<GeometryPtr>(source->getVisualization(), ShareNothing));
    if (animationRoot)
        setAnimationRoot(AnimNode::deepCloneAnimTree(source->getAnimationRoot(), ShareMaterials));
    if (leftMap)
        setLeftEyeDistortionMap(
            cloneAs<TextureSettingsPtr>(source->getLeftEyeDistortionMap(), ShareImages));
    if (rightMap)
        setRightEyeDistortionMap(
            cloneAs<TextureSettingsPtr>(source->getRightEyeDistortionMap(), ShareImages));
    if (tonemapping) {
        TonemappingSettingsPtr clone =
            cloneAs<TonemappingSettingsPtr>(source->getTonemappingSettings(), ShareImages);
        if (!clone.isNull()) {
            // The camera keeps its own values of the sensor-bound attributes.
            beginEditCP(clone);
            clone->syncWith(getTonemappingSettings(),
                            TonemappingSettings::getCombinedCollisionAttributesMask());
            endEditCP(clone);
        }
        setTonemappingSettings(clone);
    }
    if (perspectiveMatch && !getPerspectiveMatch().isNull() &&
        !source->getPerspectiveMatch().isNull()) {
        const PerspectiveMatchPtr& from = source->getPerspectiveMatch();
        getPerspectiveMatch()->syncWith(from, from->getDefaultCopyAttributeMask());
    }
    if (fog)
        setFogSettings(cloneAs<FogSettingsPtr>(source->getFogSettings(), ShareImages));
    endEditCP(self);

    if (transformPart != 0)
        setAimConstraintToCurrentView(upDistance);
}

void UberCamera::syncTransformWith(const UberCameraPtr& source, CameraSpace space) {
    if (source.isNull())
        return;
    if (space == LocalSpace) {
        syncWith(source, Transform3D::getCombinedTransformAttributesMask(), true);
        return;
    }
    Matrix world;
    source->getTransform(world, WorldSpace);
    setTransform(world, WorldSpace);
}

} // namespace osg
