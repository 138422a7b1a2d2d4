#ifndef OSG_RAYTRACING_GEO_ATTACHMENT_H
#define OSG_RAYTRACING_GEO_ATTACHMENT_H

#include "OSGAttachment.h"

namespace osg {

class RaytracingGeoAttachment;
using RaytracingGeoAttachmentPtr = FCPtr<AttachmentPtr, RaytracingGeoAttachment>;

OSG_DECLARE_PTR_TRAITS(RaytracingGeoAttachmentPtr);

/// Which ray-traced effects see a geometry. Everything is visible by default.
class RaytracingGeoAttachment : public Attachment {
    OSG_CONTAINER_DECL(RaytracingGeoAttachmentPtr, RaytracingGeoAttachment)

public:
    using Inherited = Attachment;
    OSG_FIELD_ID(PrimaryVisibility, Inherited::NextFieldId)
    OSG_FIELD_ID(VisibleInReflections, Inherited::NextFieldId + 1)
    OSG_FIELD_ID(VisibleInRefractions, Inherited::NextFieldId + 2)
    OSG_FIELD_ID(VisibleInGlossyReflections, Inherited::NextFieldId + 3)
    OSG_FIELD_ID(VisibleInPhotons, Inherited::NextFieldId + 4)
    OSG_FIELD_ID(CastShadows, Inherited::NextFieldId + 5)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 6;

    OSG_SFIELD_ACCESS(bool, PrimaryVisibility)
    OSG_SFIELD_ACCESS(bool, VisibleInReflections)
    OSG_SFIELD_ACCESS(bool, VisibleInRefractions)
    OSG_SFIELD_ACCESS(bool, VisibleInGlossyReflections)
    OSG_SFIELD_ACCESS(bool, VisibleInPhotons)
    OSG_SFIELD_ACCESS(bool, CastShadows)

protected:
    friend class FieldContainer;
    RaytracingGeoAttachment() = default;
    RaytracingGeoAttachment(const RaytracingGeoAttachment& source) = default;

private:
    static FieldContainerType _type;

    SFBool _sfPrimaryVisibility{true};
    SFBool _sfVisibleInReflections{true};
    SFBool _sfVisibleInRefractions{true};
    SFBool _sfVisibleInGlossyReflections{true};
    SFBool _sfVisibleInPhotons{true};
    SFBool _sfCastShadows{true};
};

} // namespace osg

#endif
