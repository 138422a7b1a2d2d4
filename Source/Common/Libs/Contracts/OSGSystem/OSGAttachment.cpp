#include "OSGAttachment.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(AttachmentPtr, "AttachmentPtr", "FieldContainerPtr")

namespace {
FieldDescription* attachmentDescs[] = {
    OSG_MFIELD_DESC(Attachment, FieldContainerPtr, "parents", Parents, true),
    OSG_SFIELD_DESC(Attachment, bool, "internal", Internal, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(Attachment, "Attachment", "FieldContainer", nullptr, nullptr,
                       attachmentDescs)

// A copy is attached to nothing yet.
Attachment::Attachment(const Attachment& source)
    : FieldContainer(source), _sfInternal(source._sfInternal) {}

void Attachment::addParent(const FieldContainerPtr& parent) {
    if (parent.isNull())
        return;
    _mfParents.push_back(parent);
}

void Attachment::subParent(const FieldContainerPtr& parent) {
    auto it = _mfParents.find(parent);
    if (it != _mfParents.end())
        _mfParents.erase(it);
}

bool Attachment::isStructuralField(UInt32 fieldId) const {
    return fieldId == ParentsFieldId || Inherited::isStructuralField(fieldId);
}

} // namespace osg
