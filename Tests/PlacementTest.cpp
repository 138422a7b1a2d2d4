// Placing the camera: the look-at construction, from/at/up in both spaces, the
// target distance, the stored view, the turntable orbit and the class-wide
// initial and default views. GLM serves as an independent look-at oracle.

#include "CameraSceneFixture.h"
#include "CameraTestMath.h"

#include "kxSceneData.h"

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <limits>
#include <random>

using namespace osg;
using ubercam::test::CameraSceneTest;
using ubercam::test::cameraToWorld;
using ubercam::test::column;
using ubercam::test::countEntries;
using ubercam::test::mapPoint;
using ubercam::test::transformOf;

namespace {

// Single-precision results of a few operations on values up to ~100.
constexpr Real32 MatrixTolerance = 1e-4f;
constexpr Real32 PositionTolerance = 1e-4f;
// Orbit parameters read back from a placement: relative to the orbit's size.
constexpr Real32 RelativeOrbitTolerance = 1e-4f;
constexpr Real32 AngleToleranceDegrees = 1e-3f;
constexpr UInt32 RandomCases = 200;
constexpr UInt32 RandomSeed = 20240611;
constexpr Real32 NaN = std::numeric_limits<Real32>::quiet_NaN();
constexpr double Pi64 = 3.14159265358979323846;
const char* const WZeroMessage = "multFullMatrixPnt: w == 0.0f!";
const char* const NoValidParentMessage = "Camera::updateActiveParentIndex : no valid parent found!";

Matrix translation(Real32 x, Real32 y, Real32 z) {
    Matrix m;
    m.setTranslate(x, y, z);
    return m;
}

Matrix rotationAbout(const Vec3f& axis, Real32 degrees) {
    Matrix m;
    Quaternion(axis, degrees * Real32(Pi64 / 180.0)).getValue(m);
    return m;
}

Matrix filled(Real32 value) {
    Matrix m;
    for (UInt32 i = 0; i < 16; ++i)
        m.getValues()[i] = value;
    return m;
}

bool isFinite(const Matrix& m) {
    for (UInt32 i = 0; i < 16; ++i) {
        if (!std::isfinite(m.getValues()[i]))
            return false;
    }
    return true;
}

// Smallest difference of two angles in degrees, across the 0/360 seam.
Real32 angleDifference(Real32 a, Real32 b) {
    const Real32 d = std::fmod(std::fabs(a - b), 360.0f);
    return std::min(d, 360.0f - d);
}

// Makes the scene z-up for one test and restores y-up whatever happens.
class ZUpScene {
public:
    ZUpScene() { kxSceneDataManager::getSceneData(0)->setUpAxis(kxSceneData::ZUp); }
    ~ZUpScene() { kxSceneDataManager::getSceneData(0)->setUpAxis(kxSceneData::YUp); }
    ZUpScene(const ZUpScene&) = delete;
    ZUpScene& operator=(const ZUpScene&) = delete;
};

// ---- look-at --------------------------------------------------------------------

class LookAtTest : public ::testing::Test {
protected:
    std::mt19937 random{RandomSeed};
    std::uniform_real_distribution<float> coordinate{-100.0f, 100.0f};
    std::uniform_real_distribution<float> direction{-1.0f, 1.0f};

