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
/// Runs the exit functions (last added first), drops the prototypes and
/// enters `Shutdown`.
bool osgExit();

using ExitFunction = void (*)();
/// Registers a function that releases what a library kept for the process.
void addExitFunction(ExitFunction function);

} // namespace osg

#endif
