#ifndef UBER_CAMERA_TOOL_DESCRIBE_H
#define UBER_CAMERA_TOOL_DESCRIBE_H

#include <ostream>

/// Prints the registered camera type, its pointer types and one line per
/// camera field, all read from the scene graph's registry and from a freshly
/// created camera. Returns false when the type is not registered.
bool describeCameraType(std::ostream& out);

#endif