    // Random eye, target and up with a clear viewing direction and an up well off it.
    void nextInput(Pnt3f& eye, Pnt3f& target, Vec3f& up) {
        for (;;) {
            eye = Pnt3f(coordinate(random), coordinate(random), coordinate(random));
            target = Pnt3f(coordinate(random), coordinate(random), coordinate(random));
            up = Vec3f(direction(random), direction(random), direction(random));
            Vec3f view = target - eye;
            if (view.length() < 1.0f || up.length() < 0.1f)
                continue;
            view.normalize();
            Vec3f unitUp = up;
            unitUp.normalize();
            if (view.cross(unitUp).length() > 0.1f)
                return;
        }
    }
};

TEST_F(LookAtTest, MatchesTheInverseOfGlmLookAt) {
    for (UInt32 i = 0; i < RandomCases; ++i) {
        Pnt3f eye, target;
        Vec3f up;
        nextInput(eye, target, up);
        const glm::dmat4 expected = glm::inverse(glm::lookAt(
            glm::dvec3(eye[0], eye[1], eye[2]), glm::dvec3(target[0], target[1], target[2]),
            glm::dvec3(up[0], up[1], up[2])));
        Matrix result;
        ASSERT_TRUE(UberCamera::lookAt(result, eye, target, up));
        for (UInt32 c = 0; c < 4; ++c) {
            // The translation column is the eye: compare it relative to its size.
            const double scale = c == 3 ? std::max(1.0, glm::length(glm::dvec3(expected[3]))) : 1.0;
            for (UInt32 r = 0; r < 4; ++r)
                EXPECT_NEAR(result[c][r], expected[c][r], MatrixTolerance * scale)
                    << "case " << i << ", row " << r << ", column " << c;
        }
    }
}

TEST_F(LookAtTest, PutsTheEyeAtTheOriginAndTheTargetOnTheNegativeZAxis) {
    for (UInt32 i = 0; i < RandomCases; ++i) {
        Pnt3f eye, target;
        Vec3f up;
        nextInput(eye, target, up);
        Matrix result;
        ASSERT_TRUE(UberCamera::lookAt(result, eye, target, up));
        Matrix worldToCamera;
        ASSERT_TRUE(result.inverse(worldToCamera));

        const Pnt3f eyeSeen = mapPoint(worldToCamera, eye);
        EXPECT_TRUE(eyeSeen.equals(Pnt3f(0, 0, 0), PositionTolerance)) << eyeSeen;
        const Pnt3f targetSeen = mapPoint(worldToCamera, target);
        const Real32 distance = (target - eye).length();
        EXPECT_TRUE(targetSeen.equals(Pnt3f(0, 0, -distance), PositionTolerance * distance))
            << "case " << i << ": " << targetSeen;

        const Vec3f right = column(result, 0), trueUp = column(result, 1), back = column(result, 2);
        EXPECT_NEAR(right.length(), 1.0f, MatrixTolerance);
        EXPECT_NEAR(trueUp.length(), 1.0f, MatrixTolerance);
        EXPECT_NEAR(back.length(), 1.0f, MatrixTolerance);
        EXPECT_NEAR(right.dot(trueUp), 0.0f, MatrixTolerance);
        EXPECT_NEAR(right.dot(back), 0.0f, MatrixTolerance);
        EXPECT_NEAR(trueUp.dot(back), 0.0f, MatrixTolerance);
        EXPECT_NEAR(result.det3(), 1.0f, MatrixTolerance) << "right-handed";
        // The given up picks the roll: it lies in the up/back plane, on the up side.
        EXPECT_NEAR(right.dot(up), 0.0f, MatrixTolerance);
        EXPECT_GT(trueUp.dot(up), 0.0f);
        EXPECT_EQ(result[0][3], 0.0f);
        EXPECT_EQ(result[1][3], 0.0f);
        EXPECT_EQ(result[2][3], 0.0f);
        EXPECT_EQ(result[3][3], 1.0f);
    }
}

TEST_F(LookAtTest, UpAlongTheViewUsesTheRotatedViewComponents) {
    // b = (0, 0, 1) rotated is (0, 1, 0): the same view as with that up.
    Matrix parallel, reference;
    ASSERT_TRUE(UberCamera::lookAt(parallel, Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 0, 1)));
    ASSERT_TRUE(UberCamera::lookAt(reference, Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 1, 0)));
    EXPECT_TRUE(parallel.equals(reference, MatrixTolerance)) << parallel;
    EXPECT_TRUE(parallel.equals(translation(0, 0, 10), MatrixTolerance)) << parallel;

    // A zero up is just as unusable and takes the same way out.
    Matrix zeroUp;
    ASSERT_TRUE(UberCamera::lookAt(zeroUp, Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 0, 0)));
    EXPECT_TRUE(zeroUp.equals(reference, MatrixTolerance)) << zeroUp;
}

TEST_F(LookAtTest, FailureLeavesTheResultUnchanged) {
    const Matrix untouched = filled(7.0f);

    Matrix sameSpot = untouched;
    EXPECT_FALSE(UberCamera::lookAt(sameSpot, Pnt3f(1, 2, 3), Pnt3f(1, 2, 3), Vec3f(0, 1, 0)));
    EXPECT_EQ(sameSpot, untouched);

    // Along (1, 1, 1) the rotated components equal the view itself, so the substitute fails too.
    Matrix diagonal = untouched;
    EXPECT_FALSE(UberCamera::lookAt(diagonal, Pnt3f(1, 1, 1), Pnt3f(0, 0, 0), Vec3f(2, 2, 2)));
    EXPECT_EQ(diagonal, untouched);
}

// ---- from, at and up --------------------------------------------------------------

class PlacementTest : public CameraSceneTest {
protected:
    static constexpr Real32 ParentScale = 2.0f;

    // A camera directly below the root.
    UberCameraPtr placedCamera() {
        UberCameraPtr camera = makeCamera();
        addNode(root, camera);
        return camera;
    }

    // A camera below a rotated, translated and uniformly scaled parent.
    UberCameraPtr cameraUnderParent(Real32 scale = ParentScale) {
        Matrix parent = translation(5, -3, 8);
        parent.mult(rotationAbout(Vec3f(0.2f, 1, 0.3f), 40));
        Matrix scaling;
        scaling.setScale(scale, scale, scale);
        parent.mult(scaling);
        UberCameraPtr camera = makeCamera();
        addNode(addTransform(root, parent), camera);
        return camera;
    }
};

