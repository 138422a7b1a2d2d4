// The camera as one physical lens: field of view, focal length, f-number and
// aperture tied through the sensor; the effect switches; the dolly zoom; the
// thin-lens samples of depth of field; the focus distance to a point.
// Expectations are computed in double precision from the optics formulas.

#include "CameraSceneFixture.h"
#include "CameraTestMath.h"

#include <cmath>
#include <limits>
#include <string>

using namespace osg;
using ubercam::test::CameraSceneTest;
using ubercam::test::cameraToWorld;
using ubercam::test::column;
using ubercam::test::countEntries;
using ubercam::test::mapPoint;
using ubercam::test::origin;
using ubercam::test::unit;
using ubercam::test::worldTransform;

namespace {

// Single-precision trigonometry and a few products on values up to ~100.
constexpr double LensTolerance = 1e-4;
constexpr Real32 MatrixTolerance = 1e-4f;
constexpr Real32 PositionTolerance = 1e-4f;
// Figures quoted to four significant digits.
constexpr double QuotedFigureTolerance = 5e-3;
constexpr double Pi64 = 3.14159265358979323846;

const char* const DollyZoomWarning = "UberCamera::setFov: dolly zoom needs focus distance > 0";
const char* const NoValidParentMessage = "Camera::updateActiveParentIndex : no valid parent found!";
const char* const CameraModule = "OpenSG";
const char* const CameraSourceFile = "Source\\Common\\Libs\\OpenSGUberCamera\\OSGUberCamera";

double tanHalf(double fovDegrees) {
    return std::tan(fovDegrees * Pi64 / 360.0);
}

// The sensor dimension each field-of-view mode spans, and the focal length that gives the field.
double spannedDimension(double width, double height, UInt32 mode) {
    switch (mode) {
    case PerspectiveCamera::VerticalFov:
        return height;
    case PerspectiveCamera::HorizontalFov:
        return width;
    default:
        return std::min(width, height);
    }
}

double focalLengthFor(double fovDegrees, double spanned) {
    return spanned / (2 * tanHalf(fovDegrees));
}

Matrix translation(Real32 x, Real32 y, Real32 z) {
    Matrix m;
    m.setTranslate(x, y, z);
    return m;
}

// Plain field writes, without the lens relations of the camera's own setters.
void setLens(const UberCameraPtr& camera, const Vec2f& sensor, UInt32 fovMode, Real32 fov,
             Real32 aperture) {
    camera->setSensorSize(sensor);
    camera->setFovMode(fovMode);
    camera->PerspectiveCameraBase::setFov(fov);
    camera->setApertureDiameter(aperture);
}

const UInt32 FovModes[] = {PerspectiveCamera::VerticalFov, PerspectiveCamera::HorizontalFov,
                           PerspectiveCamera::SmallerFov};
// A landscape and a portrait sensor, so that the smaller dimension changes sides.
const Vec2f Sensors[] = {Vec2f(36, 24), Vec2f(24, 36)};

// ---- lens relations -------------------------------------------------------------

class LensTest : public CameraSceneTest {
protected:
    void SetUp() override {
        CameraSceneTest::SetUp();
        camera = makeCamera();
    }

