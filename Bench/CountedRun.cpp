#include "CountedRun.h"

#include "OSGInit.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

int benchmarkMain(int argc, char** argv, CountPath countPath) {
    osg::osgInit(0, nullptr);
    int status = 0;
    if (argc == 4 && std::string(argv[1]) == "--count") {
        status = countPath(argv[2], std::atol(argv[3]));
    } else {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    osg::osgExit();
    return status;
}
