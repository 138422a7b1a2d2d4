// The camera core under an aim constraint of the host: its nodes, and moving
// them to match a view the camera was given programmatically.

#include "OSGUberCamera.h"

#include "OSGNode.h"
#include "OSGTransform3D.h"
#include "OSGUberCameraMath.h"
#include "kxConstraintManager.h"

namespace osg {

namespace {

constexpr Real32 NoUpConstraintDistance = 1.0f;

// The node's core as a Transform3D (or derived), else null.
Transform3DPtr transformCoreOf(const NodePtr& node) {
    NodeCorePtr core = node->getCore();
    if (core.isNull() || !core->getType().isDerivedFrom(Transform3DBase::getClassType()))
        return Transform3DPtr();
    return Transform3DPtr::dcast(core);
}

// Moves the node so that its pivot lands on the world point `world`.
void movePivotTo(const NodePtr& node, const Transform3DPtr& core, Pnt3f world) {
    NodePtr parent = node->getParent();
    if (!parent.isNull()) {
        Matrix worldToParent = parent->getToWorld();
        if (worldToParent.invert())
            worldToParent.multMatrixPnt(world);
    }
    const Pnt3f translation = world - core->getRotatePivot().subZero();
    beginEditCP(core, Transform3DBase::TranslationFieldMask);
    core->setTranslation(translation.subZero());
    endEditCP(core, Transform3DBase::TranslationFieldMask);
}

} // namespace

AimConstraintPtr UberCamera::findAimConstraint() const {
    return kxConstraintManager::the().findAimConstraintForTarget(
        AttachmentContainerPtr(static_cast<const AttachmentContainer*>(this)));
}

bool UberCamera::hasAimConstraint() const {
    AimConstraintPtr constraint = findAimConstraint();
    return !constraint.isNull() && constraint->hasAimSources();
}

NodePtr UberCamera::getAimNode() const {
    AimConstraintPtr constraint = findAimConstraint();
    return constraint.isNull() ? NodePtr() : constraint->getAimNode();
}

NodePtr UberCamera::getUpVectorNode() const {
    AimConstraintPtr constraint = findAimConstraint();
    return constraint.isNull() ? NodePtr() : constraint->getUpVectorNode();
}

Real32 UberCamera::getUpConstraintDistance() const {
    AimConstraintPtr constraint = findAimConstraint();
    if (constraint.isNull())
        return NoUpConstraintDistance;
    const NodePtr& upNode = constraint->getUpVectorNode();
    if (upNode.isNull())
        return NoUpConstraintDistance;
    return (constraint->getAimPos(upNode) - getFrom(WorldSpace)).length();
}

void UberCamera::setAimConstraintToCurrentView(Real32 upDistance) {
    if (isViewpoint())
        return;
    AimConstraintPtr constraint = findAimConstraint();
    if (constraint.isNull())
        return;
    const NodePtr aimNode = constraint->getAimNode();
    if (aimNode.isNull())
        return;
    Transform3DPtr aimCore = transformCoreOf(aimNode);
    if (aimCore.isNull())
        return;
    movePivotTo(aimNode, aimCore, getAt(WorldSpace));

    const NodePtr upNode = constraint->getUpVectorNode();
    if (upNode.isNull())
        return;
    Transform3DPtr upCore = transformCoreOf(upNode);
    if (upCore.isNull())
        return;
    Vec3f up = getUp(WorldSpace);
    normaliseIfLong(up);
    movePivotTo(upNode, upCore, getFrom(WorldSpace) + up * upDistance);
}

} // namespace osg
