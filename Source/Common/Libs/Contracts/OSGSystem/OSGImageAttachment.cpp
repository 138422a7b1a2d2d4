#include "OSGImageAttachment.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(ImageAttachmentPtr, "ImageAttachmentPtr", "AttachmentPtr")

namespace {
FieldDescription* imageAttachmentDescs[] = {
    OSG_SFIELD_DESC(ImageAttachment, ImagePtr, "image", Image, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(ImageAttachment, "ImageAttachment", "Attachment", "ImageAttachment",
                       &ImageAttachment::createEmpty, imageAttachmentDescs)
OSG_CONTAINER_DEF(ImageAttachment, ImageAttachment)

ImageAttachment::ImageAttachment(const ImageAttachment& source)
    : Attachment(source), _sfImage(source._sfImage) {
    addRefCP(getImage());
}

void ImageAttachment::setImage(const ImagePtr& image) {
    setRefdCP(_sfImage.getValue(), image);
}

void ImageAttachment::onDestroy() {
    setImage(ImagePtr());
    Inherited::onDestroy();
}

} // namespace osg
