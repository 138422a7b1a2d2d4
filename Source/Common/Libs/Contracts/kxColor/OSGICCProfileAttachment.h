#ifndef OSG_ICC_PROFILE_ATTACHMENT_H
#define OSG_ICC_PROFILE_ATTACHMENT_H

#include "OSGAttachment.h"
#include "OSGFieldContainerMacros.h"
#include "OSGVector.h"

#include <string>
#include <vector>

namespace osg {

class ICCProfileAttachment;
using ICCProfileAttachmentPtr = FCPtr<AttachmentPtr, ICCProfileAttachment>;

OSG_DECLARE_PTR_TRAITS(ICCProfileAttachmentPtr);

/// A colour profile hung on a container (a display or an image), in
/// attachment group "ICCProfileAttachment": which display profile shader it
/// selects, with the tone-response table and colorants that shader reads.
class ICCProfileAttachment : public Attachment {
    OSG_CONTAINER_DECL(ICCProfileAttachmentPtr, ICCProfileAttachment)

public:
    using Inherited = Attachment;

    /// Display profile modes: 0 per-channel gamma, 1 sRGB, 2 BT.1886, 3 ICC
    /// (monitor colorants), 4 ICC (image colorants), 5 display-referred / HDR.
    UInt32 getProfileID() const { return _profileID; }
    void setProfileID(UInt32 id) { _profileID = id; }
    const std::string& getDescription() const { return _description; }
    void setDescription(const std::string& text) { _description = text; }
    /// 1024 RGB float triples, as `kxICCProfile::getToneResponseTable`.
    const std::vector<float>& getToneResponseTable() const { return _toneResponse; }
    void setToneResponseTable(const std::vector<float>& table) { _toneResponse = table; }
    const Vec3f& getColorant(UInt32 channel) const { return _colorants[channel]; }
    void setColorant(UInt32 channel, const Vec3f& xyz) { _colorants[channel] = xyz; }

protected:
    friend class FieldContainer;
    ICCProfileAttachment() = default;
    ICCProfileAttachment(const ICCProfileAttachment& source) = default;

private:
    static FieldContainerType _type;

    UInt32 _profileID = 3;
    std::string _description;
    std::vector<float> _toneResponse;
    Vec3f _colorants[3];
};

} // namespace osg

#endif
