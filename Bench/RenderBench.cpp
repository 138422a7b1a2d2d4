// Frames per second of `uber-camera render`'s default frame (the sample scene's "perspective"
// camera, Hable filmic at exposure 0, 1280x720, read back to 8 bits; the PNG is not written),
// and what the camera module's own per-frame work costs within that frame.
//
// One context, scene and renderer serve every benchmark, so the module's shares of the frame
// (`frame_ppm`, parts per million of the median frame time of this run) compare one run.
// Run the frame first (the default order): the shares need its time.

#include "RenderScene.h"
#include "Renderer.h"

#include "OSGInit.h"
#include "OSGTonemappingSettings.h"
#include "kxHeadlessContext.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Width = 1280, Height = 720;

/// What `uber-camera render` sets up with its default options, after a first frame (which
/// builds the post-processing program; the timed frames must not).
struct DefaultRender {
    render::RenderScene scene;
    osg::UberCameraPtr camera = scene.findCamera("perspective");
    render::Renderer renderer;
    render::Image image;
    osg::Matrix projection, viewing;
    std::string error;

    bool init() {
        if (camera.isNull()) {
            error = "the sample scene has no perspective camera";
            return false;
        }
        const osg::TonemappingSettingsPtr settings = camera->getTonemappingSettings();
        osg::beginEditCP(settings);
        settings->setTonemapperId(osg::TonemappingSettings::FilmicTonemapper);
        settings->setExposure(0);
        osg::endEditCP(settings);
        camera->setDepthOfField(false);
        if (!renderer.init(Width, Height, &error))
            return false;
        renderer.load(scene.getRoot(), camera);
        return renderer.render(camera, 0, image, &error);
    }
};

using Clock = std::chrono::steady_clock;

/// Frames per repetition, fixed so that every call of the frame benchmark is a repetition
/// (no trial runs) and its time goes into the shares.
constexpr int FramesPerRepetition = 30;
/// Wall time per frame of each repetition so far.
std::vector<double> frameNanoseconds;

double nsPerIteration(Clock::time_point start, const benchmark::State& state) {
    const std::chrono::duration<double, std::nano> elapsed = Clock::now() - start;
    return elapsed.count() / double(state.iterations());
}

void timeFrame(benchmark::State& state, DefaultRender& frame) {
    const Clock::time_point start = Clock::now();
    for (auto _ : state) {
        if (!frame.renderer.render(frame.camera, 0, frame.image, &frame.error)) {
            state.SkipWithError(frame.error.c_str());
            break;
        }
    }
    frameNanoseconds.push_back(nsPerIteration(start, state));
    if (frame.renderer.getPostProcess().getBuildCount() != 1)
        state.SkipWithError("a timed frame built the post-processing program again");
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

/// `call` once per iteration, with its share of the median frame.
template <class Call> void timeModule(benchmark::State& state, Call call) {
    const Clock::time_point start = Clock::now();
    for (auto _ : state)
        call();
    const double ns = nsPerIteration(start, state);
    std::vector<double> frames = frameNanoseconds;
    if (frames.empty())
        return;
    std::nth_element(frames.begin(), frames.begin() + frames.size() / 2, frames.end());
    state.counters["frame_ppm"] = 1e6 * ns / frames[frames.size() / 2];
}

/// `call` with the per-frame check of the tonemapping state after it, as
/// `PostProcess::prepare` makes it; an error if the check ever reports a change.
template <class Call> void timeWithCheck(benchmark::State& state, DefaultRender& frame, Call call) {
    bool rebuild = false, uniforms = false; // set on a change, never cleared
    timeModule(state, [&] {
        call();
        frame.renderer.getPostProcess().getState().requiresUpdate(frame.camera.getCPtr(), rebuild,
                                                                  uniforms, false);
    });
    if (rebuild || uniforms)
        state.SkipWithError("requiresUpdate reported a change where there is none");
}

/// In wall time, as the frame (llvmpipe draws on threads of its own).
template <class Body> benchmark::internal::Benchmark* add(const char* name, Body body) {
    return benchmark::RegisterBenchmark(name, body)->UseRealTime();
}

void registerAll(DefaultRender& frame) {
    using benchmark::State;
    add("BM_Frame/1280x720", [&frame](State& s) { timeFrame(s, frame); })
        ->Iterations(FramesPerRepetition)
        ->Unit(benchmark::kMillisecond);
    const auto project = [&frame] { frame.camera->getProjection(frame.projection, Width, Height); };
    const auto view = [&frame] { frame.camera->getViewing(frame.viewing, Width, Height); };
    add("BM_GetProjection", [project](State& s) { timeModule(s, project); });
    add("BM_GetViewing", [view](State& s) { timeModule(s, view); });
    add("BM_RequiresUpdateUnchanged", [&frame](State& s) { timeWithCheck(s, frame, [] {}); });
    // What a host pays on every frame while nothing changes.
    add("BM_SteadyFrameWork", [&frame, project, view](State& s) {
        timeWithCheck(s, frame, [&] {
            project();
            view();
        });
    });
    // Paid only on frames for which requiresUpdate reported changed values.
    add("BM_SetUniforms", [&frame](State& s) {
        timeModule(s, [&frame] { frame.renderer.getPostProcess().setChunkUniforms(); });
    });
}

int run() {
    std::string error;
    const std::unique_ptr<kxHeadlessContext> context = kxHeadlessContext::create(&error);
    if (context == nullptr) {
        std::fprintf(stderr, "RenderBench: no OpenGL context: %s\n", error.c_str());
        return 1;
    }
    const char* threads = std::getenv("LP_NUM_THREADS");
    benchmark::AddCustomContext("gl", context->describe());
    benchmark::AddCustomContext("LP_NUM_THREADS", threads ? threads : "(llvmpipe's default)");
    DefaultRender frame;
    if (!frame.init()) {
        std::fprintf(stderr, "RenderBench: %s\n", frame.error.c_str());
        return 1;
    }
    registerAll(frame);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    osg::osgInit(0, nullptr);
    const int status = run();
    osg::osgExit();
    benchmark::Shutdown();
    return status;
}
