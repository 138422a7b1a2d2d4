#ifndef KX_CONSTRAINT_MANAGER_H
#define KX_CONSTRAINT_MANAGER_H

#include "OSGAimConstraint.h"

#include <vector>

/// The application's constraints, each held with one reference. Constraints
/// are looked up by their target; the manager never evaluates them.
class kxConstraintManager {
public:
    static kxConstraintManager& the();
    /// Host code reaches the manager as through a pointer (`the()->`); both
    /// spellings name the same manager.
    kxConstraintManager* operator->() { return this; }

    /// A new aim constraint on `target`, or null for a null target.
    osg::AimConstraintPtr createAimConstraint(const osg::AttachmentContainerPtr& target,
                                              const osg::NodePtr& aimNode,
                                              const osg::NodePtr& upVectorNode);
    /// The same from lists of sources, as scenes describe them. The constraint
    /// follows one aim node and one up-vector node: the first non-null entry
    /// of each list (none when a list has none). `maintainOffset` asks the
    /// evaluating host to keep the target's present turn away from its
    /// sources; the constraint carries it. Null for a null target.
    osg::AimConstraintPtr createAimConstraint(const std::vector<osg::NodePtr>& aimSources,
                                              const std::vector<osg::NodePtr>& upSources,
                                              const osg::AttachmentContainerPtr& target,
                                              bool maintainOffset);
    /// The first aim constraint whose target is `target`, or null.
    osg::AimConstraintPtr
    findAimConstraintForTarget(const osg::AttachmentContainerPtr& target) const;
    /// Drops the constraint; false when the manager does not hold it.
    bool removeConstraint(const osg::AimConstraintPtr& constraint);
    /// Drops every constraint.
    void clear();

    std::size_t size() const { return _constraints.size(); }

private:
    kxConstraintManager() = default;

    std::vector<osg::AimConstraintPtr> _constraints;
};

#endif
