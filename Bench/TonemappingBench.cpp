// Cost of kxTonemappingSettings::requiresUpdate when nothing changed (what a renderer pays
// every frame) against a plain compare of 30 cached floats, and the heap allocations per call.
//
// `TonemappingBench --count NAME N` runs one path N times in `countedLoop` and nothing else,
// for instruction counts under callgrind (see docs/benchmarks.md).

#include "OSGInit.h"
#include "OSGUberCamera.h"
#include "kxTonemappingSettings.h"

#include <benchmark/benchmark.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

// ---- allocation counting --------------------------------------------------------------
//
// Every global allocation in the process, the shared libraries included, goes through these
// replacements, so a path that allocates shows up in its counter.

namespace {

std::atomic<std::uint64_t> allocationCount{0};

void* countedAlloc(std::size_t size) {
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void* countedAlignedAlloc(std::size_t size, std::align_val_t alignment) {
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    const std::size_t align = static_cast<std::size_t>(alignment);
    // aligned_alloc wants a size that is a multiple of the alignment.
    const std::size_t rounded = (size + align - 1) / align * align;
    if (void* p = std::aligned_alloc(align, rounded == 0 ? align : rounded))
        return p;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) {
    return countedAlloc(size);
}
void* operator new[](std::size_t size) {
    return countedAlloc(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return countedAlloc(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return countedAlloc(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return countedAlignedAlloc(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return countedAlignedAlloc(size, alignment);
}

void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}

namespace {

/// Counts the allocations made while the benchmark loop runs and reports them per iteration.
class AllocationMeter {
public:
    explicit AllocationMeter(benchmark::State& state)
        : _state(state), _start(allocationCount.load(std::memory_order_relaxed)) {}
    ~AllocationMeter() {
        const std::uint64_t used = allocationCount.load(std::memory_order_relaxed) - _start;
        _state.counters["allocs/iter"] =
            benchmark::Counter(double(used), benchmark::Counter::kAvgIterations);
    }
    AllocationMeter(const AllocationMeter&) = delete;
    AllocationMeter& operator=(const AllocationMeter&) = delete;

private:
    benchmark::State& _state;
    std::uint64_t _start;
};

/// Calibrates the meter: one vector allocation per iteration must read 1.
void BM_AllocationMeterCheck(benchmark::State& state) {
    AllocationMeter meter(state);
    for (auto _ : state) {
        std::vector<int> v(4);
        benchmark::DoNotOptimize(v.data());
    }
}
BENCHMARK(BM_AllocationMeterCheck);

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

/// The only code callgrind collects in (`--toggle-collect='*countedLoop*'`).
template <class PathT> [[gnu::noinline]] void countedLoop(PathT& path, long count) {
    for (long i = 0; i < count; ++i)
        path.step();
}

/// One warm-up step outside the counted loop, as the timed runs have.
template <class PathT> int countSteps(long count) {
    PathT path;
    if (!path.valid)
        return 1;
    path.step();
    countedLoop(path, count);
    return 0;
}

/// Runs the path named as its benchmark `count` times; 2 for an unknown name.
int countPath(const std::string& name, long count) {
    if (name == "BM_RequiresUpdateUnchanged")
        return countSteps<RequiresUpdatePath>(count);
    if (name == "BM_Compare30Floats")
        return countSteps<CompareFloatsPath>(count);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
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
