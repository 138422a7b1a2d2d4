#include "OSGAttachmentContainer.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(AttachmentContainerPtr, "AttachmentContainerPtr", "FieldContainerPtr")

const DataType& FieldDataTraits<AttachmentMap>::getType() {
    static const DataType type("AttachmentMap", "");
    return type;
}
const FieldType& FieldDataTraits<AttachmentMap>::getSFieldType() {
    static const FieldType type("SFAttachmentMap", "Field", getType(), FieldType::SINGLE_FIELD,
                                &SField<AttachmentMap>::create);
    return type;
}
const FieldType& FieldDataTraits<AttachmentMap>::getMFieldType() {
    static const FieldType type("MFAttachmentMap", "Field", getType(), FieldType::MULTI_FIELD,
                                &MField<AttachmentMap>::create);
    return type;
}

void FieldDataTraits<AttachmentMap>::putToString(const AttachmentMap& value, std::string& out) {
    out += "{";
    bool first = true;
    for (const auto& [key, attachment] : value) {
        if (!first)
            out += "; ";
        first = false;
        out += std::to_string(key) + ": ";
        FieldContainerPtrTraitsBase::putToString(attachment, out);
    }
    out += "}";
}

// A count, then (key, container id) pairs.
UInt32 FieldDataTraits<AttachmentMap>::getBinSize(const AttachmentMap& value) {
    return static_cast<UInt32>(sizeof(UInt32) + value.size() * 2 * sizeof(UInt32));
}

void FieldDataTraits<AttachmentMap>::copyToBin(BinaryDataHandler& handler,
                                               const AttachmentMap& value) {
    handler.putValue(static_cast<UInt32>(value.size()));
    for (const auto& [key, attachment] : value) {
        handler.putValue(key);
        FieldContainerPtrTraitsBase::copyToBin(handler, attachment);
    }
}

void FieldDataTraits<AttachmentMap>::copyFromBin(BinaryDataHandler& handler, AttachmentMap& value) {
    UInt32 count = 0;
    handler.getValue(count);
    value.clear();
    for (UInt32 i = 0; i < count && !handler.failed(); ++i) {
        UInt32 key = 0;
        handler.getValue(key);
        AttachmentPtr attachment =
            AttachmentPtr::dcast(FieldContainerPtrTraitsBase::readContainer(handler));
        if (!handler.failed() && !attachment.isNull())
            value[key] = attachment;
    }
}

namespace {
FieldDescription* attachmentContainerDescs[] = {
    OSG_SFIELD_DESC(AttachmentContainer, AttachmentMap, "attachments", Attachments, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(AttachmentContainer, "AttachmentContainer", "FieldContainer", nullptr,
                       nullptr, attachmentContainerDescs)

AttachmentContainer::AttachmentContainer(const AttachmentContainer& source)
    : FieldContainer(source) {
    // The copy is still being built, so its size comes from the source: a copy is always
    // of the source's class.
    FieldContainerPtr self(this, source.getContainerSize());
    for (const auto& [key, attachment] : source.getAttachments()) {
        attachment.addRef();
        attachment->addParent(self);
        _sfAttachments.getValue().emplace(key, attachment);
    }
}

void AttachmentContainer::addAttachment(const AttachmentPtr& attachment, UInt16 binding) {
    if (attachment.isNull())
        return;
    UInt32 key = attachmentKey(attachment->getGroupId(), binding);
    AttachmentMap& map = _sfAttachments.getValue();
    auto it = map.find(key);
    if (it != map.end() && it->second == attachment)
        return;
    attachment.addRef();
    attachment->addParent(FieldContainerPtr(this));
    if (it != map.end()) {
        AttachmentPtr old = it->second;
        it->second = attachment;
        old->subParent(FieldContainerPtr(this));
        old.subRef();
        return;
    }
    map.emplace(key, attachment);
}

void AttachmentContainer::subAttachment(const AttachmentPtr& detached, UInt16 binding) {
    // A copy: `detached` may be the map's own entry, which the erase destroys.
    const AttachmentPtr attachment = detached;
    if (attachment.isNull())
        return;
    AttachmentMap& map = _sfAttachments.getValue();
    auto it = map.find(attachmentKey(attachment->getGroupId(), binding));
    if (it == map.end() || it->second != attachment)
        return;
    map.erase(it);
    attachment->subParent(FieldContainerPtr(this));
    attachment.subRef();
}

AttachmentPtr AttachmentContainer::findAttachment(UInt32 groupId, UInt16 binding) const {
    const AttachmentMap& map = _sfAttachments.getValue();
    auto it = map.find(attachmentKey(groupId, binding));
    return it == map.end() ? AttachmentPtr() : it->second;
}

void AttachmentContainer::onDestroy() {
    AttachmentMap attachments;
    attachments.swap(_sfAttachments.getValue());
    for (auto& [key, attachment] : attachments) {
        attachment->subParent(FieldContainerPtr(this));
        attachment.subRef();
    }
    Inherited::onDestroy();
}

void AttachmentContainer::setAttachments(const AttachmentMap& attachments) {
    // Copy first: `attachments` may be this container's own map.
    const AttachmentMap wanted = attachments;
    FieldContainerPtr self(this);
    for (const auto& [key, attachment] : wanted) {
        attachment.addRef();
        attachment->addParent(self);
    }
    AttachmentMap old;
    old.swap(_sfAttachments.getValue());
    _sfAttachments.getValue() = wanted;
    for (auto& [key, attachment] : old) {
        attachment->subParent(self);
        attachment.subRef();
    }
}

void AttachmentContainer::copyFieldValues(UInt32 fieldId, const Field& source) {
    if (fieldId == AttachmentsFieldId && source.getType() == SFAttachmentMap::getClassType()) {
        setAttachments(static_cast<const SFAttachmentMap&>(source).getValue());
        return;
    }
    Inherited::copyFieldValues(fieldId, source);
}

} // namespace osg
