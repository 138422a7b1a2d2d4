#ifndef UBER_CAMERA_TOOL_CAMERAS_H
#define UBER_CAMERA_TOOL_CAMERAS_H

#include <ostream>

/// Builds a small sample scene through the camera registry and writes what
/// the registry reports of it: the camera tree, every camera, the main
/// queries. Everything printed is read back from the registry. False when the
/// scene could not be built.
bool reportCameraRegistry(std::ostream& out);

#endif
