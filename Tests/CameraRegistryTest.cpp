// The camera registry, the temporary pool and the camera utilities on one scene:
// cameras A and B below the scene root; below the camera root their internal nodes,
// an internal camera, a viewpoint and a camera track holding a second viewpoint.

#include "CameraSceneFixture.h"

#include "NodeUtils.h"
#include "OSGCameraDecorator.h"
#include "OSGCameraTrack.h"
#include "OSGGeometry.h"
#include "OSGImageAttachment.h"
#include "OSGName.h"
#include "OSGPerspectiveCamera.h"
#include "OSGTonemappingSettings.h"
#include "kxSceneData.h"
#include "kxTempUberCameraPool.h"
#include "kxUberCameraPool.h"
#include "kxUberCameraUtils.h"

#include <functional>
#include <map>
#include <random>
#include <set>
#include <tuple>

using namespace osg;
using ubercam::test::CameraSceneTest;
using Utils = kxUberCameraUtils;

namespace {

template <class T> std::set<T> asSet(const std::vector<T>& items) {
    return {items.begin(), items.end()};
}

class CameraRegistryTest : public CameraSceneTest {
protected:
    void SetUp() override {
        CameraSceneTest::SetUp();
        scene->setMaterialPool(hold(MaterialPool::create()));
        scene->setRootNode(root);
        cameraRoot = kxUberCameraPool::getRoot();
        cameraA = newCamera("A", root, cameraRoot);
        cameraB = newCamera("B", root, cameraRoot);
        sceneA = root->getChild(0);
        helper = registry->createInternalCamera(UberCameraPtr());
        helperId = helper.getFieldContainerId();
        registry->add(helper, NodePtr());
        view = Utils::createViewpoint(cameraA);
        registry->add(view, NodePtr());
        track = addNode(cameraRoot, CameraTrack::create());
        setName(track, "Track");
        trackView = Utils::createViewpoint(cameraB);
        registry->add(trackView, track);
        for (const UberCameraPtr& camera : {cameraA, cameraB, helper, view, trackView})
            internals.push_back(camera->getInternalParentNode());
    }

    void TearDown() override {
        registry->blockCreateInternalNode(false);
        if (kxUberCameraPool::get(helperId) == helper) // repair releases it
            registry->remove(helper);
        scene->clear();
        CameraSceneTest::TearDown();
    }

    UberCameraPtr newCamera(const std::string& name, const NodePtr& parent,
                            const NodePtr& internal) {
        return Utils::getUberCamera(registry->createCameraNode(name, parent, internal));
    }

    static void edit(const FieldContainerPtr& container, BitVector mask,
                     const std::function<void()>& change) {
        beginEditCP(container, mask);
        change();
        endEditCP(container, mask);
    }

    static void setDefaultCameraId(const UberCameraPtr& camera, Int32 id) {
        edit(camera, UberCameraBase::DefaultCameraIdFieldMask,
             [&] { camera->setDefaultCameraId(id); });
    }

