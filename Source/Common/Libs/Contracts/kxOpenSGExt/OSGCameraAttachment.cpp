#include "OSGCameraAttachment.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(CameraAttachmentPtr, "CameraAttachmentPtr", "AttachmentPtr")

namespace {
FieldDescription* cameraAttachmentDescs[] = {
    OSG_SFIELD_DESC(CameraAttachment, bool, "basicCamera", BasicCamera, false),
    OSG_SFIELD_DESC(CameraAttachment, std::string, "view", View, false),
    OSG_SFIELD_DESC(CameraAttachment, bool, "initialCamera", InitialCamera, false),
    OSG_SFIELD_DESC(CameraAttachment, bool, "overrideTrackSettings", OverrideTrackSettings, false),
    OSG_SFIELD_DESC(CameraAttachment, Real32, "fadeInDuration", FadeInDuration, false),
    OSG_SFIELD_DESC(CameraAttachment, Real32, "pauseDuration", PauseDuration, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(CameraAttachment, "CameraAttachment", "Attachment", "CameraAttachment",
                       &CameraAttachment::createEmpty, cameraAttachmentDescs)
OSG_CONTAINER_DEF(CameraAttachment, CameraAttachment)

} // namespace osg
