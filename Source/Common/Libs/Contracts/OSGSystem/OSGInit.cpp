#include "OSGInit.h"

#include "OSGFieldContainerFactory.h"

#include <vector>

namespace osg {

SystemState GlobalSystemState = Startup;

namespace {
std::vector<ExitFunction>& exitFunctions() {
    static std::vector<ExitFunction> functions;
    return functions;
}
} // namespace

void addExitFunction(ExitFunction function) {
    if (function != nullptr)
        exitFunctions().push_back(function);
}

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
    std::vector<ExitFunction>& functions = exitFunctions();
    while (!functions.empty()) {
        ExitFunction function = functions.back();
        functions.pop_back();
        function();
    }
    GlobalSystemState = Shutdown;
    FieldContainerFactory::the()->terminateTypes();
    return true;
}

} // namespace osg
