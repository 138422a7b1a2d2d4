#include "kxConstraintManager.h"

#include "OSGInit.h"

#include <algorithm>

using namespace osg;

kxConstraintManager& kxConstraintManager::the() {
    // Never destroyed: the constraints are released when the scene graph exits.
    static kxConstraintManager* manager = [] {
        addExitFunction([] { kxConstraintManager::the().clear(); });
        return new kxConstraintManager;
    }();
    return *manager;
}

AimConstraintPtr kxConstraintManager::createAimConstraint(const AttachmentContainerPtr& target,
                                                          const NodePtr& aimNode,
                                                          const NodePtr& upVectorNode) {
    if (target.isNull())
        return AimConstraintPtr();
    AimConstraintPtr constraint = AimConstraint::create();
    if (constraint.isNull())
        return constraint;
    beginEditCP(constraint);
    constraint->setTarget(target);
    constraint->setAimNode(aimNode);
    constraint->setUpVectorNode(upVectorNode);
    endEditCP(constraint);
    addRefCP(constraint);
    _constraints.push_back(constraint);
    return constraint;
}

namespace {
NodePtr firstNode(const std::vector<NodePtr>& nodes) {
    auto it =
        std::find_if(nodes.begin(), nodes.end(), [](const NodePtr& n) { return !n.isNull(); });
    return it == nodes.end() ? NodePtr() : *it;
}
} // namespace

AimConstraintPtr kxConstraintManager::createAimConstraint(const std::vector<NodePtr>& aimSources,
                                                          const std::vector<NodePtr>& upSources,
                                                          const AttachmentContainerPtr& target,
                                                          bool maintainOffset) {
    AimConstraintPtr constraint =
        createAimConstraint(target, firstNode(aimSources), firstNode(upSources));
    if (constraint.isNull())
        return constraint;
    beginEditCP(constraint, AimConstraint::MaintainOffsetFieldMask);
    constraint->setMaintainOffset(maintainOffset);
    endEditCP(constraint, AimConstraint::MaintainOffsetFieldMask);
    return constraint;
}

AimConstraintPtr
kxConstraintManager::findAimConstraintForTarget(const AttachmentContainerPtr& target) const {
    if (target.isNull())
        return AimConstraintPtr();
    auto it = std::find_if(_constraints.begin(), _constraints.end(),
                           [&](const AimConstraintPtr& c) { return c->getTarget() == target; });
    return it == _constraints.end() ? AimConstraintPtr() : *it;
}

bool kxConstraintManager::removeConstraint(const AimConstraintPtr& constraint) {
    auto it = std::find(_constraints.begin(), _constraints.end(), constraint);
    if (it == _constraints.end())
        return false;
    AimConstraintPtr held = *it;
    _constraints.erase(it);
    subRefCP(held);
    return true;
}

void kxConstraintManager::clear() {
    std::vector<AimConstraintPtr> constraints;
    constraints.swap(_constraints);
    for (const AimConstraintPtr& constraint : constraints)
        subRefCP(constraint);
}
