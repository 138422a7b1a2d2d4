#include "SampleScene.h"

#include "NodeUtils.h"
#include "OSGGroup.h"
#include "OSGMaterialPool.h"
#include "kxSceneData.h"
#include "kxUberCameraPool.h"
#include "kxUberCameraUtils.h"

using namespace osg;

namespace sample {

NodePtr startScene() {
    kxSceneData* scene = kxSceneDataManager::getSceneData(0);
    scene->setMaterialPool(MaterialPool::create());
    scene->setRootNode(NodeUtils::createNodeWithCore(Group::create(), NodePtr(), "Scene"));
    return scene->getRootNode();
}

void clearScene() {
    kxSceneDataManager::getSceneData(0)->clear();
}

std::array<UberCameraPtr, 4> addDefaultViews(const NodePtr& parent) {
    kxUberCameraPool* pool = kxUberCameraPool::the();
    const NodePtr cameraRoot = kxUberCameraPool::getRoot();
    std::array<UberCameraPtr, 4> cameras;
    for (size_t i = 0; i < DefaultViews.size(); ++i) {
        const NodePtr node = pool->createCameraNode(DefaultViews[i].name, parent, cameraRoot);
        const UberCameraPtr camera = kxUberCameraUtils::getUberCamera(node);
        beginEditCP(camera, UberCameraBase::DefaultCameraIdFieldMask);
        camera->setDefaultCameraId(DefaultViews[i].id);
        endEditCP(camera, UberCameraBase::DefaultCameraIdFieldMask);
        cameras[i] = camera;
    }
    return cameras;
}

} // namespace sample
