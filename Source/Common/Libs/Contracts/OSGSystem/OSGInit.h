#ifndef OSG_INIT_H
#define OSG_INIT_H

#include "OSGBaseTypes.h"

namespace osg {

/// Phase of the scene graph. Prototypes are made while it is `Startup`, so
/// creation hooks can tell a prototype from a container made for use.
enum SystemState : UInt32 {
    Startup = 1,
    Running = 2,
    Shutdown = 3,
};

extern SystemState GlobalSystemState;

/// Makes the prototypes of every registered type, then enters `Running`.
bool osgInit(int argc, char** argv);
/// Drops the prototypes and enters `Shutdown`.
bool osgExit();

} // namespace osg

#endif
