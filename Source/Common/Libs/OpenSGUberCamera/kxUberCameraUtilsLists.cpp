// Which nodes below a root carry cameras, viewpoints and camera tracks.

#include "kxUberCameraUtils.h"

#include "OSGAction.h"

#include <set>

using namespace osg;

namespace {

using NodePredicate = bool (*)(const NodePtr& node);

// Every node below and including `root` that `matches`, in walk order.
std::vector<NodePtr> collectNodes(const NodePtr& root, NodePredicate matches) {
    std::vector<NodePtr> found;
    traverse(root, [&](NodePtr& node) {
        if (node.isNull())
            return Action::Skip;
        if (matches(node))
            found.push_back(node);
        return Action::Continue;
    });
    return found;
}

bool isViewpointNode(const NodePtr& node) {
    return kxUberCameraUtils::isViewpoint(node);
}

} // namespace

std::vector<UberCameraPtr> kxUberCameraUtils::getCameras(const NodePtr& root,
                                                         bool includeViewpoints) {
    std::vector<UberCameraPtr> cameras;
    std::set<UberCameraPtr> listed;
    traverse(root, [&](NodePtr& node) {
        const UberCameraPtr camera = getUberCamera(node);
        if (camera.isNull() || (!includeViewpoints && camera->isViewpoint()))
            return Action::Continue;
        if (listed.insert(camera).second)
            cameras.push_back(camera);
        return Action::Continue;
    });
    return cameras;
}

std::vector<NodePtr> kxUberCameraUtils::getCameraNodes(const NodePtr& root) {
    return collectNodes(root, &kxUberCameraUtils::isNonViewpointCamera);
}

std::vector<NodePtr> kxUberCameraUtils::getCameraTrackNodes(const NodePtr& root) {
    return collectNodes(root, &kxUberCameraUtils::isCameraTrackNode);
}

std::vector<NodePtr> kxUberCameraUtils::getViewpointNodes(const NodePtr& root) {
    return collectNodes(root, &isViewpointNode);
}

std::vector<NodePtr> kxUberCameraUtils::getSceneCameraNodes(const NodePtr& node) {
    const UberCameraPtr camera = getUberCamera(node);
    if (camera.isNull())
        return {};
    std::vector<NodePtr> nodes;
    for (const NodePtr& parent : camera->getParents()) {
        if (!isInternalCameraNode(parent))
            nodes.push_back(parent);
    }
    return nodes;
}