TEST_F(PlacementTest, FromAtUpOnTheZAxisIsAPureTranslation) {
    UberCameraPtr camera = placedCamera();
    camera->setViewByFromAtUp(Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 1, 0), Camera::LocalSpace);
    EXPECT_TRUE(
        transformOf(camera, Camera::LocalSpace).equals(translation(0, 0, 10), MatrixTolerance));
    EXPECT_NEAR(camera->getAtDistance(), 10.0f, PositionTolerance);
    EXPECT_TRUE(camera->getAt(Camera::LocalSpace).equals(Pnt3f(0, 0, 0), PositionTolerance));
}

TEST_F(PlacementTest, UpAlongTheViewGivesTheSamePlacement) {
    UberCameraPtr camera = placedCamera();
    camera->setViewByFromAtUp(Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 0, 1), Camera::LocalSpace);
    EXPECT_TRUE(
        transformOf(camera, Camera::LocalSpace).equals(translation(0, 0, 10), MatrixTolerance));
    EXPECT_NEAR(camera->getAtDistance(), 10.0f, PositionTolerance);
    EXPECT_TRUE(camera->getAt(Camera::LocalSpace).equals(Pnt3f(0, 0, 0), PositionTolerance));
}

TEST_F(PlacementTest, FailedLookAtPlacesTheIdentity) {
    // Unscaled parent: placing changes only the camera's translation and rotation.
    UberCameraPtr camera = cameraUnderParent(1.0f);
    camera->setViewByFromAtUp(Pnt3f(4, 5, 6), Pnt3f(4, 5, 6), Vec3f(0, 1, 0), Camera::WorldSpace);
    EXPECT_TRUE(transformOf(camera, Camera::WorldSpace).equals(Matrix(), MatrixTolerance));
    EXPECT_EQ(camera->getAtDistance(), 0.0f);

    camera->setViewByFromAtUp(Pnt3f(1, 1, 1), Pnt3f(0, 0, 0), Vec3f(1, 1, 1), Camera::LocalSpace);
    EXPECT_TRUE(transformOf(camera, Camera::LocalSpace).equals(Matrix(), MatrixTolerance));
    EXPECT_NEAR(camera->getAtDistance(), std::sqrt(3.0f), PositionTolerance);
}

TEST_F(PlacementTest, WorldPlacementUnderAParentReadsBack) {
    UberCameraPtr camera = cameraUnderParent();
    const Pnt3f from(10, 20, 30), at(-4, 2, 7);
    const Vec3f up(0, 1, 0);
    camera->setViewByFromAtUp(from, at, up, Camera::WorldSpace);

    Pnt3f readFrom, readAt;
    Vec3f readUp;
    camera->getFromAtUp(readFrom, readAt, readUp, Camera::WorldSpace);
    EXPECT_TRUE(readFrom.equals(from, PositionTolerance)) << readFrom;
    EXPECT_TRUE(readAt.equals(at, PositionTolerance * 10)) << readAt;
    EXPECT_EQ(camera->getFrom(Camera::WorldSpace), readFrom);
    EXPECT_EQ(camera->getAt(Camera::WorldSpace), readAt);
    EXPECT_EQ(camera->getUp(Camera::WorldSpace), readUp);
    // The target distance is in the camera's own units, which the parent scales.
    EXPECT_NEAR(camera->getAtDistance(), (at - from).length() / ParentScale,
                PositionTolerance * 10);

    // The up read back is the camera's +y axis, unnormalised (here scaled by the parent).
    EXPECT_NEAR(readUp.length(), ParentScale, MatrixTolerance);
    Vec3f view = at - from;
    view.normalize();
    EXPECT_NEAR(readUp.dot(view), 0.0f, MatrixTolerance);
    EXPECT_NEAR(readUp.dot(view.cross(up)), 0.0f, MatrixTolerance);
    EXPECT_GT(readUp.dot(up), 0.0f);

    // The world placement is what the renderer sees.
    const Matrix seen = cameraToWorld(camera);
    EXPECT_TRUE(mapPoint(seen, Pnt3f(0, 0, 0)).equals(from, PositionTolerance * 10));
}

TEST_F(PlacementTest, TargetDistanceIsInTheCamerasOwnUnits) {
    UberCameraPtr camera = placedCamera();
    placeCamera(camera, Vec3f(0, 0, 0), Quaternion(), Vec3f(4, 4, 4));
    camera->setViewByFromAtUp(Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 1, 0), Camera::LocalSpace);
    EXPECT_NEAR(camera->getAtDistance(), 2.5f, PositionTolerance);
    EXPECT_TRUE(camera->getAt(Camera::LocalSpace).equals(Pnt3f(0, 0, 0), PositionTolerance));
    EXPECT_TRUE(camera->getScale().equals(Vec3f(4, 4, 4), 0.0f)) << "placing keeps the scale";
}

