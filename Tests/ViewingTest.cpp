// Which parent places a camera, its part in the scene's matrices and volumes,
// and the viewing matrix.

#include "CameraSceneFixture.h"
#include "CameraTestMath.h"

#include "OSGBoxVolume.h"

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using namespace osg;
using ubercam::test::CameraSceneTest;
using ubercam::test::cameraToWorld;
using ubercam::test::countEntries;

namespace {

constexpr Real32 MatrixTolerance = 1e-4f;
const char* const ActiveParentWarning = "UberCamera::getBeacon : couldn't find active parent node.";
const char* const ViewpointParentWarning =
    "UberCamera::getBeacon : couldn't find internal viewpoint parent node.";
const char* const NoValidParentMessage = "Camera::updateActiveParentIndex : no valid parent found!";
const char* const InvalidIndexMessage = "UberCamera::setActiveParentIndex : index invalid!";
const char* const CameraSourceFile = "Source\\Common\\Libs\\OpenSGUberCamera\\OSGUberCamera";

glm::mat4 toGlm(const Matrix& m) {
    return glm::make_mat4(m.getValues());
}

Matrix fromGlm(const glm::mat4& m) {
    Matrix result;
    result.setValue(glm::value_ptr(m));
    return result;
}

Matrix translation(Real32 x, Real32 y, Real32 z) {
    Matrix m;
    m.setTranslate(x, y, z);
    return m;
}

class ViewingTest : public CameraSceneTest {
protected:
    // Parents [null, internal, A, B], in that order, with the stored index at 0.
    void buildParentList() {
        camera = makeCamera();
        internal = addNode(root, camera);
        makeInternal(internal);
        nodeA = addNode(root, camera);
        nodeB = addNode(root, camera);
        camera->editMFParents()->insert(camera->editMFParents()->begin(), NodePtr());
        camera->editActiveParentIndex() = 0;
    }

