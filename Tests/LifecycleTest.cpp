// The camera between creation and destruction: the sub-containers it owns,
// the registry and the create/destroy callback, the change handler, deep-clone
// and dump hooks, and one camera taking over another's settings or placement.

#include "CameraFieldValues.h"
#include "CameraSceneFixture.h"
#include "CameraTestMath.h"

#include "OSGAnimNode.h"
#include "OSGClone.h"
#include "OSGInit.h"
#include "OSGName.h"
#include "kxUberCameraPool.h"

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <vector>

using namespace osg;
using ubercam::test::CameraSceneTest;

namespace {

using ubercam::test::fieldBytes;
using ubercam::test::FieldBytes;
using ubercam::test::randomizedFieldsMask;
using ubercam::test::randomizeValueFields;
using ubercam::test::randomMask;
using ubercam::test::worldTransform;

constexpr Real32 Tolerance = 1e-4f;

// Fields a settings-only sync leaves alone, each on its own.
constexpr BitVector PlacementAndIdentityMasks[] = {NodeCore::ParentsFieldMask,
                                                   AttachmentContainer::AttachmentsFieldMask,
                                                   CameraBase::BeaconFieldMask,
                                                   CameraBase::TrackingMatrixFieldMask,
                                                   UberCamera::VisualizationFieldMask,
                                                   UberCamera::AnimationRootFieldMask,
                                                   UberCamera::ActiveParentIndexFieldMask,
                                                   UberCamera::DefaultCameraIdFieldMask};

constexpr UInt64 OwnFlags[] = {UberCamera::InternalCameraFlag, UberCamera::ViewpointFlag,
                               UberCamera::InitialFlag, UberCamera::DollyZoomFlag,
                               UberCamera::LegacyConversionFlag};

struct CallbackCall {
    UInt32 id;
    bool created;
    // What the callback saw when it ran.
    bool inRegistry;
    bool hasSettings;
};

class CameraLifecycleTest : public CameraSceneTest {
protected:
    void SetUp() override {
        CameraSceneTest::SetUp();
        for (const auto& [id, camera] : kxUberCameraPool::getContentMap())
            _registryBefore.insert(id);
    }

    void TearDown() override {
        UberCamera::setCreateDestroyCallback({});
        CameraSceneTest::TearDown();
        EXPECT_EQ(registryIds(), _registryBefore) << "a camera is left in the registry";
    }

    static std::set<UInt32> registryIds() {
        std::set<UInt32> ids;
        for (const auto& [id, camera] : kxUberCameraPool::getContentMap())
            ids.insert(id);
        return ids;
    }

    // The registry holds exactly the cameras alive before the test and `live`.
    void expectRegistryHolds(const std::vector<UberCameraPtr>& live) const {
        std::set<UInt32> expected = _registryBefore;
        for (const UberCameraPtr& camera : live)
            expected.insert(camera.getFieldContainerId());
        EXPECT_EQ(registryIds(), expected);
        for (const UberCameraPtr& camera : live)
            EXPECT_EQ(kxUberCameraPool::get(camera.getFieldContainerId()), camera);
    }

    // Records every call of the create/destroy callback.
    void spyOnCallback() {
        UberCamera::setCreateDestroyCallback([this](unsigned int id, bool created) {
            const UberCameraPtr camera =
                UberCameraPtr::dcast(FieldContainerFactory::the()->getContainer(id));
            const bool hasSettings = !camera.isNull() && !camera->getTonemappingSettings().isNull();
            calls.push_back({id, created, kxUberCameraPool::m_cameras.count(id) != 0, hasSettings});
        });
    }

    static std::vector<FieldContainerPtr> settingsContainers(const UberCameraPtr& camera) {
        return {camera->getLeftEyeDistortionMap(), camera->getRightEyeDistortionMap(),
                camera->getTonemappingSettings(), camera->getFogSettings(),
                camera->getPerspectiveMatch()};
    }

    static void setFlags(const UberCameraPtr& camera, UInt64 flags) {
        beginEditCP(camera, Transform3DBase::FlagsFieldMask);
        camera->setFlags(flags);
        endEditCP(camera, Transform3DBase::FlagsFieldMask);
    }

