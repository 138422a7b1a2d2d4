// Framing a volume with the camera: show all, zoom to a target, the framing
// utilities without a camera change, and fitting near and far to a volume.
// The fit is checked the way a renderer sees it: the box corners projected
// through the camera's own projection and viewing matrices.

#include "CameraSceneFixture.h"
#include "CameraTestMath.h"

#include "OSGGeometry.h"
#include "kxUberCameraUtils.h"

#include <cmath>
#include <limits>
#include <string>

using namespace osg;
using ubercam::test::CameraSceneTest;
using ubercam::test::column;
using ubercam::test::origin;
using ubercam::test::unit;
using ubercam::test::worldTransform;

namespace {

constexpr Real32 MatrixTolerance = 1e-4f;
constexpr Real32 PositionTolerance = 1e-4f;
// Corners may touch the image border; this much beyond it counts as outside.
constexpr Real32 ClipMargin = 1e-3f;
constexpr UInt32 Viewport = 1000;
// Single-precision rounding of one value, relative to its size.
constexpr Real32 RelativeTolerance = 1e-6f;
// Figures quoted to five significant digits.
constexpr double QuotedFigureTolerance = 1e-4;
constexpr double Pi64 = 3.14159265358979323846;
constexpr double MaxHalfAngle = 1.5690509975429023;
constexpr Real32 NaN = std::numeric_limits<Real32>::quiet_NaN();

Matrix translation(Real32 x, Real32 y, Real32 z) {
    Matrix m;
    m.setTranslate(x, y, z);
    return m;
}

Matrix filled(Real32 value) {
    Matrix m;
    for (UInt32 i = 0; i < 16; ++i)
        m.getValues()[i] = value;
    return m;
}

Pnt3f centreOf(const BoxVolume& box) {
    Pnt3f centre;
    box.getCenter(centre);
    return centre;
}

Real32 diagonalOf(const BoxVolume& box) {
    return box.getSize().length();
}

Pnt3f corner(const BoxVolume& box, UInt32 index) {
    const Pnt3f& lo = box.getMin();
    const Pnt3f& hi = box.getMax();
    return Pnt3f((index & 1) ? hi[0] : lo[0], (index & 2) ? hi[1] : lo[1],
                 (index & 4) ? hi[2] : lo[2]);
}

// Width and height of the box seen along the camera axes, from first principles.
void projectedSize(const BoxVolume& box, const Matrix& placement, double& width, double& height) {
    const Vec3f right = unit(column(placement, 0)), up = unit(column(placement, 1));
    double minA = 1e30, maxA = -1e30, minB = 1e30, maxB = -1e30;
    for (UInt32 i = 0; i < 8; ++i) {
        const Vec3f p = corner(box, i).subZero();
        minA = std::min(minA, double(right.dot(p)));
        maxA = std::max(maxA, double(right.dot(p)));
        minB = std::min(minB, double(up.dot(p)));
        maxB = std::max(maxB, double(up.dot(p)));
    }
    width = maxA - minA;
    height = maxB - minB;
}

class FramingTest : public CameraSceneTest {
protected:
    void SetUp() override {
        CameraSceneTest::SetUp();
        camera = makeCamera();
        addNode(root, camera);
    }

    void setFov(Real32 fov) { camera->PerspectiveCameraBase::setFov(fov); }

    void setOrthographic() {
        beginEditCP(camera, UberCamera::ProjectionModeFieldMask);
        camera->setProjectionMode(UberCamera::OrthographicProjection);
        endEditCP(camera, UberCamera::ProjectionModeFieldMask);
    }

    // Every corner in front of the camera and inside the image.
    void expectInView(const BoxVolume& box) {
        Matrix projection, viewing;
        camera->getProjection(projection, Viewport, Viewport);
        camera->getViewing(viewing, Viewport, Viewport);
        projection.mult(viewing);
        for (UInt32 i = 0; i < 8; ++i) {
            const Pnt3f p = corner(box, i);
            Vec4f clip;
            projection.mult(Vec4f(p[0], p[1], p[2], 1), clip);
            ASSERT_GT(clip[3], 0.0f) << "corner " << p << " behind the camera";
            EXPECT_LE(std::fabs(clip[0] / clip[3]), 1 + ClipMargin) << "corner " << p;
            EXPECT_LE(std::fabs(clip[1] / clip[3]), 1 + ClipMargin) << "corner " << p;
        }
    }

