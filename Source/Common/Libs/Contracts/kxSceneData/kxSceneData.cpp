#include "kxSceneData.h"

#include "OSGInit.h"

using namespace osg;

kxSceneData::~kxSceneData() {
    clear();
}

void kxSceneData::setMaterialPool(const MaterialPoolPtr& pool) {
    setRefdCP(_materialPool, pool);
}

void kxSceneData::setRootNode(const NodePtr& root) {
    setRefdCP(_rootNode, root);
}

void kxSceneData::clear() {
    setMaterialPool(MaterialPoolPtr());
    setRootNode(NodePtr());
}

namespace {

kxSceneData& currentScene() {
    // Never destroyed: its containers are released when the scene graph exits.
    static kxSceneData* scene = [] {
        addExitFunction([] { currentScene().clear(); });
        return new kxSceneData;
    }();
    return *scene;
}

} // namespace

kxSceneData* kxSceneDataManager::getSceneData(UInt32) {
    return &currentScene();
}