    kxUberCameraPool* registry = kxUberCameraPool::the();
    kxSceneData* scene = kxSceneDataManager::getSceneData(0);
    NodePtr cameraRoot, sceneA, track;
    UberCameraPtr cameraA, cameraB, helper, view, trackView;
    UInt32 helperId = 0;
    std::vector<NodePtr> internals; // of A, B, helper, view, trackView
    LogCapture quiet;               // cameras on no node complain on every query
};

// ---- the pool ----------------------------------------------------------------------------

TEST_F(CameraRegistryTest, CreationFlagsNamesAndPlacesCameras) {
    const UberCameraPtr unnamed = registry->createCamera("", cameraRoot);
    EXPECT_EQ(unnamed->getFlags(), UInt64(0x2000 | 0x4000));
    EXPECT_TRUE(getNameAttachment(unnamed).isNull());
    EXPECT_EQ(cameraRoot->getChild(5), unnamed->getInternalParentNode());
    EXPECT_EQ(cameraRoot->getChild(5)->getExternalFlags(), 0x4u);
    EXPECT_EQ(helper->getFlags(), UInt64(0x1));
    EXPECT_EQ(Utils::getName(helper), "InternalCamera");
    EXPECT_EQ(helper.getRefCount(), 2); // the registry's and the internal node's
}

TEST_F(CameraRegistryTest, BlockFlagStopsEveryInternalNode) {
    const UberCameraPtr free = newCamera("C", root, NodePtr());
    registry->blockCreateInternalNode(true);
    EXPECT_TRUE(registry->createInternalNode(cameraA, cameraRoot).isNull());
    EXPECT_TRUE(registry->add(cameraA, NodePtr()).isNull());
    registry->createMissingInternalNodes();
    EXPECT_EQ(cameraRoot->getNChildren(), 5u);
    registry->blockCreateInternalNode(false);
    registry->createMissingInternalNodes();
    EXPECT_EQ(cameraRoot->getNChildren(), 6u);
    EXPECT_EQ(free->getInternalParentNode(), cameraRoot->getChild(5));
}

TEST_F(CameraRegistryTest, RemoveDetachesInternalNodesAndReleasesInternalCameras) {
    const NodePtr group = registry->addGroup(NodePtr());
    registry->add(cameraA, group);
    registry->remove(cameraA);
    EXPECT_EQ(cameraA->getParents().size(), 1u);
    EXPECT_EQ(group->getNChildren(), 0u);
    EXPECT_EQ(cameraRoot->getNChildren(), 5u);
    // On no node, only the registry's reference keeps it: the leak check sees it stay.
    registry->remove(registry->createInternalCamera(cameraA));
}

TEST_F(CameraRegistryTest, LookupsTakeTheFirstMatchInDepthFirstOrder) {
    // camera root: ..., track [trackView], group [Twin viewpoint, Twin], Twin
    const NodePtr group = registry->addGroup(NodePtr());
    EXPECT_FALSE(GroupPtr::dcast(group->getCore()).isNull());
    const UberCameraPtr twinView = Utils::createViewpoint(cameraA);
    Utils::setName(twinView, "Twin", false);
    const NodePtr twinViewNode = registry->add(twinView, group);
    const UberCameraPtr deep = registry->createCamera("Twin", group);
    const UberCameraPtr top = registry->createCamera("Twin", cameraRoot);
    EXPECT_EQ(registry->find("Twin"), twinViewNode);
    EXPECT_TRUE(registry->find("twin").isNull());
    EXPECT_EQ(registry->findCamera("Twin"), deep);
    EXPECT_EQ(registry->findViewpoint("Twin"), twinView);
    EXPECT_EQ(registry->find(top), top->getInternalParentNode());
    EXPECT_EQ(registry->findCameraTrackNode("Track"), track);
    EXPECT_TRUE(registry->findCameraTrackNode("A").isNull());
}

TEST_F(CameraRegistryTest, ContentListsFilterInternalCamerasAndViewpoints) {
    const UberCameraPtr orphan = makeCamera(); // registered, on no node
    const std::tuple<bool, bool, std::vector<UberCameraPtr>> cases[] = {
        {true, true, {cameraA, cameraB, orphan}},
        {false, false, {cameraA, cameraB, orphan, helper, view, trackView}},
        {true, false, {cameraA, cameraB, orphan, view, trackView}},
        {false, true, {cameraA, cameraB, orphan, helper}}};
    for (const auto& [noInternal, noViewpoints, expected] : cases) {
        std::vector<UberCameraPtr> cameras;
        for (const UInt32 id : kxUberCameraPool::getContentIds(noInternal, noViewpoints))
            cameras.push_back(kxUberCameraPool::get(id));
        EXPECT_EQ(asSet(cameras), asSet(expected)) << noInternal << noViewpoints;
    }
    // Viewpoints by their internal node, cameras by their active scene node, the rest not at all.
    const std::vector<NodePtr> nodes = kxUberCameraPool::getContentNodes(false, false);
    EXPECT_EQ(asSet(nodes),
              (std::set<NodePtr>{sceneA, root->getChild(1), internals[3], internals[4]}));
}

TEST_F(CameraRegistryTest, VisualizationNodesListEverySceneNodeButNoInternalNode) {
    const NodePtr secondA = addNode(root, cameraA);
    Utils::setRenderVisualization(cameraB, false);
    // Internal cameras and viewpoints stay out even when flagged and on a scene node.
    addFlag(helper, UberCamera::RenderVisualizationFlag);
    addNode(root, helper);
    addNode(root, view);
    EXPECT_EQ(kxUberCameraPool::getVisualizationNodes(), (std::vector<NodePtr>{sceneA, secondA}));
    // A core on two nodes is one camera.
    EXPECT_EQ(Utils::getCameras(root, false),
              (std::vector<UberCameraPtr>{cameraA, cameraB, helper}));
    EXPECT_EQ(Utils::getCameras(root, true).back(), view);
}

TEST_F(CameraRegistryTest, InitialCameraSkipsExcludedParentsAndFallsBackToLastPerspective) {
    const UberCameraPtr cameraC = newCamera("C", root, cameraRoot);
    // Flagged, but with no node below the camera root it never starts the scene.
    addFlag(newCamera("D", root, NodePtr()), UberCamera::InitialFlag);
    setDefaultCameraId(cameraB, UberCamera::PerspectiveView);
    setDefaultCameraId(cameraC, UberCamera::PerspectiveView);
    Utils::setInitialCamera(cameraA);
    for (const UInt32 flags : {0x1000u, 0u}) {
        edit(sceneA, Node::FlagsFieldMask, [&] { sceneA->setFlags(flags); });
        EXPECT_EQ(registry->getInitialCamera(), flags ? cameraC : cameraA) << flags;
    }
    EXPECT_EQ(registry->getDefaultCameras(),
              (std::vector<NodePtr>{internals[1], cameraC->getInternalParentNode()}));
}

TEST_F(CameraRegistryTest, UnassignedViewpointsAreThoseNotDirectlyBelowATrack) {
    const NodePtr nested =
        registry->add(Utils::createViewpoint(cameraA), registry->addGroup(track));
    EXPECT_EQ(registry->getViewpointNodes(),
              (std::vector<NodePtr>{internals[3], internals[4], nested}));
    EXPECT_EQ(registry->getUnassignedViewpoints(), (std::vector<NodePtr>{internals[3], nested}));
}

TEST_F(CameraRegistryTest, WithoutMaterialPoolEveryCallReportsOnceAndAnswersSafely) {
    const MaterialPoolPtr tempPool = hold(MaterialPool::create());
    scene->setMaterialPool(MaterialPoolPtr());
    const auto unattached = [&](const NodePtr& node) {
        const bool ok = !node.isNull() && node->getParent().isNull();
        addRefCP(node); // and release it
        subRefCP(node);
        return ok;
    };
    const std::pair<const char*, std::function<bool()>> calls[] = {
        {"getRoot", [] { return kxUberCameraPool::getRoot().isNull(); }},
        {"find", [&] { return registry->find("A").isNull(); }},
        {"find camera", [&] { return registry->find(cameraA).isNull(); }},
        {"findCamera", [&] { return registry->findCamera("A").isNull(); }},
        {"getInitialCamera", [&] { return registry->getInitialCamera().isNull(); }},
        {"getCustomCameras", [&] { return registry->getCustomCameras().empty(); }},
        {"getUnassigned", [&] { return registry->getUnassignedViewpoints().empty(); }},
        {"add", [&] { return unattached(registry->add(cameraA, NodePtr())); }},
        {"addGroup", [&] { return unattached(registry->addGroup(NodePtr())); }},
        {"temporary add", [&] { return !kxTempUberCameraPool(tempPool).add(root); }},
    };
    for (const auto& [name, call] : calls) {
        testing::internal::CaptureStdout();
        EXPECT_TRUE(call()) << name;
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "kxUberCameraPool: Couldn't receive material pool camera root!\n")
            << name;
    }
}

