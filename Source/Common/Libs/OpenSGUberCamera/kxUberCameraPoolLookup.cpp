// Finding nodes and cameras below the camera root: by name, by core, and the
// camera the scene starts with.

#include "kxUberCameraPool.h"

#include "NodeUtils.h"
#include "OSGAction.h"
#include "kxUberCameraUtils.h"

#include <functional>

using namespace osg;

namespace {

// The first node below the camera root (depth first, root first) that `matches`.
NodePtr findBelowRoot(const std::function<bool(const NodePtr&)>& matches) {
    NodePtr found;
    traverse(kxUberCameraPool::getRoot(), [&](NodePtr& node) {
        if (node.isNull())
            return Action::Skip;
        if (!matches(node))
            return Action::Continue;
        found = node;
        return Action::Quit;
    });
    return found;
}

bool isNotInitialNode(const NodePtr& node) {
    return (node->getFlags() & kxUberCameraPool::NotInitialNodeFlag) != 0;
}

} // namespace

NodePtr kxUberCameraPool::find(const std::string& name) const {
    return findBelowRoot([&](const NodePtr& node) { return NodeUtils::getName(node) == name; });
}

NodePtr kxUberCameraPool::find(const UberCameraPtr& camera) const {
    if (camera.isNull())
        return NodePtr();
    return findBelowRoot([&](const NodePtr& node) { return node->getCore() == camera; });
}

NodePtr kxUberCameraPool::findCameraTrackNode(const std::string& name) const {
    return findBelowRoot([&](const NodePtr& node) {
        return kxUberCameraUtils::isCameraTrackNode(node) && NodeUtils::getName(node) == name;
    });
}

UberCameraPtr kxUberCameraPool::findCamera(const std::string& name) const {
    return kxUberCameraUtils::getUberCamera(findBelowRoot([&](const NodePtr& node) {
        return kxUberCameraUtils::isNonViewpointCamera(node) && NodeUtils::getName(node) == name;
    }));
}

UberCameraPtr kxUberCameraPool::findViewpoint(const std::string& name) const {
    return kxUberCameraUtils::getUberCamera(findBelowRoot([&](const NodePtr& node) {
        return kxUberCameraUtils::isViewpoint(node) && NodeUtils::getName(node) == name;
    }));
}

UberCameraPtr kxUberCameraPool::getInitialCamera() const {
    UberCameraPtr initial, fallback;
    traverse(getRoot(), [&](NodePtr& node) {
        if (node.isNull())
            return Action::Skip;
        const UberCameraPtr camera = kxUberCameraUtils::getUberCamera(node);
        if (camera.isNull())
            return Action::Continue;
        if (camera->isInitial()) {
            const NodePtr active = camera->getActiveParentNode();
            if (active.isNull() || isNotInitialNode(active))
                return Action::Continue;
            initial = camera;
            return Action::Quit;
        }
        // The last perspective default camera starts the scene when none is marked.
        if (camera->getDefaultCameraId() == UberCamera::PerspectiveView)
            fallback = camera;
        return Action::Continue;
    });
    return initial.isNull() ? fallback : initial;
}
