// Cost of the camera's per-frame matrix queries against the same work written
// directly with GLM, and the heap allocations each query makes once warm.
//
// `CameraBench --count NAME N` runs one path N times in `countedLoop` and
// nothing else, for instruction counts under callgrind (see docs/benchmarks.md).

#include "AllocationMeter.h"
#include "CountedRun.h"
#include "OSGNode.h"
#include "OSGTransform.h"
#include "OSGUberCamera.h"

#include <benchmark/benchmark.h>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <glm/mat4x4.hpp>

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// ---- shared parameters --------------------------------------------------------------

constexpr osg::UInt32 ViewportWidth = 1920;
constexpr osg::UInt32 ViewportHeight = 1080;
constexpr float FovDegrees = 40.0f;
constexpr float NearPlane = 0.1f;
constexpr float FarPlane = 1000.0f;
constexpr float OrthoHalfExtent = 10.0f;
constexpr float RollDegrees = 15.0f;

osg::Matrix toOsg(const glm::mat4& m) {
    // Both store four columns back to back.
    osg::Matrix result;
    result.setValue(glm::value_ptr(m));
    return result;
}

glm::mat4 toGlm(const osg::Matrix& m) {
    return glm::make_mat4(m.getValues());
}

/// A rotation, a translation and a mild non-uniform scale, different for each level.
glm::mat4 chainMatrix(int level) {
    const float f = float(level + 1);
    glm::mat4 m = glm::translate(glm::mat4(1.0f), glm::vec3(1.5f * f, -0.75f * f, 2.0f + f));
    m = glm::rotate(m, 0.3f + 0.1f * f, glm::normalize(glm::vec3(0.2f * f, 1.0f, 0.5f)));
    return glm::scale(m, glm::vec3(1.0f + 0.05f * f, 0.98f, 1.02f));
}

/// Whether two matrices agree to a relative tolerance, so each pair compares like with like.
bool closeTo(const osg::Matrix& a, const glm::mat4& b) {
    const float* x = a.getValues();
    const float* y = glm::value_ptr(b);
    for (int i = 0; i < 16; ++i) {
        if (std::fabs(x[i] - y[i]) > 1e-4f * (1.0f + std::fabs(y[i])))
            return false;
    }
    return true;
}

/// Holds one reference on a container for the life of a benchmark run.
class Held {
public:
    explicit Held(const osg::FieldContainerPtr& ptr) : _ptr(ptr) { osg::addRefCP(_ptr); }
    ~Held() { osg::subRefCP(_ptr); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

private:
    osg::FieldContainerPtr _ptr;
};

glm::mat4 customProjection() {
    return glm::frustum(-0.2f, 0.2f, -0.1f, 0.1f, NearPlane, FarPlane);
}

osg::UberCameraPtr makeCamera() {
    osg::UberCameraPtr camera = osg::UberCamera::create();
    const osg::BitVector mask =
        osg::UberCamera::SensorSizeFieldMask | osg::UberCamera::FovFieldMask |
        osg::UberCamera::FrustumSidesFieldMask | osg::UberCamera::CustomProjectionMatrixFieldMask |
        osg::UberCamera::NearFieldMask | osg::UberCamera::FarFieldMask;
    osg::beginEditCP(camera, mask);
    camera->setSensorSize(osg::Vec2f(36.0f, 24.0f));
    camera->setFov(FovDegrees);
    camera->setNear(NearPlane);
    camera->setFar(FarPlane);
    camera->setFrustumSides(
        osg::Vec4f(-OrthoHalfExtent, OrthoHalfExtent, -OrthoHalfExtent, OrthoHalfExtent));
    camera->setCustomProjectionMatrix(toOsg(customProjection()));
    osg::endEditCP(camera, mask);
    return camera;
}

// ---- paths ----------------------------------------------------------------------------
//
// One object per measured path: set up once, then `step` is one call. The timed
// benchmarks and the instruction counts run the same `step`.

/// The timed loop of every benchmark, with the allocations it makes.
template <class PathT> void timeSteps(benchmark::State& state, PathT& path) {
    AllocationMeter meter(state);
    for (auto _ : state)
        path.step();
}

// ---- getProjection --------------------------------------------------------------------

/// What the camera reads on each call; kept in memory so GLM must read it too.
struct ProjectionInputs {
    float fovDegrees = FovDegrees;
    float nearPlane = NearPlane;
    float farPlane = FarPlane;
    float width = float(ViewportWidth);
    float height = float(ViewportHeight);
    float bottom = -OrthoHalfExtent, top = OrthoHalfExtent;
};

/// What a user writes for a vertical field of view in degrees and a viewport in pixels.
inline glm::mat4 glmPerspective(const ProjectionInputs& in) {
    return glm::perspective(glm::radians(in.fovDegrees), in.width / in.height, in.nearPlane,
                            in.farPlane);
}

/// The vertical extent stays; the horizontal one follows the viewport aspect.
inline glm::mat4 glmOrthographic(const ProjectionInputs& in) {
    const float x = (in.top - in.bottom) * 0.5f * (in.width / in.height);
    return glm::ortho(-x, x, in.bottom, in.top, in.nearPlane, in.farPlane);
}

glm::mat4 expectedProjection(osg::UInt32 mode) {
    switch (mode) {
    case osg::UberCamera::OrthographicProjection:
        return glmOrthographic(ProjectionInputs());
    case osg::UberCamera::CustomProjection:
        return customProjection();
    default:
        return glmPerspective(ProjectionInputs());
    }
}

struct CameraProjectionPath {
    osg::UberCameraPtr camera = makeCamera();
    Held hold{camera};
    osg::Matrix result;
    bool valid;