TEST_F(CameraRegistryTest, TempPoolCopiesCamerasAndHidesDefaultIdsUntilReset) {
    const MaterialPoolPtr tempPool = MaterialPool::create();
    addRefCP(tempPool);
    setDefaultCameraId(cameraA, UberCamera::TopView);
    setDefaultCameraId(view, UberCamera::SideView); // a viewpoint is neither copied nor marked
    addNode(root, view);
    kxTempUberCameraPool temp(tempPool);
    EXPECT_FALSE(temp.add(addNode(root, Group::create())));
    EXPECT_TRUE(temp.add(root));
    const NodePtr tempRoot = tempPool->getCameraRoot();
    ASSERT_EQ(tempRoot->getNChildren(), 2u);
    EXPECT_EQ(tempRoot->getChild(0)->getCore(), cameraA);
    EXPECT_EQ(tempRoot->getChild(1)->getCore(), cameraB);
    EXPECT_EQ(cameraA->getDefaultCameraId(), -1);
    EXPECT_EQ(view->getDefaultCameraId(), UberCamera::SideView);
    EXPECT_TRUE(temp.add(root));
    EXPECT_TRUE(temp.add(track)); // inside the camera tree: the subtree itself, once
    ASSERT_EQ(tempRoot->getNChildren(), 5u);
    EXPECT_EQ(tempRoot->getChild(4)->getChild(0)->getCore(), trackView);
    temp.reset();
    EXPECT_EQ(tempRoot->getNChildren(), 0u);
    EXPECT_EQ(cameraA->getDefaultCameraId(), UberCamera::TopView);

    // Once the temporary material pool is gone nothing is added, but ids still come back.
    setDefaultCameraId(cameraB, UberCamera::FrontView);
    EXPECT_TRUE(temp.add(sceneA));
    subRefCP(tempPool);
    EXPECT_FALSE(temp.add(root->getChild(1)));
    EXPECT_EQ(cameraB->getDefaultCameraId(), UberCamera::FrontView);
    temp.reset();
    EXPECT_EQ(cameraA->getDefaultCameraId(), UberCamera::TopView);
}

