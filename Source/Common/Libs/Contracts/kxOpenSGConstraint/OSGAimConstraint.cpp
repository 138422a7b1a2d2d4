#include "OSGAimConstraint.h"

#include "OSGTransform3D.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(AimConstraintPtr, "AimConstraintPtr", "FieldContainerPtr")

namespace {
FieldDescription* aimConstraintDescs[] = {
    OSG_SFIELD_DESC(AimConstraint, AttachmentContainerPtr, "target", Target, false),
    OSG_SFIELD_DESC(AimConstraint, NodePtr, "aimNode", AimNode, false),
    OSG_SFIELD_DESC(AimConstraint, NodePtr, "upVectorNode", UpVectorNode, false),
    OSG_SFIELD_DESC(AimConstraint, bool, "maintainOffset", MaintainOffset, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(AimConstraint, "AimConstraint", "FieldContainer", nullptr,
                       &AimConstraint::createEmpty, aimConstraintDescs)
OSG_CONTAINER_DEF(AimConstraint, AimConstraint)

AimConstraint::AimConstraint(const AimConstraint& source)
    : FieldContainer(source), _sfTarget(source._sfTarget), _sfAimNode(source._sfAimNode),
      _sfUpVectorNode(source._sfUpVectorNode), _sfMaintainOffset(source._sfMaintainOffset) {
    addRefCP(getTarget());
    addRefCP(getAimNode());
    addRefCP(getUpVectorNode());
}

void AimConstraint::setTarget(const AttachmentContainerPtr& target) {
    setRefdCP(_sfTarget.getValue(), target);
}

void AimConstraint::setAimNode(const NodePtr& node) {
    setRefdCP(_sfAimNode.getValue(), node);
}

void AimConstraint::setUpVectorNode(const NodePtr& node) {
    setRefdCP(_sfUpVectorNode.getValue(), node);
}

Pnt3f AimConstraint::getAimPos(const NodePtr& node) const {
    if (node.isNull())
        return Pnt3f();
    Pnt3f pivot;
    Transform3DPtr transform = Transform3DPtr::dcast(node->getCore());
    if (!transform.isNull())
        pivot = transform->getRotatePivot();
    Pnt3f world;
    node->getToWorld().multMatrixPnt(pivot, world);
    return world;
}

void AimConstraint::onDestroy() {
    setTarget(AttachmentContainerPtr());
    setAimNode(NodePtr());
    setUpVectorNode(NodePtr());
    Inherited::onDestroy();
}

} // namespace osg