    explicit CameraProjectionPath(osg::UInt32 mode) {
        osg::beginEditCP(camera, osg::UberCamera::ProjectionModeFieldMask);
        camera->setProjectionMode(mode);
        osg::endEditCP(camera, osg::UberCamera::ProjectionModeFieldMask);
        camera->getProjection(result, ViewportWidth, ViewportHeight);
        valid = closeTo(result, expectedProjection(mode));
    }
    void step() {
        camera->getProjection(result, ViewportWidth, ViewportHeight);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
};

struct GlmPerspectivePath {
    ProjectionInputs in;
    glm::mat4 result{1.0f};
    void step() {
        benchmark::DoNotOptimize(in);
        result = glmPerspective(in);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
};

struct GlmOrthoPath {
    ProjectionInputs in;
    glm::mat4 result{1.0f};
    void step() {
        benchmark::DoNotOptimize(in);
        result = glmOrthographic(in);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
};

struct GlmCopyPath {
    glm::mat4 source = customProjection();
    glm::mat4 result{1.0f};
    void step() {
        benchmark::DoNotOptimize(source);
        result = source;
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
};

void BM_CameraProjection(benchmark::State& state) {
    CameraProjectionPath path(osg::UInt32(state.range(0)));
    if (!path.valid) {
        state.SkipWithError("camera and GLM projections differ");
        return;
    }
    timeSteps(state, path);
}
BENCHMARK(BM_CameraProjection)->ArgName("mode")->Arg(0)->Arg(1)->Arg(7);

void BM_GlmPerspective(benchmark::State& state) {
    GlmPerspectivePath path;
    timeSteps(state, path);
}
BENCHMARK(BM_GlmPerspective);

void BM_GlmOrtho(benchmark::State& state) {
    GlmOrthoPath path;
    timeSteps(state, path);
}
BENCHMARK(BM_GlmOrtho);

void BM_GlmCopy(benchmark::State& state) {
    GlmCopyPath path;
    timeSteps(state, path);
}
BENCHMARK(BM_GlmCopy);

// ---- getViewing ---------------------------------------------------------------------------

/// root -> ... -> `depth` Transform nodes -> camera node; the root holds the tree.
struct ViewingScene {
    osg::NodePtr root;
    osg::UberCameraPtr camera;
    std::vector<glm::mat4> chain;
    glm::mat4 cameraLocal{1.0f};
    glm::mat4 roll{1.0f};

    explicit ViewingScene(int depth) {
        osg::NodePtr parent;
        for (int level = 0; level < depth; ++level) {
            chain.push_back(chainMatrix(level));
            osg::TransformPtr transform = osg::Transform::create();
            osg::beginEditCP(transform, osg::Transform::MatrixFieldMask);
            transform->setMatrix(toOsg(chain.back()));
            osg::endEditCP(transform, osg::Transform::MatrixFieldMask);
            parent = attach(parent, transform);
        }

        camera = makeCamera();
        const osg::BitVector placement = osg::UberCamera::TranslationFieldMask |
                                         osg::UberCamera::RotationFieldMask |
                                         osg::UberCamera::RollFieldMask;
        osg::beginEditCP(camera, placement);
        camera->setTranslation(osg::Vec3f(0.5f, 1.5f, 10.0f));
        camera->setRotation(osg::Quaternion(osg::Vec3f(0.0f, 1.0f, 0.0f), 0.25f));
        camera->setRoll(RollDegrees);
        osg::endEditCP(camera, placement);
        attach(parent, camera);
        camera->updateActiveParentIndex();
        cameraLocal = toGlm(camera->getMatrix());
        roll = glm::rotate(glm::mat4(1.0f), glm::radians(RollDegrees), glm::vec3(0, 0, 1));
        osg::addRefCP(root);
    }
    ~ViewingScene() { osg::subRefCP(root); }
    ViewingScene(const ViewingScene&) = delete;
    ViewingScene& operator=(const ViewingScene&) = delete;