// ---- the utilities -------------------------------------------------------------------------

TEST_F(CameraRegistryTest, OnlyMinusOneMakesAnOrdinaryCameraAndAViewpointIsNeverDefault) {
    EXPECT_TRUE(Utils::getUberCamera(track).isNull());
    const std::tuple<Int32, UInt64, bool> cases[] = {
        {-1, 0, false}, {-2, 0, true}, {0, 0, true}, {0, 0x4, false}};
    for (const auto& [id, flags, isDefault] : cases) {
        edit(cameraA, Transform3DBase::FlagsFieldMask, [&] { cameraA->setFlags(flags); });
        setDefaultCameraId(cameraA, id);
        EXPECT_EQ(Utils::isDefaultCamera(sceneA), isDefault) << id << " " << flags;
        EXPECT_EQ(Utils::isViewpoint(sceneA), flags != 0);
    }
}

TEST_F(CameraRegistryTest, ExposureSettingsSeenThroughDecoratorsWithFallbacks) {
    const TonemappingSettingsPtr settings = TonemappingSettings::create();
    settings->setSensitivity(400.0f);
    const Real32 withSettings = 400.0f * 0.65f * 0.18354899f / (0.5f * 10.0f * 2.0f * 2.0f);
    const std::tuple<TonemappingSettingsPtr, Real32, Real32, Real32> cases[] = {
        {TonemappingSettingsPtr(), 1.0f, 1.0f, 1.1930684f}, {settings, 0.5f, 2.0f, withSettings}};
    for (const auto& [tonemapping, shutter, fStop, exposure] : cases) {
        cameraA->setTonemappingSettings(tonemapping);
        edit(cameraA, UberCameraBase::ShutterSpeedFieldMask,
             [&] { cameraA->setShutterSpeed(shutter); });
        cameraA->setFStop(fStop);
        EXPECT_FLOAT_EQ(Utils::getLuminousExposure(cameraA), exposure);
    }
    // Renderers may hold the camera behind a decorator.
    const CameraDecoratorPtr decorator = hold(CameraDecorator::create());
    ASSERT_TRUE(decorator->setDecoratee(cameraA));
    EXPECT_EQ(Utils::getTonemappingSettings(decorator.getCPtr()), settings);
    EXPECT_EQ(Utils::getFogSettings(decorator.getCPtr()), cameraA->getFogSettings());
    EXPECT_FLOAT_EQ(Utils::getFStop(decorator), 2.0f);
    EXPECT_FLOAT_EQ(Utils::getShutterSpeed(decorator), 0.5f);
    EXPECT_FLOAT_EQ(Utils::getLuminousExposure(decorator.getCPtr()), withSettings);
    const PerspectiveCameraPtr plain = hold(PerspectiveCamera::create());
    EXPECT_EQ(Utils::getFStop(plain), 125.0f);
    EXPECT_EQ(Utils::getShutterSpeed(plain), 1.0f);
    EXPECT_EQ(Utils::getLuminousExposure(plain), 1.0f);
}

