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

    /// Size a volume without extent is framed as.
    static constexpr osg::Real32 EmptyVolumeSize = 1000.0f;

    /// The camera-to-world placement and frustum sides that frame `volume`:
    /// the eye moves back from the volume's centre along the camera's current
    /// view until the volume fits, and turns towards `target` unless that is
    /// the origin. An orthographic camera keeps its orientation and stands far
    /// back; a camera without a usable field of view keeps its placement.
    /// Nothing is written for a null camera.
    static void computeZoomToValues(const osg::UberCameraPtr& camera, const osg::BoxVolume& volume,
                                    osg::Matrix& result, osg::Vec4f& sides,
                                    const osg::Pnt3f& target);
    /// `computeZoomToValues` without a target.
    static void computeShowAllValues(const osg::UberCameraPtr& camera, const osg::BoxVolume& volume,
                                     osg::Matrix& result, osg::Vec4f& sides);

    /// A new, unreferenced line-set geometry of a movie camera looking along
    /// -z: body, lens barrel with hood, two film reels, scaled by scale / 100.
    static osg::GeometryPtr createCameraGeometry(float scale);
};

#endif
