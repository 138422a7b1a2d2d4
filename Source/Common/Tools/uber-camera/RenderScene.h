#ifndef UBER_CAMERA_TOOL_RENDER_SCENE_H
#define UBER_CAMERA_TOOL_RENDER_SCENE_H

// The scene `uber-camera render` draws: a checkered ground, a few lit solids,
// two emissive objects far brighter than white, the four default views and
// two user cameras made through the camera registry, with the user cameras'
// aim crosses. Lengths in millimetres, y up.

#include "OSGNode.h"
#include "OSGUberCamera.h"

#include <string>
#include <vector>

namespace render {

/// Radiance of the emissive objects (linear RGB, 1 = a white lit surface's).
inline const osg::Vec3f LampRadiance{24.0f, 16.0f, 8.0f};
inline const osg::Vec3f NeonRadiance{1.5f, 9.0f, 30.0f};

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
    std::vector<std::string> getCameraNames() const;

    /// Names of the user cameras.
    static constexpr const char* OrbitCamera = "Orbit";
    static constexpr const char* CloseupCamera = "Closeup";

private:
    osg::NodePtr _root;
    osg::BoxVolume _objectBounds;
};

} // namespace render

#endif
