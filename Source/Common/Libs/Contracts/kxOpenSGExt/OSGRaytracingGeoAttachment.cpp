#include "OSGRaytracingGeoAttachment.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(RaytracingGeoAttachmentPtr, "RaytracingGeoAttachmentPtr", "AttachmentPtr")

namespace {
FieldDescription* raytracingGeoAttachmentDescs[] = {
    OSG_SFIELD_DESC(RaytracingGeoAttachment, bool, "primaryVisibility", PrimaryVisibility, false),
    OSG_SFIELD_DESC(RaytracingGeoAttachment, bool, "visibleInReflections", VisibleInReflections,
                    false),
    OSG_SFIELD_DESC(RaytracingGeoAttachment, bool, "visibleInRefractions", VisibleInRefractions,
                    false),
    OSG_SFIELD_DESC(RaytracingGeoAttachment, bool, "visibleInGlossyReflections",
                    VisibleInGlossyReflections, false),
    OSG_SFIELD_DESC(RaytracingGeoAttachment, bool, "visibleInPhotons", VisibleInPhotons, false),
    OSG_SFIELD_DESC(RaytracingGeoAttachment, bool, "castShadows", CastShadows, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(RaytracingGeoAttachment, "RaytracingGeoAttachment", "Attachment",
                       "RaytracingGeoAttachment", &RaytracingGeoAttachment::createEmpty,
                       raytracingGeoAttachmentDescs)
OSG_CONTAINER_DEF(RaytracingGeoAttachment, RaytracingGeoAttachment)

} // namespace osg
