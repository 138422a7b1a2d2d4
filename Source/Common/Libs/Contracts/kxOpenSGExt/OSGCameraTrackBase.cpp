#include "OSGCameraTrackBase.h"

#include "OSGCameraTrack.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(CameraTrackPtr, "CameraTrackPtr", "GroupPtr")

namespace {
FieldDescription* cameraTrackDescs[] = {
    OSG_SFIELD_DESC(CameraTrackBase, Real32, "pauseDuration", PauseDuration, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(CameraTrackBase, "CameraTrack", "Group", nullptr,
                       &CameraTrackBase::createEmpty, cameraTrackDescs)
OSG_CONTAINER_DEF(CameraTrackBase, CameraTrack)

} // namespace osg
