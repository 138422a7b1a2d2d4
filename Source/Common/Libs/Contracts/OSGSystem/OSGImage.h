#ifndef OSG_IMAGE_H
#define OSG_IMAGE_H

#include "OSGFieldContainer.h"
#include "OSGFieldContainerFields.h"
#include "OSGFieldContainerMacros.h"
#include "OSGMField.h"

namespace osg {

class Image;
using ImagePtr = FCPtr<FieldContainerPtr, Image>;

OSG_DECLARE_PTR_TRAITS(ImagePtr);

/// A picture in memory: width x height pixels of 8-bit RGBA, rows bottom up.
class Image : public FieldContainer {
    OSG_CONTAINER_DECL(ImagePtr, Image)

public:
    using Inherited = FieldContainer;
    OSG_FIELD_ID(Width, Inherited::NextFieldId)
    OSG_FIELD_ID(Height, Inherited::NextFieldId + 1)
    OSG_FIELD_ID(Pixel, Inherited::NextFieldId + 2)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 3;

    static constexpr UInt32 BytesPerPixel = 4;
    /// Largest pixel store an image takes; a larger request gives an empty image.
    static constexpr UInt64 MaxBytes = UInt64(1) << 30;

    OSG_SFIELD_GET(UInt32, Width)
    OSG_SFIELD_GET(UInt32, Height)
    OSG_MFIELD_ACCESS(UInt8, Pixel)

    /// Resizes to width x height pixels, all transparent black (0 x 0 beyond `MaxBytes`).
    void set(UInt32 width, UInt32 height);

protected:
    friend class FieldContainer;
    Image() = default;
    Image(const Image& source) = default;

private:
    static FieldContainerType _type;

    SField<UInt32> _sfWidth;
    SField<UInt32> _sfHeight;
    MField<UInt8> _mfPixel;
};

} // namespace osg

#endif
