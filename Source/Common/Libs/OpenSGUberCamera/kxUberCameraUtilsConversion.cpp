// Cameras of older scenes made current: a legacy `CameraSetting` becomes a
// camera of the registry, its node's attachment becomes the default id and the
// initial mark, its beacons an aim constraint, and groups marked as camera
// tracks become `CameraTrack` nodes whose legacy cameras the registry turns
// into viewpoints.

#include "kxUberCameraUtils.h"

#include "NodeUtils.h"
#include "OSGCameraTrack.h"
#include "OSGName.h"
#include "OSGValuePair.h"
#include "kxConstraintManager.h"
#include "kxUberCameraPool.h"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <string>
#include <utility>
#include <vector>

using namespace osg;

namespace {

struct ViewName {
    const char* name;
    UberCamera::DefaultCameraId id;
};

// Exact, case-sensitive: any other text names no view.
constexpr ViewName AttachmentViews[] = {
    {"perspective", UberCamera::PerspectiveView},
    {"front", UberCamera::FrontView},
    {"side", UberCamera::SideView},
    {"top", UberCamera::TopView},
};

Int32 defaultIdOfView(const std::string& view) {
    for (const ViewName& entry : AttachmentViews) {
        if (view == entry.name)
            return entry.id;
    }
    return UberCamera::NoDefaultCamera;
}

// The first of the setting's default-view marks, or none.
Int32 defaultIdOfSetting(const CameraSetting& setting) {
    if (setting.getIsDefaultPersp())
        return UberCamera::PerspectiveView;
    if (setting.getIsDefaultFront())
        return UberCamera::FrontView;
    if (setting.getIsDefaultSide())
        return UberCamera::SideView;
    if (setting.getIsDefaultTop())
        return UberCamera::TopView;
    return UberCamera::NoDefaultCamera;
}

void addFlagIf(UberCamera& camera, bool condition, UInt64 flag) {
    if (condition)
        camera.addFlag(flag);
}

// Every value of the setting, in an order that matters: the field of view is
// set before the focus distance and aperture it would otherwise recompute,
// and before the dolly-zoom flag that would move the camera.
void applySetting(const CameraSetting& setting, UberCamera& camera) {
    camera.setProjectionMode(setting.getOrthographic() ? UberCamera::OrthographicProjection
                                                       : UberCamera::PerspectiveProjection);
    if (setting.getLensShaderId() != 0)
        camera.setProjectionMode(setting.getLensShaderId() + 1);
    if (setting.getUseManualProjectionMatrix())
        camera.setProjectionMode(UberCamera::CustomProjection);
    addFlagIf(camera, setting.getUseManualFrustum(), UberCamera::ExplicitFrustumFlag);
    camera.setProjectionScale(setting.getScale());
    addFlagIf(camera, setting.getDepthOfField(), UberCamera::DepthOfFieldFlag);
    addFlagIf(camera, setting.getMotionBlur(), UberCamera::MotionBlurFlag);
    camera.setFov(setting.getFieldOfView() / kxUberCameraUtils::LegacyFullTurn * 360.0f);
    camera.setFovMode(setting.getFieldOfViewMode());
    camera.setFocusDistance(setting.getFocusDistance());
    camera.setSensorSize(Vec2f(setting.getSensorWidth(), setting.getSensorHeight()));
    // Older orthographic settings kept bottom and top the other way round.
    camera.setFrustumSides(
        setting.getOrthographic()
            ? Vec4f(setting.getLeft(), setting.getRight(), setting.getTop(), setting.getBottom())
            : Vec4f(setting.getLeft(), setting.getRight(), setting.getBottom(), setting.getTop()));
    camera.setShutterSpeed(setting.getShutterSpeed());
    camera.setApertureDiameter(setting.getApertureDiameter());
    camera.setPrincipalPointOffset(setting.getPrincipalPointOffset());
    camera.setSkewFactor(setting.getSkewFactor());
    camera.setRoll(setting.getRoll());
    camera.setNear(setting.getNearClippingPlane());
    camera.setFar(setting.getFarClippingPlane());
    // Shared with the setting; the camera's own defaults are released.
    camera.setLeftEyeDistortionMap(setting.getLeftEyeDistortionMap());
    camera.setRightEyeDistortionMap(setting.getRightEyeDistortionMap());
    camera.setTonemappingSettings(setting.getTonemappingSettings());
    camera.setViewpointTransitionDuration(setting.getCameraChangeDuration());
    camera.setCustomProjectionMatrix(setting.getManualProjectionMatrix());

    const Int32 defaultId = defaultIdOfSetting(setting);
    if (defaultId != UberCamera::NoDefaultCamera)
        camera.setDefaultCameraId(defaultId);
    // Only the perspective default view is drawn and counted as the registry's own.
    if (defaultId > UberCamera::PerspectiveView)
        camera.subFlag(UberCamera::RenderVisualizationFlag | UberCamera::RegistryCameraFlag);

    addFlagIf(camera, setting.getIsViewpoint(), UberCamera::ViewpointFlag);
    addFlagIf(camera, setting.hasFlag(kxUberCameraUtils::LegacySettingTransitionFlag),
              UberCamera::LegacyTransitionFlag);
    addFlagIf(camera, setting.hasFlag(kxUberCameraUtils::LegacySettingCameraFlag),
              UberCamera::LegacyCameraFlag);
    addFlagIf(camera, setting.hasFlag(kxUberCameraUtils::LegacySettingDollyZoomFlag),
              UberCamera::DollyZoomFlag);

    if (!setting.getUseTransformBeacon())
        camera.setViewByFromAtUp(setting.getFrom(), setting.getAt(), setting.getUp(),
                                 Camera::LocalSpace);
    else
        camera.setTransform(Matrix(), Camera::LocalSpace);
    const Vec3f d = setting.getFrom() - setting.getAt();
    float squares = 0.0f;
    squares += d[0] * d[0];
    squares += d[1] * d[1];
    squares += d[2] * d[2];
    camera.setAtDistance(std::sqrt(squares));

    for (const Pnt3f& point : setting.getProjectionPlanePoints())
        camera.editMFPbarProjectionPlanePoints()->push_back(point);
    camera.addFlag(UberCamera::LegacyConversionFlag);
}

void detach(const AttachmentContainerPtr& container, const AttachmentPtr& attachment) {
    if (attachment.isNull())
        return;
    beginEditCP(container, AttachmentContainer::AttachmentsFieldMask);
    container->subAttachment(attachment);
    endEditCP(container, AttachmentContainer::AttachmentsFieldMask);
}

// The view name and the initial mark of the node's attachment, which is then dropped.
void takeOverCameraAttachment(const NodePtr& node, const UberCameraPtr& camera) {
    const CameraAttachmentPtr attachment = kxUberCameraUtils::getCameraAttachment(node);
    if (attachment.isNull())
        return;
    if (camera->getDefaultCameraId() < 0 && attachment->getBasicCamera()) {
        beginEditCP(camera, UberCameraBase::DefaultCameraIdFieldMask);
        camera->setDefaultCameraId(defaultIdOfView(attachment->getView()));
        endEditCP(camera, UberCameraBase::DefaultCameraIdFieldMask);
    }
    if (attachment->getInitialCamera())
        kxUberCameraUtils::setInitialCamera(camera);
    detach(node, attachment);
}

// The setting's beacons, when in use, become an aim constraint on the camera,
// which then stands at its node's origin for the constraint to turn.
void takeOverBeacons(const CameraSetting& setting, const UberCameraPtr& camera) {
    std::vector<NodePtr> aimSources, upSources;
    if (setting.getUseAimBeacon() && !setting.getAimBeacon().isNull())
        aimSources.push_back(setting.getAimBeacon());
    if (setting.getUseUpBeacon() && !setting.getUpBeacon().isNull())
        upSources.push_back(setting.getUpBeacon());
    if (aimSources.empty() && upSources.empty())
        return;
    kxConstraintManager::the()->createAimConstraint(aimSources, upSources, camera, false);
    camera->setTransform(Matrix(), Camera::LocalSpace);
}

bool isCameraTrackCore(const NodeCorePtr& core) {
    return !core.isNull() && core->getType().isDerivedFrom(CameraTrack::getClassType());
}

ValuePairPtr getValuePair(const NodePtr& node) {
    return ValuePairPtr::dcast(node->findAttachment(ValuePair::getClassType().getGroupId()));
}

// A group is a track when one of the marker keys holds its own name as text.
bool isMarkedAsTrack(const ValuePairPtr& pairs) {
    if (pairs.isNull())
        return false;
    std::string text;
    pairs->get(kxUberCameraUtils::CameraTrackKey, text);
    bool marked = text == kxUberCameraUtils::CameraTrackKey;
    pairs->get(kxUberCameraUtils::VariantSetCameraTrackKey, text);
    marked = marked || text == kxUberCameraUtils::VariantSetCameraTrackKey;
    return marked;
}

// `atof`'s value in single precision; out of range it is the infinity of its
// sign rather than a conversion the language leaves undefined.
Real32 narrowToReal32(double value) {
    constexpr double Largest = std::numeric_limits<Real32>::max();
    if (value > Largest)
        return std::numeric_limits<Real32>::infinity();
    if (value < -Largest)
        return -std::numeric_limits<Real32>::infinity();
    return static_cast<Real32>(value);
}

// Parents before children, children by index while the index is below the
// current count. A stack of (node, next child) rather than recursion, so that
// deep scenes cannot exhaust the call stack.
template <class VisitT> void visitSubtree(const NodePtr& root, VisitT visit) {
    if (root.isNull())
        return;
    visit(root);
    std::vector<std::pair<NodePtr, UInt32>> stack{{root, 0}};
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next >= node->getNChildren()) {
            stack.pop_back();
            continue;
        }
        const NodePtr child = node->getChild(next++);
        if (child.isNull())
            continue;
        visit(child);
        stack.emplace_back(child, 0);
    }
}

} // namespace