    /// A new node carrying `core`, below `parent` (or as the root).
    osg::NodePtr attach(const osg::NodePtr& parent, const osg::NodeCorePtr& core) {
        osg::NodePtr node = osg::Node::create();
        osg::beginEditCP(node, osg::Node::CoreFieldMask);
        node->setCore(core);
        osg::endEditCP(node, osg::Node::CoreFieldMask);
        if (parent.isNull()) {
            root = node;
        } else {
            osg::beginEditCP(parent, osg::Node::ChildrenFieldMask);
            parent->addChild(node);
            osg::endEditCP(parent, osg::Node::ChildrenFieldMask);
        }
        return node;
    }
};

/// The baseline's work: the chain times the camera's own matrix and the roll, inverted.
inline glm::mat4 glmViewing(const std::vector<glm::mat4>& chain, const glm::mat4& local,
                            const glm::mat4& roll) {
    glm::mat4 world = chain[0];
    for (std::size_t i = 1; i < chain.size(); ++i)
        world = world * chain[i];
    return glm::inverse(world * local * roll);
}

struct CameraViewingPath {
    ViewingScene scene;
    int calls = 0;
    std::shared_ptr<std::function<void(unsigned int)>> callback =
        std::make_shared<std::function<void(unsigned int)>>([this](unsigned int) { ++calls; });
    osg::Matrix result;
    bool valid;

    CameraViewingPath(int depth, bool withCallback) : scene(depth) {
        if (withCallback)
            scene.camera->registerViewChangeCallback(callback, false);
        // The first call announces the view; later ones see no change.
        scene.camera->getViewing(result, ViewportWidth, ViewportHeight);
        valid = closeTo(result, glmViewing(scene.chain, scene.cameraLocal, scene.roll));
    }
    void step() {
        scene.camera->getViewing(result, ViewportWidth, ViewportHeight);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
};

struct GlmViewingPath {
    ViewingScene scene;
    glm::mat4 result{1.0f};

    explicit GlmViewingPath(int depth) : scene(depth) {}
    void step() {
        benchmark::DoNotOptimize(scene.chain.data());
        benchmark::DoNotOptimize(&scene.cameraLocal);
        benchmark::DoNotOptimize(&scene.roll);
        result = glmViewing(scene.chain, scene.cameraLocal, scene.roll);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
};

void BM_CameraViewing(benchmark::State& state) {
    CameraViewingPath path(int(state.range(0)), state.range(1) != 0);
    if (!path.valid) {
        state.SkipWithError("camera and GLM viewing matrices differ");
        return;
    }
    const int callsWhenWarm = path.calls;
    timeSteps(state, path);
    if (path.calls != callsWhenWarm)
        state.SkipWithError("view-change callback ran in steady state");
}
BENCHMARK(BM_CameraViewing)
    ->ArgNames({"depth", "callback"})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({8, 0})
    ->Args({8, 1});

void BM_GlmViewing(benchmark::State& state) {
    GlmViewingPath path(int(state.range(0)));
    timeSteps(state, path);
}
BENCHMARK(BM_GlmViewing)->ArgName("depth")->Arg(1)->Arg(8);

// ---- instruction counts ---------------------------------------------------------------------

/// Runs the path named as its benchmark `count` times; 2 for an unknown name, 1 when the
/// camera's result differs from its baseline's.
int countPath(const std::string& name, long count) {
    for (osg::UInt32 mode : {0u, 1u, 7u}) {
        if (name == "BM_CameraProjection/mode:" + std::to_string(mode)) {
            CameraProjectionPath path(mode);
            return path.valid ? countSteps(path, count) : 1;
        }
    }
    for (int depth : {1, 8}) {
        for (int withCallback : {0, 1}) {
            if (name == "BM_CameraViewing/depth:" + std::to_string(depth) +
                            "/callback:" + std::to_string(withCallback)) {
                CameraViewingPath path(depth, withCallback != 0);
                return path.valid ? countSteps(path, count) : 1;
            }
        }
        if (name == "BM_GlmViewing/depth:" + std::to_string(depth)) {
            GlmViewingPath path(depth);
            return countSteps(path, count);
        }
    }
    if (name == "BM_GlmPerspective") {
        GlmPerspectivePath path;
        return countSteps(path, count);
    }
    if (name == "BM_GlmOrtho") {
        GlmOrthoPath path;
        return countSteps(path, count);
    }
    if (name == "BM_GlmCopy") {
        GlmCopyPath path;
        return countSteps(path, count);
    }
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    return benchmarkMain(argc, argv, countPath);
}