TEST_F(PlacementTest, SettingOneOfFromAtUpKeepsTheOthers) {
    UberCameraPtr camera = cameraUnderParent();
    const Pnt3f from(10, 20, 30), at(-4, 2, 7);
    camera->setViewByFromAtUp(from, at, Vec3f(0, 1, 0), Camera::WorldSpace);

    const Pnt3f newFrom(0, 40, -10);
    camera->setFrom(newFrom, Camera::WorldSpace);
    EXPECT_TRUE(camera->getFrom(Camera::WorldSpace).equals(newFrom, PositionTolerance * 10));
    EXPECT_TRUE(camera->getAt(Camera::WorldSpace).equals(at, PositionTolerance * 10));

    const Pnt3f newAt(3, 3, 3);
    camera->setAt(newAt, Camera::WorldSpace);
    EXPECT_TRUE(camera->getFrom(Camera::WorldSpace).equals(newFrom, PositionTolerance * 10));
    EXPECT_TRUE(camera->getAt(Camera::WorldSpace).equals(newAt, PositionTolerance * 10));

    const Vec3f newUp(1, 0, 0);
    camera->setUp(newUp, Camera::WorldSpace);
    EXPECT_TRUE(camera->getFrom(Camera::WorldSpace).equals(newFrom, PositionTolerance * 10));
    EXPECT_TRUE(camera->getAt(Camera::WorldSpace).equals(newAt, PositionTolerance * 10));
    const Vec3f readUp = camera->getUp(Camera::WorldSpace);
    Vec3f view = newAt - newFrom;
    view.normalize();
    EXPECT_NEAR(readUp.dot(view.cross(newUp)), 0.0f, MatrixTolerance);
    EXPECT_GT(readUp.dot(newUp), 0.0f);
}

TEST_F(PlacementTest, LocalPlacementIgnoresTheParent) {
    UberCameraPtr camera = cameraUnderParent();
    camera->setViewByFromAtUp(Pnt3f(1, 2, 3), Pnt3f(1, 2, -7), Vec3f(0, 1, 0), Camera::LocalSpace);
    EXPECT_TRUE(
        transformOf(camera, Camera::LocalSpace).equals(translation(1, 2, 3), MatrixTolerance));
    EXPECT_NEAR(camera->getAtDistance(), 10.0f, PositionTolerance);
    EXPECT_TRUE(camera->getAt(Camera::LocalSpace).equals(Pnt3f(1, 2, -7), PositionTolerance));
}

TEST_F(PlacementTest, AtDistanceToAPointReachesTheWorldPoint) {
    UberCameraPtr camera = cameraUnderParent();
    camera->setViewByFromAtUp(Pnt3f(10, 20, 30), Pnt3f(0, 0, 0), Vec3f(0, 1, 0),
                              Camera::WorldSpace);
    // A point on the viewing line, further away: the target moves onto it.
    const Pnt3f further = Pnt3f(10, 20, 30) + (Pnt3f(0, 0, 0) - Pnt3f(10, 20, 30)) * 1.5f;
    camera->setAtDistanceToPoint(further);
    EXPECT_TRUE(camera->getAt(Camera::WorldSpace).equals(further, PositionTolerance * 10))
        << camera->getAt(Camera::WorldSpace);
}

TEST_F(PlacementTest, AtDistanceToAPointNeedsAnOrdinaryParent) {
    UberCameraPtr viewpoint = makeCamera();
    addFlag(viewpoint, UberCamera::ViewpointFlag);
    makeInternal(addNode(root, viewpoint));
    viewpoint->setAtDistance(5.0f);
    viewpoint->setAtDistanceToPoint(Pnt3f(100, 0, 0));
    EXPECT_EQ(viewpoint->getAtDistance(), 5.0f);

    UberCameraPtr loose = makeCamera();
    loose->setAtDistance(5.0f);
    LogCapture capture;
    loose->setAtDistanceToPoint(Pnt3f(100, 0, 0));
    EXPECT_EQ(loose->getAtDistance(), 5.0f);
    EXPECT_EQ(countEntries(capture, NoValidParentMessage), 1u);
}

TEST_F(PlacementTest, RestoreViewReturnsToTheStoredMatrix) {
    UberCameraPtr camera = placedCamera();
    camera->setViewByFromAtUp(Pnt3f(1, 2, 3), Pnt3f(5, 0, 0), Vec3f(0, 1, 0), Camera::LocalSpace);
    camera->storeView();
    const Matrix stored = camera->getMatrix();
    camera->setViewByFromAtUp(Pnt3f(-7, 0, 9), Pnt3f(0, 1, 0), Vec3f(1, 0, 0), Camera::LocalSpace);
    ASSERT_FALSE(camera->getMatrix().equals(stored, MatrixTolerance));
    camera->restoreView();
    EXPECT_TRUE(camera->getMatrix().equals(stored, MatrixTolerance));
}

TEST_F(PlacementTest, RestoreWithoutStoreGivesTheIdentity) {
    UberCameraPtr camera = placedCamera();
    placeCamera(camera, Vec3f(1, 2, 3), Quaternion(Vec3f(0, 1, 0), 1.0f));
    camera->restoreView();
    EXPECT_TRUE(camera->getMatrix().equals(Matrix(), MatrixTolerance));
}

