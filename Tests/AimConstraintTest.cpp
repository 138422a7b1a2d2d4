// The camera under an aim constraint of the host: finding the constraint and
// its nodes, and moving the aim and up-vector nodes so that the constraint
// reproduces a view the camera was given. Where the constraint sees a node is
// its own business (getAimPos), which serves as the independent check.

#include "CameraSceneFixture.h"
#include "CameraTestMath.h"

#include "OSGTransform3D.h"
#include "kxConstraintManager.h"

#include <cmath>

using namespace osg;
using ubercam::test::CameraSceneTest;
using ubercam::test::unit;

namespace {

constexpr Real32 PositionTolerance = 1e-4f;

Matrix translation(Real32 x, Real32 y, Real32 z) {
    Matrix m;
    m.setTranslate(x, y, z);
    return m;
}

// A rotated, translated and uniformly scaled frame.
Matrix turnedFrame(const Vec3f& offset, const Vec3f& axis, Real32 radians, Real32 scale) {
    Matrix m = translation(offset[0], offset[1], offset[2]);
    Matrix turn;
    Quaternion(axis, radians).getValue(turn);
    m.mult(turn);
    Matrix scaling;
    scaling.setScale(scale, scale, scale);
    m.mult(scaling);
    return m;
}

// Removes the constraint when the test ends, however it ends: the constraint
// holds references on the camera and its nodes.
class ConstraintGuard {
public:
    explicit ConstraintGuard(AimConstraintPtr constraint) : _constraint(constraint) {}
    ~ConstraintGuard() { kxConstraintManager::the().removeConstraint(_constraint); }
    ConstraintGuard(const ConstraintGuard&) = delete;
    ConstraintGuard& operator=(const ConstraintGuard&) = delete;

    const AimConstraintPtr& get() const { return _constraint; }
    AimConstraint* operator->() const { return _constraint.getCPtr(); }

private:
    AimConstraintPtr _constraint;
};

class AimConstraintTest : public CameraSceneTest {
protected:
    static constexpr Real32 UpDistance = 5.0f;

    void SetUp() override {
        CameraSceneTest::SetUp();
        camera = makeCamera();
    }

    static Transform3DPtr transformCore(const Vec3f& translation, const Pnt3f& pivot) {
        Transform3DPtr core = Transform3D::create();
        const BitVector mask =
            Transform3DBase::TranslationFieldMask | Transform3DBase::RotatePivotFieldMask;
        beginEditCP(core, mask);
        core->setTranslation(translation);
        core->setRotatePivot(pivot);
        endEditCP(core, mask);
        return core;
    }

    // A Transform3D node below `parent`.
    static NodePtr addTransform3D(const NodePtr& parent, const Vec3f& translation,
                                  const Pnt3f& pivot = Pnt3f()) {
        return addNode(parent, transformCore(translation, pivot));
    }

    // A Transform3D node in no scene, kept alive for the test.
    NodePtr looseTransform3D(const Vec3f& translation, const Pnt3f& pivot = Pnt3f()) {
        NodePtr node = hold(Node::create());
        setCore(node, transformCore(translation, pivot));
        return node;
    }

    static Vec3f translationOf(const NodePtr& node) {
        return Transform3DPtr::dcast(node->getCore())->getTranslation();
    }

    static ConstraintGuard constrain(const UberCameraPtr& target, const NodePtr& aim,
                                     const NodePtr& up) {
        AimConstraintPtr constraint =
            kxConstraintManager::the().createAimConstraint(target, aim, up);
        EXPECT_FALSE(constraint.isNull());
        return ConstraintGuard(constraint);
    }

    // The camera below a turned and scaled frame, looking from one point at another.
    void placeUnderFrame(const Pnt3f& from, const Pnt3f& at) {
        addNode(addTransform(root, turnedFrame(Vec3f(3, -2, 7), Vec3f(0.4f, 1, 0.1f), 0.6f, 2)),
                camera);
        camera->setViewByFromAtUp(from, at, Vec3f(0, 1, 0), Camera::WorldSpace);
    }

    UberCameraPtr camera;
};

TEST_F(AimConstraintTest, WithoutConstraintNothingIsReportedOrMoved) {
    addNode(root, camera);
    camera->setViewByFromAtUp(Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 1, 0), Camera::LocalSpace);
    // A constraint on another camera is none of this camera's business.
    UberCameraPtr other = makeCamera();
    NodePtr aim = addTransform3D(root, Vec3f(1, 2, 3));
    ConstraintGuard foreign = constrain(other, aim, NodePtr());

    EXPECT_FALSE(camera->hasAimConstraint());
    EXPECT_TRUE(camera->getAimNode().isNull());
    EXPECT_TRUE(camera->getUpVectorNode().isNull());
    EXPECT_EQ(camera->getUpConstraintDistance(), 1.0f);
    const Matrix before = camera->getMatrix();
    camera->setAimConstraintToCurrentView(UpDistance);
    EXPECT_EQ(camera->getMatrix(), before);
    EXPECT_EQ(translationOf(aim), Vec3f(1, 2, 3));
}

