#ifndef OSG_CAMERA_ATTACHMENT_H
#define OSG_CAMERA_ATTACHMENT_H

#include "OSGAttachment.h"

#include <string>

namespace osg {

class CameraAttachment;
using CameraAttachmentPtr = FCPtr<AttachmentPtr, CameraAttachment>;

OSG_DECLARE_PTR_TRAITS(CameraAttachmentPtr);

/// What older scenes kept beside a legacy camera on its node: which standard
/// view it is, whether the scene starts with it, and its camera-track timing.
class CameraAttachment : public Attachment {
    OSG_CONTAINER_DECL(CameraAttachmentPtr, CameraAttachment)

public:
    using Inherited = Attachment;
    OSG_FIELD_ID(BasicCamera, Inherited::NextFieldId)
    OSG_FIELD_ID(View, Inherited::NextFieldId + 1)
    OSG_FIELD_ID(InitialCamera, Inherited::NextFieldId + 2)
    OSG_FIELD_ID(OverrideTrackSettings, Inherited::NextFieldId + 3)
    OSG_FIELD_ID(FadeInDuration, Inherited::NextFieldId + 4)
    OSG_FIELD_ID(PauseDuration, Inherited::NextFieldId + 5)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 6;

    /// One of the application's standard cameras rather than a user's.
    OSG_SFIELD_ACCESS(bool, BasicCamera)
    /// Name of the standard view, exactly "perspective", "front", "side" or "top";
    /// any other text names none.
    OSG_SFIELD_ACCESS(std::string, View)
    OSG_SFIELD_ACCESS(bool, InitialCamera)
    /// The camera's own track timing replaces its track's.
    OSG_SFIELD_ACCESS(bool, OverrideTrackSettings)
    /// Seconds.
    OSG_SFIELD_ACCESS(Real32, FadeInDuration)
    /// Seconds.
    OSG_SFIELD_ACCESS(Real32, PauseDuration)

protected:
    friend class FieldContainer;
    CameraAttachment() = default;
    CameraAttachment(const CameraAttachment& source) = default;

private:
    static FieldContainerType _type;

    SFBool _sfBasicCamera;
    SFString _sfView;
    SFBool _sfInitialCamera;
    SFBool _sfOverrideTrackSettings;
    SFReal32 _sfFadeInDuration{1.0f};
    SFReal32 _sfPauseDuration{2.0f};
};

} // namespace osg

#endif