TEST_F(CameraRegistryTest, TrackingUserNodeIsMarkedAndCountsOnlyWithChildren) {
    const NodePtr user = Utils::createTrackingUserNode(Transform::create(), "", sceneA);
    EXPECT_EQ(user->getParent(), sceneA);
    EXPECT_EQ(NodeUtils::getName(user), "TrackingUser");
    EXPECT_EQ(user->getExternalFlags(), 0x8u);
    EXPECT_TRUE(Utils::createTrackingUserNode(TransformPtr(), "Head", root).isNull());
    addNode(internals[0], Group::create());
    addNode(internals[0], Group::create()); // an internal node's children never count
    EXPECT_FALSE(Utils::hasNonDefaultChildren(cameraA));
    addNode(user, Group::create());
    EXPECT_TRUE(Utils::hasNonDefaultChildren(cameraA)); // asks every parent, not the first
    const NodePtr sceneB = root->getChild(1);
    Utils::createTrackingUserNode(Transform::create(), "", sceneB);
    EXPECT_FALSE(Utils::hasNonDefaultChildren(sceneB));
    addNode(sceneB, Group::create());
    EXPECT_TRUE(Utils::hasNonDefaultChildren(sceneB));
}

TEST_F(CameraRegistryTest, ViewpointCapturesTheTrackedViewOnlyUnderTracking) {
    Matrix shifted;
    shifted.setTranslate(10, 0, 0); // local and world space differ
    const UberCameraPtr camera = newCamera("T", addTransform(root, shifted), NodePtr());
    placeCamera(camera, Vec3f(1, 2, 3));
    using namespace kxCameraTypes;
    // Mode, one tracking matrix element's offset from identity, field of view and the viewpoint's.
    const std::tuple<ViewpointCreationMode, Real32, Real32, Real32> cases[] = {
        {CaptureTrackedView, 0, 30, 30},
        {CaptureTrackedView, 0.00001f, 30, 50},
        {CaptureTrackedView, 0.00001f, 60, 60},
        {CaptureTrackedView, 0.0000005f, 30, 30},
        {CopyStoredView, 0.00001f, 30, 30}};
    for (const auto& [mode, offset, fov, expectedFov] : cases) {
        Matrix tracking;
        tracking[3][0] = offset;
        edit(camera, CameraBase::TrackingMatrixFieldMask,
             [&] { camera->setTrackingMatrix(tracking); });
        edit(camera, PerspectiveCameraBase::FovFieldMask, [&] { camera->setFov(fov); });
        Utils::setViewpointCreationMode(mode);
        const UberCameraPtr viewpoint = hold(Utils::createViewpoint(camera));
        EXPECT_TRUE(viewpoint->isViewpoint());
        EXPECT_NEAR(viewpoint->getFov(), expectedFov, 1e-3f) << mode << " " << offset;
        Matrix expected, actual;
        camera->getTransform(expected, Camera::LocalSpace);
        viewpoint->getTransform(actual, Camera::LocalSpace);
        EXPECT_TRUE(actual.equals(expected, 1e-5f)) << mode << " " << offset;
    }
    Utils::setViewpointCreationMode(CaptureTrackedView);
}