    UberCameraPtr camera;
    NodePtr internal;
    NodePtr nodeA;
    NodePtr nodeB;
};

TEST_F(ViewingTest, ConstBeaconWarnsAndFallsBackWithoutRepairing) {
    buildParentList();
    LogCapture capture;
    const UberCamera& constCamera = *camera;
    EXPECT_EQ(constCamera.getBeacon(), nodeA);
    EXPECT_EQ(camera->UberCameraBase::getActiveParentIndex(), 0u);
    ASSERT_EQ(capture.entries().size(), 1u);
    const LogEntry& entry = capture.entries()[0];
    EXPECT_EQ(entry.level, LOG_WARNING);
    EXPECT_EQ(entry.module, "OpenSG");
    EXPECT_EQ(entry.file, CameraSourceFile);
    EXPECT_GT(entry.line, 0u);
    EXPECT_EQ(entry.text, std::string(ActiveParentWarning) + "\n");
}

TEST_F(ViewingTest, BeaconRepairsTheIndexSilently) {
    buildParentList();
    LogCapture capture;
    EXPECT_EQ(camera->getBeacon(), nodeA);
    EXPECT_EQ(camera->UberCameraBase::getActiveParentIndex(), 2u);
    EXPECT_EQ(camera->getActiveParentIndex(), 2u);
    EXPECT_TRUE(capture.entries().empty());
}

TEST_F(ViewingTest, ActiveParentIndexIsRepairedOnRead) {
    buildParentList();
    EXPECT_EQ(camera->getActiveParentIndex(), 2u);
    EXPECT_EQ(camera->getActiveParentNode(), nodeA);
}

TEST_F(ViewingTest, SettingAnInternalParentAsActiveIsRefused) {
    buildParentList();
    LogCapture capture;
    camera->setActiveParentIndex(1);
    EXPECT_EQ(camera->UberCameraBase::getActiveParentIndex(), 0u);
    ASSERT_EQ(capture.entries().size(), 1u);
    EXPECT_EQ(capture.entries()[0].level, LOG_FATAL);
    EXPECT_EQ(capture.entries()[0].text, std::string(InvalidIndexMessage) + "\n");

    camera->setActiveParentIndex(3);
    EXPECT_EQ(camera->UberCameraBase::getActiveParentIndex(), 3u);
    EXPECT_EQ(camera->getBeacon(), nodeB);
}

TEST_F(ViewingTest, OutOfRangeIndexIsRefused) {
    buildParentList();
    LogCapture capture;
    camera->setActiveParentIndex(4);
    camera->setActiveParentIndex(0);
    EXPECT_EQ(countEntries(capture, InvalidIndexMessage), 2u);
    EXPECT_EQ(camera->UberCameraBase::getActiveParentIndex(), 0u);
}

TEST_F(ViewingTest, InternalParentIsTheFirstInternalNode) {
    buildParentList();
    EXPECT_EQ(camera->getInternalParentNode(), internal);
    UberCameraPtr loose = makeCamera();
    EXPECT_TRUE(loose->getInternalParentNode().isNull());
}

TEST_F(ViewingTest, ViewpointWithoutInternalNodeFallsBackToItsOrdinaryParent) {
    camera = makeCamera();
    addFlag(camera, UberCamera::ViewpointFlag);
    nodeA = addNode(root, camera);
    LogCapture capture;
    EXPECT_EQ(camera->getBeacon(), nodeA);
    EXPECT_EQ(countEntries(capture, ViewpointParentWarning), 1u);
    capture.clear();
    EXPECT_FALSE(camera->updateActiveParentIndex());
    EXPECT_TRUE(capture.entries().empty());
}

TEST_F(ViewingTest, ViewpointIsPlacedByItsInternalNode) {
    camera = makeCamera();
    addFlag(camera, UberCamera::ViewpointFlag);
    nodeA = addNode(root, camera);
    internal = addNode(root, camera);
    makeInternal(internal);
    LogCapture capture;
    EXPECT_EQ(camera->getBeacon(), internal);
    EXPECT_TRUE(capture.entries().empty());
}

TEST_F(ViewingTest, CameraWithoutParentsUsesItsBeaconField) {
    camera = makeCamera();
    NodePtr beacon = addTransform(root, translation(1, 2, 3));
    camera->setBeacon(beacon);
    LogCapture capture;
    EXPECT_EQ(camera->getBeacon(), beacon);
    EXPECT_TRUE(camera->getActiveParentNode().isNull());
    EXPECT_EQ(countEntries(capture, NoValidParentMessage), 1u);
    EXPECT_EQ(capture.entries()[0].level, LOG_FATAL);
    camera->setBeacon(NodePtr());
}

TEST_F(ViewingTest, InternalCameraWithoutParentFailsSilently) {
    camera = makeCamera();
    addFlag(camera, UberCamera::InternalCameraFlag);
    LogCapture capture;
    EXPECT_FALSE(camera->updateActiveParentIndex());
    EXPECT_TRUE(capture.entries().empty());
}

TEST_F(ViewingTest, CameraWithOnlyInternalParentsWarnsAndUsesTheFirstEntry) {
    camera = makeCamera();
    internal = addNode(root, camera);
    makeInternal(internal);
    LogCapture capture;
    EXPECT_EQ(camera->getBeacon(), internal);
    EXPECT_EQ(countEntries(capture, ActiveParentWarning), 1u);
}

TEST_F(ViewingTest, NearIdentityTrackingMatrixIsIgnored) {
    camera = makeCamera();
    Matrix tracking;
    tracking[3][0] = 5e-7f;
    camera->setTrackingMatrix(tracking);

    Matrix accumulated = translation(1, 0, 0);
    camera->accumulateMatrix(accumulated);
    EXPECT_EQ(accumulated, translation(1, 0, 0));

    BoxVolume volume(Pnt3f(0, 0, 0), Pnt3f(1, 1, 1));
    camera->adjustVolume(volume);
    EXPECT_EQ(volume.getMin(), Pnt3f(0, 0, 0));
    EXPECT_EQ(volume.getMax(), Pnt3f(1, 1, 1));
}

TEST_F(ViewingTest, TrackingMatrixJoinsMatricesAndVolumes) {
    camera = makeCamera();
    placeCamera(camera, Vec3f(10, 0, 0));
    camera->setTrackingMatrix(translation(0, 5, 0));

    Matrix accumulated;
    camera->accumulateMatrix(accumulated);
    EXPECT_TRUE(accumulated.equals(translation(10, 5, 0), MatrixTolerance));

    BoxVolume volume(Pnt3f(0, 0, 0), Pnt3f(1, 1, 1));
    camera->adjustVolume(volume);
    EXPECT_TRUE(volume.getMin().equals(Pnt3f(10, 5, 0), MatrixTolerance));
    EXPECT_TRUE(volume.getMax().equals(Pnt3f(11, 6, 1), MatrixTolerance));
}

TEST_F(ViewingTest, ViewingIsTheInverseOfTheWorldTransform) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-50.0f, 50.0f);
    std::uniform_real_distribution<float> angle(-180.0f, 180.0f);
    for (int trial = 0; trial < 50; ++trial) {
        glm::mat4 expected(1.0f);
        NodePtr parent = root;
        for (int depth = 0; depth < 3; ++depth) {
            glm::mat4 step = glm::translate(
                glm::mat4(1.0f), {coordinate(random), coordinate(random), coordinate(random)});
            step = glm::rotate(step, glm::radians(angle(random)), glm::vec3(0.3f, 1.0f, -0.2f));
            parent = addTransform(parent, fromGlm(step));
            expected = expected * step;
        }
        UberCameraPtr cam = makeCamera();
        addNode(parent, cam);
        Quaternion rotation(Vec3f(1, 0, 0), glm::radians(angle(random)));
        Vec3f position(coordinate(random), coordinate(random), coordinate(random));
        placeCamera(cam, position, rotation);
        Matrix own;
        rotation.getValue(own);
        own.setTranslate(position);
        expected = glm::inverse(expected * toGlm(own));

        Matrix viewing;
        cam->getViewing(viewing, 100, 100);
        EXPECT_TRUE(viewing.equals(fromGlm(expected), MatrixTolerance)) << "trial " << trial;
    }
}

