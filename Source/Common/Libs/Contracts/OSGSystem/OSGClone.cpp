#include "OSGClone.h"

#include "OSGAttachment.h"
#include "OSGField.h"
#include "OSGFieldContainerType.h"
#include "OSGFieldDescription.h"
#include "OSGNode.h"
#include "OSGNodeCore.h"

#include <set>
#include <sstream>

namespace osg {

namespace {

using TypeNames = std::set<std::string>;

TypeNames parseShareTypes(const std::string& text) {
    TypeNames names;
    std::string normalised = text;
    for (char& c : normalised) {
        if (c == ',')
            c = ' ';
    }
    std::istringstream words(normalised);
    std::string name;
    while (words >> name)
        names.insert(name);
    return names;
}

bool isShared(const FieldContainerPtr& container, const TypeNames& shareTypes) {
    for (const FieldContainerType* type = &container->getType(); type != nullptr;
         type = type->getParent()) {
        if (shareTypes.count(type->getName()) != 0)
            return true;
    }
    return false;
}

bool isNode(const FieldContainerPtr& container) {
    return container->getType().isDerivedFrom(Node::getClassType());
}

class Cloner {
public:
    explicit Cloner(TypeNames shareTypes) : _shareTypes(std::move(shareTypes)) {}

    FieldContainerPtr clone(const FieldContainerPtr& source) {
        if (source.isNull())
            return NullFC;
        FieldContainerPtr copy = source->getType().createFieldContainer();
        if (copy.isNull())
            return NullFC;
        const bool sourceIsNode = isNode(source);
        for (UInt32 id = 0; id < 64; ++id) {
            if (source->getType().getFieldDescription(id) == nullptr || isHandledApart(source, id))
                continue;
            const Field* from = source->getField(id);
            Field* to = copy->getField(id);
            if (from == nullptr || to == nullptr)
                continue;
            if (from->holdsContainerPtrs())
                copyPointers(*from, *to, !sourceIsNode);
            else
                to->copyValuesFrom(*from);
        }
        copyAttachments(source, copy);
        if (sourceIsNode)
            copyNodeTree(NodePtr::dcast(source), NodePtr::dcast(copy));
        copy->onDeepClone();
        return copy;
    }

private:
    // Fields the loop leaves alone: the structure, and attachments, which are cloned apart.
    static bool isHandledApart(const FieldContainerPtr& container, UInt32 id) {
        if (container->isStructuralField(id))
            return true;
        return id == AttachmentContainer::AttachmentsFieldId &&
               container->getType().isDerivedFrom(AttachmentContainer::getClassType());
    }

    FieldContainerPtr cloneOrShare(const FieldContainerPtr& value, bool shareNodes) {
        if (value.isNull() || isShared(value, _shareTypes) || (shareNodes && isNode(value)))
            return value;
        return clone(value);
    }

    // Every value gets the copy's reference; the value it replaces loses one.
    void copyPointers(const Field& from, Field& to, bool shareNodes) {
        if (to.getCardinality() == FieldType::MULTI_FIELD) {
            // Start from an empty list of the right length.
            to.copyValuesFrom(from);
            for (UInt32 i = 0; i < to.getSize(); ++i)
                to.setContainerPtr(i, NullFC);
        }
        for (UInt32 i = 0; i < from.getSize(); ++i) {
            FieldContainerPtr value = cloneOrShare(from.getContainerPtr(i), shareNodes);
            FieldContainerPtr old = to.getContainerPtr(i);
            value.addRef();
            to.setContainerPtr(i, value);
            old.subRef();
        }
    }

    void copyAttachments(const FieldContainerPtr& source, const FieldContainerPtr& copy) {
        AttachmentContainerPtr from = AttachmentContainerPtr::dcast(source);
        AttachmentContainerPtr to = AttachmentContainerPtr::dcast(copy);
        if (from.isNull() || to.isNull())
            return;
        for (const auto& [key, attachment] : from->getAttachments()) {
            AttachmentPtr clone = AttachmentPtr::dcast(cloneOrShare(attachment, false));
            to->addAttachment(clone, static_cast<UInt16>(key & 0xffff));
        }
    }

    void copyNodeTree(const NodePtr& source, const NodePtr& copy) {
        copy->setCore(NodeCorePtr::dcast(cloneOrShare(source->getCore(), false)));
        for (const NodePtr& child : source->getChildren()) {
            if (!child.isNull())
                copy->addChild(NodePtr::dcast(clone(child)));
        }
    }

    TypeNames _shareTypes;
};

NodePtr cloneNodes(const NodePtr& source, bool copyAttachments) {
    NodePtr copy = Node::create();
    if (copy.isNull())
        return copy;
    copy->setTravMask(source->getTravMask());
    copy->setFlags(source->getFlags());
    copy->setExternalFlags(source->getExternalFlags());
    if (copyAttachments) {
        for (const auto& [key, attachment] : source->getAttachments())
            copy->addAttachment(attachment, static_cast<UInt16>(key & 0xffff));
    }
    copy->setCore(source->getCore());
    for (const NodePtr& child : source->getChildren()) {
        if (!child.isNull())
            copy->addChild(cloneNodes(child, copyAttachments));
    }
    return copy;
}

} // namespace

FieldContainerPtr deepClone(const FieldContainerPtr& source, const std::string& shareTypes) {
    return Cloner(parseShareTypes(shareTypes)).clone(source);
}

NodePtr deepCloneTree(const NodePtr& root, const std::string& shareTypes) {
    return NodePtr::dcast(deepClone(root, shareTypes));
}

NodePtr cloneTree(const NodePtr& root, bool copyAttachments) {
    if (root.isNull())
        return NodePtr();
    return cloneNodes(root, copyAttachments);
}

} // namespace osg
