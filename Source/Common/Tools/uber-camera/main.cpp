// uber-camera: command-line front end of the camera module.

#include "Cameras.h"
#include "Convert.h"
#include "Describe.h"

#include "OSGInit.h"

#include <cstring>
#include <iostream>

namespace {

constexpr const char* DefaultCommand = "describe";

void printUsage(std::ostream& out) {
    out << "usage: uber-camera [command]\n"
           "commands:\n"
           "  describe   the camera's registered type and fields (default)\n"
           "  cameras    a sample scene's camera registry: tree, cameras, queries\n"
           "  convert    a scene with legacy cameras, converted, and the cameras made of it\n"
           "  help       this text\n";
}

struct Command {
    const char* name;
    bool (*run)(std::ostream& out);
};

constexpr Command Commands[] = {
    {"describe", &describeCameraType},
    {"cameras", &reportCameraRegistry},
    {"convert", &reportLegacyConversion},
};

const Command* findCommand(const char* name) {
    for (const Command& command : Commands) {
        if (std::strcmp(command.name, name) == 0)
            return &command;
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    const char* command = argc > 1 ? argv[1] : DefaultCommand;
    if (std::strcmp(command, "help") == 0 || std::strcmp(command, "--help") == 0) {
        printUsage(std::cout);
        return 0;
    }
    const Command* chosen = findCommand(command);
    if (chosen == nullptr) {
        std::cerr << "uber-camera: unknown command \"" << command << "\"\n";
        printUsage(std::cerr);
        return 2;
    }

    osg::osgInit(argc, argv);
    bool ok = chosen->run(std::cout);
    osg::osgExit();
    return ok ? 0 : 1;
}
