#include "OSGAnimNode.h"

#include "OSGClone.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(AnimNodePtr, "AnimNodePtr", "NodePtr")

namespace {
FieldDescription* animNodeDescs[] = {
    OSG_SFIELD_DESC(AnimNode, std::string, "targetName", TargetName, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(AnimNode, "AnimNode", "Node", nullptr, &AnimNode::createEmpty, animNodeDescs)
OSG_CONTAINER_DEF(AnimNode, AnimNode)

AnimNodePtr AnimNode::deepCloneAnimTree(const AnimNodePtr& root, const std::string& shareTypes) {
    FieldContainerPtr clone = deepCloneTree(root, shareTypes);
    AnimNodePtr result = AnimNodePtr::dcast(clone);
    if (result.isNull())
        subRefCP(clone);
    return result;
}

} // namespace osg
