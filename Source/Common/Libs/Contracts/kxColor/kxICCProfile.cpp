#include "kxICCProfile.h"

#include "OSGICCProfileAttachment.h"

#include <lcms2.h>

#include <filesystem>

// The attachment of one profile value, shared by its copies: made on the first
// request, holding one reference that the last copy gives back.
struct kxICCProfile::AttachmentOwner {
    osg::ICCProfileAttachmentPtr attachment;
    AttachmentOwner() = default;
    AttachmentOwner(const AttachmentOwner&) = delete;
    AttachmentOwner& operator=(const AttachmentOwner&) = delete;
    ~AttachmentOwner() { osg::subRefCP(attachment); }
};

namespace {

// Closes the profile handle on every path out.
struct ProfileHandle {
    cmsHPROFILE handle;
    explicit ProfileHandle(cmsHPROFILE profile) : handle(profile) {}
    ProfileHandle(const ProfileHandle&) = delete;
    ProfileHandle& operator=(const ProfileHandle&) = delete;
    ~ProfileHandle() {
        if (handle != nullptr)
            cmsCloseProfile(handle);
    }
};

void setError(std::string* error, const std::string& reason) {
    if (error != nullptr)
        *error = reason;
}

// Everything is read from the open profile here; `fallbackName` names it when
// it carries no description.
bool readProfile(cmsHPROFILE profile, const std::string& fallbackName, bool& valid,
                 std::string& description, osg::Vec3f (&colorants)[3],
                 std::vector<float>& toneResponse, std::string* error) {
    if (profile == nullptr) {
        setError(error, fallbackName + ": not a readable ICC profile");
        return false;
    }
    if (cmsGetColorSpace(profile) != cmsSigRgbData) {
        setError(error, fallbackName + ": not an RGB profile");
        return false;
    }
    if (!cmsIsMatrixShaper(profile)) {
        setError(error, fallbackName + ": not a matrix/TRC profile");
        return false;
    }
    const cmsTagSignature colorantTags[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag,
                                             cmsSigBlueColorantTag};
    const cmsTagSignature curveTags[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
    std::vector<float> table(kxICCProfile::ToneResponseSize * 3);
    for (unsigned channel = 0; channel < 3; ++channel) {
        const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, colorantTags[channel]));
        const auto* curve =
            static_cast<const cmsToneCurve*>(cmsReadTag(profile, curveTags[channel]));
        if (xyz == nullptr || curve == nullptr) {
            setError(error, fallbackName + ": a colorant or TRC tag is missing");
            return false;
        }
        colorants[channel] = osg::Vec3f(static_cast<float>(xyz->X), static_cast<float>(xyz->Y),
                                        static_cast<float>(xyz->Z));
        // The TRC maps device values to linear light; the table needs the way back.
        cmsToneCurve* inverse = cmsReverseToneCurve(curve);
        if (inverse == nullptr) {
            setError(error, fallbackName + ": a TRC curve cannot be inverted");
            return false;
        }
        for (unsigned i = 0; i < kxICCProfile::ToneResponseSize; ++i) {
            const float linear = static_cast<float>(i) / (kxICCProfile::ToneResponseSize - 1);
            table[i * 3 + channel] = cmsEvalToneCurveFloat(inverse, linear);
        }
        cmsFreeToneCurve(inverse);
    }
    char text[256] = {};
    if (cmsGetProfileInfoASCII(profile, cmsInfoDescription, "en", "US", text, sizeof(text)) > 1)
        description = text;
    else
        description = fallbackName;
    toneResponse = std::move(table);
    valid = true;
    return true;
}

} // namespace

kxICCProfile kxICCProfile::sRGB() {
    ProfileHandle profile(cmsCreate_sRGBProfile());
    kxICCProfile result;
    if (readProfile(profile.handle, "sRGB", result._valid, result._description, result._colorants,
                    result._toneResponse, nullptr))
        result._attachment = std::make_shared<AttachmentOwner>();
    return result;
}

kxICCProfile kxICCProfile::load(const std::string& path, std::string* error) {
    const std::string name = std::filesystem::path(path).filename().string();
    ProfileHandle profile(cmsOpenProfileFromFile(path.c_str(), "r"));
    kxICCProfile result;
    if (!readProfile(profile.handle, name, result._valid, result._description, result._colorants,
                     result._toneResponse, error))
        return kxICCProfile();
    result._attachment = std::make_shared<AttachmentOwner>();
    return result;
}

osg::AttachmentPtr kxICCProfile::getAttachment() const {
    if (!_valid || !_attachment)
        return osg::AttachmentPtr();
    if (_attachment->attachment.isNull()) {
        // Null before the scene graph starts; the next request tries again.
        osg::ICCProfileAttachmentPtr attachment = osg::ICCProfileAttachment::create();
        if (attachment.isNull())
            return osg::AttachmentPtr();
        osg::addRefCP(attachment);
        // Display profile mode 3: the ICC table with the monitor's colorants.
        attachment->setProfileID(3);
        attachment->setDescription(_description);
        attachment->setToneResponseTable(_toneResponse);
        for (unsigned channel = 0; channel < 3; ++channel)
            attachment->setColorant(channel, _colorants[channel]);
        _attachment->attachment = attachment;
    }
    return _attachment->attachment;
}