TEST_F(PlacementTest, ViewpointAndInitialAreFlags) {
    UberCameraPtr camera = makeCamera();
    EXPECT_FALSE(camera->isViewpoint());
    EXPECT_FALSE(camera->isInitial());
    addFlag(camera, UberCamera::InitialFlag);
    EXPECT_FALSE(camera->isViewpoint());
    EXPECT_TRUE(camera->isInitial());
    addFlag(camera, UberCamera::ViewpointFlag);
    EXPECT_TRUE(camera->isViewpoint());
}

TEST_F(PlacementTest, HmdModeReadsAndWritesWithoutTheTrackingMatrix) {
    UberCameraPtr camera = placedCamera();
    const Matrix tracking = translation(0, 1, 0);
    camera->setTrackingMatrix(tracking);

    UberCamera::setHmdMode(true);
    camera->setViewByFromAtUp(Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 1, 0), Camera::LocalSpace);
    const Pnt3f fromInHmd = camera->getFrom(Camera::LocalSpace);
    const Pnt3f atInHmd = camera->getAt(Camera::LocalSpace);
    UberCamera::setHmdMode(false);

    EXPECT_TRUE(fromInHmd.equals(Pnt3f(0, 0, 10), PositionTolerance)) << fromInHmd;
    EXPECT_TRUE(atInHmd.equals(Pnt3f(0, 0, 0), PositionTolerance)) << atInHmd;
    EXPECT_EQ(camera->getTrackingMatrix(), tracking);
    EXPECT_TRUE(camera->getMatrix().equals(translation(0, 0, 10), MatrixTolerance));
    EXPECT_TRUE(camera->getFrom(Camera::LocalSpace).equals(Pnt3f(0, 1, 10), PositionTolerance));
}

TEST_F(PlacementTest, OutsideHmdModeTheTrackingMatrixTakesPart) {
    UberCameraPtr camera = placedCamera();
    camera->setTrackingMatrix(translation(0, 1, 0));
    camera->setViewByFromAtUp(Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 1, 0), Camera::LocalSpace);
    EXPECT_TRUE(camera->getFrom(Camera::LocalSpace).equals(Pnt3f(0, 0, 10), PositionTolerance));
    EXPECT_TRUE(camera->getMatrix().equals(translation(0, -1, 10), MatrixTolerance));
}

TEST_F(PlacementTest, TargetWithoutFiniteImageIsTheOrigin) {
    UberCameraPtr camera = placedCamera();
    camera->setViewByFromAtUp(Pnt3f(1, 2, 13), Pnt3f(1, 2, 3), Vec3f(0, 1, 0), Camera::LocalSpace);
    // A tracking matrix whose last row is zero sends every point to w = 0.
    Matrix projective;
    projective[3][3] = 0;
    camera->setTrackingMatrix(projective);
    LogCapture capture;
    EXPECT_EQ(camera->getAt(Camera::LocalSpace), Pnt3f(0, 0, 0));
    ASSERT_EQ(countEntries(capture, WZeroMessage), 1u);
    EXPECT_EQ(capture.entries()[0].level, LOG_INFO);
}

TEST_F(PlacementTest, NaNInputNeverReachesTheViewingMatrix) {
    UberCameraPtr camera = placedCamera();
    const Pnt3f good(0, 0, 10);
    const Pnt3f bad(NaN, 0, 0);
    const Vec3f up(0, 1, 0);
    const struct {
        Pnt3f from, at;
        Vec3f up;
    } cases[] = {{bad, good, up}, {good, bad, up}, {good, Pnt3f(0, 0, 0), Vec3f(0, NaN, 0)}};
    for (const auto& input : cases) {
        for (Camera::CameraSpace space : {Camera::LocalSpace, Camera::WorldSpace}) {
            camera->setViewByFromAtUp(input.from, input.at, input.up, space);
            Matrix viewing = filled(3.0f);
            camera->getViewing(viewing, 100, 100);
            EXPECT_TRUE(isFinite(viewing)) << viewing;
            if (!isFinite(transformOf(camera, Camera::WorldSpace))) {
                EXPECT_EQ(viewing, Matrix());
            }
        }
    }
}

// ---- turntable ------------------------------------------------------------------

class TurntableTest : public CameraSceneTest {
protected:
    void SetUp() override {
        CameraSceneTest::SetUp();
        camera = makeCamera();
        addNode(root, camera);
    }

    // Aims the camera at `target` from somewhere off every axis.
    void aimAt(const Pnt3f& target) {
        camera->setViewByFromAtUp(target + Vec3f(3, 4, 12), target, Vec3f(0, 1, 0),
                                  Camera::LocalSpace);
    }

    // Sets all three orbit parameters in one edit.
    void setOrbit(Real32 distance, Real32 height, Real32 angle) {
        beginEditCP(camera, UberCamera::TurntableParameterFieldMask);
        camera->editTurntableParameter() = Vec3f(distance, height, angle);
        endEditCP(camera, UberCamera::TurntableParameterFieldMask);
    }

