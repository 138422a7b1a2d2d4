#include "OSGImage.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(ImagePtr, "ImagePtr", "FieldContainerPtr")

namespace {
FieldDescription* imageDescs[] = {
    OSG_SFIELD_DESC(Image, UInt32, "width", Width, false),
    OSG_SFIELD_DESC(Image, UInt32, "height", Height, false),
    OSG_MFIELD_DESC(Image, UInt8, "pixel", Pixel, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(Image, "Image", "FieldContainer", nullptr, &Image::createEmpty, imageDescs)
OSG_CONTAINER_DEF(Image, Image)

void Image::set(UInt32 width, UInt32 height) {
    const UInt64 bytes = UInt64(width) * height * BytesPerPixel;
    if (bytes > MaxBytes)
        width = height = 0;
    _sfWidth.setValue(width);
    _sfHeight.setValue(height);
    _mfPixel.clear();
    _mfPixel.resize(UInt32(UInt64(width) * height * BytesPerPixel), 0);
}

} // namespace osg
