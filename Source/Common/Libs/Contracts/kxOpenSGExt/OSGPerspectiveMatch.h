#ifndef OSG_PERSPECTIVE_MATCH_H
#define OSG_PERSPECTIVE_MATCH_H

#include "OSGFieldContainerFields.h"
#include "OSGFieldContainerMacros.h"
#include "OSGFieldContainer.h"

namespace osg {

class PerspectiveMatch;
using PerspectiveMatchPtr = FCPtr<FieldContainerPtr, PerspectiveMatch>;

OSG_DECLARE_PTR_TRAITS(PerspectiveMatchPtr);

/// How a camera's view is matched to a background photograph.
class PerspectiveMatch : public FieldContainer {
    OSG_CONTAINER_DECL(PerspectiveMatchPtr, PerspectiveMatch)

public:
    using Inherited = FieldContainer;
    OSG_FIELD_ID(Enabled, Inherited::NextFieldId)
    OSG_FIELD_ID(ImageSize, Inherited::NextFieldId + 1)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 2;

    OSG_SFIELD_ACCESS(bool, Enabled)
    /// Width and height of the matched photograph, in pixels.
    OSG_SFIELD_ACCESS(Vec2f, ImageSize)

    /// The fields a copy of these settings takes over: all of them.
    BitVector getDefaultCopyAttributeMask() const { return EnabledFieldMask | ImageSizeFieldMask; }

    /// Takes over the fields of `source` that `mask` selects.
    void syncWith(const PerspectiveMatchPtr& source, BitVector mask);

protected:
    friend class FieldContainer;
    PerspectiveMatch() = default;
    PerspectiveMatch(const PerspectiveMatch& source) = default;

private:
    static FieldContainerType _type;

    SFBool _sfEnabled;
    SFVec2f _sfImageSize;
};

} // namespace osg

#endif
