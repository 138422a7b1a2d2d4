// The camera's projection: custom, orthographic, physically parameterised
// perspective, the field-of-view fallback, the projection scale and the
// warnings of each path. GLM serves as an independent oracle.

#include "OSGLog.h"
#include "OSGMatrix.h"
#include "OSGUberCamera.h"

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace osg;

namespace {

// Relative tolerance for single-precision matrices against double-precision expectations.
constexpr double MatrixTolerance = 1e-5;
// Tolerance for a point mapped to normalised device coordinates.
constexpr double NdcTolerance = 1e-4;
constexpr double Pi64 = 3.14159265358979323846;
constexpr UInt32 RandomCases = 200;
constexpr UInt32 RandomSeed = 20240611;

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();
constexpr UInt32 MaxViewport = std::numeric_limits<UInt32>::max();

const char* const CameraModule = "OpenSG";
const char* const CameraSourceFile = "Source\\Common\\Libs\\OpenSGUberCamera\\OSGUberCamera";

double radians(double degrees) {
    return degrees * Pi64 / 180.0;
}

// A matrix whose every entry is `value`: shows that the result is always overwritten.
Matrix filled(float value) {
    Matrix m;
    for (UInt32 i = 0; i < 16; ++i)
        m.getValues()[i] = value;
    return m;
}

glm::dmat4 toGlm(const Matrix& m) {
    glm::dmat4 g;
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r)
            g[c][r] = m[c][r];
    }
    return g;
}

glm::dmat4 identity() {
    return glm::dmat4(1.0);
}

bool allFinite(const Matrix& m) {
    for (UInt32 i = 0; i < 16; ++i) {
        if (!std::isfinite(m.getValues()[i]))
            return false;
    }
    return true;
}

std::string describe(const glm::dmat4& m) {
    std::string text;
    for (int r = 0; r < 4; ++r) {
        text += "\n  ";
        for (int c = 0; c < 4; ++c)
            text += std::to_string(m[c][r]) + " ";
    }
    return text;
}