UberCameraPtr kxUberCameraUtils::convertFromSetting(const CameraSettingPtr& setting,
                                                    bool withInternalNode) {
    if (setting.isNull())
        return UberCameraPtr();
    const NodePtr internalParent = withInternalNode ? kxUberCameraPool::getRoot() : NodePtr();
    const UberCameraPtr camera =
        kxUberCameraPool::the()->createCamera("UberCamera", internalParent);
    if (camera.isNull())
        return camera;
    beginEditCP(camera, FieldBits_AllFields);
    applySetting(*setting, *camera);
    endEditCP(camera, FieldBits_AllFields);
    return camera;
}

bool kxUberCameraUtils::convertToUberCamera(const NodePtr& node) {
    if (node.isNull())
        return false;
    const CameraSettingPtr setting = CameraSettingPtr::dcast(node->getCore());
    if (setting.isNull())
        return false;
    const std::string name = NodeUtils::getName(node);
    const UberCameraPtr camera = convertFromSetting(setting, true);
    if (camera.isNull())
        return false;

    takeOverCameraAttachment(node, camera);
    takeOverBeacons(*setting, camera);
    setName(camera, name, false);
    // The setting may go with the core it was: nothing reads it past here.
    beginEditCP(node, Node::CoreFieldMask);
    node->setCore(camera);
    endEditCP(node, Node::CoreFieldMask);
    // The camera carries the name now.
    detach(node, getNameAttachment(node));

    std::vector<NodePtr> tracks;
    visitSubtree(node, [&](const NodePtr& visited) {
        convertLegacyCameraTrackGroup(visited);
        if (isCameraTrackNode(visited))
            tracks.push_back(visited);
    });
    for (const NodePtr& track : tracks) {
        std::cout << TrackConversionMessage << NodeUtils::getName(track) << std::endl;
        kxUberCameraPool::the()->addLegacyCameraTrack(track, camera->getInternalParentNode());
    }
    return true;
}

