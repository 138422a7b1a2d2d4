#ifndef OSG_IMAGE_ATTACHMENT_H
#define OSG_IMAGE_ATTACHMENT_H

#include "OSGAttachment.h"
#include "OSGImage.h"

namespace osg {

class ImageAttachment;
using ImageAttachmentPtr = FCPtr<AttachmentPtr, ImageAttachment>;

OSG_DECLARE_PTR_TRAITS(ImageAttachmentPtr);

/// An image hung on a container (a camera's preview), in attachment group
/// "ImageAttachment". Holds one reference on the image.
class ImageAttachment : public Attachment {
    OSG_CONTAINER_DECL(ImageAttachmentPtr, ImageAttachment)

public:
    using Inherited = Attachment;
    OSG_FIELD_ID(Image, Inherited::NextFieldId)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 1;

    const ImagePtr& getImage() const { return _sfImage.getValue(); }
    SField<ImagePtr>* editSFImage() { return &_sfImage; }
    /// Counted: the old image loses a reference, the new one gains one.
    void setImage(const ImagePtr& image);

protected:
    friend class FieldContainer;
    ImageAttachment() = default;
    /// A copy holds its own reference on the same image.
    ImageAttachment(const ImageAttachment& source);

    void onDestroy() override;

private:
    static FieldContainerType _type;

    SField<ImagePtr> _sfImage;
};

} // namespace osg

#endif
