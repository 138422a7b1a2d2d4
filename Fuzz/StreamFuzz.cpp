// Feeds arbitrary bytes to the camera's field stream reader.
//
// Input layout: 8 bytes field mask (little-endian), 1 byte selecting 64-bit
// element counts (low bit), then the stream itself.

#include "OSGInit.h"
#include "OSGMemoryDataHandler.h"
#include "OSGUberCamera.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace osg;

namespace {

constexpr std::size_t MaskBytes = 8;
constexpr std::size_t HeaderBytes = MaskBytes + 1;

// The camera's container pointers as read from a stream are not counted: put the
// camera's own back before it is released, so its references stay balanced.
struct HeldPointers {
    explicit HeldPointers(UberCamera& camera)
        : perspectiveMatch(camera.getPerspectiveMatch()), visualization(camera.getVisualization()),
          left(camera.getLeftEyeDistortionMap()), right(camera.getRightEyeDistortionMap()),
          tonemapping(camera.getTonemappingSettings()), animation(camera.getAnimationRoot()),
          fog(camera.getFogSettings()), beacon(camera.getBeaconField()),
          attachments(camera.getAttachments()) {}

    void restore(UberCamera& camera) const {
        camera.UberCameraBase::setPerspectiveMatch(perspectiveMatch);
        camera.UberCameraBase::setVisualization(visualization);
        camera.UberCameraBase::setLeftEyeDistortionMap(left);
        camera.UberCameraBase::setRightEyeDistortionMap(right);
        camera.UberCameraBase::setTonemappingSettings(tonemapping);
        camera.UberCameraBase::setAnimationRoot(animation);
        camera.UberCameraBase::setFogSettings(fog);
        camera.editSFBeacon()->setValue(beacon);
        camera.editSFAttachments()->setValue(attachments);
        camera.editMFParents()->clear();
    }

    PerspectiveMatchPtr perspectiveMatch;
    GeometryPtr visualization;
    TextureSettingsPtr left, right;
    TonemappingSettingsPtr tonemapping;
    AnimNodePtr animation;
    FogSettingsPtr fog;
    NodePtr beacon;
    AttachmentMap attachments;
};

UberCameraPtr fuzzCamera() {
    static UberCameraPtr camera = [] {
        osgInit(0, nullptr);
        UberCameraPtr created = UberCamera::create();
        addRefCP(created);
        return created;
    }();
    return camera;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < HeaderBytes)
        return 0;
    UberCameraPtr camera = fuzzCamera();
    BitVector mask = 0;
    for (std::size_t i = 0; i < MaskBytes; ++i)
        mask |= BitVector(data[i]) << (8 * i);
    osgSetUseOSB64((data[MaskBytes] & 1) != 0);

    HeldPointers held(*camera);
    MemoryDataHandler stream(std::vector<UInt8>(data + HeaderBytes, data + size));
    camera->copyFromBin(stream, mask);

    // Use what was read, so that the reading cannot be optimised away.
    volatile std::size_t points = camera->getPbarProjectionPlanePoints().size();
    volatile bool failed = stream.failed();
    (void)points;
    (void)failed;

    held.restore(*camera);
    camera->getPbarProjectionPlanePoints().clear();
    return 0;
}