TEST_F(AimConstraintTest, ConstraintIsFoundThroughItsCamera) {
    addNode(root, camera);
    NodePtr aim = addTransform3D(root, Vec3f());
    NodePtr up = addTransform3D(root, Vec3f());
    ConstraintGuard constraint = constrain(camera, aim, up);
    EXPECT_TRUE(camera->hasAimConstraint());
    EXPECT_EQ(camera->getAimNode(), aim);
    EXPECT_EQ(camera->getUpVectorNode(), up);
}

TEST_F(AimConstraintTest, WithoutAimNodeThereAreNoAimSources) {
    addNode(root, camera);
    camera->setViewByFromAtUp(Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 1, 0), Camera::LocalSpace);
    NodePtr up = addTransform3D(root, Vec3f(4, 4, 4));
    ConstraintGuard constraint = constrain(camera, NodePtr(), up);
    EXPECT_FALSE(camera->hasAimConstraint());
    EXPECT_TRUE(camera->getAimNode().isNull());
    EXPECT_EQ(camera->getUpVectorNode(), up);
    camera->setAimConstraintToCurrentView(UpDistance);
    EXPECT_EQ(translationOf(up), Vec3f(4, 4, 4)) << "stops before the up-vector node";
}

TEST_F(AimConstraintTest, ParentlessAimNodeGoesToTheTargetMinusItsPivot) {
    placeUnderFrame(Pnt3f(10, 20, 30), Pnt3f(-4, 2, 7));
    const Pnt3f pivot(1, 2, 3);
    NodePtr aim = looseTransform3D(Vec3f(9, 9, 9), pivot);
    ConstraintGuard constraint = constrain(camera, aim, NodePtr());
    camera->setAimConstraintToCurrentView(UpDistance);

    const Pnt3f target = camera->getAt(Camera::WorldSpace);
    EXPECT_TRUE(target.equals(Pnt3f(-4, 2, 7), PositionTolerance * 10)) << target;
    EXPECT_TRUE(translationOf(aim).equals(target - pivot, PositionTolerance)) << translationOf(aim);
    EXPECT_TRUE(constraint->getAimPos(aim).equals(target, PositionTolerance));
}

TEST_F(AimConstraintTest, AimNodeBelowAFrameLandsOnTheTarget) {
    placeUnderFrame(Pnt3f(10, 20, 30), Pnt3f(-4, 2, 7));
    NodePtr frame =
        addTransform(root, turnedFrame(Vec3f(-6, 1, 2), Vec3f(1, 0.3f, -0.2f), 1.2f, 0.5f));
    NodePtr aim = addTransform3D(frame, Vec3f(), Pnt3f(0.5f, -1, 2));
    ConstraintGuard constraint = constrain(camera, aim, NodePtr());
    camera->setAimConstraintToCurrentView(UpDistance);

    const Pnt3f seen = constraint->getAimPos(aim);
    EXPECT_TRUE(seen.equals(camera->getAt(Camera::WorldSpace), PositionTolerance * 10)) << seen;
}

TEST_F(AimConstraintTest, UpNodeGoesUpDistanceAboveTheCamera) {
    addNode(root, camera);
    camera->setViewByFromAtUp(Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 1, 0), Camera::LocalSpace);
    NodePtr aim = looseTransform3D(Vec3f());
    NodePtr up = looseTransform3D(Vec3f(7, 7, 7));
    ConstraintGuard constraint = constrain(camera, aim, up);
    camera->setAimConstraintToCurrentView(UpDistance);
    EXPECT_TRUE(translationOf(aim).equals(Vec3f(0, 0, 0), PositionTolerance)) << translationOf(aim);
    EXPECT_TRUE(translationOf(up).equals(Vec3f(0, 5, 10), PositionTolerance)) << translationOf(up);
}

TEST_F(AimConstraintTest, UpNodeBelowAFrameIsSeenAboveTheCamera) {
    // The frame scales by 2, so the camera's up axis is twice as long: it must be normalised.
    placeUnderFrame(Pnt3f(10, 20, 30), Pnt3f(-4, 2, 7));
    NodePtr aim = looseTransform3D(Vec3f());
    NodePtr frame =
        addTransform(root, turnedFrame(Vec3f(-6, 1, 2), Vec3f(1, 0.3f, -0.2f), 1.2f, 0.5f));
    NodePtr up = addTransform3D(frame, Vec3f(), Pnt3f(3, 0, -1));
    ConstraintGuard constraint = constrain(camera, aim, up);
    camera->setAimConstraintToCurrentView(UpDistance);

    const Pnt3f expected =
        camera->getFrom(Camera::WorldSpace) + unit(camera->getUp(Camera::WorldSpace)) * UpDistance;
    const Pnt3f seen = constraint->getAimPos(up);
    EXPECT_TRUE(seen.equals(expected, PositionTolerance * 10)) << seen << " vs " << expected;
    EXPECT_NEAR(camera->getUpConstraintDistance(), UpDistance, PositionTolerance * 10);
}

