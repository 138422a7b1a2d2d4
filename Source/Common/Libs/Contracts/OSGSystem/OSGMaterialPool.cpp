#include "OSGMaterialPool.h"

#include "OSGNode.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(MaterialPoolPtr, "MaterialPoolPtr", "GroupPtr")

namespace {
FieldDescription* materialPoolDescs[] = {
    OSG_SFIELD_DESC(MaterialPool, NodePtr, "cameraRoot", CameraRoot, true),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(MaterialPool, "MaterialPool", "Group", nullptr, &MaterialPool::createEmpty,
                       materialPoolDescs)
OSG_CONTAINER_DEF(MaterialPool, MaterialPool)

void MaterialPool::initCameraRoot() {
    if (!getCameraRoot().isNull())
        return;
    NodePtr root = Node::create();
    GroupPtr group = Group::create();
    if (root.isNull() || group.isNull())
        return;
    beginEditCP(root, Node::CoreFieldMask);
    root->setCore(group);
    endEditCP(root, Node::CoreFieldMask);
    beginEditCP(MaterialPoolPtr(this), CameraRootFieldMask);
    setRefdCP(_sfCameraRoot.getValue(), root);
    endEditCP(MaterialPoolPtr(this), CameraRootFieldMask);
}

void MaterialPool::onDestroy() {
    setRefdCP(_sfCameraRoot.getValue(), NodePtr());
    Inherited::onDestroy();
}

} // namespace osg
