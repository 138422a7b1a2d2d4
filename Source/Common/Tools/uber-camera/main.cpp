// uber-camera: command-line front end of the camera module.

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
           "  help       this text\n";
}

} // namespace

int main(int argc, char** argv) {
    const char* command = argc > 1 ? argv[1] : DefaultCommand;
    if (std::strcmp(command, "help") == 0 || std::strcmp(command, "--help") == 0) {
        printUsage(std::cout);
        return 0;
    }
    if (std::strcmp(command, "describe") != 0) {
        std::cerr << "uber-camera: unknown command \"" << command << "\"\n";
        printUsage(std::cerr);
        return 2;
    }

    osg::osgInit(argc, argv);
    bool ok = describeCameraType(std::cout);
    osg::osgExit();
    return ok ? 0 : 1;
}
