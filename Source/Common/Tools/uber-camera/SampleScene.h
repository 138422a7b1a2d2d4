#ifndef UBER_CAMERA_TOOL_SAMPLE_SCENE_H
#define UBER_CAMERA_TOOL_SAMPLE_SCENE_H

// What the tool's sample scenes share: scene 0 with a material pool and a root
// node, and the four default views made through the camera registry.

#include "OSGUberCamera.h"

#include <array>

namespace sample {

struct DefaultView {
    const char* name;
    osg::UberCamera::DefaultCameraId id;
};

constexpr std::array<DefaultView, 4> DefaultViews{{
    {"Perspective", osg::UberCamera::PerspectiveView},
    {"Front", osg::UberCamera::FrontView},
    {"Side", osg::UberCamera::SideView},
    {"Top", osg::UberCamera::TopView},
}};

/// Gives scene 0 a material pool (which keeps the camera root) and a root node
/// named "Scene"; returns the root.
osg::NodePtr startScene();
/// Empties scene 0: root, material pool, camera tree.
void clearScene();

/// One registry camera per default view, its scene node below `parent` and its
/// internal node below the camera root, with its default camera id set; in the
/// order of `DefaultViews`.
std::array<osg::UberCameraPtr, 4> addDefaultViews(const osg::NodePtr& parent);

} // namespace sample

#endif
