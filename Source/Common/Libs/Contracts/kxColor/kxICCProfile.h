#ifndef KX_ICC_PROFILE_H
#define KX_ICC_PROFILE_H

#include "OSGAttachment.h"
#include "OSGVector.h"

#include <memory>
#include <string>
#include <vector>

/// An RGB matrix/TRC colour profile read with LittleCMS: the built-in sRGB
/// profile or an .icc file. What the display pipeline needs of it: its
/// colorants and its tone-response table, both computed by LittleCMS.
class kxICCProfile {
public:
    /// Entries of the tone-response table (per channel).
    static constexpr unsigned ToneResponseSize = 1024;

    /// An invalid profile.
    kxICCProfile() = default;
    /// LittleCMS's built-in sRGB profile.
    static kxICCProfile sRGB();
    /// The profile in `path`; invalid (with the reason in `error`) when the file
    /// cannot be read or is not an RGB matrix/TRC display profile.
    static kxICCProfile load(const std::string& path, std::string* error = nullptr);

    bool isValid() const { return _valid; }
    /// The profile's description tag (or the file name).
    const std::string& getDescription() const { return _description; }
    /// The red, green and blue colorants (XYZ, D50, as the profile's rXYZ/gXYZ/bXYZ tags).
    const osg::Vec3f& getRedColorant() const { return _colorants[0]; }
    const osg::Vec3f& getGreenColorant() const { return _colorants[1]; }
    const osg::Vec3f& getBlueColorant() const { return _colorants[2]; }
    /// 1024 RGB float triples: entry i is the device value that shows the linear
    /// value i / 1023, per channel (the inverse of the profile's TRC curves).
    const std::vector<float>& getToneResponseTable() const { return _toneResponse; }
    /// The attachment that carries this profile into the scene graph (made on
    /// first request, one per profile value; null for an invalid profile).
    osg::AttachmentPtr getAttachment() const;

private:
    bool _valid = false;
    std::string _description;
    osg::Vec3f _colorants[3];
    std::vector<float> _toneResponse;
    /// Holds the attachment's one reference for all copies of this profile
    /// value; released with the last copy.
    struct AttachmentOwner;
    std::shared_ptr<AttachmentOwner> _attachment;
};

#endif
