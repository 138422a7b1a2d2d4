#ifndef OSG_UBER_CAMERA_LOG_H
#define OSG_UBER_CAMERA_LOG_H

// Diagnostics of the camera core: one entry of the scene graph's log per
// message, written under the log's lock and ended with an end of line.

#include "OSGLog.h"

#include <ostream>

namespace osg {

inline constexpr const char* CameraLogModule = "OpenSG";
inline constexpr const char* CameraLogSourceFile =
    "Source\\Common\\Libs\\OpenSGUberCamera\\OSGUberCamera";

template <class... Parts>
void logCameraMessage(LogLevel level, UInt32 line, const Parts&... parts) {
    Log& log = osgLog();
    log.lock();
    if (log.checkModule(CameraLogModule)) {
        std::ostream& out = log.doHeader(level, CameraLogModule, CameraLogSourceFile, line);
        (out << ... << parts) << std::endl;
    }
    log.unlock();
}

} // namespace osg

#endif
