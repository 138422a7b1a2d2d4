#include "OSGNodeCore.h"

#include "OSGNode.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(NodePtr, "NodePtr", "AttachmentContainerPtr")
OSG_DEFINE_PTR_TRAITS(NodeCorePtr, "NodeCorePtr", "AttachmentContainerPtr")

namespace {
FieldDescription* nodeCoreDescs[] = {
    OSG_MFIELD_DESC(NodeCore, NodePtr, "parents", Parents, true),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(NodeCore, "NodeCore", "AttachmentContainer", nullptr, nullptr, nodeCoreDescs)

void NodeCore::invalidateVolume() {
    for (const NodePtr& parent : _mfParents) {
        if (!parent.isNull())
            parent->invalidateVolume();
    }
}

void NodeCore::accumulateMatrix(Matrix&) {}

void NodeCore::adjustVolume(Volume&) {}

void NodeCore::addParent(const NodePtr& parent) {
    _mfParents.push_back(parent);
}

void NodeCore::subParent(const NodePtr& parent) {
    auto it = _mfParents.find(parent);
    if (it != _mfParents.end())
        _mfParents.erase(it);
}

bool NodeCore::isStructuralField(UInt32 fieldId) const {
    return fieldId == ParentsFieldId || Inherited::isStructuralField(fieldId);
}

} // namespace osg
