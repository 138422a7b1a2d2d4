// Copies of cameras and of node trees holding them: what a deep clone copies,
// clones and shares, and what a plain tree clone shares.

#include "CameraFieldValues.h"
#include "CameraSceneFixture.h"

#include "OSGAnimNode.h"
#include "OSGClone.h"
#include "OSGName.h"
#include "kxUberCameraPool.h"

#include <map>
#include <random>
#include <vector>

using namespace osg;
using ubercam::test::CameraSceneTest;

namespace {

using ubercam::test::fieldBytes;
using ubercam::test::randomizedFieldsMask;
using ubercam::test::randomizeValueFields;

constexpr unsigned ValueSeed = 99;
constexpr UInt32 NodeFlags = 0x5;
constexpr UInt32 NodeTravMask = 0x3;
constexpr UInt32 NodeExternalFlags = 0x8;

class CameraCloneTest : public CameraSceneTest {
protected:
    /// A deep clone of `camera`, held for the test.
    UberCameraPtr cloneCamera(const UberCameraPtr& camera, const std::string& shareTypes = "") {
        return hold(UberCameraPtr::dcast(deepClone(camera, shareTypes)));
    }

    /// A camera whose sub-containers hold values other than their defaults.
    UberCameraPtr makeConfiguredCamera() {
        UberCameraPtr camera = makeCamera();
        camera->getLeftEyeDistortionMap()->setRepeat(Vec2f(2, 3));
        camera->getRightEyeDistortionMap()->setOffset(Vec2f(0.5f, 0.25f));
        camera->getTonemappingSettings()->setExposure(1.5f);
        camera->getFogSettings()->setDensity(0.25f);
        camera->getPerspectiveMatch()->setImageSize(Vec2f(640, 480));
        return camera;
    }

    static std::vector<FieldContainerPtr> settingsContainers(const UberCameraPtr& camera) {
        return {camera->getLeftEyeDistortionMap(), camera->getRightEyeDistortionMap(),
                camera->getTonemappingSettings(), camera->getFogSettings(),
                camera->getPerspectiveMatch()};
    }

