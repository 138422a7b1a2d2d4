#ifndef OSG_ATTACHMENT_H
#define OSG_ATTACHMENT_H

#include "OSGFieldContainer.h"
#include "OSGFieldContainerFields.h"
#include "OSGFieldContainerMacros.h"

namespace osg {

class Attachment;
using AttachmentPtr = FCPtr<FieldContainerPtr, Attachment>;

OSG_DECLARE_PTR_TRAITS(AttachmentPtr);

/// Data hung on an attachment container under a (group id, binding) key. It
/// knows the containers it is attached to (uncounted back pointers).
class Attachment : public FieldContainer {
    OSG_ABSTRACT_CONTAINER_DECL(AttachmentPtr)

public:
    using Inherited = FieldContainer;
    OSG_FIELD_ID(Parents, Inherited::NextFieldId)
    OSG_FIELD_ID(Internal, Inherited::NextFieldId + 1)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 2;

    OSG_MFIELD_ACCESS(FieldContainerPtr, Parents)
    OSG_SFIELD_ACCESS(bool, Internal)

    void addParent(const FieldContainerPtr& parent);
    void subParent(const FieldContainerPtr& parent);

    bool isStructuralField(UInt32 fieldId) const override;

protected:
    Attachment() = default;
    Attachment(const Attachment& source);

private:
    static FieldContainerType _type;

    MFFieldContainerPtr _mfParents;
    SFBool _sfInternal;
};

} // namespace osg

#endif