TEST_F(CameraRegistryTest, NamesAndTheInitialFlag) {
    Utils::setName(cameraA, "", false);
    EXPECT_EQ(Utils::getName(cameraA), "A");
    Utils::setName(cameraA, "", true);
    EXPECT_EQ(Utils::getName(cameraA), "");
    const UberCameraPtr other = makeCamera();
    EXPECT_EQ(Utils::getName(other), "unknown");
    Utils::setName(other, "", true);
    EXPECT_EQ(Utils::getName(other), "");
    EXPECT_EQ(getNameAttachment(other)->getEncoding(), 1u);
    addFlag(other, UberCamera::InitialFlag);
    for (const UberCameraPtr& initial : {cameraA, view}) {
        Utils::setInitialCamera(initial);
        for (const UberCameraPtr& each : kxUberCameraPool::getContentPtrs(false, false))
            EXPECT_EQ(each->isInitial(), each == initial);
    }
}

TEST_F(CameraRegistryTest, AimCrossSpansTheSizeOnEachAxis) {
    const NodePtr aim = Utils::createAimGeometryNode(0.5f, root);
    EXPECT_EQ(aim->getParent(), root);
    EXPECT_EQ(NodeUtils::getName(aim), "AimVisualization");
    const GeometryPtr cross = GeometryPtr::dcast(aim->getCore());
    const Pnt3f points[] = {{-0.5f, 0, 0}, {0.5f, 0, 0},  {0, -0.5f, 0},
                            {0, 0.5f, 0},  {0, 0, -0.5f}, {0, 0, 0.5f}};
    ASSERT_EQ(cross->getPositions()->getValues().size(), 6u);
    for (UInt32 i = 0; i < 6; ++i)
        EXPECT_EQ(cross->getPositions()->getValue(i), points[i]) << i;
}

TEST_F(CameraRegistryTest, PreviewPrefersTheCoresImageOverTheBeacons) {
    const auto attachImage = [](const AttachmentContainerPtr& container) {
        const ImageAttachmentPtr attachment = ImageAttachment::create();
        attachment->setImage(Image::create());
        edit(container, AttachmentContainer::AttachmentsFieldMask,
             [&] { container->addAttachment(attachment); });
        return attachment->getImage();
    };
    EXPECT_TRUE(Utils::getPreview(cameraA).isNull());
    const ImagePtr onBeacon = attachImage(sceneA);
    EXPECT_EQ(Utils::getPreview(cameraA), onBeacon);
    const ImagePtr onCore = attachImage(cameraA);
    EXPECT_EQ(Utils::getPreview(cameraA), onCore);
}

TEST_F(CameraRegistryTest, NullArgumentsGiveSafeAnswers) {
    const NodePtr none;
    const UberCameraPtr noCamera;
    Camera* const raw = nullptr;
    registry->remove(noCamera);
    Utils::setName(CameraPtr(), "Name", true);
    Utils::setInitialCamera(noCamera);
    Utils::setRenderVisualization(noCamera, true);
    EXPECT_FALSE(Utils::isUberCamera(none) || Utils::isViewpoint(none) ||
                 Utils::isViewpoint(noCamera) || Utils::isNonViewpointCamera(none) ||
                 Utils::isDefaultCamera(none) || Utils::isDefaultCamera(noCamera) ||
                 Utils::isOrthographicCamera(noCamera) || Utils::isInternalCameraNode(none) ||
                 Utils::isCameraTrackNode(none) || Utils::hasNonDefaultChildren(none) ||
                 Utils::hasNonDefaultChildren(noCamera) || Utils::getRenderVisualization(noCamera));
    EXPECT_TRUE(registry->createInternalNode(noCamera, root).isNull() &&
                registry->add(noCamera, root).isNull() && registry->find(noCamera).isNull() &&
                Utils::getUberCamera(none).isNull() && Utils::findParentUberCamera(none).isNull() &&
                Utils::findParentUberCamera(noCamera).isNull() &&
                Utils::getNonDecoratedUberCamera(raw).isNull() &&
                Utils::getNonDecoratedUberCamera(CameraPtr()).isNull() &&
                Utils::getTonemappingSettings(raw).isNull() &&
                Utils::getFogSettings(raw).isNull() && Utils::getCameraAttachment(none).isNull() &&
                Utils::createViewpoint(noCamera).isNull() &&
                Utils::getPreview(CameraPtr()).isNull());
    EXPECT_EQ(Utils::getLuminousExposure(raw), 1.0f);
    EXPECT_EQ(Utils::getName(CameraPtr()), "unknown");
    EXPECT_TRUE(Utils::getCameras(none, true).empty() && Utils::getCameraNodes(none).empty() &&
                Utils::getSceneCameraNodes(root).empty());
}