    UberCameraPtr camera;
};

TEST_F(LensTest, FiftyMillimetreLensOnAFullFrameSensor) {
    setLens(camera, Vec2f(36, 24), PerspectiveCamera::HorizontalFov, 39.5978f, 5.0f);
    EXPECT_NEAR(camera->getFocalLength(), 50.0, QuotedFigureTolerance);
    EXPECT_NEAR(camera->computeFovFromFocalLength(50.0f), 39.5978, LensTolerance * 40);
}

TEST_F(LensTest, FocalLengthSpansTheDimensionOfTheFovMode) {
    for (const Vec2f& sensor : Sensors) {
        for (UInt32 mode : FovModes) {
            SCOPED_TRACE(testing::Message() << "sensor " << sensor << ", mode " << mode);
            setLens(camera, sensor, mode, 30.0f, 5.0f);
            const double spanned = spannedDimension(sensor[0], sensor[1], mode);
            EXPECT_NEAR(camera->getFocalLength(), focalLengthFor(30, spanned), LensTolerance * 100);
        }
    }
}

TEST_F(LensTest, FovFromFocalLengthInvertsTheFocalLength) {
    for (const Vec2f& sensor : Sensors) {
        for (UInt32 mode : FovModes) {
            SCOPED_TRACE(testing::Message() << "sensor " << sensor << ", mode " << mode);
            setLens(camera, sensor, mode, 30.0f, 5.0f);
            const double spanned = spannedDimension(sensor[0], sensor[1], mode);
            for (Real32 focalLength : {10.0f, 35.0f, 50.0f, 200.0f}) {
                const double expected = 2 * std::atan2(spanned / 2, focalLength) * 180 / Pi64;
                EXPECT_NEAR(camera->computeFovFromFocalLength(focalLength), expected,
                            LensTolerance * 10);
            }
            EXPECT_EQ(camera->getFov(), 30.0f) << "computing changes nothing";
        }
    }
}

TEST_F(LensTest, SetFocalLengthSetsTheMatchingFovAndKeepsTheFNumber) {
    for (UInt32 mode : FovModes) {
        SCOPED_TRACE(mode);
        setLens(camera, Vec2f(36, 24), mode, 45.0f, 5.0f);
        const double fNumber = focalLengthFor(45, spannedDimension(36, 24, mode)) / 5.0;
        camera->setFocalLength(85.0f);
        EXPECT_NEAR(camera->getFocalLength(), 85.0, LensTolerance * 100);
        EXPECT_NEAR(camera->getFov(),
                    2 * std::atan2(spannedDimension(36, 24, mode) / 2, 85.0) * 180 / Pi64,
                    LensTolerance * 10);
        EXPECT_NEAR(camera->getFStop(), fNumber, LensTolerance * 10);
        EXPECT_NEAR(camera->getApertureDiameter(), 85.0 / fNumber, LensTolerance * 10);
    }
}

TEST_F(LensTest, FStopEightAtFiftyMillimetres) {
    setLens(camera, Vec2f(36, 24), PerspectiveCamera::HorizontalFov, 39.5978f, 5.0f);
    camera->setFStop(8.0f);
    EXPECT_NEAR(camera->getApertureDiameter(), 6.25, QuotedFigureTolerance);
    EXPECT_NEAR(camera->getFStop(), 8.0, LensTolerance * 10);
}

TEST_F(LensTest, FStopIsFocalLengthOverAperture) {
    for (UInt32 mode : FovModes) {
        SCOPED_TRACE(mode);
        setLens(camera, Vec2f(36, 24), mode, 50.0f, 7.0f);
        const double focalLength = focalLengthFor(50, spannedDimension(36, 24, mode));
        EXPECT_NEAR(camera->getFStop(), focalLength / 7.0, LensTolerance * 10);
        camera->setFStop(2.8f);
        EXPECT_NEAR(camera->getApertureDiameter(), focalLength / 2.8, LensTolerance * 10);
        EXPECT_EQ(camera->getFov(), 50.0f) << "the f-number changes only the aperture";
    }
}

TEST_F(LensTest, SetFovKeepsTheFNumber) {
    const double growth = std::tan(20 * Pi64 / 180) / std::tan(10 * Pi64 / 180);
    ASSERT_NEAR(growth, 2.064, QuotedFigureTolerance);
    for (UInt32 mode : FovModes) {
        SCOPED_TRACE(mode);
        setLens(camera, Vec2f(36, 24), mode, 40.0f, 5.0f);
        camera->setFStop(4.0f);
        const Real32 aperture = camera->getApertureDiameter();
        camera->setFov(20.0f);
        EXPECT_EQ(camera->getFov(), 20.0f);
        EXPECT_NEAR(camera->getFStop(), 4.0, LensTolerance * 10);
        EXPECT_NEAR(camera->getApertureDiameter() / aperture, growth, LensTolerance * 10);
    }
}

TEST_F(LensTest, EffectSwitchesAreIndependentFlags) {
    const struct {
        void (UberCamera::*set)(bool);
        bool (UberCamera::*get)() const;
        UInt64 flag;
    } switches[] = {
        {&UberCamera::setDepthOfField, &UberCamera::getDepthOfField, 0x100},
        {&UberCamera::setMotionBlur, &UberCamera::getMotionBlur, 0x200},
        {&UberCamera::setDollyZoom, &UberCamera::getDollyZoom, 0x400},
    };
    const UInt64 others = camera->getFlags();
    for (const auto& effect : switches) {
        SCOPED_TRACE(effect.flag);
        ((*camera).*effect.set)(true);
        EXPECT_TRUE(((*camera).*effect.get)());
        EXPECT_EQ(camera->getFlags(), others | effect.flag);
        ((*camera).*effect.set)(true);
        EXPECT_EQ(camera->getFlags(), others | effect.flag);
        ((*camera).*effect.set)(false);
        EXPECT_FALSE(((*camera).*effect.get)());
        EXPECT_EQ(camera->getFlags(), others);
    }
    camera->setDepthOfField(true);
    camera->setDollyZoom(true);
    camera->setMotionBlur(false);
    EXPECT_EQ(camera->getFlags(), others | 0x500);
}

// ---- dolly zoom --------------------------------------------------------------------

class DollyZoomTest : public CameraSceneTest {
protected:
    void SetUp() override {
        CameraSceneTest::SetUp();
        camera = makeCamera();
        Matrix parent = translation(10, -5, 3);
        Matrix turn;
        Quaternion(Vec3f(0, 1, 0.5f), 0.7f).getValue(turn);
        parent.mult(turn);
        addNode(addTransform(root, parent), camera);
        placeCamera(camera, Vec3f(2, 3, 4), Quaternion(Vec3f(1, 0.2f, 0), 0.4f));
        setLens(camera, Vec2f(36, 24), PerspectiveCamera::VerticalFov, 40.0f, 5.0f);
        camera->setDollyZoom(true);
    }