TEST_F(ViewingTest, NodeScaleIsRemovedFromTheView) {
    camera = makeCamera();
    addNode(root, camera);
    placeCamera(camera, Vec3f(1, 2, 3), Quaternion(), Vec3f(2, 2, 2));
    EXPECT_TRUE(cameraToWorld(camera).equals(translation(1, 2, 3), MatrixTolerance));
}

TEST_F(ViewingTest, RollTurnsTheViewAboutItsAxis) {
    camera = makeCamera();
    addNode(root, camera);
    placeCamera(camera, Vec3f(4, 5, 6), Quaternion(Vec3f(0, 1, 0), 0.5f));
    const Matrix unrolled = cameraToWorld(camera);

    camera->setRoll(90.0f);
    const Matrix rolled = cameraToWorld(camera);
    for (UInt32 row = 0; row < 4; ++row) {
        EXPECT_NEAR(rolled[0][row], unrolled[1][row], MatrixTolerance);
        EXPECT_NEAR(rolled[1][row], -unrolled[0][row], MatrixTolerance);
        EXPECT_NEAR(rolled[2][row], unrolled[2][row], MatrixTolerance);
        EXPECT_NEAR(rolled[3][row], unrolled[3][row], MatrixTolerance);
    }
}

TEST_F(ViewingTest, RepeatedViewingGivesWhatAFreshCameraGivesAfterRollEdits) {
    // What the camera keeps of its roll between calls must never show: after every edit,
    // bit for bit, the viewing matrix is a new camera's in the same place.
    NodePtr parent =
        addTransform(root, fromGlm(glm::rotate(glm::translate(glm::mat4(1.0f), {3.0f, -2.0f, 7.0f}),
                                               glm::radians(30.0f), glm::vec3(0, 0, 1))));
    const Vec3f position(1, 2, 3);
    const Quaternion rotation(Vec3f(0, 1, 0), 0.5f);
    camera = makeCamera();
    addNode(parent, camera);
    placeCamera(camera, position, rotation);
    const Real32 rolls[] = {15.0f, 15.0f, -30.0f, 0.0f, -0.0f, 15.0f, 90.0f, 1e-3f, 90.0f};
    for (Real32 roll : rolls) {
        camera->setRoll(roll);
        Matrix kept;
        camera->getViewing(kept, 100, 100);
        UberCameraPtr fresh = makeCamera();
        addNode(parent, fresh);
        placeCamera(fresh, position, rotation);
        fresh->setRoll(roll);
        Matrix afresh;
        fresh->getViewing(afresh, 100, 100);
        EXPECT_EQ(std::memcmp(kept.getValues(), afresh.getValues(), sizeof(Matrix)), 0)
            << "roll " << roll;
    }
}