    static void setNodeBits(const NodePtr& node) {
        node->setFlags(NodeFlags);
        node->setTravMask(NodeTravMask);
        node->setExternalFlags(NodeExternalFlags);
    }
};

// ---- deepClone of a camera ----------------------------------------------------------------

TEST_F(CameraCloneTest, DeepCloneCopiesEveryValueField) {
    std::mt19937 rng(ValueSeed);
    UberCameraPtr camera = makeCamera();
    randomizeValueFields(camera, rng);
    beginEditCP(camera, Transform3DBase::FlagsFieldMask);
    camera->addFlag(UberCamera::MotionBlurFlag | UberCamera::RegistryCameraFlag);
    endEditCP(camera, Transform3DBase::FlagsFieldMask);

    UberCameraPtr clone = cloneCamera(camera);
    ASSERT_FALSE(clone.isNull());
    // The default-camera id is the deep-clone hook's to reset.
    const BitVector mask = (randomizedFieldsMask() | Transform3DBase::FlagsFieldMask |
                            Transform3DBase::RotationFieldMask) &
                           ~UberCamera::DefaultCameraIdFieldMask;
    EXPECT_EQ(fieldBytes(clone, mask), fieldBytes(camera, mask));
    EXPECT_EQ(clone->getDefaultCameraId(), UberCamera::NoDefaultCamera);
}

TEST_F(CameraCloneTest, DeepCloneClonesTheSubContainersWithTheirValues) {
    UberCameraPtr camera = makeConfiguredCamera();
    UberCameraPtr clone = cloneCamera(camera);

    const std::vector<FieldContainerPtr> originals = settingsContainers(camera);
    const std::vector<FieldContainerPtr> copies = settingsContainers(clone);
    for (std::size_t i = 0; i < originals.size(); ++i) {
        SCOPED_TRACE(originals[i]->getTypeName());
        ASSERT_FALSE(copies[i].isNull());
        EXPECT_NE(copies[i].getFieldContainerId(), originals[i].getFieldContainerId());
        EXPECT_EQ(copies[i].getRefCount(), 1);
        EXPECT_EQ(originals[i].getRefCount(), 1);
        EXPECT_EQ(fieldBytes(copies[i], FieldBits_AllFields),
                  fieldBytes(originals[i], FieldBits_AllFields));
    }
    ASSERT_FALSE(clone->getVisualization().isNull());
    EXPECT_NE(clone->getVisualization(), camera->getVisualization());
    EXPECT_EQ(clone->getVisualization().getRefCount(), 1);
}

TEST_F(CameraCloneTest, DeepCloneSharesTheTypesNamedInTheShareString) {
    UberCameraPtr camera = makeConfiguredCamera();
    UberCameraPtr clone = cloneCamera(camera, "FogSettings, TextureSettings");

    EXPECT_EQ(clone->getFogSettings(), camera->getFogSettings());
    EXPECT_EQ(camera->getFogSettings().getRefCount(), 2);
    EXPECT_EQ(clone->getLeftEyeDistortionMap(), camera->getLeftEyeDistortionMap());
    EXPECT_EQ(clone->getRightEyeDistortionMap(), camera->getRightEyeDistortionMap());
    EXPECT_NE(clone->getTonemappingSettings(), camera->getTonemappingSettings());
    EXPECT_NE(clone->getPerspectiveMatch(), camera->getPerspectiveMatch());
}

TEST_F(CameraCloneTest, DeepCloneSharesByParentTypeName) {
    UberCameraPtr camera = makeConfiguredCamera();
    UberCameraPtr clone = cloneCamera(camera, "NodeCore");

    // Distortion maps and the wireframe are cores; the settings are not.
    EXPECT_EQ(clone->getLeftEyeDistortionMap(), camera->getLeftEyeDistortionMap());
    EXPECT_EQ(clone->getVisualization(), camera->getVisualization());
    EXPECT_NE(clone->getFogSettings(), camera->getFogSettings());
}

TEST_F(CameraCloneTest, DeepCloneSharesNodesAndNeverFollowsParents) {
    UberCameraPtr camera = makeCamera();
    addNode(root, camera);
    NodePtr beacon = addNode(root, Group::create());
    AnimNodePtr animation = AnimNode::create();
    beginEditCP(camera);
    camera->setBeacon(beacon);
    camera->setAnimationRoot(animation);
    endEditCP(camera);
    const Int32 beaconRefs = beacon.getRefCount();

    UberCameraPtr clone = cloneCamera(camera);

    EXPECT_EQ(clone->getBeaconField(), beacon);
    EXPECT_EQ(beacon.getRefCount(), beaconRefs + 1);
    EXPECT_EQ(clone->getAnimationRoot(), animation);
    EXPECT_EQ(animation.getRefCount(), 2);
    EXPECT_TRUE(clone->getParents().empty());
    EXPECT_EQ(camera->getParents().size(), 1u);
}

TEST_F(CameraCloneTest, DeepCloneClonesAttachments) {
    UberCameraPtr camera = makeCamera();
    setName(camera, "main");
    UberCameraPtr clone = cloneCamera(camera);

    ASSERT_NE(getName(clone), nullptr);
    EXPECT_STREQ(getName(clone), "main");
    EXPECT_NE(getNameAttachment(clone), getNameAttachment(camera));
}

TEST_F(CameraCloneTest, DeepCloneRunsTheCreationAndDeepCloneHooks) {
    UberCameraPtr camera = makeCamera();
    beginEditCP(camera, Transform3DBase::FlagsFieldMask);
    camera->addFlag(UberCamera::InitialFlag);
    endEditCP(camera, Transform3DBase::FlagsFieldMask);

    UberCameraPtr clone = cloneCamera(camera);

    EXPECT_EQ(kxUberCameraPool::get(clone.getFieldContainerId()), clone);
    EXPECT_FALSE(clone->isInitial());
    EXPECT_TRUE(camera->isInitial());
}

TEST_F(CameraCloneTest, DeepCloneOfNullIsNull) {
    EXPECT_TRUE(deepClone(NullFC).isNull());
    EXPECT_TRUE(deepCloneTree(NodePtr()).isNull());
    EXPECT_TRUE(cloneTree(NodePtr(), true).isNull());
}

// ---- node trees ---------------------------------------------------------------------------

TEST_F(CameraCloneTest, DeepCloneTreeCopiesNodesWithClonedCores) {
    Matrix frame;
    frame.setTranslate(4, 5, 6);
    NodePtr top = addNode(root, Group::create());
    NodePtr transformNode = addTransform(top, frame);
    UberCameraPtr camera = makeCamera();
    addNode(transformNode, camera);
    setNodeBits(top);

    NodePtr copy = hold(deepCloneTree(top));
    ASSERT_FALSE(copy.isNull());
    EXPECT_NE(copy, top);
    EXPECT_TRUE(copy->getParent().isNull());
    EXPECT_EQ(copy->getFlags(), NodeFlags);
    EXPECT_NE(copy->getCore(), top->getCore());

    ASSERT_EQ(copy->getNChildren(), 1u);
    NodePtr copiedTransformNode = copy->getChild(0);
    EXPECT_NE(copiedTransformNode, transformNode);
    TransformPtr copiedTransform = TransformPtr::dcast(copiedTransformNode->getCore());
    ASSERT_FALSE(copiedTransform.isNull());
    EXPECT_NE(copiedTransform, transformNode->getCore());
    EXPECT_EQ(copiedTransform->getMatrix(), frame);

    ASSERT_EQ(copiedTransformNode->getNChildren(), 1u);
    UberCameraPtr copiedCamera = UberCameraPtr::dcast(copiedTransformNode->getChild(0)->getCore());
    ASSERT_FALSE(copiedCamera.isNull());
    EXPECT_NE(copiedCamera, camera);
    EXPECT_EQ(kxUberCameraPool::get(copiedCamera.getFieldContainerId()), copiedCamera);
}

TEST_F(CameraCloneTest, DeepCloneTreeSharesCoresNamedInTheShareString) {
    Matrix frame;
    frame.setTranslate(4, 5, 6);
    NodePtr top = addTransform(root, frame);
    UberCameraPtr camera = makeCamera();
    addNode(top, camera);

    NodePtr copy = hold(deepCloneTree(top, "UberCamera"));
    EXPECT_NE(copy->getCore(), top->getCore());
    ASSERT_EQ(copy->getNChildren(), 1u);
    EXPECT_EQ(copy->getChild(0)->getCore(), NodeCorePtr(camera));
    EXPECT_EQ(camera->getParents().size(), 2u);
}

TEST_F(CameraCloneTest, CloneTreeSharesCoresAndCopiesFlagsAndAttachments) {
    NodePtr top = addNode(root, Group::create());
    UberCameraPtr camera = makeCamera();
    NodePtr cameraNode = addNode(top, camera);
    setNodeBits(top);
    setName(top, "top");
    const Int32 cameraRefs = camera.getRefCount();

    NodePtr copy = hold(cloneTree(top, true));
    ASSERT_FALSE(copy.isNull());
    EXPECT_NE(copy, top);
    EXPECT_EQ(copy->getFlags(), NodeFlags);
    EXPECT_EQ(copy->getTravMask(), NodeTravMask);
    EXPECT_EQ(copy->getExternalFlags(), NodeExternalFlags);
    EXPECT_EQ(copy->getCore(), top->getCore());
    EXPECT_EQ(getNameAttachment(copy), getNameAttachment(top));

    ASSERT_EQ(copy->getNChildren(), 1u);
    EXPECT_NE(copy->getChild(0), cameraNode);
    EXPECT_EQ(copy->getChild(0)->getCore(), NodeCorePtr(camera));
    EXPECT_EQ(camera.getRefCount(), cameraRefs + 1);
    EXPECT_EQ(camera->getParents().size(), 2u);
}

TEST_F(CameraCloneTest, CloneTreeWithoutAttachmentsLeavesThemOut) {
    NodePtr top = addNode(root, Group::create());
    setNodeBits(top);
    setName(top, "top");

    NodePtr copy = hold(cloneTree(top, false));
    EXPECT_TRUE(getNameAttachment(copy).isNull());
    EXPECT_EQ(copy->getFlags(), NodeFlags);
    EXPECT_EQ(copy->getCore(), top->getCore());
}

} // namespace
