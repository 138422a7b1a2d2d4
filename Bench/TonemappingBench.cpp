// Cost of kxTonemappingSettings::requiresUpdate when nothing changed (what a renderer pays
// every frame) against a plain compare of 30 cached floats, and the heap allocations per call.
//
// `TonemappingBench --count NAME N` runs one path N times in `countedLoop` and nothing else,
// for instruction counts under callgrind (see docs/benchmarks.md).

#include "AllocationMeter.h"
#include "CountedRun.h"
#include "OSGUberCamera.h"
#include "kxTonemappingSettings.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// ---- paths ------------------------------------------------------------------------------
//
// One object per measured path: set up once, then `step` is one call. The timed benchmarks
// and the instruction counts run the same `step`.

/// A camera with its own tonemapping settings (a look other than the defaults, so the white
/// balance and hue shift are real matrices), checked once for a first update that reports a
/// change and a second that reports none.
struct RequiresUpdatePath {
    osg::UberCameraPtr camera = osg::UberCamera::create();
    kxTonemappingSettings state;
    bool valid = false;

    RequiresUpdatePath() {
        osg::addRefCP(camera);
        osg::TonemappingSettings& settings = *camera->getTonemappingSettings();
        settings.setTonemapperId(osg::TonemappingSettings::FilmicTonemapper);
        settings.setWhitebalance(5200.0f);
        settings.setColorCorrection(osg::Vec4f(12.0f, 1.1f, 0.95f, 1.05f));
        settings.setColorCorrectionFlags(osg::TonemappingSettings::ColorCorrectForeground);
        bool rebuild = false, uniforms = false;
        state.requiresUpdate(camera.getCPtr(), rebuild, uniforms, false);
        const bool first = rebuild && uniforms;
        rebuild = uniforms = false;
        state.requiresUpdate(camera.getCPtr(), rebuild, uniforms, false);
        valid = first && !rebuild && !uniforms;
    }
    ~RequiresUpdatePath() { osg::subRefCP(camera); }
    RequiresUpdatePath(const RequiresUpdatePath&) = delete;
    RequiresUpdatePath& operator=(const RequiresUpdatePath&) = delete;

    void step() {
        bool rebuild = false, uniforms = false;
        state.requiresUpdate(camera.getCPtr(), rebuild, uniforms, false);
        benchmark::DoNotOptimize(rebuild);
        benchmark::DoNotOptimize(uniforms);
    }
};

/// What a user writes instead: keep 30 floats and compare the current ones with them.
struct CompareFloatsPath {
    std::array<float, 30> current{};
    std::array<float, 30> cached{};
    bool valid = true;

    CompareFloatsPath() {
        for (std::size_t i = 0; i < current.size(); ++i)
            current[i] = cached[i] = 0.5f + float(i);
    }
    void step() {
        benchmark::DoNotOptimize(current);
        bool changed = false;
        for (std::size_t i = 0; i < current.size(); ++i)
            changed |= current[i] != cached[i];
        benchmark::DoNotOptimize(changed);
    }
};

template <class PathT> void timeSteps(benchmark::State& state) {
    PathT path;
    if (!path.valid) {
        state.SkipWithError("the path reports a change where there is none");
        return;
    }
    AllocationMeter meter(state);
    for (auto _ : state)
        path.step();
}

void BM_RequiresUpdateUnchanged(benchmark::State& state) {
    timeSteps<RequiresUpdatePath>(state);
}
BENCHMARK(BM_RequiresUpdateUnchanged);

void BM_Compare30Floats(benchmark::State& state) {
    timeSteps<CompareFloatsPath>(state);
}
BENCHMARK(BM_Compare30Floats);

// ---- instruction counts -------------------------------------------------------------------

/// A fresh path counted, or 1 when it could not be set up.
template <class PathT> int countFresh(long count) {
    PathT path;
    return path.valid ? countSteps(path, count) : 1;
}

/// Runs the path named as its benchmark `count` times; 2 for an unknown name.
int countPath(const std::string& name, long count) {
    if (name == "BM_RequiresUpdateUnchanged")
        return countFresh<RequiresUpdatePath>(count);
    if (name == "BM_Compare30Floats")
        return countFresh<CompareFloatsPath>(count);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    return benchmarkMain(argc, argv, countPath);
}