TEST_F(ViewingTest, HmdModeIgnoresTheRoll) {
    camera = makeCamera();
    addNode(root, camera);
    placeCamera(camera, Vec3f(4, 5, 6));
    const Matrix unrolled = cameraToWorld(camera);
    camera->setRoll(90.0f);
    UberCamera::setHmdMode(true);
    const Matrix inHmd = cameraToWorld(camera);
    UberCamera::setHmdMode(false);
    EXPECT_TRUE(inHmd.equals(unrolled, MatrixTolerance));
}

TEST_F(ViewingTest, SingularOrNonFiniteTransformGivesIdentity) {
    camera = makeCamera();
    addNode(root, camera);
    const Real32 nan = std::numeric_limits<Real32>::quiet_NaN();
    const Vec3f bad[] = {Vec3f(1, 1, 0), Vec3f(0, 0, 0)};
    for (const Vec3f& scale : bad) {
        placeCamera(camera, Vec3f(1, 2, 3), Quaternion(), scale);
        Matrix viewing;
        camera->getViewing(viewing, 10, 10);
        EXPECT_EQ(viewing, Matrix());
    }
    placeCamera(camera, Vec3f(nan, 0, 0));
    Matrix viewing = translation(9, 9, 9);
    camera->getViewing(viewing, 10, 10);
    EXPECT_EQ(viewing, Matrix());
}

TEST_F(ViewingTest, ViewpointReadsAndWritesItsLocalSpace) {
    camera = makeCamera();
    addFlag(camera, UberCamera::ViewpointFlag);
    NodePtr parent = addTransform(root, translation(100, 0, 0));
    internal = addNode(parent, camera);
    makeInternal(internal);
    placeCamera(camera, Vec3f(1, 0, 0));

    Matrix world, local;
    camera->getTransform(world, Camera::WorldSpace);
    camera->getTransform(local, Camera::LocalSpace);
    EXPECT_EQ(world, local);

    camera->setTransform(translation(5, 0, 0), Camera::WorldSpace);
    EXPECT_TRUE(camera->getTranslation().equals(Vec3f(5, 0, 0), MatrixTolerance));
}

TEST_F(ViewingTest, WorldTransformRoundTripsThroughTheParentFrame) {
    camera = makeCamera();
    NodePtr parent =
        addTransform(root, fromGlm(glm::rotate(glm::translate(glm::mat4(1.0f), {3.0f, -2.0f, 7.0f}),
                                               glm::radians(30.0f), glm::vec3(0, 0, 1))));
    addNode(parent, camera);
    placeCamera(camera, Vec3f(0, 0, 0), Quaternion(), Vec3f(3, 3, 3));

    const Matrix target =
        fromGlm(glm::rotate(glm::translate(glm::mat4(1.0f), {10.0f, 20.0f, 30.0f}),
                            glm::radians(45.0f), glm::vec3(0, 1, 0)));
    camera->setTransform(target, Camera::WorldSpace);
    EXPECT_TRUE(camera->getScale().equals(Vec3f(3, 3, 3), MatrixTolerance));
    EXPECT_TRUE(cameraToWorld(camera).equals(target, MatrixTolerance));
}

} // namespace
