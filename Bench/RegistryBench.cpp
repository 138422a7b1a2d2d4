// How the camera registry's queries scale with the number of cameras: the
// map-based lists over every registered camera, and the walks of the camera
// tree. Each is reported per camera (`per_camera`, seconds) so that a flat
// column from 1 000 to 100 000 cameras means linear cost.

#include "NodeUtils.h"
#include "OSGGroup.h"
#include "OSGInit.h"
#include "OSGMaterialPool.h"
#include "kxSceneData.h"
#include "kxUberCameraPool.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace osg;

namespace {

constexpr int SceneSizes[] = {1000, 10000, 100000};

std::string cameraName(int index) {
    return "Camera " + std::to_string(index);
}

// One scene at a time: `count` cameras, each with a scene node below the
// scene root and an internal node below the camera root, in creation order.
// A benchmark of another size replaces it.
class RegistryScene {
public:
    static void ensure(int count) {
        static RegistryScene scene;
        if (scene._count == count)
            return;
        scene.clear();
        scene.build(count);
    }

private:
    void build(int count) {
        kxSceneData* data = kxSceneDataManager::getSceneData(0);
        data->setMaterialPool(MaterialPool::create());
        data->setRootNode(NodeUtils::createNodeWithCore(Group::create(), NodePtr(), "Scene"));
        const NodePtr cameraRoot = kxUberCameraPool::getRoot();
        for (int i = 0; i < count; ++i)
            kxUberCameraPool::the()->createCameraNode(cameraName(i), data->getRootNode(),
                                                      cameraRoot);
        _count = count;
    }

    void clear() {
        kxSceneDataManager::getSceneData(0)->clear();
        _count = 0;
    }

    int _count = 0;
};

void reportPerCamera(benchmark::State& state) {
    state.counters["per_camera"] =
        benchmark::Counter(double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

// Checks before timing that the scene is what the benchmark thinks it is.
void requireCount(benchmark::State& state, size_t found) {
    if (found != size_t(state.range(0)))
        state.SkipWithError("the registry does not list every camera of the scene");
}

// ---- the id map --------------------------------------------------------------------------

void BM_GetContentIds(benchmark::State& state) {
    RegistryScene::ensure(int(state.range(0)));
    requireCount(state, kxUberCameraPool::getContentIds(true, true).size());
    for (auto _ : state)
        benchmark::DoNotOptimize(kxUberCameraPool::getContentIds(true, true));
    reportPerCamera(state);
}

void BM_GetContentNodes(benchmark::State& state) {
    RegistryScene::ensure(int(state.range(0)));
    requireCount(state, kxUberCameraPool::getContentNodes(true, true).size());
    for (auto _ : state)
        benchmark::DoNotOptimize(kxUberCameraPool::getContentNodes(true, true));
    reportPerCamera(state);
}

void BM_GetVisualizationNodes(benchmark::State& state) {
    RegistryScene::ensure(int(state.range(0)));
    requireCount(state, kxUberCameraPool::getVisualizationNodes().size());
    for (auto _ : state)
        benchmark::DoNotOptimize(kxUberCameraPool::getVisualizationNodes());
    reportPerCamera(state);
}

// ---- walks of the camera tree --------------------------------------------------------------

void BM_FindLastByName(benchmark::State& state) {
    RegistryScene::ensure(int(state.range(0)));
    const std::string last = cameraName(int(state.range(0)) - 1);
    if (kxUberCameraPool::the()->find(last).isNull())
        state.SkipWithError("the last camera is not found by name");
    for (auto _ : state)
        benchmark::DoNotOptimize(kxUberCameraPool::the()->find(last));
    reportPerCamera(state);
}

void BM_GetCameraNodes(benchmark::State& state) {
    RegistryScene::ensure(int(state.range(0)));
    requireCount(state, kxUberCameraPool::the()->getCameraNodes().size());
    for (auto _ : state)
        benchmark::DoNotOptimize(kxUberCameraPool::the()->getCameraNodes());
    reportPerCamera(state);
}

// No camera is marked initial or is a default camera: the walk visits every node.
void BM_GetInitialCamera(benchmark::State& state) {
    RegistryScene::ensure(int(state.range(0)));
    if (!kxUberCameraPool::the()->getInitialCamera().isNull())
        state.SkipWithError("a camera starts the scene: the walk would not be whole");
    for (auto _ : state)
        benchmark::DoNotOptimize(kxUberCameraPool::the()->getInitialCamera());
    reportPerCamera(state);
}

// Grouped by size so that each scene is built once.
void registerAll() {
    for (int size : SceneSizes) {
        benchmark::RegisterBenchmark("BM_GetContentIds", BM_GetContentIds)->Arg(size);
        benchmark::RegisterBenchmark("BM_GetContentNodes", BM_GetContentNodes)->Arg(size);
        benchmark::RegisterBenchmark("BM_GetVisualizationNodes", BM_GetVisualizationNodes)
            ->Arg(size);
        benchmark::RegisterBenchmark("BM_FindLastByName", BM_FindLastByName)->Arg(size);
        benchmark::RegisterBenchmark("BM_GetCameraNodes", BM_GetCameraNodes)->Arg(size);
        benchmark::RegisterBenchmark("BM_GetInitialCamera", BM_GetInitialCamera)->Arg(size);
    }
}

} // namespace

int main(int argc, char** argv) {
    osgInit(argc, argv);
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    kxSceneDataManager::getSceneData(0)->clear();
    osgExit();
    return 0;
}