void kxUberCameraUtils::convertLegacyCameraTrackGroup(const NodePtr& node) {
    if (node.isNull())
        return;
    if (!isMarkedAsTrack(getValuePair(node)))
        return;
    if (node->getCore().isNull() || isCameraTrackCore(node->getCore()))
        return;

    const ValuePairPtr pairs = getValuePair(node);
    std::string pause;
    pairs->get(PauseDurationKey, pause);
    const CameraTrackPtr track = CameraTrack::create();
    if (track.isNull())
        return;
    if (!pause.empty()) {
        beginEditCP(track, CameraTrackBase::PauseDurationFieldMask);
        track->setPauseDuration(narrowToReal32(std::atof(pause.c_str())));
        endEditCP(track, CameraTrackBase::PauseDurationFieldMask);
    }
    // The variant-set mark stays: it tells the host more than that this is a track.
    beginEditCP(pairs, FieldBits_AllFields);
    pairs->del(CameraTrackKey);
    pairs->del(PauseDurationKey);
    endEditCP(pairs, FieldBits_AllFields);

    const BitVector mask = Node::CoreFieldMask | AttachmentContainer::AttachmentsFieldMask;
    beginEditCP(node, mask);
    node->setCore(track);
    if (pairs->getSize() == 0)
        node->subAttachment(pairs);
    endEditCP(node, mask);

    // The legacy cameras of a track keep their own timing.
    for (UInt32 i = 0; i < node->getNChildren(); ++i) {
        const NodePtr child = node->getChild(i);
        if (child.isNull() || CameraSettingPtr::dcast(child->getCore()).isNull())
            continue;
        const CameraAttachmentPtr attachment = getCameraAttachment(child);
        if (attachment.isNull())
            continue;
        beginEditCP(attachment, CameraAttachment::OverrideTrackSettingsFieldMask);
        attachment->setOverrideTrackSettings(true);
        endEditCP(attachment, CameraAttachment::OverrideTrackSettingsFieldMask);
    }
}
