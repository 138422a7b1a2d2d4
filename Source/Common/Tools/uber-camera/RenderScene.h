#ifndef UBER_CAMERA_TOOL_RENDER_SCENE_H
#define UBER_CAMERA_TOOL_RENDER_SCENE_H

// The scene `uber-camera render` draws: a checkered ground, a few lit solids,
// two emissive objects far brighter than white, the four default views and
// two user cameras made through the camera registry, with the user cameras'
// aim crosses. Lengths in millimetres, y up.

#include "OSGGeometry.h"
#include "OSGNode.h"
#include "OSGUberCamera.h"

#include <string>
#include <vector>

namespace render {

/// Radiance of the emissive objects (linear RGB, 1 = a white lit surface's).
inline const osg::Vec3f LampRadiance{24.0f, 16.0f, 8.0f};
inline const osg::Vec3f NeonRadiance{1.5f, 9.0f, 30.0f};

// ---- building blocks (also for tests' own scenes) ------------------------------------------

/// A material of linear RGB `color`; unlit colours are radiance.
osg::MaterialPtr makeMaterial(const osg::Vec3f& color, bool lit);
/// A geometry drawing `points` as a triangle list.
osg::GeometryPtr makeTriangles(const std::vector<osg::Pnt3f>& points,
                               const osg::MaterialPtr& material);
/// An axis-aligned box of `size` centred at the origin.
std::vector<osg::Pnt3f> boxTriangles(const osg::Vec3f& size);
/// A latitude-longitude sphere centred at the origin.
std::vector<osg::Pnt3f> sphereTriangles(osg::Real32 radius, int rings, int segments);
/// One colour of a checkerboard of `tiles` x `tiles` in the plane y = 0, `size`
/// wide, centred at the origin: the tiles whose column plus row is odd, or even.
std::vector<osg::Pnt3f> checkerTriangles(osg::Real32 size, int tiles, bool odd);
/// A transform node `name` below `parent` placing `geometry` (on a child node)
/// at `position`, turned by `yawDegrees` about y.
osg::NodePtr addObject(const osg::NodePtr& parent, const std::string& name,
                       const osg::GeometryPtr& geometry, const osg::Vec3f& position,
                       osg::Real32 yawDegrees);

/// Sets the focus distance to the camera's target (`getAt`), as after a move.
void focusOnTarget(const osg::UberCameraPtr& camera);

/// The one sample scene of scene 0; building it replaces whatever scene 0 held.
class RenderScene {
public:
    /// Builds the scene into scene 0; the destructor empties scene 0.
    RenderScene();
    ~RenderScene();
    RenderScene(const RenderScene&) = delete;
    RenderScene& operator=(const RenderScene&) = delete;

    /// The scene graph to draw (the registry's hidden camera tree is not in it).
    osg::NodePtr getRoot() const { return _root; }
    /// World bounds of the drawn objects (cameras and markers left out).
    const osg::BoxVolume& getObjectBounds() const { return _objectBounds; }

    /// A default view by name ("perspective", "front", "side", "top") or a
    /// user camera by its name, case ignored; null when there is none.
    osg::UberCameraPtr findCamera(const std::string& name) const;
    /// The names `findCamera` knows, default views first.
    static std::vector<std::string> getCameraNames();
    /// Whether `findCamera` will find `name` (case ignored), before the scene is built.
    static bool knowsCamera(const std::string& name);

    /// Names of the user cameras.
    static constexpr const char* OrbitCamera = "Orbit";
    static constexpr const char* CloseupCamera = "Closeup";

private:
    osg::NodePtr _root;
    osg::BoxVolume _objectBounds;
};

} // namespace render

#endif
