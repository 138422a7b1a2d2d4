// uber-camera: command-line front end of the camera module. Without a command
// it renders the sample scene (`render`).

#include "Cameras.h"
#include "Convert.h"
#include "Describe.h"
#include "RenderCommand.h"

#include "OSGInit.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

void printUsage(std::ostream& out) {
    out << "usage: uber-camera [command] [options]\n"
           "commands:\n"
           "  render     the sample scene through a camera, as a PNG (default)\n"
           "  describe   the camera's registered type and fields\n"
           "  cameras    a sample scene's camera registry: tree, cameras, queries\n"
           "  convert    a scene with legacy cameras, converted, and the cameras made of it\n"
           "  help       this text\n\n";
    render::printRenderUsage(out);
}

struct Report {
    const char* name;
    bool (*run)(std::ostream& out);
};

constexpr Report Reports[] = {
    {"describe", &describeCameraType},
    {"cameras", &reportCameraRegistry},
    {"convert", &reportLegacyConversion},
};

const Report* findReport(const std::string& name) {
    for (const Report& report : Reports) {
        if (name == report.name)
            return &report;
    }
    return nullptr;
}

int fail(const std::string& problem) {
    std::cerr << "uber-camera: " << problem << "\n";
    return render::ExitUsage;
}

int runReport(const Report& report, const std::vector<std::string>& args, int argc, char** argv) {
    if (!args.empty())
        return fail(std::string(report.name) + " takes no options, got \"" + args.front() + "\"");
    osg::osgInit(argc, argv);
    const bool ok = report.run(std::cout);
    osg::osgExit();
    return ok ? render::ExitOk : render::ExitRenderFailed;
}

int runRender(const std::vector<std::string>& args, int argc, char** argv) {
    render::RenderOptions options;
    std::string problem;
    if (!render::parseRenderOptions(args, options, &problem))
        return fail(problem);
    if (options.help) {
        printUsage(std::cout);
        return render::ExitOk;
    }
    osg::osgInit(argc, argv);
    const int code = render::runRender(options, std::cout, std::cerr);
    osg::osgExit();
    return code;
}

int run(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // A first word that is not an option names the command.
    std::string command = "render";
    if (!args.empty() && args.front().rfind('-', 0) != 0) {
        command = args.front();
        args.erase(args.begin());
    }
    if (command == "help") {
        printUsage(std::cout);
        return render::ExitOk;
    }
    if (command == "render")
        return runRender(args, argc, argv);
    if (const Report* report = findReport(command))
        return runReport(*report, args, argc, argv);
    return fail("unknown command \"" + command + "\" (see uber-camera --help)");
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        // Out of memory, a file system failure: one line, not an abort.
        std::cerr << "uber-camera: " << error.what() << "\n";
        return render::ExitRenderFailed;
    }
}