    UberCameraPtr camera;
};

TEST_F(FramingTest, UnitCubeWithAQuarterTurnFov) {
    placeCamera(camera, Vec3f(0, 0, 5));
    setFov(90.0f);
    const BoxVolume cube(Pnt3f(-0.5f, -0.5f, -0.5f), Pnt3f(0.5f, 0.5f, 0.5f));
    camera->show(cube, false);

    const double distance = std::sqrt(2.0) / 2 / std::tan(Pi64 / 4) + 0.6;
    ASSERT_NEAR(distance, 1.3071, QuotedFigureTolerance);
    EXPECT_TRUE(worldTransform(camera).equals(translation(0, 0, Real32(distance)), MatrixTolerance))
        << worldTransform(camera);
    EXPECT_NEAR(camera->getAtDistance(), distance, PositionTolerance);
    const Real32 half = std::sqrt(3.0f) / 2;
    EXPECT_TRUE(
        camera->getFrustumSides().equals(Vec4f(-half, half, -half, half), RelativeTolerance))
        << camera->getFrustumSides();
    expectInView(cube);
}

TEST_F(FramingTest, ShowFitsBoxesInView) {
    // Compact boxes fit from any direction.
    const BoxVolume compact[] = {
        BoxVolume(Pnt3f(-1, -1, -1), Pnt3f(1, 1, 1)),
        BoxVolume(Pnt3f(95, -55, 25), Pnt3f(105, -45, 35)),
        BoxVolume(Pnt3f(-5, -5, 0), Pnt3f(5, 5, 0)),
        BoxVolume(Pnt3f(-300, 20, 7), Pnt3f(-290, 26, 10)),
    };
    const Quaternion turns[] = {Quaternion(), Quaternion(Vec3f(0, 1, 0), 0.5f),
                                Quaternion(Vec3f(1, 0, 0), -0.4f),
                                Quaternion(Vec3f(1, 1, 0), 0.25f)};
    // Long thin boxes fit when seen broadside: turned only about their long axis.
    const struct {
        BoxVolume box;
        Quaternion turn;
    } broadside[] = {
        {BoxVolume(Pnt3f(-50, -0.05f, -0.05f), Pnt3f(50, 0.05f, 0.05f)), Quaternion()},
        {BoxVolume(Pnt3f(-50, -0.05f, -0.05f), Pnt3f(50, 0.05f, 0.05f)),
         Quaternion(Vec3f(1, 0, 0), 0.6f)},
        {BoxVolume(Pnt3f(-0.1f, -30, -0.1f), Pnt3f(0.1f, 30, 0.1f)), Quaternion()},
        {BoxVolume(Pnt3f(-0.1f, -30, -0.1f), Pnt3f(0.1f, 30, 0.1f)),
         Quaternion(Vec3f(0, 1, 0), -0.7f)},
        {BoxVolume(Pnt3f(200, 10, -300), Pnt3f(260, 12, -298)), Quaternion()},
    };
    for (Real32 fov : {30.0f, 45.0f, 60.0f, 90.0f}) {
        setFov(fov);
        for (const Quaternion& turn : turns) {
            for (const BoxVolume& box : compact) {
                SCOPED_TRACE(testing::Message() << "fov " << fov << ", turn " << turn << ", box "
                                                << box.getMin() << " .. " << box.getMax());
                placeCamera(camera, Vec3f(3, -7, 40), turn);
                camera->show(box, true);
                expectInView(box);
            }
        }
        for (const auto& thin : broadside) {
            SCOPED_TRACE(testing::Message() << "fov " << fov << ", turn " << thin.turn << ", box "
                                            << thin.box.getMin() << " .. " << thin.box.getMax());
            placeCamera(camera, Vec3f(3, -7, 40), thin.turn);
            camera->show(thin.box, true);
            expectInView(thin.box);
        }
    }
}

TEST_F(FramingTest, ShowBelowATransformedParent) {
    UberCameraPtr nested = makeCamera();
    Matrix frame = translation(10, 20, -30);
    Matrix turn;
    Quaternion(Vec3f(0, 0, 1), 0.8f).getValue(turn);
    frame.mult(turn);
    addNode(addTransform(root, frame), nested);
    nested->PerspectiveCameraBase::setFov(50.0f);
    const BoxVolume box(Pnt3f(0, 0, 0), Pnt3f(4, 2, 1));
    nested->show(box, true);

    Matrix projection, viewing;
    nested->getProjection(projection, Viewport, Viewport);
    nested->getViewing(viewing, Viewport, Viewport);
    projection.mult(viewing);
    for (UInt32 i = 0; i < 8; ++i) {
        Vec4f clip;
        const Pnt3f p = corner(box, i);
        projection.mult(Vec4f(p[0], p[1], p[2], 1), clip);
        ASSERT_GT(clip[3], 0.0f);
        EXPECT_LE(std::fabs(clip[0] / clip[3]), 1 + ClipMargin);
        EXPECT_LE(std::fabs(clip[1] / clip[3]), 1 + ClipMargin);
    }
    EXPECT_TRUE(nested->getAt(Camera::WorldSpace).equals(centreOf(box), PositionTolerance * 10));
}

TEST_F(FramingTest, ShowKeepsTheViewDirectionAndStandsBackFromTheCentre) {
    const Quaternion turn(Vec3f(0.3f, 1, -0.2f), 0.9f);
    placeCamera(camera, Vec3f(3, -7, 40), turn);
    setFov(60.0f);
    const Matrix before = worldTransform(camera);
    const BoxVolume box(Pnt3f(1, 2, 3), Pnt3f(4, 8, 5));
    camera->show(box, false);

    const Matrix after = worldTransform(camera);
    for (UInt32 c = 0; c < 3; ++c)
        EXPECT_TRUE(column(after, c).equals(column(before, c), MatrixTolerance)) << c;
    double width, height;
    projectedSize(box, before, width, height);
    const double distance =
        std::sqrt(width * width + height * height) / 2 / std::tan(30 * Pi64 / 180) + 0.6 * height;
    const Pnt3f expected = centreOf(box) + unit(column(before, 2)) * Real32(distance);
    EXPECT_TRUE(origin(after).equals(expected, PositionTolerance * 10)) << origin(after);
    EXPECT_TRUE(camera->getAt(Camera::WorldSpace).equals(centreOf(box), PositionTolerance * 10));
}

TEST_F(FramingTest, FovNearAHalfTurnIsLimited) {
    const BoxVolume cube(Pnt3f(-0.5f, -0.5f, -0.5f), Pnt3f(0.5f, 0.5f, 0.5f));
    const double distance = std::sqrt(2.0) / 2 / std::tan(MaxHalfAngle) + 0.6;
    for (Real32 fov : {179.9f, 180.0f, 300.0f}) {
        SCOPED_TRACE(fov);
        placeCamera(camera, Vec3f(0, 0, 5));
        setFov(fov);
        camera->show(cube, false);
        EXPECT_NEAR(camera->getTranslation()[2], distance, RelativeTolerance);
    }
}

TEST_F(FramingTest, OrthographicCameraStandsFarBack) {
    const BoxVolume cube(Pnt3f(-0.5f, -0.5f, -0.5f), Pnt3f(0.5f, 0.5f, 0.5f));
    placeCamera(camera, Vec3f(0, 0, 5));
    setOrthographic();
    camera->show(cube, false);
    EXPECT_TRUE(worldTransform(camera).equals(translation(0, 0, 50000), MatrixTolerance))
        << worldTransform(camera);
    const Real32 half = std::sqrt(3.0f) / 2;
    EXPECT_TRUE(
        camera->getFrustumSides().equals(Vec4f(-half, half, -half, half), RelativeTolerance));

    // Turned: along its own backward axis, the orientation kept.
    const Quaternion turn(Vec3f(1, 1, 0), 0.7f);
    placeCamera(camera, Vec3f(3, -7, 40), turn);
    const Matrix before = worldTransform(camera);
    const BoxVolume box(Pnt3f(10, 0, 0), Pnt3f(12, 1, 4));
    camera->show(box, false);
    const Matrix after = worldTransform(camera);
    for (UInt32 c = 0; c < 3; ++c)
        EXPECT_TRUE(column(after, c).equals(column(before, c), MatrixTolerance)) << c;
    const Pnt3f expected = centreOf(box) + unit(column(before, 2)) * 50000.0f;
    EXPECT_TRUE(origin(after).equals(expected, 50000 * RelativeTolerance)) << origin(after);
}

TEST_F(FramingTest, ZoomToTurnsTheCameraTowardsTheTarget) {
    const Quaternion turn(Vec3f(0.3f, 1, -0.2f), 0.9f);
    placeCamera(camera, Vec3f(3, -7, 40), turn);
    setFov(60.0f);
    const Matrix before = worldTransform(camera);
    const BoxVolume box(Pnt3f(1, 2, 3), Pnt3f(4, 8, 5));
    const Pnt3f target(4, 8, 3);

    Matrix shown;
    Vec4f sides;
    kxUberCameraUtils::computeShowAllValues(camera, box, shown, sides);
    camera->zoomTo(box, false, target);

    const Matrix after = worldTransform(camera);
    // The eye stands where show all puts it; only the direction changes.
    EXPECT_TRUE(origin(after).equals(origin(shown), PositionTolerance * 10));
    const Vec3f towards = unit(target - origin(after));
    EXPECT_TRUE((-unit(column(after, 2))).equals(towards, MatrixTolerance));
    EXPECT_GT(column(after, 1).dot(column(before, 1)), 0.0f) << "keeps its up side";
    EXPECT_TRUE(camera->getAt(Camera::WorldSpace).equals(target, PositionTolerance * 10))
        << camera->getAt(Camera::WorldSpace);
}

TEST_F(FramingTest, TargetAtTheOriginMeansNone) {
    const BoxVolume box(Pnt3f(1, 2, 3), Pnt3f(4, 8, 5));
    setFov(60.0f);
    const Quaternion turn(Vec3f(0.3f, 1, -0.2f), 0.9f);
    placeCamera(camera, Vec3f(3, -7, 40), turn);
    camera->show(box, false);
    const Matrix shown = camera->getMatrix();
    const Real32 shownDistance = camera->getAtDistance();

    for (const Pnt3f& target : {Pnt3f(0, 0, 1e-7f), Pnt3f(-1e-6f, 1e-6f, 0)}) {
        SCOPED_TRACE(testing::Message() << "target " << target);
        placeCamera(camera, Vec3f(3, -7, 40), turn);
        camera->zoomTo(box, false, target);
        EXPECT_TRUE(camera->getMatrix().equals(shown, MatrixTolerance));
        EXPECT_NEAR(camera->getAtDistance(), shownDistance, PositionTolerance);
    }

    // Just outside the tolerance the point is a target.
    placeCamera(camera, Vec3f(3, -7, 40), turn);
    camera->zoomTo(box, false, Pnt3f(0, 0, 2e-6f));
    EXPECT_TRUE(camera->getAt(Camera::WorldSpace).equals(Pnt3f(0, 0, 2e-6f), PositionTolerance));
}

TEST_F(FramingTest, NearAndFarAreFittedOnlyWhenAsked) {
    camera->setNear(0.25f);
    camera->setFar(77.0f);
    const BoxVolume box(Pnt3f(0, 0, 0), Pnt3f(60, 80, 0));
    camera->show(box, false);
    EXPECT_EQ(camera->getNear(), 0.25f);
    EXPECT_EQ(camera->getFar(), 77.0f);
    camera->zoomTo(box, true, Pnt3f(10, 10, 0));
    EXPECT_FLOAT_EQ(camera->getNear(), 0.5f);
    EXPECT_FLOAT_EQ(camera->getFar(), 1000.0f);
}

TEST_F(FramingTest, NearAndFarFollowTheVolumeSize) {
    const struct {
        BoxVolume box;
        Real32 near, far;
    } cases[] = {
        {BoxVolume(Pnt3f(0, 0, 0), Pnt3f(6, 8, 0)), 0.1f, 100.0f},
        {BoxVolume(Pnt3f(0, 0, 0), Pnt3f(60, 80, 0)), 0.5f, 1000.0f},
        {BoxVolume(Pnt3f(1, 2, 3), Pnt3f(1, 2, 3)), 5.0f, 10000.0f},
        {BoxVolume(Pnt3f(0, 0, 0), Pnt3f(12, 16, 0)), 0.1f, 200.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "box " << c.box.getMin() << " .. " << c.box.getMax());
        camera->updateNearFar(c.box);
        EXPECT_FLOAT_EQ(camera->getNear(), c.near);
        EXPECT_FLOAT_EQ(camera->getFar(), c.far);
    }
}

TEST_F(FramingTest, NearAndFarOfANodeUseItsWorldVolume) {
    camera->setNear(0.25f);
    camera->setFar(77.0f);
    camera->updateNearFar(NodePtr());
    EXPECT_EQ(camera->getNear(), 0.25f);
    EXPECT_EQ(camera->getFar(), 77.0f);

    // Positions 5 apart, below a parent that scales by 100: the world diagonal is 500.
    GeoPositions3fPtr positions = GeoPositions3f::create();
    positions->push_back(Pnt3f(0, 0, 0));
    positions->push_back(Pnt3f(3, 4, 0));
    GeometryPtr geometry = Geometry::create();
    beginEditCP(geometry, Geometry::PositionsFieldMask);
    geometry->setPositions(positions);
    endEditCP(geometry, Geometry::PositionsFieldMask);
    Matrix scale;
    scale.setScale(100, 100, 100);
    NodePtr node = addNode(addTransform(root, scale), geometry);
    camera->updateNearFar(node);
    EXPECT_FLOAT_EQ(camera->getNear(), 2.5f);
    EXPECT_FLOAT_EQ(camera->getFar(), 5000.0f);
}

TEST_F(FramingTest, UnusableFovKeepsThePlacement) {
    const Quaternion turn(Vec3f(0.3f, 1, -0.2f), 0.9f);
    const BoxVolume box(Pnt3f(1, 2, 3), Pnt3f(4, 8, 5));
    // 1e-4 degrees is a half angle below 1e-6 radians.
    for (Real32 fov : {0.0f, 1e-4f, -30.0f, NaN}) {
        SCOPED_TRACE(fov);
        placeCamera(camera, Vec3f(3, -7, 40), turn);
        setFov(fov);
        const Matrix before = worldTransform(camera);
        Matrix result = filled(7.0f);
        Vec4f sides(9, 9, 9, 9);
        kxUberCameraUtils::computeZoomToValues(camera, box, result, sides, Pnt3f(4, 8, 3));
        EXPECT_EQ(result, before);
        const Real32 half = diagonalOf(box) / 2;
        EXPECT_TRUE(sides.equals(Vec4f(-half, half, -half, half), RelativeTolerance)) << sides;

        camera->show(box, false);
        EXPECT_TRUE(worldTransform(camera).equals(before, MatrixTolerance));
    }
}

TEST_F(FramingTest, NullCameraWritesNothing) {
    const BoxVolume box(Pnt3f(1, 2, 3), Pnt3f(4, 8, 5));
    const Matrix untouched = filled(7.0f);
    Matrix result = untouched;
    Vec4f sides(9, 9, 9, 9);
    kxUberCameraUtils::computeZoomToValues(UberCameraPtr(), box, result, sides, Pnt3f(1, 1, 1));
    EXPECT_EQ(result, untouched);
    EXPECT_EQ(sides, Vec4f(9, 9, 9, 9));
    kxUberCameraUtils::computeShowAllValues(UberCameraPtr(), box, result, sides);
    EXPECT_EQ(result, untouched);
    EXPECT_EQ(sides, Vec4f(9, 9, 9, 9));
}

TEST_F(FramingTest, ShowAllValuesAreZoomToValuesWithoutTarget) {
    placeCamera(camera, Vec3f(3, -7, 40), Quaternion(Vec3f(0.3f, 1, -0.2f), 0.9f));
    setFov(35.0f);
    const BoxVolume box(Pnt3f(-10, 2, 3), Pnt3f(4, 8, 5));
    const Matrix before = camera->getMatrix();
    Matrix shown, zoomed;
    Vec4f shownSides, zoomedSides;
    kxUberCameraUtils::computeShowAllValues(camera, box, shown, shownSides);
    kxUberCameraUtils::computeZoomToValues(camera, box, zoomed, zoomedSides, Pnt3f(0, 0, 0));
    EXPECT_EQ(shown, zoomed);
    EXPECT_EQ(shownSides, zoomedSides);
    EXPECT_EQ(camera->getMatrix(), before) << "the utilities only compute";
}

TEST_F(FramingTest, VolumeWithoutExtentIsFramedAsAThousandAcross) {
    const BoxVolume point(Pnt3f(1, 2, 3), Pnt3f(1, 2, 3));
    placeCamera(camera, Vec3f(3, -7, 40));
    Matrix result;
    Vec4f sides;
    kxUberCameraUtils::computeShowAllValues(camera, point, result, sides);
    EXPECT_EQ(sides, Vec4f(-500, 500, -500, 500));

    setOrthographic();
    camera->show(point, false);
    EXPECT_TRUE(worldTransform(camera).equals(translation(1, 2, 50003), MatrixTolerance))
        << worldTransform(camera);
}

} // namespace
