#include "kxColor.h"

#include "OSGInit.h"

namespace {

struct ColorState {
    bool initialised = false;
    kxICCProfile monitor;
    kxICCProfile image;
    osg::ICCProfileAttachmentPtr active; // counted
};

ColorState& state();

// The profiles' attachments are containers: they must go while the scene graph
// still runs, not at static destruction.
void releaseAtExit() {
    ColorState& s = state();
    s.monitor = kxICCProfile();
    s.image = kxICCProfile();
    osg::setRefdCP(s.active, osg::ICCProfileAttachmentPtr());
    s.initialised = false;
}

ColorState& state() {
    static ColorState s;
    if (!s.initialised) {
        s.initialised = true;
        s.monitor = kxICCProfile::sRGB();
        s.image = s.monitor;
        osg::addExitFunction(&releaseAtExit);
    }
    return s;
}

bool loadInto(kxICCProfile& slot, const std::string& path, std::string* error) {
    kxICCProfile profile = kxICCProfile::load(path, error);
    if (!profile.isValid())
        return false;
    slot = profile;
    return true;
}

} // namespace

const kxICCProfile& kxColor::getMonitorICCProfile() {
    return state().monitor;
}

const kxICCProfile& kxColor::getImageICCProfile() {
    return state().image;
}

bool kxColor::setMonitorICCProfile(const std::string& path, std::string* error) {
    return loadInto(state().monitor, path, error);
}

bool kxColor::setImageICCProfile(const std::string& path, std::string* error) {
    return loadInto(state().image, path, error);
}

void kxColor::setMonitorICCProfile(const kxICCProfile& profile) {
    state().monitor = profile;
}

void kxColor::setImageICCProfile(const kxICCProfile& profile) {
    state().image = profile;
}

void kxColor::resetProfiles() {
    ColorState& s = state();
    s.monitor = kxICCProfile::sRGB();
    s.image = s.monitor;
}

void kxColor::setActiveICCProfile(const osg::ICCProfileAttachmentPtr& profile) {
    osg::setRefdCP(state().active, profile);
}

osg::ICCProfileAttachmentPtr kxColor::getActiveICCProfile() {
    return state().active;
}
