#include "OSGICCProfileAttachment.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(ICCProfileAttachmentPtr, "ICCProfileAttachmentPtr", "AttachmentPtr")

// The profile's data is derived from the ICC file (kxICCProfile) whenever it is
// needed, so it is held as plain members, not as streamed fields.
OSG_CONTAINER_TYPE_DEF_NO_FIELDS(ICCProfileAttachment, "ICCProfileAttachment", "Attachment",
                                 "ICCProfileAttachment", &ICCProfileAttachment::createEmpty)
OSG_CONTAINER_DEF(ICCProfileAttachment, ICCProfileAttachment)

} // namespace osg
