// What a node or a camera is: camera, viewpoint, default camera, internal node.

#include "kxUberCameraUtils.h"

#include "OSGCameraTrack.h"

using namespace osg;

namespace {

bool hasExternalFlag(const NodePtr& node, UInt32 flag) {
    return (node->getExternalFlags() & flag) != 0;
}

bool isTrackingUserNode(const NodePtr& node) {
    return hasExternalFlag(node, UberCamera::TrackingUserNodeFlag);
}

} // namespace

bool kxUberCameraUtils::isUberCamera(const NodePtr& node) {
    return !getUberCamera(node).isNull();
}

UberCameraPtr kxUberCameraUtils::getUberCamera(const NodePtr& node) {
    if (node.isNull())
        return UberCameraPtr();
    return UberCameraPtr::dcast(node->getCore());
}

bool kxUberCameraUtils::isViewpoint(const NodePtr& node) {
    return isViewpoint(getUberCamera(node));
}

bool kxUberCameraUtils::isViewpoint(const UberCameraPtr& camera) {
    return !camera.isNull() && camera->isViewpoint();
}

bool kxUberCameraUtils::isNonViewpointCamera(const NodePtr& node) {
    const UberCameraPtr camera = getUberCamera(node);
    return !camera.isNull() && !camera->isViewpoint();
}

bool kxUberCameraUtils::isDefaultCamera(const UberCameraPtr& camera) {
    return !camera.isNull() && !camera->isViewpoint() &&
           camera->getDefaultCameraId() != UberCamera::NoDefaultCamera;
}

bool kxUberCameraUtils::isDefaultCamera(const NodePtr& node) {
    return isDefaultCamera(getUberCamera(node));
}

bool kxUberCameraUtils::isOrthographicCamera(const UberCameraPtr& camera) {
    return !camera.isNull() && camera->isOrthographic();
}

bool kxUberCameraUtils::isOrthographicDefaultCamera(const UberCameraPtr& camera) {
    return isDefaultCamera(camera) && camera->isOrthographic();
}

bool kxUberCameraUtils::isInternalCameraNode(const NodePtr& node) {
    return !node.isNull() && hasExternalFlag(node, UberCamera::InternalNodeFlag) &&
           isUberCamera(node);
}

bool kxUberCameraUtils::isCameraTrackNode(const NodePtr& node) {
    if (node.isNull())
        return false;
    const NodeCorePtr& core = node->getCore();
    return !core.isNull() && core->getType().isDerivedFrom(CameraTrack::getClassType());
}

bool kxUberCameraUtils::hasNonDefaultChildren(const NodePtr& node) {
    if (node.isNull() || node->getNChildren() == 0)
        return false;
    if (hasExternalFlag(node, UberCamera::InternalNodeFlag))
        return false;
    if (node->getNChildren() > 1)
        return true;
    const NodePtr only = node->getChild(0);
    if (only.isNull())
        return false;
    // The tracking-user node is the system's own; what hangs below it is the user's.
    return !isTrackingUserNode(only) || only->getNChildren() > 0;
}

bool kxUberCameraUtils::hasNonDefaultChildren(const UberCameraPtr& camera) {
    if (camera.isNull())
        return false;
    for (const NodePtr& parent : camera->getParents()) {
        if (hasNonDefaultChildren(parent))
            return true;
    }
    return false;
}

UberCameraPtr kxUberCameraUtils::findParentUberCamera(const NodePtr& node) {
    if (node.isNull())
        return UberCameraPtr();
    for (NodePtr up = node->getParent(); !up.isNull(); up = up->getParent()) {
        if (isNonViewpointCamera(up))
            return getUberCamera(up);
    }
    return UberCameraPtr();
}

UberCameraPtr kxUberCameraUtils::findParentUberCamera(const UberCameraPtr& camera) {
    if (!isViewpoint(camera))
        return UberCameraPtr();
    return findParentUberCamera(camera->getInternalParentNode());
}

UberCameraPtr kxUberCameraUtils::getNonDecoratedUberCamera(const CameraPtr& camera) {
    if (camera.isNull())
        return UberCameraPtr();
    const UberCameraPtr self = UberCameraPtr::dcast(camera);
    if (!self.isNull())
        return self;
    return UberCameraPtr::dcast(camera->getNonDecoratorCamera());
}

UberCameraPtr kxUberCameraUtils::getNonDecoratedUberCamera(Camera* camera) {
    if (camera == nullptr)
        return UberCameraPtr();
    return getNonDecoratedUberCamera(CameraPtr(camera));
}
