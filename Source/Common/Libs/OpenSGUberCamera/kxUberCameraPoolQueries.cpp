// Read-only answers of the registry: the id map filtered, the camera tree's
// lists, and the repair of internal nodes built on them.

#include "kxUberCameraPool.h"

#include "NodeUtils.h"
#include "kxUberCameraUtils.h"

#include <algorithm>
#include <set>

using namespace osg;

namespace {

// ---- walking the id map -------------------------------------------------------------
//
// The cameras lie kilobytes apart in memory, so over many cameras a walk that
// waits for each camera, then its parent list, then its first parent node
// spends nearly all its time on cache misses. The walk below fetches those
// ahead, one stage per few entries, so that they arrive before they are read.

constexpr int FetchDistance = 4;

/// How much of each camera a walk reads: its own fields, or also its parent nodes.
enum class Reach { Camera, ParentNodes };

void fetch(const void* address) {
    __builtin_prefetch(address);
}

void fetchCamera(const UberCameraPtr& camera) {
    if (camera.isNull())
        return;
    fetch(&camera->getFlags());
    fetch(&camera->getParents());
}

void fetchParentList(const UberCameraPtr& camera) {
    if (!camera.isNull() && camera->getParents().size() != 0)
        fetch(camera->getParents().getValues().data());
}

void fetchFirstParent(const UberCameraPtr& camera) {
    if (camera.isNull() || camera->getParents().size() == 0)
        return;
    const NodePtr& first = camera->getParents()[0];
    if (!first.isNull())
        fetch(&first->getExternalFlags());
}

/// Calls `visit(id, camera)` for every entry of the id map, in map order.
template <Reach reach, class Visit> void forEachRegistered(Visit&& visit) {
    using Iterator = kxUberCameraPool::CameraMap::const_iterator;
    const kxUberCameraPool::CameraMap& cameras = kxUberCameraPool::m_cameras;
    const Iterator end = cameras.end();
    // Leads run ahead of the visit by one, two and three fetch distances.
    Iterator leads[3] = {cameras.begin(), cameras.begin(), cameras.begin()};
    for (int stage = 0; stage < 3; ++stage) {
        for (int step = 0; step < FetchDistance * (stage + 1) && leads[stage] != end; ++step)
            ++leads[stage];
    }
    for (Iterator it = cameras.begin(); it != end; ++it) {
        if (leads[2] != end)
            fetchCamera((leads[2]++)->second);
        if (reach == Reach::ParentNodes) {
            if (leads[1] != end)
                fetchParentList((leads[1]++)->second);
            if (leads[0] != end)
                fetchFirstParent((leads[0]++)->second);
        }
        visit(it->first, it->second);
    }
}

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
    forEachRegistered<Reach::Camera>([&](unsigned int id, const UberCameraPtr& camera) {
        if (passes(camera, excludeInternal, excludeViewpoints))
            ids.push_back(id);
    });
    return ids;
}

std::vector<UberCameraPtr> kxUberCameraPool::getContentPtrs(bool excludeInternal,
                                                            bool excludeViewpoints) {
    std::vector<UberCameraPtr> cameras;
    cameras.reserve(m_cameras.size());
    forEachRegistered<Reach::Camera>([&](unsigned int, const UberCameraPtr& camera) {
        if (passes(camera, excludeInternal, excludeViewpoints))
            cameras.push_back(camera);
    });
    return cameras;
}

std::vector<NodePtr> kxUberCameraPool::getContentNodes(bool excludeInternal,
                                                       bool excludeViewpoints) {
    std::vector<NodePtr> nodes;
    nodes.reserve(m_cameras.size());
    forEachRegistered<Reach::ParentNodes>([&](unsigned int, const UberCameraPtr& camera) {
        if (!passes(camera, excludeInternal, excludeViewpoints))
            return;
        const NodePtr node =
            camera->isViewpoint() ? camera->getInternalParentNode() : camera->getActiveParentNode();
        if (!node.isNull())
            nodes.push_back(node);
    });
    return nodes;
}

std::vector<NodePtr> kxUberCameraPool::getVisualizationNodes() {
    std::vector<NodePtr> nodes;
    nodes.reserve(m_cameras.size());
    forEachRegistered<Reach::ParentNodes>([&](unsigned int, const UberCameraPtr& camera) {
        if (!passes(camera, true, true) || !camera->hasFlag(UberCamera::RenderVisualizationFlag))
            return;
        for (const NodePtr& parent : camera->getParents()) {
            if (!parent.isNull() && !isInternalNode(parent))
                nodes.push_back(parent);
        }
    });
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