    void expectOrbit(Real32 distance, Real32 height, Real32 angle) {
        Real32 readDistance = -1, readHeight = -1, readAngle = -1;
        camera->getTurntableFromFromAtUp(readDistance, readHeight, readAngle);
        const Real32 size = std::max({1.0f, std::fabs(distance), std::fabs(height)});
        EXPECT_NEAR(readDistance, distance, RelativeOrbitTolerance * size);
        EXPECT_NEAR(readHeight, height, RelativeOrbitTolerance * size);
        EXPECT_LE(angleDifference(readAngle, angle), AngleToleranceDegrees) << readAngle;
        EXPECT_GE(readAngle, 0.0f);
        EXPECT_LT(readAngle, 360.0f);
    }

    void roundTripRandomOrbits() {
        std::mt19937 random(RandomSeed);
        std::uniform_real_distribution<float> distance(0.5f, 100.0f);
        std::uniform_real_distribution<float> height(-50.0f, 50.0f);
        std::uniform_real_distribution<float> angle(0.0f, 360.0f);
        std::uniform_real_distribution<float> coordinate(-10.0f, 10.0f);
        for (UInt32 i = 0; i < RandomCases; ++i) {
            SCOPED_TRACE(i);
            const Pnt3f target(coordinate(random), coordinate(random), coordinate(random));
            aimAt(target);
            const Real32 d = distance(random), h = height(random), a = angle(random);
            setOrbit(d, h, a);
            EXPECT_TRUE(camera->getAt(Camera::LocalSpace)
                            .equals(target, RelativeOrbitTolerance * std::max(d, std::fabs(h))));
            expectOrbit(d, h, a);
        }
    }

    UberCameraPtr camera;
};

TEST_F(TurntableTest, OrbitAroundATargetInAYUpScene) {
    aimAt(Pnt3f(1, 1, 1));
    setOrbit(10, 2, 90);
    EXPECT_TRUE(camera->getFrom(Camera::LocalSpace).equals(Pnt3f(1, 3, 11), PositionTolerance))
        << camera->getFrom(Camera::LocalSpace);
    EXPECT_TRUE(camera->getAt(Camera::LocalSpace).equals(Pnt3f(1, 1, 1), PositionTolerance));
    expectOrbit(10, 2, 90);
}

TEST_F(TurntableTest, OrbitAroundATargetInAZUpScene) {
    ZUpScene zUp;
    aimAt(Pnt3f(1, 1, 1));
    setOrbit(10, 2, 90);
    EXPECT_TRUE(camera->getFrom(Camera::LocalSpace).equals(Pnt3f(1, 11, 3), PositionTolerance))
        << camera->getFrom(Camera::LocalSpace);
    // Level: the camera's x axis stays horizontal, its up on the scene's up side.
    const Matrix placement = transformOf(camera, Camera::LocalSpace);
    EXPECT_NEAR(placement[0][2], 0.0f, MatrixTolerance);
    EXPECT_GT(placement[1][2], 0.0f);
    expectOrbit(10, 2, 90);
}

TEST_F(TurntableTest, RandomOrbitsRoundTripInAYUpScene) {
    roundTripRandomOrbits();
}

TEST_F(TurntableTest, RandomOrbitsRoundTripInAZUpScene) {
    ZUpScene zUp;
    roundTripRandomOrbits();
}

TEST_F(TurntableTest, OrbitPlacementIsComputedWithoutMovingTheCamera) {
    aimAt(Pnt3f(1, 1, 1));
    const Matrix before = camera->getMatrix();
    // Written without an edit, so the change handler does not run.
    camera->editTurntableParameter() = Vec3f(10, 2, 0);
    Pnt3f from, at;
    Vec3f up;
    camera->getFromAtUpFromTurntable(from, at, up);
    EXPECT_TRUE(from.equals(Pnt3f(11, 3, 1), PositionTolerance)) << from;
    EXPECT_TRUE(at.equals(Pnt3f(1, 1, 1), PositionTolerance)) << at;
    EXPECT_EQ(up, Vec3f(0, 1, 0));
    EXPECT_EQ(camera->getMatrix(), before);
}

TEST_F(TurntableTest, SettersMoveTheCameraThroughTheChangeHandler) {
    aimAt(Pnt3f(0, 0, 0));
    camera->setTurntableDistance(5);
    EXPECT_EQ(camera->getTurntableDistance(), 5.0f);
    EXPECT_TRUE(camera->getFrom(Camera::LocalSpace).equals(Pnt3f(5, 0, 0), PositionTolerance));
    camera->setTurntableAngle(90);
    EXPECT_EQ(camera->getTurntableAngle(), 90.0f);
    EXPECT_TRUE(camera->getFrom(Camera::LocalSpace).equals(Pnt3f(0, 0, 5), PositionTolerance));
    camera->setTurntableHeight(3);
    EXPECT_EQ(camera->getTurntableHeight(), 3.0f);
    EXPECT_TRUE(camera->getFrom(Camera::LocalSpace).equals(Pnt3f(0, 3, 5), PositionTolerance));
    EXPECT_TRUE(camera->getAt(Camera::LocalSpace).equals(Pnt3f(0, 0, 0), PositionTolerance));
}

