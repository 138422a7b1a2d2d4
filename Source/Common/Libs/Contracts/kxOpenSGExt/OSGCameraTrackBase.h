#ifndef OSG_CAMERA_TRACK_BASE_H
#define OSG_CAMERA_TRACK_BASE_H

#include "OSGGroup.h"

namespace osg {

class CameraTrack;
using CameraTrackPtr = FCPtr<GroupPtr, CameraTrack>;

OSG_DECLARE_PTR_TRAITS(CameraTrackPtr);

/// Fields of `CameraTrack`: how long the track rests on each viewpoint.
class CameraTrackBase : public Group {
    OSG_CONTAINER_DECL(CameraTrackPtr, CameraTrack)

public:
    using Inherited = Group;
    OSG_FIELD_ID(PauseDuration, Inherited::NextFieldId)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 1;

    /// Seconds spent at each viewpoint before moving on.
    OSG_SFIELD_ACCESS(Real32, PauseDuration)

protected:
    CameraTrackBase() = default;
    CameraTrackBase(const CameraTrackBase& source) = default;

private:
    static FieldContainerType _type;

    SFReal32 _sfPauseDuration{2.0f};
};

} // namespace osg

#endif
