#include "OSGInit.h"

#include "OSGFieldContainerFactory.h"

namespace osg {

SystemState GlobalSystemState = Startup;

bool osgInit(int, char**) {
    if (GlobalSystemState == Running)
        return true;
    GlobalSystemState = Startup;
    bool ok = FieldContainerFactory::the()->initializeTypes();
    GlobalSystemState = Running;
    return ok;
}

bool osgExit() {
    if (GlobalSystemState != Running)
        return false;
    GlobalSystemState = Shutdown;
    FieldContainerFactory::the()->terminateTypes();
    return true;
}

} // namespace osg
