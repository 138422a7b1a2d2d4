#ifndef OSG_CAMERA_TRACK_H
#define OSG_CAMERA_TRACK_H

#include "OSGCameraTrackBase.h"

namespace osg {

/// A node core that groups viewpoints into a tour: its node's children are
/// the viewpoints' nodes, visited in order.
class CameraTrack : public CameraTrackBase {
public:
    using Inherited = CameraTrackBase;

protected:
    friend class FieldContainer;
    CameraTrack() = default;
    CameraTrack(const CameraTrack& source) = default;
};

} // namespace osg

#endif
