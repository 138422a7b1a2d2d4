#ifndef OSG_AIM_CONSTRAINT_H
#define OSG_AIM_CONSTRAINT_H

#include "OSGNode.h"

namespace osg {

class AimConstraint;
using AimConstraintPtr = FCPtr<FieldContainerPtr, AimConstraint>;

OSG_DECLARE_PTR_TRAITS(AimConstraintPtr);

/// Turns a target towards an aim node and, optionally, its up direction
/// towards an up-vector node. It holds one reference on the target and on
/// each node. The host evaluates constraints; this container only describes one.
class AimConstraint : public FieldContainer {
    OSG_CONTAINER_DECL(AimConstraintPtr, AimConstraint)

public:
    using Inherited = FieldContainer;
    OSG_FIELD_ID(Target, Inherited::NextFieldId)
    OSG_FIELD_ID(AimNode, Inherited::NextFieldId + 1)
    OSG_FIELD_ID(UpVectorNode, Inherited::NextFieldId + 2)
    OSG_FIELD_ID(MaintainOffset, Inherited::NextFieldId + 3)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 4;

    const AttachmentContainerPtr& getTarget() const { return _sfTarget.getValue(); }
    const NodePtr& getAimNode() const { return _sfAimNode.getValue(); }
    const NodePtr& getUpVectorNode() const { return _sfUpVectorNode.getValue(); }
    SField<AttachmentContainerPtr>* editSFTarget() { return &_sfTarget; }
    SFNodePtr* editSFAimNode() { return &_sfAimNode; }
    SFNodePtr* editSFUpVectorNode() { return &_sfUpVectorNode; }

    // Counted setters.
    void setTarget(const AttachmentContainerPtr& target);
    void setAimNode(const NodePtr& node);
    void setUpVectorNode(const NodePtr& node);

    /// Keep the target's turn away from the sources it had when constrained.
    OSG_SFIELD_ACCESS(bool, MaintainOffset)

    /// True when the constraint has something to aim at.
    bool hasAimSources() const { return !getAimNode().isNull(); }

    /// Where the constraint sees `node`: the world position of its pivot (the
    /// rotate pivot of a Transform3D core, else the node's origin).
    Pnt3f getAimPos(const NodePtr& node) const;

protected:
    friend class FieldContainer;
    AimConstraint() = default;
    /// A copy holds its own references on the same target and nodes.
    AimConstraint(const AimConstraint& source);

    void onDestroy() override;

private:
    static FieldContainerType _type;

    SField<AttachmentContainerPtr> _sfTarget;
    SFNodePtr _sfAimNode;
    SFNodePtr _sfUpVectorNode;
    SFBool _sfMaintainOffset;
};

} // namespace osg

#endif
