#ifndef OSG_ANIM_NODE_H
#define OSG_ANIM_NODE_H

#include "OSGNode.h"

namespace osg {

class AnimNode;
using AnimNodePtr = FCPtr<NodePtr, AnimNode>;

OSG_DECLARE_PTR_TRAITS(AnimNodePtr);

/// A node of an animation tree: a node that also names the animated target.
class AnimNode : public Node {
    OSG_CONTAINER_DECL(AnimNodePtr, AnimNode)

public:
    using Inherited = Node;
    OSG_FIELD_ID(TargetName, Inherited::NextFieldId)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 1;

    /// Name of the animated scene node.
    OSG_SFIELD_ACCESS(std::string, TargetName)

    /// A deep copy of the animation tree below `root`, sharing the containers
    /// whose types `shareTypes` names; null when the copy is no animation node.
    static AnimNodePtr deepCloneAnimTree(const AnimNodePtr& root, const std::string& shareTypes);

protected:
    friend class FieldContainer;
    AnimNode() = default;
    AnimNode(const AnimNode& source) = default;

private:
    static FieldContainerType _type;

    SFString _sfTargetName;
};

} // namespace osg

#endif
