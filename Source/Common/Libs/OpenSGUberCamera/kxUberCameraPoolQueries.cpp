// Read-only answers of the registry: the id map filtered, the camera tree's
// lists, and the repair of internal nodes built on them.

#include "kxUberCameraPool.h"

#include "NodeUtils.h"
#include "kxUberCameraUtils.h"

#include <algorithm>
#include <set>

using namespace osg;

namespace {

bool passes(const UberCameraPtr& camera, bool excludeInternal, bool excludeViewpoints) {
    if (camera.isNull())
        return false;
    if (excludeInternal && camera->hasFlag(UberCamera::InternalCameraFlag))
        return false;
    return !(excludeViewpoints && camera->isViewpoint());
}

bool isInternalNode(const NodePtr& node) {
    return (node->getExternalFlags() & UberCamera::InternalNodeFlag) != 0;
}

std::vector<NodePtr> camerasWhere(const std::vector<NodePtr>& nodes, bool defaultCameras) {
    std::vector<NodePtr> kept;
    for (const NodePtr& node : nodes) {
        if (!node.isNull() && kxUberCameraUtils::isDefaultCamera(node) == defaultCameras)
            kept.push_back(node);
    }
    return kept;
}

} // namespace

std::vector<unsigned int> kxUberCameraPool::getContentIds(bool excludeInternal,
                                                          bool excludeViewpoints) {
    std::vector<unsigned int> ids;
    ids.reserve(m_cameras.size());
    for (const auto& [id, camera] : m_cameras) {
        if (passes(camera, excludeInternal, excludeViewpoints))
            ids.push_back(id);
    }
    return ids;
}

std::vector<UberCameraPtr> kxUberCameraPool::getContentPtrs(bool excludeInternal,
                                                            bool excludeViewpoints) {
    std::vector<UberCameraPtr> cameras;
    cameras.reserve(m_cameras.size());
    for (const auto& [id, camera] : m_cameras) {
        if (passes(camera, excludeInternal, excludeViewpoints))
            cameras.push_back(camera);
    }
    return cameras;
}

std::vector<NodePtr> kxUberCameraPool::getContentNodes(bool excludeInternal,
                                                       bool excludeViewpoints) {
    std::vector<NodePtr> nodes;
    nodes.reserve(m_cameras.size());
    for (const auto& [id, camera] : m_cameras) {
        if (!passes(camera, excludeInternal, excludeViewpoints))
            continue;
        const NodePtr node =
            camera->isViewpoint() ? camera->getInternalParentNode() : camera->getActiveParentNode();
        if (!node.isNull())
            nodes.push_back(node);
    }
    return nodes;
}

std::vector<NodePtr> kxUberCameraPool::getVisualizationNodes() {
    std::vector<NodePtr> nodes;
    for (const auto& [id, camera] : m_cameras) {
        if (!passes(camera, true, true) || !camera->hasFlag(UberCamera::RenderVisualizationFlag))
            continue;
        for (const NodePtr& parent : camera->getParents()) {
            if (!parent.isNull() && !isInternalNode(parent))
                nodes.push_back(parent);
        }
    }
    return nodes;
}

std::vector<NodePtr> kxUberCameraPool::filterNullPointer(const std::vector<NodePtr>& nodes) {
    std::vector<NodePtr> kept;
    kept.reserve(nodes.size());
    std::copy_if(nodes.begin(), nodes.end(), std::back_inserter(kept),
                 [](const NodePtr& node) { return !node.isNull(); });
    return kept;
}

std::vector<NodePtr> kxUberCameraPool::getCameraNodes() {
    return kxUberCameraUtils::getCameraNodes(getRoot());
}

std::vector<NodePtr> kxUberCameraPool::getCameraTrackNodes() {
    return kxUberCameraUtils::getCameraTrackNodes(getRoot());
}

std::vector<NodePtr> kxUberCameraPool::getViewpointNodes() {
    return kxUberCameraUtils::getViewpointNodes(getRoot());
}

std::vector<NodePtr> kxUberCameraPool::getDefaultCameras() {
    return camerasWhere(the()->getCameraNodes(), true);
}

std::vector<NodePtr> kxUberCameraPool::getCustomCameras() {
    return camerasWhere(the()->getCameraNodes(), false);
}

std::vector<NodePtr> kxUberCameraPool::getUnassignedViewpoints() {
    const NodePtr root = getRoot();
    const std::vector<NodePtr> viewpoints =
        filterNullPointer(kxUberCameraUtils::getViewpointNodes(root));
    const std::vector<NodePtr> trackList =
        filterNullPointer(kxUberCameraUtils::getCameraTrackNodes(root));
    const std::set<NodePtr> tracks(trackList.begin(), trackList.end());
    std::vector<NodePtr> unassigned;
    for (const NodePtr& viewpoint : viewpoints) {
        if (tracks.count(viewpoint->getParent()) == 0)
            unassigned.push_back(viewpoint);
    }
    return unassigned;
}

void kxUberCameraPool::createMissingInternalNodes() {
    for (const NodePtr& node : getContentNodes(true, true)) {
        const UberCameraPtr camera = kxUberCameraUtils::getUberCamera(node);
        if (!camera.isNull() && camera->getInternalParentNode().isNull())
            createInternalNode(camera, getRoot());
    }
}

void kxUberCameraPool::removeRedundantInternalNodes() {
    // Removing a camera may free listed nodes and cameras: hold them until the
    // end, and remove each camera once so an internal camera is released once.
    const std::vector<NodePtr> nodes = getCameraNodes();
    std::vector<UberCameraPtr> cameras;
    for (const NodePtr& node : nodes) {
        cameras.push_back(kxUberCameraUtils::getUberCamera(node));
        addRefCP(node);
    }
    std::set<UberCameraPtr> removed;
    for (const UberCameraPtr& camera : cameras) {
        if (camera.isNull() || removed.count(camera) != 0)
            continue;
        if (!NodeUtils::isScenegraphNode(camera->getActiveParentNode())) {
            removed.insert(camera);
            remove(camera);
        }
    }
    for (const NodePtr& node : nodes)
        subRefCP(node);
}

void kxUberCameraPool::validateInternalNodes() {
    createMissingInternalNodes();
    removeRedundantInternalNodes();
}