    UberCameraPtr camera;
};

TEST_F(DollyZoomTest, KeepsTheFocusedPointAndTheWidthOfTheFocusPlane) {
    camera->setFocusDistance(10.0f);
    const Matrix before = worldTransform(camera);
    const Vec3f view = -unit(column(before, 2));
    const Pnt3f focused = origin(before) + view * 10.0f;
    const double fNumber = camera->getFStop();

    camera->setFov(20.0f);

    const double newFocus = 10 * tanHalf(40) / tanHalf(20);
    ASSERT_NEAR(newFocus, 20.64, QuotedFigureTolerance);
    EXPECT_NEAR(camera->getFocusDistance(), newFocus, LensTolerance * 100);
    EXPECT_NEAR(tanHalf(camera->getFov()) * camera->getFocusDistance(), tanHalf(40) * 10,
                LensTolerance * 10);

    const Matrix after = worldTransform(camera);
    // Moved back along the viewing axis by about 10.64, turned not at all.
    const Vec3f moved = origin(after) - origin(before);
    EXPECT_NEAR(moved.length(), newFocus - 10, LensTolerance * 100);
    EXPECT_NEAR(moved.dot(view), -(newFocus - 10), LensTolerance * 100);
    for (UInt32 c = 0; c < 3; ++c)
        EXPECT_TRUE(column(after, c).equals(column(before, c), MatrixTolerance)) << c;
    const Pnt3f stillFocused = origin(after) + view * camera->getFocusDistance();
    EXPECT_TRUE(stillFocused.equals(focused, PositionTolerance * 10)) << stillFocused;
    EXPECT_TRUE(camera->getAt(Camera::WorldSpace).equals(focused, PositionTolerance * 10));

    EXPECT_EQ(camera->getFov(), 20.0f);
    EXPECT_NEAR(camera->getFStop(), fNumber, LensTolerance * 10);
}

TEST_F(DollyZoomTest, WithoutFocusDistanceWarnsAndStays) {
    for (Real32 focus : {0.0f, 1e-6f}) {
        SCOPED_TRACE(focus);
        camera->setFocusDistance(focus);
        camera->PerspectiveCameraBase::setFov(40.0f);
        camera->setFStop(4.0f);
        const Matrix before = worldTransform(camera);
        const Real32 aperture = camera->getApertureDiameter();

        LogCapture capture;
        camera->setFov(20.0f);

        ASSERT_EQ(capture.entries().size(), 1u);
        const LogEntry& entry = capture.entries()[0];
        EXPECT_EQ(entry.level, LOG_WARNING);
        EXPECT_EQ(entry.module, CameraModule);
        EXPECT_EQ(entry.file, CameraSourceFile);
        EXPECT_GT(entry.line, 0u);
        EXPECT_EQ(entry.text, std::string(DollyZoomWarning) + "\n");

        EXPECT_EQ(worldTransform(camera), before);
        EXPECT_EQ(camera->getFocusDistance(), focus);
        EXPECT_EQ(camera->getFov(), 20.0f);
        EXPECT_NEAR(camera->getFStop(), 4.0, LensTolerance * 10);
        EXPECT_NEAR(camera->getApertureDiameter() / aperture, tanHalf(40) / tanHalf(20),
                    LensTolerance * 10);
    }
}

TEST_F(DollyZoomTest, SwitchedOffTheCameraStays) {
    camera->setDollyZoom(false);
    camera->setFocusDistance(10.0f);
    const Matrix before = worldTransform(camera);
    LogCapture capture;
    camera->setFov(20.0f);
    EXPECT_EQ(worldTransform(camera), before);
    EXPECT_EQ(camera->getFocusDistance(), 10.0f);
    EXPECT_TRUE(capture.entries().empty());

    camera->setFocusDistance(0.0f);
    camera->setFov(30.0f);
    EXPECT_TRUE(capture.entries().empty()) << "no warning without dolly zoom";
}

TEST_F(DollyZoomTest, FocalLengthChangesZoomToo) {
    camera->setFocusDistance(10.0f);
    const double before = tanHalf(camera->getFov()) * 10;
    camera->setFocalLength(100.0f);
    EXPECT_NEAR(tanHalf(camera->getFov()) * camera->getFocusDistance(), before, LensTolerance * 10);
}

// ---- depth of field ------------------------------------------------------------------

class DepthOfFieldTest : public CameraSceneTest {
protected:
    static constexpr Real32 FocusDistance = 50.0f;
    static constexpr Real32 Aperture = 8.0f;
    static constexpr Real32 Fov = 40.0f;
    const Vec3f Position{1, 2, 3};
    const Quaternion Turn{Vec3f(1, 0, 0.4f), -0.3f};

