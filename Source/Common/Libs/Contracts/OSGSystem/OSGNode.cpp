#include "OSGNode.h"

#include "OSGNodeCore.h"

#include <vector>

namespace osg {

namespace {
FieldDescription* nodeDescs[] = {
    OSG_SFIELD_DESC(Node, NodePtr, "parent", Parent, true),
    OSG_MFIELD_DESC(Node, NodePtr, "children", Children, false),
    OSG_SFIELD_DESC(Node, NodeCorePtr, "core", Core, false),
    OSG_SFIELD_DESC(Node, UInt32, "travMask", TravMask, false),
    OSG_SFIELD_DESC(Node, UInt32, "flags", Flags, false),
    OSG_SFIELD_DESC(Node, UInt32, "externalFlags", ExternalFlags, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(Node, "Node", "AttachmentContainer", nullptr, &Node::createEmpty, nodeDescs)
OSG_CONTAINER_DEF(Node, Node)

Node::Node(const Node& source)
    : AttachmentContainer(source), _sfTravMask(source._sfTravMask), _sfFlags(source._sfFlags),
      _sfExternalFlags(source._sfExternalFlags) {}

void Node::setCore(const NodeCorePtr& core) {
    NodeCorePtr old = getCore();
    if (old == core)
        return;
    NodePtr self(this);
    core.addRef();
    _sfCore.setValue(core);
    if (!core.isNull())
        core->addParent(self);
    if (!old.isNull()) {
        old->subParent(self);
        old.subRef();
    }
    invalidateVolume();
}

NodePtr Node::getChild(UInt32 index) const {
    return index < _mfChildren.size() ? _mfChildren[index] : NodePtr();
}

Int32 Node::findChild(const NodePtr& child) const {
    for (UInt32 i = 0; i < _mfChildren.size(); ++i) {
        if (_mfChildren[i] == child)
            return static_cast<Int32>(i);
    }
    return -1;
}

void Node::takeChild(const NodePtr& child) {
    // Hold the child while it moves, so leaving its old parent cannot free it.
    child.addRef();
    NodePtr oldParent = child->getParent();
    if (!oldParent.isNull())
        oldParent->subChild(child);
    child->_sfParent.setValue(NodePtr(this));
}

void Node::addChild(const NodePtr& child) {
    insertChild(getNChildren(), child);
}

bool Node::isInSubtreeOf(const NodePtr& node) const {
    for (const Node* walk = this; walk != nullptr; walk = walk->getParent().getCPtr()) {
        if (walk == node.getCPtr())
            return true;
    }
    return false;
}

void Node::insertChild(UInt32 index, const NodePtr& newChild) {
    // A copy: `newChild` may live in the old parent's child list, which taking it edits.
    const NodePtr child = newChild;
    if (child.isNull() || isInSubtreeOf(child))
        return;
    takeChild(child);
    auto position = index < _mfChildren.size() ? _mfChildren.begin() + index : _mfChildren.end();
    _mfChildren.insert(position, child);
    invalidateVolume();
}

void Node::subChild(const NodePtr& child) {
    Int32 index = findChild(child);
    if (index >= 0)
        subChild(static_cast<UInt32>(index));
}

void Node::subChild(UInt32 index) {
    if (index >= _mfChildren.size())
        return;
    NodePtr child = _mfChildren[index];
    _mfChildren.erase(_mfChildren.begin() + index);
    child->_sfParent.setValue(NodePtr());
    invalidateVolume();
    child.subRef();
}

void Node::getToWorld(Matrix& result) {
    // Root first; recursion keeps this free of allocations on the per-frame path.
    if (getParent().isNull())
        result.setIdentity();
    else
        getParent()->getToWorld(result);
    if (!getCore().isNull())
        getCore()->accumulateMatrix(result);
}

Matrix Node::getToWorld() {
    Matrix result;
    getToWorld(result);
    return result;
}

const BoxVolume& Node::getVolume() {
    if (_volumeValid)
        return _volume;
    BoxVolume volume;
    for (const NodePtr& child : _mfChildren) {
        if (!child.isNull())
            volume.extendBy(child->getVolume());
    }
    if (!getCore().isNull())
        getCore()->adjustVolume(volume);
    _volume = volume;
    _volumeValid = true;
    return _volume;
}

void Node::getWorldVolume(BoxVolume& result) {
    result = getVolume();
    NodePtr parent = getParent();
    if (!parent.isNull())
        result.transform(parent->getToWorld());
}

void Node::invalidateVolume() {
    for (Node* node = this; node != nullptr && node->_volumeValid;
         node = node->getParent().getCPtr())
        node->_volumeValid = false;
}

void Node::onDestroy() {
    NodePtr self(this);
    std::vector<NodePtr> children(_mfChildren.begin(), _mfChildren.end());
    _mfChildren.clear();
    for (const NodePtr& child : children) {
        child->_sfParent.setValue(NodePtr());
        child.subRef();
    }
    NodeCorePtr core = getCore();
    _sfCore.setValue(NodeCorePtr());
    if (!core.isNull()) {
        core->subParent(self);
        core.subRef();
    }
    Inherited::onDestroy();
}

bool Node::isStructuralField(UInt32 fieldId) const {
    return fieldId == ParentFieldId || fieldId == ChildrenFieldId || fieldId == CoreFieldId ||
           Inherited::isStructuralField(fieldId);
}

} // namespace osg
