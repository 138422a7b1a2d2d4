#ifndef OSG_NAME_H
#define OSG_NAME_H

#include "OSGAttachment.h"
#include "OSGAttachmentContainer.h"

#include <string>

namespace osg {

class Name;
using NamePtr = FCPtr<AttachmentPtr, Name>;

OSG_DECLARE_PTR_TRAITS(NamePtr);

/// The name of an attachment container, as an attachment of group "Name".
class Name : public Attachment {
    OSG_CONTAINER_DECL(NamePtr, Name)

public:
    using Inherited = Attachment;
    OSG_FIELD_ID(Name, Inherited::NextFieldId)
    OSG_FIELD_ID(Encoding, Inherited::NextFieldId + 1)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 2;

    /// Text encoding of the name.
    enum Encoding : UInt32 { Utf8 = 0, Latin1 = 1 };

    OSG_SFIELD_GET(std::string, Name)
    OSG_SFIELD_ACCESS(UInt32, Encoding)
    void setName(const std::string& name) { _sfName.setValue(name); }

protected:
    friend class FieldContainer;
    Name() = default;
    Name(const Name& source) = default;

private:
    static FieldContainerType _type;

    SFString _sfName;
    SFUInt32 _sfEncoding;
};

/// The `Name` attached to `container`, or null.
NamePtr getNameAttachment(const AttachmentContainerPtr& container);
/// The container's name, or null when it has none.
const char* getName(const AttachmentContainerPtr& container);
/// Names the container, attaching a `Name` first when it has none.
void setName(const AttachmentContainerPtr& container, const std::string& name);

} // namespace osg

#endif