// ---- random camera trees -------------------------------------------------------------------

class RandomCameraTreeTest : public CameraRegistryTest,
                             public testing::WithParamInterface<unsigned> {};

TEST_P(RandomCameraTreeTest, ListsCoverTheTreeAndRepairLeavesOneInternalNodePerSceneCamera) {
    std::mt19937 rng(GetParam());
    const auto pick = [&](const std::vector<NodePtr>& nodes) {
        return nodes[rng() % nodes.size()];
    };
    const NodePtr outside = hold(Node::create());
    std::vector<NodePtr> groups{cameraRoot}, sceneParents{root, outside}, expected = internals;
    const auto attach = [&](const UberCameraPtr& camera) {
        expected.push_back(registry->add(camera, pick(groups)));
    };
    const std::function<void()> steps[] = {
        [&] { groups.push_back(registry->addGroup(pick(groups))); },
        [&] { sceneParents.push_back(addNode(pick(sceneParents), Group::create())); },
        [&] { // plain camera with one or two scene nodes, with or without internal node
            const NodePtr internalParent = rng() % 2 ? pick(groups) : NodePtr();
            const UberCameraPtr camera = newCamera("Plain", pick(sceneParents), internalParent);
            if (!internalParent.isNull())
                expected.push_back(camera->getInternalParentNode());
            if (rng() % 3 == 0)
                addNode(pick(sceneParents), camera);
        },
        [&] { attach(registry->createCamera("Hidden", NodePtr())); },
        [&] { attach(registry->createInternalCamera(UberCameraPtr())); },
        [&] { attach(Utils::createViewpoint(cameraB)); },
    };
    for (int i = 0; i < 16; ++i)
        steps[rng() % std::size(steps)]();

    std::vector<NodePtr> listed = registry->getCameraNodes();
    for (const NodePtr& node : registry->getViewpointNodes())
        listed.push_back(node);
    EXPECT_EQ(listed.size(), expected.size());
    EXPECT_EQ(asSet(listed), asSet(expected));

    // Removing internal nodes shifts the parent list below the stored active index: decide before.
    std::map<UberCameraPtr, bool> inScene;
    for (const UberCameraPtr& camera : kxUberCameraPool::getContentPtrs(true, true))
        inScene[camera] = NodeUtils::isScenegraphNode(camera->getActiveParentNode());
    registry->validateInternalNodes();
    for (const UberCameraPtr& camera : kxUberCameraPool::getContentPtrs(true, true)) {
        std::size_t internalNodes = 0;
        for (const NodePtr& parent : camera->getParents())
            internalNodes += Utils::isInternalCameraNode(parent) ? 1 : 0;
        EXPECT_EQ(internalNodes, inScene.at(camera) ? 1u : 0u) << Utils::getName(camera);
    }
    EXPECT_TRUE(kxUberCameraPool::get(helperId).isNull()); // on no scene node: released
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomCameraTreeTest, testing::Range(1u, 21u));

} // namespace
