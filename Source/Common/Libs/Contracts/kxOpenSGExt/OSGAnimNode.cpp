#include "OSGAnimNode.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(AnimNodePtr, "AnimNodePtr", "NodePtr")

namespace {
FieldDescription* animNodeDescs[] = {
    OSG_SFIELD_DESC(AnimNode, std::string, "targetName", TargetName, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(AnimNode, "AnimNode", "Node", nullptr, &AnimNode::createEmpty,
                       animNodeDescs)
OSG_CONTAINER_DEF(AnimNode, AnimNode)

} // namespace osg