    static void setFocusDistance(const UberCameraPtr& camera, Real32 distance) {
        beginEditCP(camera, UberCamera::FocusDistanceFieldMask);
        camera->setFocusDistance(distance);
        endEditCP(camera, UberCamera::FocusDistanceFieldMask);
    }

    std::vector<CallbackCall> calls;

private:
    std::set<UInt32> _registryBefore;
};

// ---- creation and destruction ------------------------------------------------------

TEST_F(CameraLifecycleTest, CreatedCameraOwnsFiveSubContainersWithOneReferenceEach) {
    for (const UberCameraPtr& camera : {makeCamera(), hold(UberCamera::createEmpty())}) {
        const std::vector<FieldContainerPtr> owned = settingsContainers(camera);
        for (const FieldContainerPtr& container : owned) {
            ASSERT_FALSE(container.isNull());
            EXPECT_EQ(container.getRefCount(), 1) << container->getTypeName();
        }
        EXPECT_NE(camera->getLeftEyeDistortionMap(), camera->getRightEyeDistortionMap());
    }
}

TEST_F(CameraLifecycleTest, CamerasOwnDistinctSubContainers) {
    UberCameraPtr first = makeCamera();
    UberCameraPtr second = makeCamera();
    const std::vector<FieldContainerPtr> a = settingsContainers(first);
    const std::vector<FieldContainerPtr> b = settingsContainers(second);
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_NE(a[i], b[i]) << a[i]->getTypeName();
}

TEST_F(CameraLifecycleTest, ShallowCopyCountsWhatItSharesAndGetsFreshSettings) {
    UberCameraPtr camera = makeCamera();
    AnimNodePtr animation = AnimNode::create();
    beginEditCP(camera, UberCamera::AnimationRootFieldMask);
    camera->setAnimationRoot(animation);
    endEditCP(camera, UberCamera::AnimationRootFieldMask);

    UberCameraPtr copy = hold(UberCameraPtr::dcast(camera->shallowCopy()));

    EXPECT_EQ(copy->getAnimationRoot(), animation);
    EXPECT_EQ(animation.getRefCount(), 2);
    const std::vector<FieldContainerPtr> own = settingsContainers(camera);
    const std::vector<FieldContainerPtr> copied = settingsContainers(copy);
    for (std::size_t i = 0; i < own.size(); ++i) {
        SCOPED_TRACE(own[i]->getTypeName());
        ASSERT_FALSE(copied[i].isNull());
        EXPECT_NE(copied[i], own[i]);
        EXPECT_EQ(own[i].getRefCount(), 1);
        EXPECT_EQ(copied[i].getRefCount(), 1);
    }
}

TEST_F(CameraLifecycleTest, RegistryHoldsExactlyTheLiveCameras) {
    UberCameraPtr kept = makeCamera();
    UberCameraPtr copy = hold(UberCameraPtr::dcast(kept->shallowCopy()));
    UberCameraPtr camera = UberCamera::create();
    addRefCP(camera);
    const UInt32 id = camera.getFieldContainerId();
    expectRegistryHolds({kept, copy, camera});
    subRefCP(camera);
    EXPECT_EQ(kxUberCameraPool::m_cameras.count(id), 0u);
    EXPECT_TRUE(kxUberCameraPool::get(id).isNull());
    expectRegistryHolds({kept, copy});
}

TEST_F(CameraLifecycleTest, CallbackHearsOfCreationAfterSetUpAndDestructionAfterUnregistering) {
    spyOnCallback();
    UberCameraPtr camera = UberCamera::create();
    addRefCP(camera);
    const UInt32 id = camera.getFieldContainerId();
    subRefCP(camera);
    ASSERT_EQ(calls.size(), 2u);
    for (const auto& call : calls)
        EXPECT_EQ(call.id, id);
    EXPECT_TRUE(calls[0].created);
    EXPECT_TRUE(calls[0].inRegistry);
    EXPECT_TRUE(calls[0].hasSettings);
    EXPECT_FALSE(calls[1].created);
    EXPECT_FALSE(calls[1].inRegistry);
    // Announced before the camera lets go of its containers.
    EXPECT_TRUE(calls[1].hasSettings);
}

TEST_F(CameraLifecycleTest, ClearedOrReplacedCallbackIsNotCalled) {
    int firstCalls = 0;
    UberCamera::setCreateDestroyCallback([&firstCalls](unsigned int, bool) { ++firstCalls; });
    spyOnCallback();
    makeCamera();
    EXPECT_EQ(firstCalls, 0);
    EXPECT_EQ(calls.size(), 1u);
    UberCamera::setCreateDestroyCallback({});
    makeCamera();
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_FALSE(UberCamera::m_CreateDestroyCallback);
}

TEST_F(CameraLifecycleTest, PrototypeMadeAtStartupIsNeitherSetUpNorRegistered) {
    UberCameraPtr prototype = UberCameraPtr::dcast(UberCameraBase::getClassType().getPrototype());
    ASSERT_FALSE(prototype.isNull());
    for (const FieldContainerPtr& container : settingsContainers(prototype))
        EXPECT_TRUE(container.isNull());
    EXPECT_EQ(kxUberCameraPool::m_cameras.count(prototype.getFieldContainerId()), 0u);
}

TEST_F(CameraLifecycleTest, CameraMadeWhileStartingUpGetsNothingAndIsNotAnnounced) {
    // Puts the scene graph back into its running state whatever happens.
    struct StartupPhase {
        StartupPhase() { GlobalSystemState = Startup; }
        ~StartupPhase() { GlobalSystemState = Running; }
    };
    spyOnCallback();
    UberCameraPtr camera;
    {
        StartupPhase startup;
        camera = hold(UberCamera::createEmpty());
    }
    for (const FieldContainerPtr& container : settingsContainers(camera))
        EXPECT_TRUE(container.isNull());
    EXPECT_TRUE(camera->getVisualization().isNull());
    EXPECT_EQ(kxUberCameraPool::m_cameras.count(camera.getFieldContainerId()), 0u);
    EXPECT_TRUE(calls.empty());
}

TEST_F(CameraLifecycleTest, ExistingRegistryEntryIsKeptAndDestructionRemovesIt) {
    UberCameraPtr occupant = makeCamera();
    // Ids are handed out in sequence and never reused: learn the next one.
    GroupPtr probe = Group::create();
    const UInt32 nextId = probe.getFieldContainerId() + 1;
    subRefCP(probe);
    kxUberCameraPool::m_cameras.emplace(nextId, occupant);

    UberCameraPtr camera = UberCamera::create();
    addRefCP(camera);
    if (camera.getFieldContainerId() != nextId) {
        kxUberCameraPool::m_cameras.erase(nextId);
        subRefCP(camera);
        FAIL() << "the camera did not get the predicted id";
    }
    EXPECT_EQ(kxUberCameraPool::get(nextId), occupant);

    subRefCP(camera);
    EXPECT_EQ(kxUberCameraPool::m_cameras.count(nextId), 0u);
    expectRegistryHolds({occupant});
}

// ---- change handler --------------------------------------------------------------------------

TEST_F(CameraLifecycleTest, TurntableEditPlacesTheCameraOnItsOrbit) {
    constexpr Real32 Distance = 10.0f;
    constexpr Real32 Height = 2.0f;
    constexpr Real32 AngleDegrees = 90.0f;
    UberCameraPtr camera = makeCamera();
    const Pnt3f at = camera->getAt(Camera::LocalSpace);

    beginEditCP(camera, UberCamera::TurntableParameterFieldMask);
    camera->setTurntableParameter(Vec3f(Distance, Height, AngleDegrees));
    endEditCP(camera, UberCamera::TurntableParameterFieldMask);

    // The scene is y up: the orbit lies in the x-z plane, 90 degrees on +z.
    const Pnt3f expected = at + Vec3f(0, Height, Distance);
    EXPECT_TRUE(camera->getFrom(Camera::LocalSpace).equals(expected, Tolerance))
        << camera->getFrom(Camera::LocalSpace);
}

TEST_F(CameraLifecycleTest, AllFieldsEditNeverPlacesByTurntable) {
    UberCameraPtr camera = makeCamera();
    const Matrix before = camera->getMatrix();

    beginEditCP(camera);
    camera->setTurntableParameter(Vec3f(10, 2, 90));
    endEditCP(camera);

    EXPECT_EQ(camera->getMatrix(), before);
    EXPECT_EQ(camera->getTurntableParameter(), Vec3f(10, 2, 90));
}

// ---- deep clone and dump hooks ------------------------------------------------------------------

TEST_F(CameraLifecycleTest, DeepCloneOfInitialDefaultCameraIsNeither) {
    UberCameraPtr camera = makeCamera();
    setFlags(camera, UberCamera::InitialFlag | UberCamera::RegistryCameraFlag);
    beginEditCP(camera, UberCamera::DefaultCameraIdFieldMask);
    camera->setDefaultCameraId(UberCamera::TopView);
    endEditCP(camera, UberCamera::DefaultCameraIdFieldMask);

    UberCameraPtr clone = hold(UberCameraPtr::dcast(deepClone(camera)));
    ASSERT_FALSE(clone.isNull());
    EXPECT_FALSE(clone->isInitial());
    EXPECT_TRUE(clone->hasFlag(UberCamera::RegistryCameraFlag));
    EXPECT_EQ(clone->getDefaultCameraId(), UberCamera::NoDefaultCamera);
    // The original stays what it was.
    EXPECT_TRUE(camera->isInitial());
    EXPECT_EQ(camera->getDefaultCameraId(), UberCamera::TopView);
}

TEST_F(CameraLifecycleTest, OnDeepCloneOfAnOrdinaryCameraKeepsItsFlags) {
    UberCameraPtr camera = makeCamera();
    setFlags(camera, UberCamera::MotionBlurFlag);
    camera->onDeepClone();
    EXPECT_EQ(camera->getFlags(), UberCamera::MotionBlurFlag);
    EXPECT_EQ(camera->getDefaultCameraId(), UberCamera::NoDefaultCamera);
}

TEST_F(CameraLifecycleTest, DumpWritesOneLogLine) {
    UberCameraPtr camera = makeCamera();
    LogCapture capture;
    camera->dump();
    camera->dump(3, FieldBits_AllFields);
    const std::vector<LogEntry>& entries = capture.entries();
    ASSERT_EQ(entries.size(), 2u);
    for (const LogEntry& entry : entries) {
        EXPECT_EQ(entry.text, "Dump UberCamera NI\n");
        EXPECT_EQ(entry.level, LOG_LOG);
        EXPECT_EQ(entry.module, "OpenSG");
    }
}

// ---- syncWith ---------------------------------------------------------------------------------

TEST_F(CameraLifecycleTest, SyncWithNullSourceChangesNothing) {
    UberCameraPtr camera = makeCamera();
    const FieldBytes before = fieldBytes(camera, FieldBits_AllFields);
    camera->syncWith(UberCameraPtr(), FieldBits_AllFields, false);
    camera->syncTransformWith(UberCameraPtr(), Camera::WorldSpace);
    camera->syncTransformWith(UberCameraPtr(), Camera::LocalSpace);
    EXPECT_EQ(fieldBytes(camera, FieldBits_AllFields), before);
}

TEST_F(CameraLifecycleTest, SyncWithCopiesExactlyTheSelectedValueFields) {
    constexpr unsigned Seed = 7;
    constexpr int Iterations = 100;
    std::mt19937 rng(Seed);
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    const BitVector candidates = randomizedFieldsMask();
    for (int iteration = 0; iteration < Iterations; ++iteration) {
        SCOPED_TRACE(iteration);
        randomizeValueFields(source, rng);
        randomizeValueFields(target, rng);
        const BitVector mask = randomMask(rng, candidates);
        const FieldBytes before = fieldBytes(target, candidates);

        target->syncWith(source, mask, false);

        const FieldBytes from = fieldBytes(source, candidates);
        for (const auto& [id, bytes] : fieldBytes(target, candidates)) {
            const bool selected = (mask & (BitVector(1) << id)) != 0;
            ASSERT_EQ(bytes, selected ? from.at(id) : before.at(id)) << "field " << id;
        }
    }
}

TEST_F(CameraLifecycleTest, SyncWithItselfKeepsItsValuesAndBalancesReferences) {
    constexpr unsigned Seed = 1;
    std::mt19937 rng(Seed);
    UberCameraPtr camera = makeCamera();
    randomizeValueFields(camera, rng);
    camera->getFogSettings()->setDensity(0.5f);
    const FieldBytes before = fieldBytes(camera, randomizedFieldsMask());

    camera->syncWith(camera, FieldBits_AllFields, false);

    EXPECT_EQ(fieldBytes(camera, randomizedFieldsMask()), before);
    ASSERT_FALSE(camera->getFogSettings().isNull());
    EXPECT_EQ(camera->getFogSettings()->getDensity(), 0.5f);
    for (const FieldContainerPtr& container : settingsContainers(camera)) {
        ASSERT_FALSE(container.isNull());
        EXPECT_EQ(container.getRefCount(), 1) << container->getTypeName();
    }
}

TEST_F(CameraLifecycleTest, SettingsOnlySyncNeverTouchesPlacementOrIdentity) {
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    NodePtr targetNode = addNode(root, target);
    addNode(root, source);
    NodePtr beacon = addNode(root, Group::create());
    Matrix tracking;
    tracking.setTranslate(1, 2, 3);
    beginEditCP(source);
    source->setBeacon(beacon);
    source->setTrackingMatrix(tracking);
    source->setAnimationRoot(AnimNode::create());
    source->UberCameraBase::setActiveParentIndex(1);
    source->setDefaultCameraId(UberCamera::FrontView);
    endEditCP(source);
    setName(source, "source");
    const GeometryPtr targetVisualization = target->getVisualization();

    std::vector<BitVector> masks(std::begin(PlacementAndIdentityMasks),
                                 std::end(PlacementAndIdentityMasks));
    masks.push_back(FieldBits_AllFields);
    Real32 focus = 1.0f;
    for (BitVector mask : masks) {
        SCOPED_TRACE(mask);
        focus += 1.0f;
        setFocusDistance(source, focus);
        target->syncWith(source, mask | UberCamera::FocusDistanceFieldMask, true);

        EXPECT_EQ(target->getFocusDistance(), focus) << "the settings are taken over";
        EXPECT_TRUE(target->getBeaconField().isNull());
        ASSERT_EQ(target->getParents().size(), 1u);
        EXPECT_EQ(target->getParents()[0], targetNode);
        EXPECT_TRUE(getName(target) == nullptr);
        EXPECT_TRUE(target->getTrackingMatrix().isIdentity());
        EXPECT_EQ(target->getVisualization(), targetVisualization);
        EXPECT_TRUE(target->getAnimationRoot().isNull());
        EXPECT_EQ(target->UberCameraBase::getActiveParentIndex(), 0u);
        EXPECT_EQ(target->getDefaultCameraId(), UberCamera::NoDefaultCamera);
    }
}

TEST_F(CameraLifecycleTest, SyncWithKeepsTheCamerasOwnFlags) {
    constexpr UInt64 TargetFlags = UberCamera::InternalCameraFlag | UberCamera::InitialFlag;
    constexpr UInt64 SourceFlags = UberCamera::ViewpointFlag | UberCamera::DollyZoomFlag |
                                   UberCamera::LegacyConversionFlag | UberCamera::MotionBlurFlag;
    for (bool settingsOnly : {false, true}) {
        for (BitVector mask : {Transform3DBase::FlagsFieldMask, FieldBits_AllFields}) {
            SCOPED_TRACE(::testing::Message()
                         << "settingsOnly " << settingsOnly << " mask " << mask);
            UberCameraPtr source = makeCamera();
            UberCameraPtr target = makeCamera();
            setFlags(source, SourceFlags);
            setFlags(target, TargetFlags);

            target->syncWith(source, mask, settingsOnly);

            for (UInt64 flag : OwnFlags)
                EXPECT_EQ(target->hasFlag(flag), (TargetFlags & flag) != 0) << flag;
            EXPECT_TRUE(target->hasFlag(UberCamera::MotionBlurFlag)) << "other flags are copied";
        }
    }
}

TEST_F(CameraLifecycleTest, PerspectiveMatchSyncWithNullSourceSideKeepsTheCamerasOwn) {
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    const PerspectiveMatchPtr own = target->getPerspectiveMatch();
    own->setImageSize(Vec2f(320, 200));
    beginEditCP(source, UberCamera::PerspectiveMatchFieldMask);
    source->setPerspectiveMatch(PerspectiveMatchPtr());
    endEditCP(source, UberCamera::PerspectiveMatchFieldMask);

    target->syncWith(source, UberCamera::PerspectiveMatchFieldMask, false);

    EXPECT_EQ(target->getPerspectiveMatch(), own);
    EXPECT_EQ(own.getRefCount(), 1);
    EXPECT_EQ(own->getImageSize(), Vec2f(320, 200));
}

TEST_F(CameraLifecycleTest, PerspectiveMatchSyncCopiesValuesIntoTheCamerasOwn) {
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    const PerspectiveMatchPtr own = target->getPerspectiveMatch();
    source->getPerspectiveMatch()->setEnabled(true);
    source->getPerspectiveMatch()->setImageSize(Vec2f(640, 480));

    target->syncWith(source, UberCamera::PerspectiveMatchFieldMask, false);

    EXPECT_EQ(target->getPerspectiveMatch(), own);
    EXPECT_NE(own, source->getPerspectiveMatch());
    EXPECT_TRUE(own->getEnabled());
    EXPECT_EQ(own->getImageSize(), Vec2f(640, 480));
}

TEST_F(CameraLifecycleTest, TonemappingSyncFromSourceWithoutSettingsLeavesNone) {
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    const UInt32 oldId = target->getTonemappingSettings().getFieldContainerId();
    beginEditCP(source, UberCamera::TonemappingSettingsFieldMask);
    source->setTonemappingSettings(TonemappingSettingsPtr());
    endEditCP(source, UberCamera::TonemappingSettingsFieldMask);

    target->syncWith(source, UberCamera::TonemappingSettingsFieldMask, false);

    EXPECT_TRUE(target->getTonemappingSettings().isNull());
    EXPECT_TRUE(FieldContainerFactory::the()->getContainer(oldId).isNull())
        << "the old settings lost the camera's reference";
}

TEST_F(CameraLifecycleTest, SyncedSubContainersAreFreshClonesWithTheSourcesValues) {
    constexpr UInt32 SourceResponse = 7;
    constexpr UInt32 TargetResponse = 3;
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    source->getFogSettings()->setEnabled(true);
    source->getFogSettings()->setColor(Vec3f(0.1f, 0.2f, 0.3f));
    source->getFogSettings()->setDensity(0.5f);
    source->getTonemappingSettings()->setExposure(2.5f);
    source->getTonemappingSettings()->setSensorResponse(SourceResponse);
    target->getTonemappingSettings()->setSensorResponse(TargetResponse);
    source->getLeftEyeDistortionMap()->setRepeat(Vec2f(2, 3));
    source->getRightEyeDistortionMap()->setOffset(Vec2f(0.5f, 0.25f));
    AnimNodePtr animation = AnimNode::create();
    animation->setTargetName("spin");
    beginEditCP(source, UberCamera::AnimationRootFieldMask);
    source->setAnimationRoot(animation);
    endEditCP(source, UberCamera::AnimationRootFieldMask);

    const UInt32 oldIds[] = {target->getLeftEyeDistortionMap().getFieldContainerId(),
                             target->getRightEyeDistortionMap().getFieldContainerId(),
                             target->getTonemappingSettings().getFieldContainerId(),
                             target->getFogSettings().getFieldContainerId(),
                             target->getVisualization().getFieldContainerId()};

    const BitVector mask =
        UberCamera::LeftEyeDistortionMapFieldMask | UberCamera::RightEyeDistortionMapFieldMask |
        UberCamera::TonemappingSettingsFieldMask | UberCamera::FogSettingsFieldMask |
        UberCamera::AnimationRootFieldMask | UberCamera::VisualizationFieldMask;
    target->syncWith(source, mask, false);

    // Cloned, not shared: each is new, counted once, and the old ones are gone.
    const FieldContainerPtr cloned[] = {
        target->getLeftEyeDistortionMap(), target->getRightEyeDistortionMap(),
        target->getTonemappingSettings(),  target->getFogSettings(),
        target->getAnimationRoot(),        target->getVisualization()};
    const FieldContainerPtr originals[] = {
        source->getLeftEyeDistortionMap(), source->getRightEyeDistortionMap(),
        source->getTonemappingSettings(),  source->getFogSettings(),
        source->getAnimationRoot(),        source->getVisualization()};
    for (std::size_t i = 0; i < std::size(cloned); ++i) {
        SCOPED_TRACE(i);
        ASSERT_FALSE(cloned[i].isNull());
        EXPECT_NE(cloned[i], originals[i]);
        EXPECT_EQ(cloned[i].getRefCount(), 1);
    }
    for (UInt32 id : oldIds)
        EXPECT_TRUE(FieldContainerFactory::the()->getContainer(id).isNull()) << id;

    EXPECT_EQ(target->getLeftEyeDistortionMap()->getRepeat(), Vec2f(2, 3));
    EXPECT_EQ(target->getRightEyeDistortionMap()->getOffset(), Vec2f(0.5f, 0.25f));
    EXPECT_TRUE(target->getFogSettings()->getEnabled());
    EXPECT_EQ(target->getFogSettings()->getColor(), Vec3f(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(target->getFogSettings()->getDensity(), 0.5f);
    EXPECT_EQ(target->getAnimationRoot()->getTargetName(), "spin");
    EXPECT_EQ(target->getTonemappingSettings()->getExposure(), 2.5f);
    // The sensor-bound tonemapping attributes stay the camera's own.
    EXPECT_EQ(target->getTonemappingSettings()->getSensorResponse(), TargetResponse);
}

TEST_F(CameraLifecycleTest, SyncedBeaconIsACloneOfTheSourcesBeaconTree) {
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    NodePtr beacon = addNode(root, Group::create());
    addNode(beacon, Group::create());
    source->setBeacon(beacon);

    target->syncWith(source, CameraBase::BeaconFieldMask, false);

    const NodePtr& copy = target->getBeaconField();
    ASSERT_FALSE(copy.isNull());
    EXPECT_NE(copy, beacon);
    EXPECT_NE(copy->getCore(), beacon->getCore());
    EXPECT_EQ(copy->getNChildren(), beacon->getNChildren());
    EXPECT_EQ(copy.getRefCount(), 1);
}

TEST_F(CameraLifecycleTest, SyncedBeaconOfAPlacedSourceClonesTheNodeCarryingIt) {
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    NodePtr carrier = addNode(root, source);

    target->syncWith(source, CameraBase::BeaconFieldMask, false);

    // The carrying node is the source's beacon; its clone carries a new camera.
    const NodePtr& copy = target->getBeaconField();
    ASSERT_FALSE(copy.isNull());
    EXPECT_NE(copy, carrier);
    UberCameraPtr carried = UberCameraPtr::dcast(copy->getCore());
    ASSERT_FALSE(carried.isNull());
    EXPECT_NE(carried, source);
    expectRegistryHolds({source, target, carried});
}

// ---- syncTransformWith
// ---------------------------------------------------------------------------

TEST_F(CameraLifecycleTest, WorldSyncTransformCopiesTheWorldTransformAcrossParents) {
    Matrix firstFrame;
    firstFrame.setTranslate(10, 0, 0);
    Matrix secondFrame;
    secondFrame.setRotate(Quaternion(Vec3f(0, 1, 0), 1.2f));
    secondFrame[3] = Vec4f(0, 5, -3, 1);
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    addNode(addTransform(root, firstFrame), source);
    addNode(addTransform(root, secondFrame), target);
    placeCamera(source, Vec3f(1, 2, 3), Quaternion(Vec3f(1, 0, 0), 0.4f));
    setFocusDistance(source, 42.0f);

    target->syncTransformWith(source, Camera::WorldSpace);

    EXPECT_TRUE(worldTransform(target).equals(worldTransform(source), Tolerance))
        << worldTransform(target) << "\n\n"
        << worldTransform(source);
    EXPECT_NE(target->getFocusDistance(), 42.0f);
}

TEST_F(CameraLifecycleTest, LocalSyncTransformCopiesTheTransformAttributesOnly) {
    Matrix firstFrame;
    firstFrame.setTranslate(10, 0, 0);
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    addNode(addTransform(root, firstFrame), source);
    addNode(root, target);
    placeCamera(source, Vec3f(1, 2, 3), Quaternion(Vec3f(1, 0, 0), 0.4f), Vec3f(2, 2, 2));
    setFocusDistance(source, 42.0f);
    setFlags(source, UberCamera::MotionBlurFlag);

    target->syncTransformWith(source, Camera::LocalSpace);

    EXPECT_EQ(target->getTranslation(), source->getTranslation());
    EXPECT_EQ(target->getRotation(), source->getRotation());
    EXPECT_EQ(target->getScale(), source->getScale());
    EXPECT_EQ(target->getMatrix(), source->getMatrix());
    EXPECT_NE(target->getFocusDistance(), 42.0f);
    EXPECT_FALSE(target->hasFlag(UberCamera::MotionBlurFlag));
    // Different parents: the world transforms differ.
    EXPECT_FALSE(worldTransform(target).equals(worldTransform(source), Tolerance));
}

// ---- random sequences
// ---------------------------------------------------------------------------------

TEST_F(CameraLifecycleTest, RandomSequencesKeepRegistryAndReferencesInStep) {
    constexpr unsigned Seed = 1234;
    constexpr int Steps = 300;
    constexpr unsigned MaxFocus = 1000;
    enum Operation { Create, CreateEmpty, ShallowCopy, DeepClone, Sync, Edit, Destroy, Count };
    std::mt19937 rng(Seed);
    // Each held with one reference by the test, and by nothing else.
    std::vector<UberCameraPtr> live;
    auto pick = [&]() -> UberCameraPtr {
        return live[std::uniform_int_distribution<std::size_t>(0, live.size() - 1)(rng)];
    };
    auto adopt = [&](const FieldContainerPtr& made) {
        UberCameraPtr camera = UberCameraPtr::dcast(made);
        ASSERT_FALSE(camera.isNull());
        addRefCP(camera);
        live.push_back(camera);
    };

    for (int step = 0; step < Steps; ++step) {
        SCOPED_TRACE(step);
        auto operation = static_cast<Operation>(rng() % Count);
        if (live.empty())
            operation = Create;
        switch (operation) {
        case Create:
            adopt(UberCamera::create());
            break;
        case CreateEmpty:
            adopt(UberCamera::createEmpty());
            break;
        case ShallowCopy:
            adopt(pick()->shallowCopy());
            break;
        case DeepClone:
            adopt(deepClone(pick()));
            break;
        case Sync: {
            UberCameraPtr source = pick();
            UberCameraPtr target = pick();
            const BitVector mask = randomMask(rng);
            target->syncWith(source, mask, (rng() & 1) != 0);
            break;
        }
        case Edit: {
            UberCameraPtr camera = pick();
            setFlags(camera, camera->getFlags() ^ UberCamera::InternalCameraFlag);
            setFocusDistance(camera, static_cast<Real32>(rng() % MaxFocus));
            break;
        }
        case Destroy: {
            const std::size_t index =
                std::uniform_int_distribution<std::size_t>(0, live.size() - 1)(rng);
            subRefCP(live[index]);
            live.erase(live.begin() + static_cast<std::ptrdiff_t>(index));
            break;
        }
        case Count:
            break;
        }

        expectRegistryHolds(live);
        for (const UberCameraPtr& camera : live) {
            ASSERT_EQ(camera.getRefCount(), 1) << camera.getFieldContainerId();
            for (const FieldContainerPtr& container : settingsContainers(camera)) {
                ASSERT_FALSE(container.isNull());
                ASSERT_EQ(container.getRefCount(), 1) << container->getTypeName();
            }
        }
        if (HasFatalFailure())
            break;
    }

    for (const UberCameraPtr& camera : live)
        subRefCP(camera);
    expectRegistryHolds({});
}

} // namespace