    void SetUp() override {
        CameraSceneTest::SetUp();
        camera = makeCamera();
        Matrix parent = translation(-20, 4, 9);
        Matrix turn;
        Quaternion(Vec3f(0.3f, 1, 0), 1.1f).getValue(turn);
        parent.mult(turn);
        addNode(addTransform(root, parent), camera);
        placeCamera(camera, Position, Turn);
        setLens(camera, Vec2f(36, 24), PerspectiveCamera::VerticalFov, Fov, Aperture);
        camera->setFocusDistance(FocusDistance);

        unjittered = cameraToWorld(camera);
        eye = origin(unjittered);
        view = -unit(column(unjittered, 2));
        right = -unit(column(unjittered, 0));
        lensUp = unit(column(unjittered, 1));
        focusPoint = eye + view * FocusDistance;
    }

    // Thin lens: radius = aperture / f-number / 2 with f-number = focal length / aperture.
    static double lensRadius() {
        const double fNumber = focalLengthFor(Fov, 24) / Aperture;
        return Aperture / fNumber / 2;
    }

    // The eye of one sample, checked to look at the focus point.
    Pnt3f sampleEye(Real32 x, Real32 y) {
        camera->applyDepthOfField(Pnt2f(x, y));
        const Matrix sample = cameraToWorld(camera);
        Matrix worldToSample;
        EXPECT_TRUE(sample.inverse(worldToSample));
        const Real32 distance = (focusPoint - origin(sample)).length();
        const Pnt3f seen = mapPoint(worldToSample, focusPoint);
        EXPECT_TRUE(seen.equals(Pnt3f(0, 0, -distance), PositionTolerance * 10))
            << "sample " << x << ", " << y << " sees the focus point at " << seen;
        return origin(sample);
    }