TEST_F(TurntableTest, AnEditOfEveryFieldDoesNotMoveTheCamera) {
    aimAt(Pnt3f(0, 0, 0));
    const Matrix before = camera->getMatrix();
    beginEditCP(camera, FieldBits_AllFields);
    camera->editTurntableParameter() = Vec3f(5, 0, 90);
    endEditCP(camera, FieldBits_AllFields);
    EXPECT_EQ(camera->getMatrix(), before);

    // The same values announced by their own mask do move it.
    beginEditCP(camera, UberCamera::TurntableParameterFieldMask);
    endEditCP(camera, UberCamera::TurntableParameterFieldMask);
    EXPECT_TRUE(camera->getFrom(Camera::LocalSpace).equals(Pnt3f(0, 0, 5), PositionTolerance));
}

TEST_F(TurntableTest, StraightAboveTheTargetIsAngleZeroDistanceZero) {
    camera->setViewByFromAtUp(Pnt3f(1, 8, 1), Pnt3f(1, 1, 1), Vec3f(0, 1, 0), Camera::LocalSpace);
    Real32 distance = -1, height = -1, angle = -1;
    camera->getTurntableFromFromAtUp(distance, height, angle);
    EXPECT_NEAR(distance, 0.0f, PositionTolerance);
    EXPECT_NEAR(height, 7.0f, PositionTolerance);
    EXPECT_EQ(angle, 0.0f);
}

TEST_F(TurntableTest, StraightAboveTheTargetInAZUpScene) {
    ZUpScene zUp;
    camera->setViewByFromAtUp(Pnt3f(1, 1, -4), Pnt3f(1, 1, 1), Vec3f(0, 0, 1), Camera::LocalSpace);
    Real32 distance = -1, height = -1, angle = -1;
    camera->getTurntableFromFromAtUp(distance, height, angle);
    EXPECT_NEAR(distance, 0.0f, PositionTolerance);
    EXPECT_NEAR(height, -5.0f, PositionTolerance);
    EXPECT_EQ(angle, 0.0f);
}

TEST_F(TurntableTest, NegativeAnglesAreWrappedIntoTheCircle) {
    // Behind the target along -z: atan2 gives -90 degrees, and cos of it is almost 0.
    camera->setViewByFromAtUp(Pnt3f(0, 2, -10), Pnt3f(0, 0, 0), Vec3f(0, 1, 0), Camera::LocalSpace);
    expectOrbit(10, 2, 270);
    camera->setViewByFromAtUp(Pnt3f(-3, 0, -3), Pnt3f(0, 0, 0), Vec3f(0, 1, 0), Camera::LocalSpace);
    expectOrbit(std::sqrt(18.0f), 0, 225);
}

TEST_F(TurntableTest, NaNParametersNeverReachTheViewingMatrix) {
    aimAt(Pnt3f(0, 0, 0));
    const Vec3f orbits[] = {Vec3f(NaN, 0, 0), Vec3f(1, NaN, 0), Vec3f(1, 0, NaN)};
    for (const Vec3f& orbit : orbits) {
        setOrbit(orbit[0], orbit[1], orbit[2]);
        Matrix viewing = filled(3.0f);
        camera->getViewing(viewing, 100, 100);
        EXPECT_TRUE(isFinite(viewing)) << viewing;
        Real32 distance, height, angle;
        camera->getTurntableFromFromAtUp(distance, height, angle);
        aimAt(Pnt3f(0, 0, 0));
    }
}

// ---- initial and default views ---------------------------------------------------------

class InitialViewTest : public ::testing::Test {
protected:
    // The initial view is process-wide: leave it as the program found it.
    void TearDown() override { UberCamera::resetInitialViewRollFov(); }

    struct View {
        Pnt3f from;
        Vec3f up;
    };

    static void expectDefaultView(UberCamera::DefaultCameraId id, const View& expected) {
        SCOPED_TRACE(int(id));
        Pnt3f from(9, 9, 9), at(9, 9, 9);
        Vec3f up(9, 9, 9);
        UberCamera::getInitialDefaultView(from, at, up, id);
        EXPECT_EQ(from, expected.from);
        EXPECT_EQ(at, Pnt3f(0, 0, 0));
        EXPECT_EQ(up, expected.up);

        // The matrix form: eye at from, looking at the origin, up on the up side.
        const Matrix m = UberCamera::getInitialDefaultView(id);
        EXPECT_TRUE(Pnt3f(m[3][0], m[3][1], m[3][2]).equals(expected.from, 0.0f));
        Matrix worldToCamera;
        ASSERT_TRUE(m.inverse(worldToCamera));
        const Real32 distance = expected.from.subZero().length();
        EXPECT_TRUE(mapPoint(worldToCamera, Pnt3f(0, 0, 0))
                        .equals(Pnt3f(0, 0, -distance), MatrixTolerance * distance));
        EXPECT_GT(column(m, 1).dot(expected.up), 0.0f);
    }
};

