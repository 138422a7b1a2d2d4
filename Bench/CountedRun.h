#ifndef UBERCAM_BENCH_COUNTED_RUN_H
#define UBERCAM_BENCH_COUNTED_RUN_H

// Instruction counts beside wall times: a benchmark program started as
// `PROGRAM --count NAME N` runs the path of benchmark NAME N times in
// `countedLoop`, the only code callgrind collects in
// (`valgrind --tool=callgrind --toggle-collect='*countedLoop*' PROGRAM --count NAME N`).

#include <string>

/// Runs `path.step()` `count` times.
template <class PathT> [[gnu::noinline]] void countedLoop(PathT& path, long count) {
    for (long i = 0; i < count; ++i)
        path.step();
}

/// One warm-up step outside the counted loop, as the timed runs have; 0.
template <class PathT> int countSteps(PathT& path, long count) {
    path.step();
    countedLoop(path, count);
    return 0;
}

/// Runs the path of the benchmark `name` `count` times; the program's exit status
/// (2 for an unknown name).
using CountPath = int (*)(const std::string& name, long count);

/// The program's main: the scene graph started, then `--count NAME N` through
/// `countPath`, or else Google Benchmark with the arguments.
int benchmarkMain(int argc, char** argv, CountPath countPath);

#endif