    UberCameraPtr camera;
    Matrix unjittered;
    Pnt3f eye;
    Vec3f view, right, lensUp;
    Pnt3f focusPoint;
};

TEST_F(DepthOfFieldTest, CentreSampleIsTheUnjitteredView) {
    camera->applyDepthOfField(Pnt2f(0, 0));
    EXPECT_TRUE(cameraToWorld(camera).equals(unjittered, MatrixTolerance)) << cameraToWorld(camera);
}

TEST_F(DepthOfFieldTest, RightEdgeSampleMovesTheEyeTowardsTheCamerasNegativeX) {
    const Vec3f offset = sampleEye(1, 0) - eye;
    const Vec3f cameraX = unit(column(unjittered, 0));
    EXPECT_NEAR(offset.dot(cameraX), -lensRadius(), LensTolerance * 10);
    EXPECT_NEAR(offset.length(), lensRadius(), LensTolerance * 10);
}

TEST_F(DepthOfFieldTest, BoundarySamplesLieOnTheLensRim) {
    const Pnt2f rim[] = {Pnt2f(1, 0),     Pnt2f(1, 0.5f),   Pnt2f(1, 1),     Pnt2f(0.3f, 1),
                         Pnt2f(-1, 1),    Pnt2f(-1, -0.2f), Pnt2f(-1, -1),   Pnt2f(0, -1),
                         Pnt2f(0.7f, -1), Pnt2f(1, -1),     Pnt2f(-0.6f, 1), Pnt2f(-1, 0)};
    for (const Pnt2f& sample : rim) {
        SCOPED_TRACE(testing::Message() << "sample " << sample);
        const Vec3f offset = sampleEye(sample[0], sample[1]) - eye;
        EXPECT_NEAR(offset.length(), lensRadius(), LensTolerance * 10);
        EXPECT_NEAR(offset.dot(view), 0.0f, LensTolerance * 10) << "on the lens plane";
    }
}

TEST_F(DepthOfFieldTest, InnerSquaresMapToInnerCircles) {
    const Pnt2f inner[] = {Pnt2f(0.5f, 0.1f), Pnt2f(-0.25f, 0.25f), Pnt2f(0.2f, -0.8f),
                           Pnt2f(-0.9f, -0.3f), Pnt2f(0.01f, 0.0f)};
    for (const Pnt2f& sample : inner) {
        SCOPED_TRACE(testing::Message() << "sample " << sample);
        const Vec3f offset = sampleEye(sample[0], sample[1]) - eye;
        const double r = std::max(std::fabs(sample[0]), std::fabs(sample[1]));
        EXPECT_NEAR(offset.length(), r * lensRadius(), LensTolerance * 10);
    }
}

TEST_F(DepthOfFieldTest, CompassSamplesKeepTheirAngles) {
    // Corners and edge midpoints of the square land at multiples of 45 degrees, starting
    // on the camera's -x side and turning towards its +y.
    const Pnt2f compass[] = {Pnt2f(1, 0),  Pnt2f(1, 1),   Pnt2f(0, 1),  Pnt2f(-1, 1),
                             Pnt2f(-1, 0), Pnt2f(-1, -1), Pnt2f(0, -1), Pnt2f(1, -1)};
    for (UInt32 k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        const double angle = k * Pi64 / 4;
        const Pnt3f expected = eye + right * Real32(std::cos(angle) * lensRadius()) +
                               lensUp * Real32(std::sin(angle) * lensRadius());
        EXPECT_TRUE(sampleEye(compass[k][0], compass[k][1]).equals(expected, PositionTolerance))
            << "expected " << expected;
    }
}

TEST_F(DepthOfFieldTest, NodeScaleDoesNotChangeTheSamples) {
    const Pnt3f unscaled = sampleEye(1, 0.5f);
    placeCamera(camera, Position, Turn, Vec3f(2, 3, 0.5f));
    EXPECT_TRUE(sampleEye(1, 0.5f).equals(unscaled, PositionTolerance * 10));
}

TEST_F(DepthOfFieldTest, ResetRestoresTheNormalView) {
    Matrix before;
    camera->getViewing(before, 100, 100);
    camera->applyDepthOfField(Pnt2f(1, -0.3f));
    Matrix during;
    camera->getViewing(during, 100, 100);
    ASSERT_FALSE(during.equals(before, MatrixTolerance));
    camera->resetDepthOfField();
    Matrix after;
    camera->getViewing(after, 100, 100);
    EXPECT_EQ(after, before);
}

TEST_F(DepthOfFieldTest, FocusDistanceToAPointIsMeasuredFromTheWorldEye) {
    const Pnt3f point = eye + Vec3f(3, -4, 12);
    camera->setFocusDistanceToPoint(point);
    EXPECT_NEAR(camera->getFocusDistance(), 13.0f, PositionTolerance * 10);
}

TEST_F(DepthOfFieldTest, FocusDistanceToAPointNeedsAnOrdinaryParent) {
    UberCameraPtr viewpoint = makeCamera();
    addFlag(viewpoint, UberCamera::ViewpointFlag);
    makeInternal(addNode(root, viewpoint));
    viewpoint->setFocusDistance(5.0f);
    viewpoint->setFocusDistanceToPoint(Pnt3f(100, 0, 0));
    EXPECT_EQ(viewpoint->getFocusDistance(), 5.0f);

    UberCameraPtr loose = makeCamera();
    loose->setFocusDistance(5.0f);
    LogCapture capture;
    loose->setFocusDistanceToPoint(Pnt3f(100, 0, 0));
    EXPECT_EQ(loose->getFocusDistance(), 5.0f);
    EXPECT_EQ(countEntries(capture, NoValidParentMessage), 1u);
}

} // namespace
