// `uber-camera cameras`: a sample scene built through the camera registry,
// and the registry's own account of it.

#include "Cameras.h"
#include "Report.h"
#include "SampleScene.h"

#include "NodeUtils.h"
#include "OSGCameraTrack.h"
#include "OSGGroup.h"
#include "kxUberCameraPool.h"
#include "kxUberCameraUtils.h"

#include <algorithm>
#include <iomanip>
#include <string>
#include <vector>

using namespace osg;
using report::defaultIdName;
using report::flagNames;
using report::nodeLabel;
using report::printTree;

namespace {

// ---- the sample scene ------------------------------------------------------------------

UberCameraPtr cameraOf(const NodePtr& node) {
    return kxUberCameraUtils::getUberCamera(node);
}

// A viewpoint of `camera` named `name`, with its internal node below `parent`.
void addViewpoint(const UberCameraPtr& camera, const char* name, const NodePtr& parent) {
    const UberCameraPtr viewpoint = kxUberCameraUtils::createViewpoint(camera);
    kxUberCameraUtils::setName(viewpoint, name, false);
    kxUberCameraPool::the()->add(viewpoint, parent);
}

// Scene 0 gets a root "Scene" and a material pool; below the camera root: the
// four default views, a group with two user cameras, an internal camera, a
// loose viewpoint and a camera track with two. One user camera also stands on
// a second scene node. Returns the internal camera (the registry holds it).
UberCameraPtr buildSampleScene() {
    const NodePtr sceneRoot = sample::startScene();
    kxUberCameraPool* pool = kxUberCameraPool::the();
    const NodePtr cameraRoot = kxUberCameraPool::getRoot();

    sample::addDefaultViews(NodeUtils::createNodeWithCore(Group::create(), sceneRoot, "Views"));

    const NodePtr building = NodeUtils::createNodeWithCore(Group::create(), sceneRoot, "Building");
    const NodePtr userCameras = pool->addGroup(NodePtr());
    const UberCameraPtr orbit = cameraOf(pool->createCameraNode("Orbit", building, userCameras));
    const UberCameraPtr walkthrough =
        cameraOf(pool->createCameraNode("Walkthrough", building, userCameras));
    const NodePtr stage = NodeUtils::createNodeWithCore(Group::create(), sceneRoot, "Stage");
    NodeUtils::createNodeWithCore(walkthrough, stage, "Walkthrough on stage");
    kxUberCameraUtils::setInitialCamera(walkthrough);

    const UberCameraPtr internal = pool->createInternalCamera(orbit);
    pool->add(internal, NodePtr());

    addViewpoint(orbit, "Overview", cameraRoot);
    const NodePtr tour = NodeUtils::createNodeWithCore(CameraTrack::create(), cameraRoot, "Tour");
    addViewpoint(walkthrough, "Tour stop 1", tour);
    addViewpoint(walkthrough, "Tour stop 2", tour);
    return internal;
}

void releaseSampleScene(const UberCameraPtr& internal) {
    kxUberCameraPool::the()->remove(internal);
    sample::clearScene();
}

// ---- reading it back --------------------------------------------------------------------

// "/Scene/Building/Orbit": the node's names from the top of its tree.
std::string nodePath(const NodePtr& node, const NodePtr& cameraRoot) {
    if (node.isNull())
        return "-";
    std::string path;
    for (NodePtr at = node; !at.isNull(); at = at->getParent())
        path = "/" + nodeLabel(at, cameraRoot) + path;
    return path;
}

std::string joined(const std::vector<std::string>& parts) {
    if (parts.empty())
        return "-";
    std::string text = parts.front();
    for (size_t i = 1; i < parts.size(); ++i)
        text += ", " + parts[i];
    return text;
}

std::string cameraLabel(const UberCameraPtr& camera) {
    if (camera.isNull())
        return "-";
    return kxUberCameraUtils::getName(camera) + " (#" + std::to_string(camera->getId()) + ")";
}

std::string nodeNames(const std::vector<NodePtr>& nodes) {
    std::vector<std::string> names;
    for (const NodePtr& node : nodes)
        names.push_back(NodeUtils::getName(node));
    return joined(names);
}

void printCameras(std::ostream& out, const NodePtr& cameraRoot) {
    std::vector<UberCameraPtr> cameras = kxUberCameraPool::getContentPtrs(false, false);
    std::sort(cameras.begin(), cameras.end(), [](const UberCameraPtr& a, const UberCameraPtr& b) {
        return a->getId() < b->getId();
    });

    struct Row {
        std::string id, name, defaultId, activeParent, sceneNodes, flags;
    };
    std::vector<Row> rows{{"id", "name", "default", "active parent", "scene nodes", "flags"}};
    for (const UberCameraPtr& camera : cameras) {
        std::vector<std::string> sceneNodes;
        for (const NodePtr& parent : camera->getParents()) {
            if (!kxUberCameraUtils::isInternalCameraNode(parent))
                sceneNodes.push_back(nodePath(parent, cameraRoot));
        }
        rows.push_back({std::to_string(camera->getId()), kxUberCameraUtils::getName(camera),
                        defaultIdName(camera->getDefaultCameraId()),
                        nodePath(camera->getActiveParentNode(), cameraRoot), joined(sceneNodes),
                        flagNames(camera->getFlags())});
    }

    size_t width[5] = {};
    for (const Row& row : rows) {
        const std::string* cells[] = {&row.id, &row.name, &row.defaultId, &row.activeParent,
                                      &row.sceneNodes};
        for (size_t i = 0; i < 5; ++i)
            width[i] = std::max(width[i], cells[i]->size());
    }
    out << "\nRegistered cameras (" << cameras.size() << ")\n";
    for (const Row& row : rows) {
        out << "  " << std::left << std::setw(int(width[0])) << row.id << "  "
            << std::setw(int(width[1])) << row.name << "  " << std::setw(int(width[2]))
            << row.defaultId << "  " << std::setw(int(width[3])) << row.activeParent << "  "
            << std::setw(int(width[4])) << row.sceneNodes << "  " << row.flags << "\n";
    }
}

void printQueries(std::ostream& out) {
    kxUberCameraPool* pool = kxUberCameraPool::the();
    const std::pair<const char*, std::string> answers[] = {
        {"initial camera", cameraLabel(pool->getInitialCamera())},
        {"default cameras", nodeNames(pool->getDefaultCameras())},
        {"custom cameras", nodeNames(pool->getCustomCameras())},
        {"viewpoints", nodeNames(pool->getViewpointNodes())},
        {"unassigned viewpoints", nodeNames(pool->getUnassignedViewpoints())},
        {"camera tracks", nodeNames(pool->getCameraTrackNodes())},
        {"visualised scene nodes", nodeNames(kxUberCameraPool::getVisualizationNodes())},
    };
    out << "\nQueries\n";
    for (const auto& [question, answer] : answers)
        out << "  " << std::left << std::setw(24) << question << answer << "\n";
}

} // namespace

bool reportCameraRegistry(std::ostream& out) {
    const UberCameraPtr internal = buildSampleScene();
    const NodePtr cameraRoot = kxUberCameraPool::getRoot();
    if (cameraRoot.isNull()) {
        releaseSampleScene(internal);
        return false;
    }
    out << "Camera tree\n";
    printTree(out, cameraRoot, cameraRoot, 0);
    printCameras(out, cameraRoot);
    printQueries(out);
    releaseSampleScene(internal);
    return true;
}