TEST_F(AimConstraintTest, UpConstraintDistanceIsMeasuredToTheUpNode) {
    placeUnderFrame(Pnt3f(10, 20, 30), Pnt3f(-4, 2, 7));
    NodePtr aim = looseTransform3D(Vec3f());
    NodePtr up = looseTransform3D(Vec3f(10, 20, 30) + Vec3f(0, 3, 4), Pnt3f(1, 1, 1));
    ConstraintGuard constraint = constrain(camera, aim, up);
    // The constraint sees the up node at its pivot: 1 unit further along each axis.
    const Vec3f offset = Vec3f(0, 3, 4) + Vec3f(1, 1, 1);
    EXPECT_NEAR(camera->getUpConstraintDistance(), offset.length(), PositionTolerance * 10);
}

TEST_F(AimConstraintTest, WithoutUpNodeTheUpDistanceIsOne) {
    placeUnderFrame(Pnt3f(10, 20, 30), Pnt3f(-4, 2, 7));
    NodePtr aim = looseTransform3D(Vec3f(100, 0, 0));
    ConstraintGuard constraint = constrain(camera, aim, NodePtr());
    EXPECT_TRUE(camera->hasAimConstraint());
    EXPECT_EQ(camera->getUpConstraintDistance(), 1.0f);
}

TEST_F(AimConstraintTest, AimNodeWithoutTransformCoreStopsEverything) {
    addNode(root, camera);
    camera->setViewByFromAtUp(Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 1, 0), Camera::LocalSpace);
    NodePtr aim = addNode(root, Group::create());
    NodePtr up = looseTransform3D(Vec3f(7, 7, 7));
    ConstraintGuard constraint = constrain(camera, aim, up);
    EXPECT_TRUE(camera->hasAimConstraint());
    camera->setAimConstraintToCurrentView(UpDistance);
    EXPECT_EQ(translationOf(up), Vec3f(7, 7, 7));
}

TEST_F(AimConstraintTest, UpNodeWithoutTransformCoreIsLeftAlone) {
    addNode(root, camera);
    camera->setViewByFromAtUp(Pnt3f(0, 0, 10), Pnt3f(0, 0, 3), Vec3f(0, 1, 0), Camera::LocalSpace);
    NodePtr aim = looseTransform3D(Vec3f(7, 7, 7));
    NodePtr up = addNode(root, Group::create());
    ConstraintGuard constraint = constrain(camera, aim, up);
    camera->setAimConstraintToCurrentView(UpDistance);
    EXPECT_TRUE(translationOf(aim).equals(Vec3f(0, 0, 3), PositionTolerance)) << translationOf(aim);
}

TEST_F(AimConstraintTest, ViewpointsAreNeverRealigned) {
    addFlag(camera, UberCamera::ViewpointFlag);
    makeInternal(addNode(root, camera));
    camera->setViewByFromAtUp(Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 1, 0), Camera::LocalSpace);
    NodePtr aim = looseTransform3D(Vec3f(7, 7, 7));
    NodePtr up = looseTransform3D(Vec3f(8, 8, 8));
    ConstraintGuard constraint = constrain(camera, aim, up);
    camera->setAimConstraintToCurrentView(UpDistance);
    EXPECT_EQ(translationOf(aim), Vec3f(7, 7, 7));
    EXPECT_EQ(translationOf(up), Vec3f(8, 8, 8));
}

TEST_F(AimConstraintTest, FramingRealignsTheConstraintKeepingTheUpDistance) {
    addNode(root, camera);
    camera->setViewByFromAtUp(Pnt3f(0, 0, 10), Pnt3f(0, 0, 0), Vec3f(0, 1, 0), Camera::LocalSpace);
    NodePtr aim = looseTransform3D(Vec3f());
    NodePtr up = looseTransform3D(Vec3f(0, 7, 10));
    ConstraintGuard constraint = constrain(camera, aim, up);

    const BoxVolume box(Pnt3f(20, -1, -1), Pnt3f(22, 1, 1));
    camera->show(box, false);
    const Pnt3f eye = camera->getFrom(Camera::WorldSpace);
    EXPECT_TRUE(constraint->getAimPos(aim).equals(Pnt3f(21, 0, 0), PositionTolerance * 10))
        << constraint->getAimPos(aim);
    const Pnt3f expectedUp = eye + unit(camera->getUp(Camera::WorldSpace)) * 7.0f;
    EXPECT_TRUE(constraint->getAimPos(up).equals(expectedUp, PositionTolerance * 10))
        << constraint->getAimPos(up);

    const Pnt3f target(21, 1, 0);
    camera->zoomTo(box, false, target);
    EXPECT_TRUE(constraint->getAimPos(aim).equals(target, PositionTolerance * 10))
        << constraint->getAimPos(aim);
    EXPECT_NEAR(camera->getUpConstraintDistance(), 7.0f, PositionTolerance * 10);
}

} // namespace
