#ifndef KX_COLOR_H
#define KX_COLOR_H

#include "OSGICCProfileAttachment.h"
#include "kxICCProfile.h"

#include <string>

/// The application's colour management: the monitor's and the image's ICC
/// profiles (LittleCMS's sRGB until configured) and the profile attachment
/// the display pipeline works with.
class kxColor {
public:
    kxColor() = delete;

    static const kxICCProfile& getMonitorICCProfile();
    static const kxICCProfile& getImageICCProfile();
    /// Replaces the monitor / image profile with the .icc file at `path`; false
    /// (profile unchanged) when it cannot be used.
    static bool setMonitorICCProfile(const std::string& path, std::string* error = nullptr);
    static bool setImageICCProfile(const std::string& path, std::string* error = nullptr);
    /// Sets the profiles to the given values (an invalid one is allowed: the
    /// display pipeline then falls back to sRGB).
    static void setMonitorICCProfile(const kxICCProfile& profile);
    static void setImageICCProfile(const kxICCProfile& profile);
    /// Back to LittleCMS's sRGB for both.
    static void resetProfiles();

    /// The profile attachment currently used for display, or null.
    static void setActiveICCProfile(const osg::ICCProfileAttachmentPtr& profile);
    static osg::ICCProfileAttachmentPtr getActiveICCProfile();
};

#endif
