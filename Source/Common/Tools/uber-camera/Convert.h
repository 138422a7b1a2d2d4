#ifndef UBER_CAMERA_TOOL_CONVERT_H
#define UBER_CAMERA_TOOL_CONVERT_H

#include <ostream>

/// Builds a scene as older versions stored cameras (legacy settings,
/// attachments, beacons, a marked camera track), prints it, converts it and
/// prints the camera tree and every converted camera as read back from the
/// scene. The conversion's own progress lines go to standard output. False
/// when the scene could not be built.
bool reportLegacyConversion(std::ostream& out);

#endif