::testing::AssertionResult matrixNear(const Matrix& actual, const glm::dmat4& expected) {
    const glm::dmat4 got = toGlm(actual);
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            const double scale = std::max(1.0, std::fabs(expected[c][r]));
            if (!(std::fabs(got[c][r] - expected[c][r]) <= MatrixTolerance * scale)) {
                return ::testing::AssertionFailure()
                       << "entry (" << r << "," << c << ") is " << got[c][r] << ", expected "
                       << expected[c][r] << "\nactual:" << describe(got)
                       << "\nexpected:" << describe(expected);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// Maps an eye-space point through the projection and the perspective divide.
glm::dvec3 toNdc(const Matrix& m, const glm::dvec3& eye) {
    const glm::dvec4 clip = toGlm(m) * glm::dvec4(eye, 1.0);
    return glm::dvec3(clip) / clip.w;
}

::testing::AssertionResult ndcNear(const glm::dvec3& actual, const glm::dvec3& expected) {
    for (int i = 0; i < 3; ++i) {
        if (!(std::fabs(actual[i] - expected[i]) <= NdcTolerance)) {
            return ::testing::AssertionFailure()
                   << "NDC (" << actual.x << ", " << actual.y << ", " << actual.z << "), expected ("
                   << expected.x << ", " << expected.y << ", " << expected.z << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

// The standard perspective whose vertical field of view spans the viewport height.
glm::dmat4 verticalPerspective(double fovDegrees, double aspect, double n, double f) {
    return glm::perspective(radians(fovDegrees), aspect, n, f);
}

// The same with the field of view spanning the viewport width instead.
glm::dmat4 horizontalPerspective(double fovDegrees, double aspect, double n, double f) {
    const double fovy = 2.0 * std::atan(std::tan(radians(fovDegrees) / 2.0) / aspect);
    return glm::perspective(fovy, aspect, n, f);
}

class ProjectionTest : public ::testing::Test {
protected:
    void SetUp() override { _camera = makeCamera(); }

    void TearDown() override {
        for (UberCameraPtr& camera : _created)
            subRefCP(camera);
        // Expected warnings are taken by captures nested inside the test.
        std::vector<std::string> texts;
        for (const LogEntry& entry : _unexpected.entries())
            texts.push_back(entry.text);
        EXPECT_TRUE(texts.empty()) << "unexpected warning: " << texts.front();
    }

    UberCameraPtr makeCamera() {
        UberCameraPtr camera = UberCamera::create();
        addRefCP(camera);
        _created.push_back(camera);
        return camera;
    }

    Matrix project(UInt32 width, UInt32 height, Int32 eye = 0) {
        return project(_camera, width, height, eye);
    }

    static Matrix project(const UberCameraPtr& camera, UInt32 width, UInt32 height, Int32 eye = 0) {
        Matrix result = filled(7.0f);
        camera->getProjection(result, width, height, eye);
        return result;
    }

    // The warnings written since the capture started; every entry must be a camera warning.
    static std::vector<std::string> warnings(LogCapture& capture) {
        std::vector<std::string> texts;
        for (const LogEntry& entry : capture.entries()) {
            EXPECT_EQ(entry.level, LOG_WARNING);
            EXPECT_EQ(entry.module, CameraModule);
            EXPECT_EQ(entry.file, CameraSourceFile);
            EXPECT_GT(entry.line, 0u);
            texts.push_back(entry.text);
        }
        return texts;
    }

    // A camera with the physically parameterised path disabled by a zero sensor height.
    void forceFallback() { _camera->setSensorSize(Vec2f(36, 0)); }

    static constexpr const char* SensorAspectWarning =
        "UberCamera::getPerspectiveProjection: aspect ratio 0 very small!\n\n";

    // The projection of a camera set up by forceFallback, which warns exactly once.
    Matrix projectFallback(UInt32 width, UInt32 height) {
        LogCapture capture;
        const Matrix result = project(width, height);
        EXPECT_EQ(warnings(capture), std::vector<std::string>{SensorAspectWarning});
        return result;
    }

    UberCameraPtr _camera;

private:
    LogCapture _unexpected;
    std::vector<UberCameraPtr> _created;
};

// ---- modes and read-outs ------------------------------------------------------

TEST_F(ProjectionTest, CustomModeReturnsMatrixVerbatim) {
    const Matrix custom(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    _camera->setProjectionMode(UberCamera::CustomProjection);
    _camera->setCustomProjectionMatrix(custom);
    _camera->setProjectionScale(Vec3f(2, 3, 4));
    _camera->addFlag(UberCamera::ExplicitFrustumFlag);
    _camera->setNear(2);
    _camera->setFar(1);

    LogCapture capture;
    EXPECT_EQ(project(1920, 1080), custom);
    EXPECT_EQ(project(0, 0), custom);
    EXPECT_EQ(project(0, 100), custom);
    EXPECT_EQ(project(MaxViewport, 1), custom);
    EXPECT_TRUE(warnings(capture).empty());

    // Non-finite entries pass through too.
    const Matrix nonFinite(NaN, 0, 0, 0, 0, Inf, 0, 0, 0, 0, -Inf, 0, 0, 0, 0, 1);
    _camera->setCustomProjectionMatrix(nonFinite);
    const Matrix result = project(640, 480);
    EXPECT_TRUE(std::isnan(result[0][0]));
    EXPECT_EQ(result[1][1], Inf);
    EXPECT_EQ(result[2][2], -Inf);
}

TEST_F(ProjectionTest, EmptyViewportGivesIdentityInEveryOtherMode) {
    _camera->setProjectionScale(Vec3f(2, 3, 4));
    for (UInt32 mode : {0u, 1u, 2u, 8u}) {
        SCOPED_TRACE(mode);
        _camera->setProjectionMode(mode);
        LogCapture capture;
        EXPECT_TRUE(matrixNear(project(0, 0), identity()));
        EXPECT_TRUE(matrixNear(project(0, 1080), identity()));
        EXPECT_TRUE(matrixNear(project(1920, 0), identity()));
        EXPECT_TRUE(warnings(capture).empty());
    }
}

TEST_F(ProjectionTest, LensShaderModesAndEyeIndexProjectLikePerspective) {
    _camera->setPrincipalPointOffset(Vec2f(1.5f, -0.5f));
    _camera->setSkewFactor(0.25f);
    const Matrix perspective = project(1280, 720);
    EXPECT_FALSE(matrixNear(perspective, identity()));
    // The eye index is ignored.
    for (Int32 eye : {1, -1, std::numeric_limits<Int32>::min()})
        EXPECT_EQ(project(1280, 720, eye), perspective);
    for (UInt32 mode : {2u, 3u, 6u, 8u, 100u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(mode);
        _camera->setProjectionMode(mode);
        EXPECT_EQ(project(1280, 720), perspective);
    }
}

TEST_F(ProjectionTest, OnlyOrthographicModeCountsAsOrthographic) {
    for (UInt32 mode : {0u, 1u, 2u, 7u, 8u}) {
        SCOPED_TRACE(mode);
        _camera->setProjectionMode(mode);
        EXPECT_EQ(_camera->isOrthographic(), mode == 1);
        EXPECT_EQ(_camera->hasProjectionOverride(), mode == 1);
    }
}

TEST_F(ProjectionTest, FrustumSideReadoutsAndNearPlaneDiagonal) {
    _camera->setFrustumSides(Vec4f(-3, 3, -2, 2));
    EXPECT_EQ(_camera->getLeft(), -3.0f);
    EXPECT_EQ(_camera->getRight(), 3.0f);
    EXPECT_EQ(_camera->getBottom(), -2.0f);
    EXPECT_EQ(_camera->getTop(), 2.0f);
    EXPECT_NEAR(_camera->getNearPlaneDiagonal(), std::sqrt(52.0), MatrixTolerance);

    // Off-centre and inverted rectangles: only the extents matter.
    _camera->setFrustumSides(Vec4f(1, 4, 10, 14));
    EXPECT_NEAR(_camera->getNearPlaneDiagonal(), 5.0, MatrixTolerance);
    _camera->setFrustumSides(Vec4f(4, 1, 14, 10));
    EXPECT_NEAR(_camera->getNearPlaneDiagonal(), 5.0, MatrixTolerance);
    _camera->setFrustumSides(Vec4f(2, 2, 5, 5));
    EXPECT_EQ(_camera->getNearPlaneDiagonal(), 0.0f);
}

// ---- orthographic -------------------------------------------------------------

TEST_F(ProjectionTest, OrthographicFitsTheStoredExtentFovModeAndAspectSelect) {
    // Near 1, far 10. The axis FovMode selects keeps its sides, the other is derived
    // symmetrically from the viewport ratio times Aspect; mode 2 keeps the larger extent
    // (the horizontal one on a tie), and a non-positive extent always yields to the other.
    struct Case {
        const char* name;
        Vec4f sides;
        UInt32 fovMode, width, height;
        float aspect;
        double l, r, b, t;
    };
    const Case cases[] = {
        {"vertical", Vec4f(-1, 1, -1, 1), 0, 200, 100, 1, -2, 2, -1, 1},
        {"horizontal", Vec4f(-1, 1, -1, 1), 1, 200, 100, 1, -1, 1, -0.5, 0.5},
        {"vertical, aspect 2", Vec4f(-1, 1, -1, 1), 0, 200, 100, 2, -4, 4, -1, 1},
        {"horizontal, aspect 2", Vec4f(-1, 1, -1, 1), 1, 200, 100, 2, -1, 1, -0.25, 0.25},
        {"vertical keeps off-centre", Vec4f(2, 6, 1, 3), 0, 300, 100, 1, -3, 3, 1, 3},
        {"horizontal keeps off-centre", Vec4f(2, 6, 1, 3), 1, 300, 100, 1, 2, 6, -2.0 / 3, 2.0 / 3},
        {"mode 2, wider", Vec4f(-4, 4, -1, 1), 2, 100, 100, 1, -1, 1, -1, 1},
        {"mode 2, taller", Vec4f(-1, 1, -4, 4), 2, 100, 100, 1, -1, 1, -1, 1},
        {"mode 2, equal", Vec4f(-1, 1, 5, 7), 2, 200, 100, 1, -1, 1, -0.5, 0.5},
        {"no width", Vec4f(5, 5, -1, 1), 1, 200, 100, 1, -2, 2, -1, 1},
        {"negative width", Vec4f(5, 3, -1, 1), 1, 200, 100, 1, -2, 2, -1, 1},
        {"no height", Vec4f(-1, 1, 5, 5), 0, 200, 100, 1, -1, 1, -0.5, 0.5},
        {"negative height", Vec4f(-1, 1, 5, 2), 0, 200, 100, 1, -1, 1, -0.5, 0.5},
    };
    _camera->setProjectionMode(UberCamera::OrthographicProjection);
    _camera->setNear(1);
    _camera->setFar(10);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        _camera->setFrustumSides(c.sides);
        _camera->setFovMode(c.fovMode);
        _camera->setAspect(c.aspect);
        EXPECT_TRUE(
            matrixNear(project(c.width, c.height), glm::ortho(c.l, c.r, c.b, c.t, 1.0, 10.0)));
    }
}

TEST_F(ProjectionTest, OrthographicWithoutPositiveExtentGivesIdentitySilently) {
    _camera->setProjectionMode(UberCamera::OrthographicProjection);
    _camera->setProjectionScale(Vec3f(2, 2, 2));
    LogCapture capture;
    for (const Vec4f& sides :
         {Vec4f(0, 0, 0, 0), Vec4f(1, 1, 3, 3), Vec4f(1, -1, 1, -1), Vec4f(0, -5, 2, 2)}) {
        SCOPED_TRACE(sides);
        _camera->setFrustumSides(sides);
        for (UInt32 fovMode : {0u, 1u, 2u}) {
            _camera->setFovMode(fovMode);
            EXPECT_TRUE(matrixNear(project(640, 480), identity()));
        }
    }
    EXPECT_TRUE(warnings(capture).empty());
}

TEST_F(ProjectionTest, OrthographicFailureSkipsTheProjectionScale) {
    // Near equal to far leaves no depth range; the scale must not be applied to the identity.
    _camera->setProjectionMode(UberCamera::OrthographicProjection);
    _camera->setFrustumSides(Vec4f(-1, 1, -1, 1));
    _camera->setNear(5);
    _camera->setFar(5);
    _camera->setProjectionScale(Vec3f(2, 3, 4));
    EXPECT_TRUE(matrixNear(project(100, 100), identity()));
}

TEST_F(ProjectionTest, OrthographicMapsNearAndFarAndIgnoresFixedClipRange) {
    _camera->setProjectionMode(UberCamera::OrthographicProjection);
    _camera->setFrustumSides(Vec4f(-10, 30, -5, 15));
    _camera->setFovMode(1);
    _camera->setNear(2);
    _camera->setFar(50);
    _camera->setFixedClipRange(true);

    const Matrix result = project(400, 200);
    EXPECT_TRUE(matrixNear(result, glm::ortho(-10.0, 30.0, -10.0, 10.0, 2.0, 50.0)));
    EXPECT_TRUE(ndcNear(toNdc(result, {-10, -10, -2}), {-1, -1, -1}));
    EXPECT_TRUE(ndcNear(toNdc(result, {30, 10, -50}), {1, 1, 1}));
    EXPECT_TRUE(ndcNear(toNdc(result, {10, 0, -26}), {0, 0, 0}));
}

TEST_F(ProjectionTest, OrthographicFitMatchesGlmForRandomCases) {
    std::mt19937 random(RandomSeed);
    std::uniform_real_distribution<float> side(-1000.0f, 1000.0f);
    std::uniform_real_distribution<float> clip(0.01f, 100.0f);
    std::uniform_real_distribution<float> depth(1.0f, 10000.0f);
    std::uniform_real_distribution<float> aspectFactor(0.25f, 4.0f);
    std::uniform_int_distribution<UInt32> pixels(1, 4096);
    std::uniform_int_distribution<UInt32> fovModes(0, 3);

    _camera->setProjectionMode(UberCamera::OrthographicProjection);
    for (UInt32 i = 0; i < RandomCases; ++i) {
        const float l = side(random), r = side(random), b = side(random), t = side(random);
        const float n = clip(random), f = n + depth(random);
        const float aspectField = aspectFactor(random);
        const UInt32 width = pixels(random), height = pixels(random);
        const UInt32 fovMode = fovModes(random);
        _camera->setFrustumSides(Vec4f(l, r, b, t));
        _camera->setNear(n);
        _camera->setFar(f);
        _camera->setAspect(aspectField);
        _camera->setFovMode(fovMode);

        const double w = double(r) - l, h = double(t) - b;
        const double a = double(width) / height * aspectField;
        glm::dmat4 expected = identity();
        if (w > 0 || h > 0) {
            bool keepVertical = w > h;
            if (w <= 0)
                keepVertical = true;
            else if (h <= 0)
                keepVertical = false;
            else if (fovMode == 0)
                keepVertical = true;
            else if (fovMode == 1)
                keepVertical = false;
            expected =
                keepVertical
                    ? glm::ortho(-h / 2 * a, h / 2 * a, double(b), double(t), double(n), double(f))
                    : glm::ortho(double(l), double(r), -w / 2 / a, w / 2 / a, double(n), double(f));
        }
        SCOPED_TRACE(::testing::Message()
                     << "case " << i << ": sides " << l << " " << r << " " << b << " " << t
                     << ", near " << n << ", far " << f << ", viewport " << width << "x" << height
                     << ", aspect " << aspectField << ", fovMode " << fovMode);
        ASSERT_TRUE(matrixNear(project(width, height), expected));
    }
}

// ---- physically parameterised perspective ---------------------------------------

TEST_F(ProjectionTest, PerspectiveFullFrameVerticalFieldOfView) {
    _camera->setSensorSize(Vec2f(36, 24));
    _camera->setFov(40);
    _camera->setFovMode(0);
    _camera->setNear(0.5f);
    _camera->setFar(500);

    const Matrix result = project(1920, 1080);
    EXPECT_NEAR(result[1][1], 1.0 / std::tan(radians(20)), MatrixTolerance);
    EXPECT_NEAR(result[1][1], 2.7475, 1e-4);
    EXPECT_NEAR(result[0][0], 2.7475 / (1920.0 / 1080.0), 1e-4);
    EXPECT_EQ(result[2][0], 0.0f);
    EXPECT_EQ(result[2][1], 0.0f);
    EXPECT_TRUE(matrixNear(result, verticalPerspective(40, 1920.0 / 1080.0, 0.5, 500)));
}

TEST_F(ProjectionTest, PerspectiveFieldOfViewSpansTheDimensionFovModeSelects) {
    _camera->setSensorSize(Vec2f(36, 24));
    _camera->setFov(50);
    _camera->setNear(1);
    _camera->setFar(1000);
    const double aspect = 1600.0 / 900.0;
    const double halfTan = std::tan(radians(25));

    // Vertical: the top edge of the field of view lands on NDC y = 1, also at the far plane.
    _camera->setFovMode(0);
    Matrix result = project(1600, 900);
    EXPECT_NEAR(result[1][1], 1.0 / halfTan, MatrixTolerance);
    EXPECT_TRUE(matrixNear(result, verticalPerspective(50, aspect, 1, 1000)));
    EXPECT_TRUE(ndcNear(toNdc(result, {halfTan * aspect, halfTan, -1}), {1, 1, -1}));
    EXPECT_TRUE(
        ndcNear(toNdc(result, {-halfTan * aspect * 1000, -halfTan * 1000, -1000}), {-1, -1, 1}));

    // Horizontal: the right edge of the field of view lands on NDC x = 1.
    _camera->setFovMode(1);
    result = project(1600, 900);
    EXPECT_NEAR(result[0][0], 1.0 / halfTan, MatrixTolerance);
    EXPECT_NEAR(result[1][1], aspect / halfTan, MatrixTolerance);
    EXPECT_TRUE(matrixNear(result, horizontalPerspective(50, aspect, 1, 1000)));
    EXPECT_TRUE(ndcNear(toNdc(result, {halfTan, halfTan / aspect, -1}), {1, 1, -1}));
}

TEST_F(ProjectionTest, PerspectiveFitsTheViewportNotTheSensorOrAspect) {
    // A square viewport on a 3:2 sensor still gets square pixels.
    _camera->setSensorSize(Vec2f(36, 24));
    _camera->setFov(60);
    _camera->setNear(1);
    _camera->setFar(100);
    _camera->setFovMode(0);
    EXPECT_TRUE(matrixNear(project(1000, 1000), verticalPerspective(60, 1.0, 1, 100)));
    _camera->setFovMode(1);
    EXPECT_TRUE(matrixNear(project(1000, 1000), horizontalPerspective(60, 1.0, 1, 100)));
    // The Aspect field is not read.
    _camera->setAspect(3);
    EXPECT_TRUE(matrixNear(project(1000, 1000), horizontalPerspective(60, 1.0, 1, 100)));
}

TEST_F(ProjectionTest, PerspectiveOtherFovModeSpansTheSmallerSensorDimension) {
    _camera->setFov(40);
    _camera->setFovMode(2);
    _camera->setNear(1);
    _camera->setFar(100);
    const double halfTan = std::tan(radians(20));

    // Landscape sensor: the field of view spans the 24 high sensor, fitted across the width.
    _camera->setSensorSize(Vec2f(36, 24));
    Matrix result = project(1920, 1080);
    EXPECT_NEAR(result[0][0], 24.0 / 36.0 / halfTan, MatrixTolerance);
    EXPECT_NEAR(result[1][1], 24.0 / 36.0 / halfTan * 1920.0 / 1080.0, MatrixTolerance);

    // Portrait sensor: the field of view spans the 24 wide sensor.
    _camera->setSensorSize(Vec2f(24, 36));
    result = project(1920, 1080);
    EXPECT_NEAR(result[0][0], 1.0 / halfTan, MatrixTolerance);
    EXPECT_NEAR(result[1][1], 1920.0 / 1080.0 / halfTan, MatrixTolerance);
}

TEST_F(ProjectionTest, PerspectiveMapsNearToMinusOneAndFarToPlusOne) {
    for (const auto& [n, f] :
         {std::pair{0.1f, 1000.0f}, std::pair{1.0f, 100000.0f}, std::pair{10.0f, 11.0f}}) {
        SCOPED_TRACE(::testing::Message() << "near " << n << ", far " << f);
        _camera->setNear(n);
        _camera->setFar(f);
        const Matrix result = project(1280, 720);
        EXPECT_TRUE(ndcNear(toNdc(result, {0, 0, -n}), {0, 0, -1}));
        EXPECT_TRUE(ndcNear(toNdc(result, {0, 0, -f}), {0, 0, 1}));
        EXPECT_EQ(result[2][3], -1.0f);
        EXPECT_EQ(result[3][3], 0.0f);
    }
}

TEST_F(ProjectionTest, FixedClipRangeReplacesNearAndFarOfPerspective) {
    // Near and far that would fail every check are never looked at.
    _camera->setNear(5);
    _camera->setFar(5);
    _camera->setFixedClipRange(true);
    LogCapture capture;
    Matrix result = project(1280, 720);
    EXPECT_TRUE(ndcNear(toNdc(result, {0, 0, -100}), {0, 0, -1}));
    EXPECT_TRUE(ndcNear(toNdc(result, {0, 0, -200}), {0, 0, 1}));

    _camera->setNear(2);
    _camera->setFar(1);
    _camera->setFrustumSides(Vec4f(-30, 10, -5, 20));
    _camera->addFlag(UberCamera::ExplicitFrustumFlag);
    result = project(1280, 720);
    EXPECT_TRUE(matrixNear(result, glm::frustum(-30.0, 10.0, -5.0, 20.0, 100.0, 200.0)));

    _camera->subFlag(UberCamera::ExplicitFrustumFlag);
    forceFallback();
    capture.clear();
    result = project(1280, 720);
    EXPECT_TRUE(ndcNear(toNdc(result, {0, 0, -100}), {0, 0, -1}));
    EXPECT_TRUE(ndcNear(toNdc(result, {0, 0, -200}), {0, 0, 1}));
    EXPECT_EQ(warnings(capture), std::vector<std::string>{SensorAspectWarning});
}

TEST_F(ProjectionTest, PrincipalPointOffsetShiftsTheCentreInSensorUnits) {
    _camera->setSensorSize(Vec2f(36, 24));
    _camera->setFov(40);
    _camera->setFovMode(0);
    const Matrix centred = project(1920, 1080);

    // Vertical mode: one sensor unit is 1080 / 24 = 45 pixels on both axes.
    _camera->setPrincipalPointOffset(Vec2f(1, 0));
    Matrix shifted = project(1920, 1080);
    EXPECT_NEAR(shifted[2][0], 2.0 * 45 / 1920, MatrixTolerance);
    EXPECT_EQ(shifted[2][1], 0.0f);
    shifted[2][0] = 0;
    EXPECT_EQ(shifted, centred);

    // Opposite sign on y: a positive offset moves the centre down in NDC terms of (1,2).
    _camera->setPrincipalPointOffset(Vec2f(0, 1));
    shifted = project(1920, 1080);
    EXPECT_EQ(shifted[2][0], 0.0f);
    EXPECT_NEAR(shifted[2][1], -2.0 * 45 / 1080, MatrixTolerance);
    shifted[2][1] = 0;
    EXPECT_EQ(shifted, centred);

    // Horizontal mode: one sensor unit is 1920 / 36 pixels.
    _camera->setFovMode(1);
    _camera->setPrincipalPointOffset(Vec2f(-2, 3));
    shifted = project(1920, 1080);
    EXPECT_NEAR(shifted[2][0], -2.0 * 2 * (1920.0 / 36) / 1920, MatrixTolerance);
    EXPECT_NEAR(shifted[2][1], -2.0 * 3 * (1920.0 / 36) / 1080, MatrixTolerance);

    // Other mode: pixels per unit follow the sensor's height when it is landscape, else its width.
    _camera->setFovMode(2);
    _camera->setPrincipalPointOffset(Vec2f(1, 1));
    shifted = project(1920, 1080);
    EXPECT_NEAR(shifted[2][0], 2.0 * 45 / 1920, MatrixTolerance);
    EXPECT_NEAR(shifted[2][1], -2.0 * 45 / 1080, MatrixTolerance);
    _camera->setSensorSize(Vec2f(24, 36));
    shifted = project(1920, 1080);
    EXPECT_NEAR(shifted[2][0], 2.0 * 80 / 1920, MatrixTolerance);
    EXPECT_NEAR(shifted[2][1], -2.0 * 80 / 1080, MatrixTolerance);
}

TEST_F(ProjectionTest, PrincipalPointOffsetMovesTheOpticalAxisOffCentre) {
    _camera->setSensorSize(Vec2f(36, 24));
    _camera->setFovMode(1);
    _camera->setNear(1);
    _camera->setFar(100);
    // Shifting the sensor by half its width puts the optical axis on the left image edge.
    _camera->setPrincipalPointOffset(Vec2f(18, 0));
    const Matrix result = project(1200, 800);
    EXPECT_NEAR(result[2][0], 1.0, MatrixTolerance);
    EXPECT_TRUE(ndcNear(toNdc(result, {0, 0, -1}), {-1, 0, -1}));
    EXPECT_TRUE(ndcNear(toNdc(result, {0, 0, -100}), {-1, 0, 1}));
}

TEST_F(ProjectionTest, SkewScalesWithViewportHeightOver1080) {
    _camera->setFov(40);
    const Matrix straight = project(1920, 1080);
    EXPECT_EQ(straight[1][0], 0.0f);

    _camera->setSkewFactor(0.5f);
    Matrix skewed = project(1920, 1080);
    EXPECT_NEAR(skewed[1][0], 2.0 * 0.5 / 1920, MatrixTolerance);
    skewed[1][0] = 0;
    EXPECT_EQ(skewed, straight);

    skewed = project(1920, 2160);
    EXPECT_NEAR(skewed[1][0], 2.0 * (2160.0 / 1080 * 0.5) / 1920, MatrixTolerance);
    skewed = project(960, 540);
    EXPECT_NEAR(skewed[1][0], 2.0 * (540.0 / 1080 * 0.5) / 960, MatrixTolerance);
}

// ---- explicit frustum ---------------------------------------------------------

TEST_F(ProjectionTest, ExplicitFrustumUsesTheStoredSidesAndMapsItsCorners) {
    _camera->addFlag(UberCamera::ExplicitFrustumFlag);
    _camera->setFrustumSides(Vec4f(-1, 3, -0.5f, 2));
    _camera->setNear(2);
    _camera->setFar(20);
    // Neither the field of view nor the sensor is read on this path.
    _camera->setFov(0);
    _camera->setSensorSize(Vec2f(0, 0));

    LogCapture capture;
    const Matrix result = project(640, 480);
    EXPECT_TRUE(warnings(capture).empty());
    EXPECT_TRUE(matrixNear(result, glm::frustum(-1.0, 3.0, -0.5, 2.0, 2.0, 20.0)));
    EXPECT_TRUE(ndcNear(toNdc(result, {-1, -0.5, -2}), {-1, -1, -1}));
    EXPECT_TRUE(ndcNear(toNdc(result, {3, 2, -2}), {1, 1, -1}));
    EXPECT_TRUE(ndcNear(toNdc(result, {30, 20, -20}), {1, 1, 1}));
    EXPECT_TRUE(ndcNear(toNdc(result, {-10, -5, -20}), {-1, -1, 1}));
    // The viewport does not change it.
    EXPECT_EQ(project(100, 4000), result);
}

TEST_F(ProjectionTest, ExplicitFrustumSkipsTheNearEqualsFarCheckAndStillScales) {
    _camera->addFlag(UberCamera::ExplicitFrustumFlag);
    _camera->setFrustumSides(Vec4f(-1, 1, -1, 1));
    _camera->setNear(1);
    _camera->setFar(1);
    _camera->setProjectionScale(Vec3f(2, 3, 4));

    LogCapture capture;
    const Matrix result = project(640, 480);
    EXPECT_TRUE(warnings(capture).empty());
    // The frustum formula still applies: the empty depth range puts infinities into the
    // depth entries, and the first three columns are scaled.
    const Matrix expected(2, 0, 0, 0,       //
                          0, 3, 0, 0,       //
                          0, 0, -Inf, -Inf, //
                          0, 0, -4, 0);
    EXPECT_EQ(result, expected);
}

TEST_F(ProjectionTest, ExplicitFrustumMatchesGlmForRandomCases) {
    std::mt19937 random(RandomSeed + 1);
    std::uniform_real_distribution<float> side(-100.0f, 100.0f);
    std::uniform_real_distribution<float> clip(0.01f, 100.0f);
    std::uniform_real_distribution<float> depth(1.0f, 100000.0f);
    std::uniform_int_distribution<UInt32> pixels(1, 4096);

    _camera->addFlag(UberCamera::ExplicitFrustumFlag);
    for (UInt32 i = 0; i < RandomCases; ++i) {
        float l = side(random), r = side(random), b = side(random), t = side(random);
        // Keep both extents clear of zero so the frustum is well conditioned.
        if (std::fabs(r - l) < 0.1f)
            r = l + 1.0f;
        if (std::fabs(t - b) < 0.1f)
            t = b + 1.0f;
        const float n = clip(random), f = n + depth(random);
        const UInt32 width = pixels(random), height = pixels(random);
        _camera->setFrustumSides(Vec4f(l, r, b, t));
        _camera->setNear(n);
        _camera->setFar(f);

        SCOPED_TRACE(::testing::Message()
                     << "case " << i << ": sides " << l << " " << r << " " << b << " " << t
                     << ", near " << n << ", far " << f << ", viewport " << width << "x" << height);
        ASSERT_TRUE(
            matrixNear(project(width, height), glm::frustum(double(l), double(r), double(b),
                                                            double(t), double(n), double(f))));
    }
}

// ---- warnings and the fallback ------------------------------------------------

TEST_F(ProjectionTest, DegenerateClipOrFieldOfViewWarnsAndGivesIdentity) {
    struct Case {
        const char* name;
        std::function<void(const UberCameraPtr&)> setUp;
        std::vector<std::string> expected;
    };
    const std::vector<std::string> nearBeyondFar = {
        "UberCamera::getPerspectiveProjection: near 2 > far 1!\n\n",
        "UberCamera::getSimplePerspectiveProjection: near 2 > far 1!\n\n"};
    const auto setNearBeyondFar = [](const UberCameraPtr& c) {
        c->setNear(2);
        c->setFar(1);
        c->setProjectionScale(Vec3f(2, 2, 2));
    };
    const Case cases[] = {
        {"near > far", setNearBeyondFar, nearBeyondFar},
        {"near > far, explicit frustum",
         [&](const UberCameraPtr& c) {
             setNearBeyondFar(c);
             c->addFlag(UberCamera::ExplicitFrustumFlag);
         },
         nearBeyondFar},
        {"near = far",
         [](const UberCameraPtr& c) {
             c->setNear(3.5f);
             c->setFar(3.5f);
         },
         {"UberCamera::getPerspectiveProjection: near 3.5 ~= far 3.5!\n\n",
          "UberCamera::getSimplePerspectiveProjection: near 3.5 ~= far 3.5!\n\n"}},
        {"fov 0",
         [](const UberCameraPtr& c) { c->setFov(0); },
         {"UberCamera::getPerspectiveProjection: field of view 0 very small!\n\n",
          "UberCamera::getSimplePerspectiveProjection: fov 0 very small!\n\n"}},
        // A negative field of view fails the fallback silently.
        {"fov -10",
         [](const UberCameraPtr& c) { c->setFov(-10); },
         {"UberCamera::getPerspectiveProjection: field of view -10 very small!\n\n"}},
        {"fallback aspect 0",
         [](const UberCameraPtr& c) {
             c->setSensorSize(Vec2f(36, 0));
             c->setAspect(0);
         },
         {SensorAspectWarning,
          "UberCamera::getSimplePerspectiveProjection: aspect ratio 0 very small!\n\n"}},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        UberCameraPtr camera = makeCamera();
        testCase.setUp(camera);
        LogCapture capture;
        EXPECT_TRUE(matrixNear(project(camera, 1920, 1080), identity()));
        EXPECT_EQ(warnings(capture), testCase.expected);
    }
}

TEST_F(ProjectionTest, SensorAspectTooSmallFallsBackToFieldOfViewFrustum) {
    _camera->setSensorSize(Vec2f(1e9f, 1));
    _camera->setFov(60);
    _camera->setNear(1);
    _camera->setFar(1000);
    LogCapture capture;
    const Matrix result = project(1920, 1080);
    EXPECT_EQ(warnings(capture),
              std::vector<std::string>{"UberCamera::getPerspectiveProjection: aspect ratio "
                                       "1.77778e-09 very small!\n\n"});
    EXPECT_TRUE(matrixNear(result, verticalPerspective(60, 1920.0 / 1080.0, 1, 1000)));
}

TEST_F(ProjectionTest, FallbackFrustumFollowsFovUnitFovModeAndAspect) {
    // A field of view up to pi reads as radians, above as degrees. Mode 2 treats a
    // wide viewport (width * Aspect >= height) as vertical, a tall one as horizontal.
    struct Case {
        float fov;
        UInt32 fovMode, width, height;
        float aspect;
        double halfFov; // radians
        bool vertical;
    };
    const Case cases[] = {
        {60, 0, 1920, 1080, 1, radians(30), true},    {3, 0, 1920, 1080, 1, 1.5, true},
        {3.2f, 0, 1920, 1080, 1, radians(1.6), true}, {50, 0, 800, 600, 1.5f, radians(25), true},
        {50, 1, 800, 600, 1.5f, radians(25), false},  {50, 2, 800, 600, 1, radians(25), true},
        {50, 2, 600, 800, 1, radians(25), false},     {50, 2, 100, 200, 2, radians(25), true},
        {50, 2, 100, 200, 1.9f, radians(25), false},
    };
    forceFallback();
    _camera->setNear(2);
    _camera->setFar(300);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "fov " << c.fov << ", mode " << c.fovMode << ", "
                                          << c.width << "x" << c.height << ", aspect " << c.aspect);
        _camera->setFov(c.fov);
        _camera->setFovMode(c.fovMode);
        _camera->setAspect(c.aspect);
        const double a = double(c.width) / c.height * double(c.aspect);
        const double e = std::tan(c.halfFov) * 2;
        const double x = c.vertical ? a * e : e, y = c.vertical ? e : e / a;
        EXPECT_TRUE(
            matrixNear(projectFallback(c.width, c.height), glm::frustum(-x, x, -y, y, 2.0, 300.0)));
    }
}

// ---- projection scale ---------------------------------------------------------

TEST_F(ProjectionTest, ProjectionScaleWithinToleranceOfOneIsIgnored) {
    _camera->setFov(40);
    const Matrix plain = project(1920, 1080);
    for (const Vec3f& scale : {Vec3f(1.0000005f, 1, 1), Vec3f(1, 0.9999995f, 1),
                               Vec3f(1.0000005f, 0.9999995f, 1.0000005f)}) {
        SCOPED_TRACE(scale);
        _camera->setProjectionScale(scale);
        EXPECT_EQ(project(1920, 1080), plain);
    }
    _camera->setProjectionScale(Vec3f(1, 1, 1.00001f));
    EXPECT_NE(project(1920, 1080), plain);
}

TEST_F(ProjectionTest, ProjectionScaleMultipliesTheFirstThreeColumns) {
    _camera->setFov(40);
    const Matrix plain = project(1920, 1080);
    _camera->setProjectionScale(Vec3f(2, 1, 1));
    Matrix scaled = project(1920, 1080);
    EXPECT_EQ(scaled[0], plain[0] * 2.0f);
    EXPECT_EQ(scaled[1], plain[1]);
    EXPECT_EQ(scaled[2], plain[2]);
    EXPECT_EQ(scaled[3], plain[3]);

    // An off-centre orthographic view has a translation column, which stays as it is.
    _camera->setProjectionMode(UberCamera::OrthographicProjection);
    _camera->setFrustumSides(Vec4f(0, 4, -1, 1));
    _camera->setFovMode(1);
    _camera->setNear(1);
    _camera->setFar(9);
    _camera->setProjectionScale(Vec3f(1, 1, 1));
    const Matrix ortho = project(400, 100);
    EXPECT_NE(ortho[3][0], 0.0f);
    _camera->setProjectionScale(Vec3f(-3, 0.5f, 0));
    scaled = project(400, 100);
    EXPECT_TRUE(matrixNear(scaled, toGlm(ortho) *
                                       glm::dmat4(glm::dvec4(-3, 0, 0, 0), glm::dvec4(0, 0.5, 0, 0),
                                                  glm::dvec4(0, 0, 0, 0), glm::dvec4(0, 0, 0, 1))));
    EXPECT_EQ(scaled[3], ortho[3]);
}

TEST_F(ProjectionTest, ScaleWithoutFiniteResultIsIgnoredWithWarning) {
    _camera->setFov(40);
    const Matrix plain = project(1920, 1080);
    const std::pair<Vec3f, const char*> cases[] = {
        {Vec3f(NaN, 1, 1), "UberCamera::getProjection: projection scale nan, 1, 1 gives no "
                           "finite projection, ignored!\n\n"},
        {Vec3f(2, Inf, 1), "UberCamera::getProjection: projection scale 2, inf, 1 gives no "
                           "finite projection, ignored!\n\n"},
        {Vec3f(1, 1, -Inf), "UberCamera::getProjection: projection scale 1, 1, -inf gives no "
                            "finite projection, ignored!\n\n"},
        {Vec3f(3e38f, 1, 1), "UberCamera::getProjection: projection scale 3e+38, 1, 1 gives no "
                             "finite projection, ignored!\n\n"},
    };
    for (const auto& [scale, message] : cases) {
        SCOPED_TRACE(message);
        _camera->setProjectionScale(scale);
        LogCapture capture;
        EXPECT_EQ(project(1920, 1080), plain);
        EXPECT_EQ(warnings(capture), std::vector<std::string>{message});
    }
}

// ---- repeated calls -------------------------------------------------------------

TEST_F(ProjectionTest, RepeatedCallsGiveWhatAFreshCameraGivesAfterAnyEdits) {
    // Whatever the camera keeps from one call to the next must never show: after every
    // edit, bit for bit and warning for warning, the result is a new camera's. The values
    // repeat so that inputs come back; -0 and +0 differ in a result's bits.
    std::mt19937 random(RandomSeed + 2);
    const auto pick = [&random](const auto& values) {
        return values[std::uniform_int_distribution<std::size_t>(0, std::size(values) - 1)(random)];
    };
    const UInt32 modes[] = {0, 1, 3};
    const float fovs[] = {40, 60, 3, 0};
    const UInt32 fovModes[] = {0, 1, 2};
    const Vec2f sensors[] = {Vec2f(36, 24), Vec2f(24, 36), Vec2f(36, 0)};
    const Vec2f offsets[] = {Vec2f(0, 0), Vec2f(-0.0f, 0), Vec2f(1, -0.5f)};
    const float skews[] = {0.0f, -0.0f};
    const float clips[] = {0.1f, 1, 2, 1000};
    const float aspects[] = {1, 2};
    const Vec4f sides[] = {Vec4f(-1, 1, -1, 1), Vec4f(-10, 10, -5, 5), Vec4f(2, 2, 3, 3)};
    const Vec3f scales[] = {Vec3f(1, 1, 1), Vec3f(2, 1, 0.5f)};
    const std::pair<UInt32, UInt32> viewports[] = {{1920, 1080}, {640, 480}, {1, 1}};

    const auto copyTo = [this](const UberCameraPtr& to) {
        to->setProjectionMode(_camera->getProjectionMode());
        to->setFov(_camera->getFov());
        to->setFovMode(_camera->getFovMode());
        to->setSensorSize(_camera->getSensorSize());
        to->setPrincipalPointOffset(_camera->getPrincipalPointOffset());
        to->setSkewFactor(_camera->getSkewFactor());
        to->setNear(_camera->getNear());
        to->setFar(_camera->getFar());
        to->setAspect(_camera->getAspect());
        to->setFrustumSides(_camera->getFrustumSides());
        to->setProjectionScale(_camera->getProjectionScale());
        to->setFlags(_camera->getFlags());
        to->setFixedClipRange(_camera->getFixedClipRange());
    };
    auto viewport = viewports[0];
    const UberCameraPtr& c = _camera;
    const std::function<void()> edits[] = {
        [&] { c->setProjectionMode(pick(modes)); },
        [&] { c->setFov(pick(fovs)); },
        [&] { c->setFovMode(pick(fovModes)); },
        [&] { c->setSensorSize(pick(sensors)); },
        [&] { c->setPrincipalPointOffset(pick(offsets)); },
        [&] { c->setSkewFactor(pick(skews)); },
        [&] { c->setNear(pick(clips)); },
        [&] { c->setFar(pick(clips)); },
        [&] { c->setAspect(pick(aspects)); },
        [&] { c->setFrustumSides(pick(sides)); },
        [&] { c->setProjectionScale(pick(scales)); },
        [&] { c->setFlags(c->getFlags() ^ UberCamera::ExplicitFrustumFlag); },
        [&] { c->setFixedClipRange(!c->getFixedClipRange()); },
        [&] { viewport = pick(viewports); },
    };
    for (UInt32 step = 0; step < 1000; ++step) {
        pick(edits)();
        UberCameraPtr fresh = makeCamera();
        copyTo(fresh);
        SCOPED_TRACE(::testing::Message() << "step " << step);
        const auto projectLogged = [&viewport](const UberCameraPtr& camera) {
            LogCapture capture;
            const Matrix result = project(camera, viewport.first, viewport.second);
            return std::make_pair(result, warnings(capture));
        };
        const auto [kept, keptWarnings] = projectLogged(_camera);
        const auto [afresh, freshWarnings] = projectLogged(fresh);
        ASSERT_EQ(std::memcmp(kept.getValues(), afresh.getValues(), sizeof(Matrix)), 0)
            << "kept:" << describe(toGlm(kept)) << "\nafresh:" << describe(toGlm(afresh));
        ASSERT_EQ(keptWarnings, freshWarnings);
    }
}

// ---- robustness ---------------------------------------------------------------

TEST_F(ProjectionTest, NonFinitePhysicalProjectionFallsBack) {
    _camera->setSensorSize(Vec2f(0, 24));
    _camera->setFov(60);
    _camera->setNear(1);
    _camera->setFar(1000);
    LogCapture capture;
    const Matrix result = project(1920, 1080);
    EXPECT_EQ(warnings(capture),
              std::vector<std::string>{
                  "UberCamera::getPerspectiveProjection: projection not finite!\n\n"});
    const double y = std::tan(radians(30));
    const double a = 1920.0 / 1080.0;
    EXPECT_TRUE(matrixNear(result, glm::frustum(-a * y, a * y, -y, y, 1.0, 1000.0)));
}

TEST_F(ProjectionTest, NonFiniteFieldsNeverGiveNonFiniteResults) {
    struct Case {
        const char* name;
        std::function<void(const UberCameraPtr&)> setUp;
        bool physicalNotFinite;
    };
    const Case cases[] = {
        {"fov nan", [](const UberCameraPtr& c) { c->setFov(NaN); }, true},
        {"fov inf", [](const UberCameraPtr& c) { c->setFov(Inf); }, true},
        {"fov -inf", [](const UberCameraPtr& c) { c->setFov(-Inf); }, false},
        {"near nan", [](const UberCameraPtr& c) { c->setNear(NaN); }, true},
        {"far nan", [](const UberCameraPtr& c) { c->setFar(NaN); }, true},
        {"far inf", [](const UberCameraPtr& c) { c->setFar(Inf); }, true},
        {"near -inf", [](const UberCameraPtr& c) { c->setNear(-Inf); }, true},
        {"near and far inf",
         [](const UberCameraPtr& c) {
             c->setNear(Inf);
             c->setFar(Inf);
         },
         true},
        {"sensor width nan", [](const UberCameraPtr& c) { c->setSensorSize(Vec2f(NaN, 24)); },
         true},
        {"sensor width inf", [](const UberCameraPtr& c) { c->setSensorSize(Vec2f(Inf, 24)); },
         false},
        {"sensor zero", [](const UberCameraPtr& c) { c->setSensorSize(Vec2f(0, 0)); }, true},
        {"principal point nan",
         [](const UberCameraPtr& c) { c->setPrincipalPointOffset(Vec2f(NaN, 0)); }, true},
        {"principal point inf",
         [](const UberCameraPtr& c) { c->setPrincipalPointOffset(Vec2f(0, -Inf)); }, true},
        {"skew inf", [](const UberCameraPtr& c) { c->setSkewFactor(Inf); }, true},
        {"skew nan", [](const UberCameraPtr& c) { c->setSkewFactor(NaN); }, true},
        {"fallback aspect nan",
         [](const UberCameraPtr& c) {
             c->setSensorSize(Vec2f(0, 24));
             c->setAspect(NaN);
         },
         true},
        {"fallback aspect inf",
         [](const UberCameraPtr& c) {
             c->setSensorSize(Vec2f(0, 24));
             c->setAspect(Inf);
         },
         true},
        {"explicit sides nan",
         [](const UberCameraPtr& c) {
             c->addFlag(UberCamera::ExplicitFrustumFlag);
             c->setFrustumSides(Vec4f(NaN, 1, -1, 1));
         },
         false},
        {"explicit sides inf",
         [](const UberCameraPtr& c) {
             c->addFlag(UberCamera::ExplicitFrustumFlag);
             c->setFrustumSides(Vec4f(-Inf, Inf, -1, 1));
         },
         false},
        {"explicit near nan",
         [](const UberCameraPtr& c) {
             c->addFlag(UberCamera::ExplicitFrustumFlag);
             c->setNear(NaN);
         },
         false},
        {"orthographic sides nan",
         [](const UberCameraPtr& c) {
             c->setProjectionMode(UberCamera::OrthographicProjection);
             c->setFrustumSides(Vec4f(-1, 1, NaN, 1));
         },
         false},
        {"orthographic sides inf",
         [](const UberCameraPtr& c) {
             c->setProjectionMode(UberCamera::OrthographicProjection);
             c->setFrustumSides(Vec4f(-Inf, Inf, -1, 1));
         },
         false},
        {"orthographic aspect nan",
         [](const UberCameraPtr& c) {
             c->setProjectionMode(UberCamera::OrthographicProjection);
             c->setAspect(NaN);
         },
         false},
        {"orthographic aspect zero, horizontal",
         [](const UberCameraPtr& c) {
             c->setProjectionMode(UberCamera::OrthographicProjection);
             c->setFovMode(1);
             c->setAspect(0);
         },
         false},
        {"orthographic far inf",
         [](const UberCameraPtr& c) {
             c->setProjectionMode(UberCamera::OrthographicProjection);
             c->setFar(Inf);
         },
         false},
    };
    const std::string notFinite =
        "UberCamera::getPerspectiveProjection: projection not finite!\n\n";
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        UberCameraPtr camera = makeCamera();
        testCase.setUp(camera);
        LogCapture capture;
        const Matrix result = project(camera, 1920, 1080);
        EXPECT_TRUE(allFinite(result));
        const std::vector<std::string> texts = warnings(capture);
        if (testCase.physicalNotFinite) {
            ASSERT_FALSE(texts.empty());
            EXPECT_EQ(texts[0], notFinite);
        } else {
            for (const std::string& text : texts)
                EXPECT_NE(text, notFinite);
        }
    }
}

TEST_F(ProjectionTest, ExtremeViewportsGiveFiniteResults) {
    const std::pair<UInt32, UInt32> viewports[] = {
        {1, 100000},      {100000, 1},      {1, 1},
        {MaxViewport, 1}, {1, MaxViewport}, {MaxViewport, MaxViewport},
    };
    const std::function<void(const UberCameraPtr&)> setups[] = {
        [](const UberCameraPtr&) {},
        [](const UberCameraPtr& c) { c->setFovMode(1); },
        [](const UberCameraPtr& c) { c->setFovMode(2); },
        [](const UberCameraPtr& c) { c->setSensorSize(Vec2f(0, 24)); },
        [](const UberCameraPtr& c) { c->addFlag(UberCamera::ExplicitFrustumFlag); },
        [](const UberCameraPtr& c) { c->setProjectionMode(UberCamera::OrthographicProjection); },
        [](const UberCameraPtr& c) {
            c->setProjectionMode(UberCamera::OrthographicProjection);
            c->setFovMode(1);
        },
    };
    for (UInt32 setup = 0; setup < std::size(setups); ++setup) {
        UberCameraPtr camera = makeCamera();
        setups[setup](camera);
        for (const auto& [width, height] : viewports) {
            SCOPED_TRACE(::testing::Message()
                         << "setup " << setup << ", viewport " << width << "x" << height);
            LogCapture capture;
            const Matrix result = project(camera, width, height);
            EXPECT_TRUE(allFinite(result));
        }
    }
}

TEST_F(ProjectionTest, TallViewportKeepsTheVerticalFieldOfView) {
    _camera->setFov(40);
    _camera->setNear(1);
    _camera->setFar(100);
    LogCapture capture;
    const Matrix result = project(1, 100000);
    EXPECT_TRUE(warnings(capture).empty());
    EXPECT_TRUE(matrixNear(result, verticalPerspective(40, 1.0 / 100000, 1, 100)));
}

} // namespace
