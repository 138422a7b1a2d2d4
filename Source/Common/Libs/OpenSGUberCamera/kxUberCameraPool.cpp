// The registry's id map, the camera root, and making, adopting and dropping
// cameras in the camera tree.

#include "kxUberCameraPool.h"

#include "NodeUtils.h"
#include "OSGClone.h"
#include "kxSceneData.h"
#include "kxUberCameraUtils.h"

#include <iostream>

using namespace osg;

namespace {
kxUberCameraPool::CameraMap makeCameraMap() {
    kxUberCameraPool::CameraMap map;
    map.max_load_factor(1.0f);
    return map;
}

void editCameraFlags(const UberCameraPtr& camera, UInt64 flags) {
    beginEditCP(camera, Transform3DBase::FlagsFieldMask);
    camera->addFlag(flags);
    endEditCP(camera, Transform3DBase::FlagsFieldMask);
}

void appendChild(const NodePtr& parent, const NodePtr& child) {
    beginEditCP(parent, Node::ChildrenFieldMask);
    parent->addChild(child);
    endEditCP(parent, Node::ChildrenFieldMask);
}

bool isInternalNode(const NodePtr& node) {
    return !node.isNull() && (node->getExternalFlags() & UberCamera::InternalNodeFlag) != 0;
}
} // namespace

// Built while the library loads, before any camera registers itself.
kxUberCameraPool::CameraMap kxUberCameraPool::m_cameras = makeCameraMap();
kxUberCameraPool* kxUberCameraPool::m_the = nullptr;

namespace {

// Entries of the id map are made in runs of this many, ahead of need.
constexpr size_t EntryRun = 256;

// Unused map entries, made together so that they lie side by side in memory.
kxUberCameraPool::CameraMap& spareEntries() {
    static kxUberCameraPool::CameraMap spare;
    return spare;
}

} // namespace

// Each camera's creation allocates a few kilobytes between two entries of the
// id map, so entries made one by one lie on different pages, and walking the
// map (every list over all cameras does) misses cache and TLB once per camera.
// Entries taken from runs made together keep the walk in order in memory.
void kxUberCameraPool::registerCamera(unsigned int id, const UberCameraPtr& camera) {
    if (m_cameras.count(id) != 0)
        return;
    CameraMap& spare = spareEntries();
    if (spare.empty()) {
        spare.reserve(EntryRun); // no bucket array allocated between the entries
        for (unsigned int key = 0; key < EntryRun; ++key)
            spare.emplace(key, UberCameraPtr());
    }
    CameraMap::node_type entry = spare.extract(spare.begin());
    entry.key() = id;
    entry.mapped() = camera;
    m_cameras.insert(std::move(entry));
}

kxUberCameraPool* kxUberCameraPool::the() {
    if (m_the == nullptr)
        m_the = new kxUberCameraPool();
    return m_the;
}

UberCameraPtr kxUberCameraPool::get(const unsigned int& id) {
    auto it = m_cameras.find(id);
    return it == m_cameras.end() ? UberCameraPtr() : it->second;
}

NodePtr kxUberCameraPool::getRoot() {
    const MaterialPoolPtr pool = kxSceneDataManager::getSceneData(0)->getMaterialPool();
    if (pool.isNull()) {
        std::cout << NoCameraRootMessage << std::endl;
        return NodePtr();
    }
    pool->initCameraRoot();
    return pool->getCameraRoot();
}

UberCameraPtr kxUberCameraPool::createCamera(const std::string& name,
                                             const NodePtr& internalParent) {
    const UberCameraPtr camera = UberCameraBase::create();
    if (camera.isNull())
        return camera;
    editCameraFlags(camera, UberCamera::RenderVisualizationFlag | UberCamera::RegistryCameraFlag);
    kxUberCameraUtils::setName(camera, name, false);
    if (!internalParent.isNull())
        createInternalNode(camera, internalParent);
    return camera;
}

NodePtr kxUberCameraPool::createCameraNode(const std::string& name, const NodePtr& parent,
                                           const NodePtr& internalParent) {
    const UberCameraPtr camera = createCamera(name, internalParent);
    const NodePtr node = NodeUtils::createNodeWithCore(camera, parent, name);
    if (!camera.isNull())
        camera->updateActiveParentIndex();
    return node;
}

UberCameraPtr kxUberCameraPool::createInternalCamera(const UberCameraPtr& source) {
    const UberCameraPtr camera = source.isNull() ? UberCameraPtr(UberCameraBase::create())
                                                 : UberCameraPtr::dcast(deepClone(source, "Image"));
    if (camera.isNull())
        return camera;
    addRefCP(camera); // released by remove()
    editCameraFlags(camera, UberCamera::InternalCameraFlag);
    kxUberCameraUtils::setName(camera, InternalCameraName, false);
    return camera;
}

NodePtr kxUberCameraPool::createInternalNode(const UberCameraPtr& camera, const NodePtr& parent) {
    if (m_blockInternalNodes || camera.isNull())
        return NodePtr();
    const NodePtr node = Node::create();
    if (node.isNull())
        return node;
    beginEditCP(node, Node::ExternalFlagsFieldMask | Node::CoreFieldMask);
    node->setCore(camera);
    node->setExternalFlags(node->getExternalFlags() | UberCamera::InternalNodeFlag);
    endEditCP(node, Node::ExternalFlagsFieldMask | Node::CoreFieldMask);
    if (!parent.isNull())
        appendChild(parent, node);
    return node;
}

NodePtr kxUberCameraPool::add(const UberCameraPtr& camera, NodePtr parent) {
    if (camera.isNull())
        return NodePtr();
    if (parent.isNull())
        parent = getRoot();
    return createInternalNode(camera, parent);
}

void kxUberCameraPool::remove(const UberCameraPtr& camera) {
    if (camera.isNull())
        return;
    const bool internalCamera = camera->hasFlag(UberCamera::InternalCameraFlag);
    // A copy: detaching a node takes it out of the core's parent list.
    const std::vector<NodePtr> parents(camera->getParents().begin(), camera->getParents().end());
    for (const NodePtr& node : parents) {
        if (!isInternalNode(node))
            continue;
        const NodePtr above = node->getParent();
        if (above.isNull())
            continue;
        beginEditCP(above, Node::ChildrenFieldMask);
        above->subChild(node);
        endEditCP(above, Node::ChildrenFieldMask);
    }
    if (internalCamera)
        subRefCP(camera);
}

NodePtr kxUberCameraPool::addGroup(NodePtr parent) {
    const NodePtr node = Node::create();
    if (node.isNull())
        return node;
    beginEditCP(node, Node::CoreFieldMask);
    node->setCore(Group::create());
    endEditCP(node, Node::CoreFieldMask);
    if (parent.isNull())
        parent = getRoot();
    if (!parent.isNull())
        appendChild(parent, node);
    return node;
}
