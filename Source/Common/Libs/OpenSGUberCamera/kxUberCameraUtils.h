#ifndef KX_UBER_CAMERA_UTILS_H
#define KX_UBER_CAMERA_UTILS_H

#include "OSGUberCamera.h"

/// Static utilities around cameras: classification, settings, conversion and
/// the geometry that shows cameras in the scene.
class kxUberCameraUtils {
public:
    kxUberCameraUtils() = delete;

    /// Number of line end points of the camera wireframe (83 segments).
    static constexpr osg::UInt32 CameraGeometryPointCount = 166;
    /// The wireframe's size at which its coordinates are as designed.
    static constexpr osg::Real32 CameraGeometryReferenceScale = 100.0f;

    /// A new, unreferenced line-set geometry of a movie camera looking along
    /// -z: body, lens barrel with hood, two film reels, scaled by scale / 100.
    static osg::GeometryPtr createCameraGeometry(float scale);
};

#endif