TEST_F(InitialViewTest, DefaultViewsOfAYUpScene) {
    expectDefaultView(UberCamera::PerspectiveView, {Pnt3f(2500, 2000, 2500), Vec3f(0, 1, 0)});
    expectDefaultView(UberCamera::FrontView, {Pnt3f(-50000, 0, 0), Vec3f(0, 1, 0)});
    expectDefaultView(UberCamera::SideView, {Pnt3f(0, 0, 50000), Vec3f(0, 1, 0)});
    expectDefaultView(UberCamera::TopView, {Pnt3f(0, 50000, 0), Vec3f(0, 0, -1)});
}

TEST_F(InitialViewTest, DefaultViewsOfAZUpScene) {
    ZUpScene zUp;
    expectDefaultView(UberCamera::PerspectiveView, {Pnt3f(2500, -2500, 2000), Vec3f(0, 0, 1)});
    expectDefaultView(UberCamera::FrontView, {Pnt3f(-50000, 0, 0), Vec3f(0, 0, 1)});
    expectDefaultView(UberCamera::SideView, {Pnt3f(0, -50000, 0), Vec3f(0, 0, 1)});
    expectDefaultView(UberCamera::TopView, {Pnt3f(0, 0, 50000), Vec3f(0, 1, 0)});
}

TEST_F(InitialViewTest, UnknownIdKeepsTheCallersEye) {
    for (auto id : {UberCamera::NoDefaultCamera, UberCamera::DefaultCameraId(4)}) {
        Pnt3f from(1, 2, 3), at(9, 9, 9);
        Vec3f up(9, 9, 9);
        UberCamera::getInitialDefaultView(from, at, up, id);
        EXPECT_EQ(from, Pnt3f(1, 2, 3));
        EXPECT_EQ(at, Pnt3f(0, 0, 0));
        EXPECT_EQ(up, Vec3f(0, 1, 0));
        EXPECT_EQ(UberCamera::getInitialDefaultView(id), Matrix());
    }
    ZUpScene zUp;
    Pnt3f from, at;
    Vec3f up;
    UberCamera::getInitialDefaultView(from, at, up, UberCamera::DefaultCameraId(4));
    EXPECT_EQ(up, Vec3f(0, 0, 1));
}

TEST_F(InitialViewTest, UnsetInitialViewIsTheDefaultPerspectiveView) {
    EXPECT_FALSE(UberCamera::hasInitialView());
    EXPECT_EQ(UberCamera::getInitialFov(), 45.0f);
    EXPECT_EQ(UberCamera::getInitialRoll(), 0.0f);
    Pnt3f from, at(9, 9, 9);
    Vec3f up;
    UberCamera::getInitialView(from, at, up);
    EXPECT_EQ(from, Pnt3f(2500, 2000, 2500));
    EXPECT_EQ(at, Pnt3f(0, 0, 0));
    EXPECT_EQ(up, Vec3f(0, 1, 0));
    EXPECT_FALSE(UberCamera::hasInitialView());

    // Still unset, so it follows the scene's up axis.
    ZUpScene zUp;
    UberCamera::getInitialView(from, at, up);
    EXPECT_EQ(from, Pnt3f(2500, -2500, 2000));
    EXPECT_EQ(up, Vec3f(0, 0, 1));
}

TEST_F(InitialViewTest, SetAndResetInitialView) {
    UberCamera::setInitialView(Pnt3f(1, 2, 3), Pnt3f(4, 5, 6), Vec3f(0, 0, 1));
    UberCamera::setInitialRoll(15.0f);
    UberCamera::setInitialFov(60.0f);
    EXPECT_TRUE(UberCamera::hasInitialView());
    EXPECT_EQ(UberCamera::getInitialRoll(), 15.0f);
    EXPECT_EQ(UberCamera::getInitialFov(), 60.0f);
    Pnt3f from, at;
    Vec3f up;
    UberCamera::getInitialView(from, at, up);
    EXPECT_EQ(from, Pnt3f(1, 2, 3));
    EXPECT_EQ(at, Pnt3f(4, 5, 6));
    EXPECT_EQ(up, Vec3f(0, 0, 1));

    UberCamera::resetInitialViewRollFov();
    EXPECT_FALSE(UberCamera::hasInitialView());
    EXPECT_EQ(UberCamera::getInitialRoll(), 0.0f);
    EXPECT_EQ(UberCamera::getInitialFov(), 45.0f);
    UberCamera::getInitialView(from, at, up);
    EXPECT_EQ(from, Pnt3f(2500, 2000, 2500));
}

} // namespace
