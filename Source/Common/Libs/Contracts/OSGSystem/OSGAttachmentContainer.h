#ifndef OSG_ATTACHMENT_CONTAINER_H
#define OSG_ATTACHMENT_CONTAINER_H

#include "OSGAttachment.h"

#include <map>

namespace osg {

class AttachmentContainer;
using AttachmentContainerPtr = FCPtr<FieldContainerPtr, AttachmentContainer>;

/// Attachments by key (group id << 16 | binding).
using AttachmentMap = std::map<UInt32, AttachmentPtr>;

OSG_DECLARE_PTR_TRAITS(AttachmentContainerPtr);
OSG_DECLARE_VALUE_TRAITS(AttachmentMap);

using SFAttachmentMap = SField<AttachmentMap>;

/// A container that carries attachments, each held with one reference.
class AttachmentContainer : public FieldContainer {
    OSG_ABSTRACT_CONTAINER_DECL(AttachmentContainerPtr)

public:
    using Inherited = FieldContainer;
    OSG_FIELD_ID(Attachments, Inherited::NextFieldId)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 1;

    OSG_SFIELD_GET(AttachmentMap, Attachments)

    /// Attaches under the attachment's group id and `binding`, replacing (and
    /// releasing) whatever was there.
    void addAttachment(const AttachmentPtr& attachment, UInt16 binding = 0);
    /// Detaches the attachment at its group id and `binding`, if it is there.
    void subAttachment(const AttachmentPtr& attachment, UInt16 binding = 0);
    /// The attachment under (groupId, binding), or null.
    AttachmentPtr findAttachment(UInt32 groupId, UInt16 binding = 0) const;

    /// Replaces every attachment by those of `attachments`, with references.
    void setAttachments(const AttachmentMap& attachments);

    static UInt32 attachmentKey(UInt32 groupId, UInt16 binding) {
        return (groupId << 16) | binding;
    }

protected:
    AttachmentContainer() = default;
    /// A copy shares the source's attachments, holding its own references.
    AttachmentContainer(const AttachmentContainer& source);

    void onDestroy() override;
    void copyFieldValues(UInt32 fieldId, const Field& source) override;

private:
    static FieldContainerType _type;

    SFAttachmentMap _sfAttachments;
};

} // namespace osg

#endif
