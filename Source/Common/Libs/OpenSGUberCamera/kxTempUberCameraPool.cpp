#include "kxTempUberCameraPool.h"

#include "NodeUtils.h"
#include "OSGClone.h"
#include "OSGFieldContainerFactory.h"
#include "kxUberCameraPool.h"
#include "kxUberCameraUtils.h"

using namespace osg;

namespace {

void setDefaultCameraId(const UberCameraPtr& camera, Int32 id) {
    beginEditCP(camera, UberCameraBase::DefaultCameraIdFieldMask);
    camera->setDefaultCameraId(id);
    endEditCP(camera, UberCameraBase::DefaultCameraIdFieldMask);
}

// A camera destroyed since it was saved is not touched: the registry no
// longer lists it under its id (the pointer itself is not followed).
bool isAlive(const UberCameraPtr& camera, UInt32 containerId) {
    return !camera.isNull() && kxUberCameraPool::get(containerId) == camera;
}

} // namespace

kxTempUberCameraPool::kxTempUberCameraPool(const MaterialPoolPtr& pool)
    : m_poolId(pool.isNull() ? 0 : pool->getId()) {}

kxTempUberCameraPool::~kxTempUberCameraPool() {
    reset();
}

MaterialPoolPtr kxTempUberCameraPool::getPool() const {
    return MaterialPoolPtr::dcast(FieldContainerFactory::the()->getContainer(m_poolId));
}

bool kxTempUberCameraPool::cloneNodeToPool(const NodePtr& node, const NodePtr& parent) {
    if (node.isNull() || parent.isNull())
        return false;
    beginEditCP(parent, Node::ChildrenFieldMask);
    parent->addChild(cloneTree(node, true));
    endEditCP(parent, Node::ChildrenFieldMask);
    return true;
}

bool kxTempUberCameraPool::add(const NodePtr& node) {
    const MaterialPoolPtr pool = getPool();
    if (node.isNull() || pool.isNull())
        return false;
    kxUberCameraPool* registry = kxUberCameraPool::the();
    const NodePtr sceneRoot = kxUberCameraPool::getRoot();
    if (sceneRoot.isNull())
        return false;
    pool->initCameraRoot();
    const NodePtr tempRoot = pool->getCameraRoot();
    if (tempRoot.isNull())
        return false;

    const std::vector<UberCameraPtr> cameras = kxUberCameraUtils::getCameras(node, false);
    bool copied = false;
    if (NodeUtils::hasParent(node, sceneRoot)) {
        copied = cloneNodeToPool(node, tempRoot);
    } else {
        for (const UberCameraPtr& camera : cameras)
            copied = cloneNodeToPool(registry->find(camera), tempRoot) || copied;
    }
    markDefaultCameras(cameras);
    return copied;
}

void kxTempUberCameraPool::markDefaultCameras(const std::vector<UberCameraPtr>& cameras) {
    for (const UberCameraPtr& camera : cameras) {
        if (!kxUberCameraUtils::isDefaultCamera(camera))
            continue;
        // A camera marked before is no default camera any more: its first saved id stays.
        m_savedIds.emplace(camera, SavedId{camera->getDefaultCameraId(), camera->getId()});
        setDefaultCameraId(camera, UberCamera::NoDefaultCamera);
    }
}

void kxTempUberCameraPool::reset() {
    const MaterialPoolPtr pool = getPool();
    const NodePtr tempRoot = pool.isNull() ? NodePtr() : pool->getCameraRoot();
    if (!tempRoot.isNull()) {
        beginEditCP(tempRoot, Node::ChildrenFieldMask);
        while (tempRoot->getNChildren() > 0)
            tempRoot->subChild(0u);
        endEditCP(tempRoot, Node::ChildrenFieldMask);
    }
    for (const auto& [camera, saved] : m_savedIds) {
        if (isAlive(camera, saved.containerId))
            setDefaultCameraId(camera, saved.defaultCameraId);
    }
    m_savedIds.clear();
}
