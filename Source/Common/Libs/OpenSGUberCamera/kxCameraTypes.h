#ifndef KX_CAMERA_TYPES_H
#define KX_CAMERA_TYPES_H

#include "OSGBaseTypes.h"

/// Small value types shared by the camera utilities and their callers.
namespace kxCameraTypes {

/// How `kxUberCameraUtils::createViewpoint` places a new viewpoint.
enum ViewpointCreationMode : osg::Int32 {
    /// The viewpoint is a flagged copy of the camera, placement and lens as stored.
    CopyStoredView = 0,
    /// As `CopyStoredView`, but a camera under head tracking hands the viewpoint
    /// the view it shows right now (its transform in local space), and a
    /// tracked viewpoint opens to at least a 50 degree field of view.
    CaptureTrackedView = 1,
};

} // namespace kxCameraTypes

#endif
