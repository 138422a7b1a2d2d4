// Cameras of older scenes converted to current ones: legacy settings, their
// nodes' attachments and beacons, and groups marked as camera tracks.

#include "CameraSceneFixture.h"

#include "NodeUtils.h"
#include "OSGCameraSetting.h"
#include "OSGCameraTrack.h"
#include "OSGName.h"
#include "OSGValuePair.h"
#include "kxConstraintManager.h"
#include "kxSceneData.h"
#include "kxUberCameraPool.h"
#include "kxUberCameraUtils.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <random>
#include <tuple>

using namespace osg;
using ubercam::test::CameraSceneTest;
using Utils = kxUberCameraUtils;

namespace {

const std::string TrackLine = "-- about to convert legacy camera track Tour\n";

class LegacyConversionTest : public CameraSceneTest {
protected:
    using Configure = std::function<void(CameraSetting&)>;
    using Entries = std::vector<std::pair<std::string, std::string>>;

    void SetUp() override {
        CameraSceneTest::SetUp();
        scene->setMaterialPool(hold(MaterialPool::create()));
        scene->setRootNode(root);
        cameraRoot = kxUberCameraPool::getRoot();
    }

    void TearDown() override {
        // Aim constraints hold their cameras and beacons.
        for (const UberCameraPtr& camera : kxUberCameraPool::getContentPtrs(false, false)) {
            while (!constraintOf(camera).isNull())
                kxConstraintManager::the().removeConstraint(constraintOf(camera));
        }
        scene->clear();
        CameraSceneTest::TearDown();
    }

    static AimConstraintPtr constraintOf(const UberCameraPtr& camera) {
        return kxConstraintManager::the().findAimConstraintForTarget(camera);
    }

    static CameraSettingPtr setting(const Configure& configure) {
        const CameraSettingPtr result = CameraSetting::create();
        configure(*result);
        return result;
    }

    static NodePtr legacyNode(
        const NodePtr& parent, const std::string& name,
        const Configure& configure = [](CameraSetting&) {}) {
        return NodeUtils::createNodeWithCore(setting(configure), parent, name);
    }

    static CameraAttachmentPtr attachCamera(const NodePtr& node) {
        const CameraAttachmentPtr attachment = CameraAttachment::create();
        node->addAttachment(attachment);
        return attachment;
    }

    static ValuePairPtr valuePair(const Entries& entries) {
        const ValuePairPtr pairs = ValuePair::create();
        for (const auto& [key, value] : entries)
            pairs->set(key, value);
        return pairs;
    }

    /// A group "Tour" below `parent` carrying a `ValuePair` of `entries`.
    static NodePtr markedGroup(const NodePtr& parent, const Entries& entries) {
        const NodePtr group = NodeUtils::createNodeWithCore(Group::create(), parent, "Tour");
        group->addAttachment(valuePair(entries));
        return group;
    }

    static ValuePairPtr valuePairOf(const NodePtr& node) {
        return ValuePairPtr::dcast(node->findAttachment(ValuePair::getClassType().getGroupId()));
    }

    static CameraTrackPtr trackOf(const NodePtr& node) {
        return CameraTrackPtr::dcast(node->getCore());
    }

    /// The conversion's result and what it wrote to standard output.
    static std::pair<bool, std::string> convert(const NodePtr& node) {
        testing::internal::CaptureStdout();
        const bool converted = Utils::convertToUberCamera(node);
        return {converted, testing::internal::GetCapturedStdout()};
    }

    kxSceneData* scene = kxSceneDataManager::getSceneData(0);
    NodePtr cameraRoot;
};

TEST_F(LegacyConversionTest, SettingValuesCarryOver) {
    const TonemappingSettingsPtr tonemapping = hold(TonemappingSettings::create());
    // Orthographic, lens shader, manual matrix, default view; projection mode,
    // frustum sides, whether the render and registry flags stay.
    const std::tuple<bool, UInt32, bool, int, UInt32, Vec4f, bool> cases[] = {
        {false, 0, false, -1, 0, Vec4f(-1, 1, -2, 2), true},
        {true, 0, false, 0, 1, Vec4f(-1, 1, 2, -2), true},
        {true, 3, false, 1, 4, Vec4f(-1, 1, 2, -2), false},
        {true, 3, true, 3, 7, Vec4f(-1, 1, 2, -2), false},
        {false, 0, false, 2, 0, Vec4f(-1, 1, -2, 2), false}};
    for (const auto& [ortho, lens, manual, view, mode, sides, drawn] : cases) {
        const UberCameraPtr camera = hold(Utils::convertFromSetting(
            hold(setting([&](CameraSetting& s) {
                s.setOrthographic(ortho), s.setLensShaderId(lens);
                s.setUseManualProjectionMatrix(manual);
                s.setLeft(-1), s.setRight(1), s.setBottom(-2), s.setTop(2);
                s.setFieldOfView(0.7853982f);
                s.setIsDefaultPersp(view == 0), s.setIsDefaultFront(view == 1);
                s.setIsDefaultSide(view == 2), s.setIsDefaultTop(view == 3);
                s.setTonemappingSettings(tonemapping);
            })),
            false));
        EXPECT_EQ(camera->getProjectionMode(), mode) << mode;
        EXPECT_EQ(camera->getFrustumSides(), sides) << mode;
        EXPECT_FLOAT_EQ(camera->getFov(), 45.0f);
        EXPECT_EQ(camera->getDefaultCameraId(), view) << view;
        EXPECT_EQ(camera->getFlags() & 0x6000, drawn ? 0x6000u : 0u) << view;
        EXPECT_EQ(camera->getTonemappingSettings(), tonemapping);
    }
    // Each setting and camera holds it, and this test: the cameras' own were released.
    EXPECT_EQ(tonemapping.getRefCount(), 11);

    const UberCameraPtr camera = hold(
        Utils::convertFromSetting(hold(setting([](CameraSetting& s) {
                                      s.setFlags(0x1 | 0x4 | 0x8);
                                      s.setUseManualFrustum(true), s.setDepthOfField(true);
                                      s.setMotionBlur(true), s.setIsViewpoint(true);
                                      s.setFocusDistance(7), s.setApertureDiameter(3);
                                      s.setUseTransformBeacon(true);
                                      s.setFrom(Pnt3f(1, 2, 3)), s.setAt(Pnt3f(4, 6, 15));
                                      s.editMFProjectionPlanePoints()->push_back(Pnt3f(1, 0, 0));
                                      s.editMFProjectionPlanePoints()->push_back(Pnt3f(0, 1, 0));
                                  })),
                                  false));
    EXPECT_EQ(camera->getFlags(),
              UInt64(0x8 | 0x80 | 0x400 | 0x40 | 0x100 | 0x200 | 0x4 | 0x2000 | 0x4000 | 0x8000));
    // Set after the field of view, which would have recomputed them.
    EXPECT_EQ(camera->getFocusDistance(), 7.0f);
    EXPECT_EQ(camera->getApertureDiameter(), 3.0f);
    EXPECT_EQ(camera->getMatrix(), Matrix());
    EXPECT_FLOAT_EQ(camera->getAtDistance(), 13.0f);
    EXPECT_EQ(camera->getPbarProjectionPlanePoints().getValues(),
              (std::vector<Pnt3f>{Pnt3f(1, 0, 0), Pnt3f(0, 1, 0)}));
    EXPECT_TRUE(camera->getInternalParentNode().isNull());
}

TEST_F(LegacyConversionTest, NodeBecomesANamedCameraWithDefaultIdAndInitialMark) {
    const UberCameraPtr previous = kxUberCameraPool::the()->createCamera("Previous", cameraRoot);
    Utils::setInitialCamera(previous);
    // Setting's side view, attachment's basic flag and view; expected id.
    const std::tuple<bool, bool, const char*, Int32> cases[] = {
        {false, true, "perspective", 0}, {false, true, "front", 1}, {false, true, "side", 2},
        {false, true, "top", 3},         {false, true, "Top", -1},  {false, false, "top", -1},
        {true, true, "front", 2}};
    for (const auto& [side, basic, view, id] : cases) {
        const NodePtr node =
            legacyNode(root, "Legacy", [&](CameraSetting& s) { s.setIsDefaultSide(side); });
        const CameraAttachmentPtr attachment = attachCamera(node);
        attachment->setBasicCamera(basic), attachment->setView(view);
        attachment->setInitialCamera(true);
        EXPECT_EQ(convert(node), std::make_pair(true, std::string()));
        const UberCameraPtr camera = Utils::getUberCamera(node);
        EXPECT_EQ(camera->getDefaultCameraId(), id) << view;
        EXPECT_TRUE(camera->isInitial() && !previous->isInitial());
        EXPECT_EQ(Utils::getName(camera), "Legacy");
        EXPECT_TRUE(getNameAttachment(node).isNull() && Utils::getCameraAttachment(node).isNull());
        EXPECT_EQ(camera->getInternalParentNode()->getParent(), cameraRoot);
    }
}

TEST_F(LegacyConversionTest, BeaconsInUseBecomeAnAimConstraint) {
    const NodePtr aim = addNode(root, Group::create());
    const NodePtr up = addNode(root, Group::create());
    // Aim in use, up in use; the constraint's aim and up nodes.
    const std::tuple<bool, bool, NodePtr, NodePtr> cases[] = {
        {true, true, aim, up}, {false, true, NodePtr(), up}, {false, false, NodePtr(), NodePtr()}};
    for (const auto& [useAim, useUp, aimNode, upNode] : cases) {
        const NodePtr node = legacyNode(root, "Aimed", [&](CameraSetting& s) {
            s.setFrom(Pnt3f(5, 5, 5));
            s.setUseAimBeacon(useAim), s.setAimBeacon(aim);
            s.setUseUpBeacon(useUp), s.setUpBeacon(up);
        });
        ASSERT_TRUE(Utils::convertToUberCamera(node));
        const UberCameraPtr camera = Utils::getUberCamera(node);
        const AimConstraintPtr constraint = constraintOf(camera);
        EXPECT_EQ(camera->getAimNode(), aimNode);
        EXPECT_EQ(camera->getUpVectorNode(), upNode);
        // Turned by the constraint, the camera stands at its node's origin.
        EXPECT_EQ(camera->getMatrix() == Matrix(), !constraint.isNull());
        EXPECT_FALSE(!constraint.isNull() && constraint->getMaintainOffset());
    }
}

TEST_F(LegacyConversionTest, MarkedGroupsBecomeTracksBelowTheCamerasInternalNode) {
    const NodePtr legacy = legacyNode(root, "Main");
    const NodePtr kept = markedGroup(legacy, {{"cameraTrack", "cameraTrack"},
                                              {"pauseDuration", "2.5"},
                                              {"variantSetCameraTrack", "variantSetCameraTrack"},
                                              {"owner", "Ann"}});
    const NodePtr bare =
        markedGroup(legacy, {{"pauseDuration", "1e300"}, {"cameraTrack", "cameraTrack"}});
    const NodePtr variant = markedGroup(bare, {{"variantSetCameraTrack", "variantSetCameraTrack"}});
    const NodePtr unmarked = markedGroup(legacy, {{"cameraTrack", "track"}});
    EXPECT_EQ(convert(legacy), std::make_pair(true, TrackLine + TrackLine + TrackLine));

    EXPECT_FLOAT_EQ(trackOf(kept)->getPauseDuration(), 2.5f);
    EXPECT_EQ(valuePairOf(kept)->getKeys().getValues(),
              (std::vector<std::string>{"variantSetCameraTrack", "owner"}));
    EXPECT_EQ(trackOf(bare)->getPauseDuration(), std::numeric_limits<Real32>::infinity());
    EXPECT_TRUE(valuePairOf(bare).isNull());
    EXPECT_EQ(trackOf(variant)->getPauseDuration(), 2.0f); // the track's own default
    EXPECT_EQ(valuePairOf(variant)->getSize(), 1u);
    EXPECT_TRUE(trackOf(unmarked).isNull());
    EXPECT_EQ(unmarked->getParent(), legacy);

    // Each track moved below the camera's internal node, in visit order, and flagged.
    const NodePtr internal = Utils::getUberCamera(legacy)->getInternalParentNode();
    const NodePtr moved[] = {kept, bare, variant};
    ASSERT_EQ(internal->getNChildren(), 3u);
    for (UInt32 i = 0; i < 3; ++i) {
        EXPECT_EQ(internal->getChild(i), moved[i]);
        EXPECT_EQ(moved[i]->getFlags(), 0x10u);
    }
}

TEST_F(LegacyConversionTest, TrackCamerasBecomeViewpointsWithTheirTimingAndOwnerMaps) {
    const TextureSettingsPtr ownerMap = hold(TextureSettings::create());
    ownerMap->setRepeat(Vec2f(2, 3));
    const TonemappingSettingsPtr ownerTonemapping = hold(TonemappingSettings::create());
    ownerTonemapping->setLeftEyeBlendingMap(ownerMap);
    const NodePtr legacy = legacyNode(root, "Main", [&](CameraSetting& s) {
        s.setLeftEyeDistortionMap(ownerMap), s.setTonemappingSettings(ownerTonemapping);
    });
    const NodePtr track = markedGroup(legacy, {{"cameraTrack", "cameraTrack"}});
    // Legacy flag 0x4, attachment; expected track overrides and override flag.
    const std::tuple<bool, bool, Vec4f, bool> cases[] = {{true, true, Vec4f(1, 2, 4, 0), true},
                                                         {false, true, Vec4f(1, 0, 4, 0), true},
                                                         {true, false, Vec4f(0, 0, 3, 0), false}};
    for (const auto& [transition, attached, overrides, overriding] : cases) {
        const NodePtr child = legacyNode(track, "View", [&](CameraSetting& s) {
            s.setIsViewpoint(true), s.setFlags(transition ? 0x4 : 0);
            s.setCameraChangeDuration(2), s.setTonemappingSettings(TonemappingSettings::create());
        });
        if (attached) {
            const CameraAttachmentPtr attachment = attachCamera(child);
            attachment->setFadeInDuration(1), attachment->setPauseDuration(4);
        }
    }
    const NodePtr foreign = addNode(track, Group::create()); // no camera: left alone
    ASSERT_TRUE(convert(legacy).first);

    for (UInt32 i = 0; i < 3; ++i) {
        const NodePtr child = track->getChild(i);
        const UberCameraPtr viewpoint = Utils::getUberCamera(child);
        ASSERT_TRUE(Utils::isViewpoint(viewpoint) && Utils::isInternalCameraNode(child)) << i;
        EXPECT_EQ(viewpoint->getTrackOverrides(), std::get<2>(cases[i])) << i;
        EXPECT_EQ(viewpoint->hasFlag(0x10), std::get<3>(cases[i])) << i;
        EXPECT_TRUE(Utils::getCameraAttachment(child).isNull());
        EXPECT_EQ(Utils::getName(viewpoint), "View");
        EXPECT_TRUE(getNameAttachment(child).isNull());
        // A copy of the owner's map each; none where the owner has none.
        const TonemappingSettingsPtr& tonemapping = viewpoint->getTonemappingSettings();
        for (const TextureSettingsPtr& map :
             {viewpoint->getLeftEyeDistortionMap(), tonemapping->getLeftEyeBlendingMap()}) {
            ASSERT_FALSE(map.isNull());
            EXPECT_NE(map, ownerMap);
            EXPECT_EQ(map->getRepeat(), Vec2f(2, 3));
        }
        EXPECT_TRUE(viewpoint->getRightEyeDistortionMap().isNull() &&
                    tonemapping->getRightEyeBlendingMap().isNull());
    }
    EXPECT_EQ(track->getChild(3), foreign);
    EXPECT_EQ(foreign->getExternalFlags(), 0u);
}

TEST_F(LegacyConversionTest, TrackConvertedOnceIsKeptByALaterConversion) {
    const NodePtr track =
        markedGroup(legacyNode(root, "Main"), {{"cameraTrack", "cameraTrack"},
                                               {"variantSetCameraTrack", "variantSetCameraTrack"}});
    legacyNode(track, "View");
    ASSERT_TRUE(convert(track->getParent()).first);
    const NodeCorePtr trackCore = track->getCore();
    const NodeCorePtr viewpoint = track->getChild(0)->getCore();
    trackOf(track)->setPauseDuration(9);
    // Still marked by its variant-set entry, the track moves below another legacy camera.
    const NodePtr other = legacyNode(root, "Other");
    addChild(other, track);
    EXPECT_EQ(convert(other), std::make_pair(true, TrackLine));
    EXPECT_EQ(track->getCore(), trackCore);
    EXPECT_EQ(trackOf(track)->getPauseDuration(), 9.0f);
    EXPECT_EQ(valuePairOf(track)->getSize(), 1u);
    EXPECT_EQ(track->getChild(0)->getCore(), viewpoint);
    EXPECT_EQ(track->getParent(), Utils::getUberCamera(other)->getInternalParentNode());
}

TEST_F(LegacyConversionTest, WithoutCameraRootTracksAreConvertedInPlace) {
    scene->setMaterialPool(MaterialPoolPtr());
    const NodePtr legacy = legacyNode(root, "Main");
    const NodePtr track = markedGroup(legacy, {{"cameraTrack", "cameraTrack"}});
    legacyNode(track, "View");
    const std::string noRoot = std::string(kxUberCameraPool::NoCameraRootMessage) + "\n";
    EXPECT_EQ(convert(legacy), std::make_pair(true, noRoot + TrackLine + noRoot));
    EXPECT_TRUE(Utils::getUberCamera(legacy)->getInternalParentNode().isNull());
    EXPECT_EQ(track->getParent(), legacy);
    EXPECT_EQ(track->getFlags(), 0x10u);
    EXPECT_TRUE(Utils::isInternalCameraNode(track->getChild(0)));
}

TEST_F(LegacyConversionTest, InputWithoutLegacyCameraIsRefused) {
    const NodePtr group = addNode(root, Group::create());
    for (const NodePtr& node : {NodePtr(), addNode(root, NodeCorePtr()), group})
        EXPECT_EQ(convert(node), std::make_pair(false, std::string()));
    EXPECT_TRUE(Utils::convertFromSetting(CameraSettingPtr(), true).isNull());
    kxUberCameraPool::the()->addLegacyCameraTrack(NodePtr(), root);
    kxUberCameraPool::the()->addLegacyCameraTrack(group, cameraRoot);
    EXPECT_EQ(group->getParent(), root);
    EXPECT_EQ(group->getFlags(), 0u);
}

// ---- random legacy scenes ----------------------------------------------------------------

class RandomLegacySceneTest : public LegacyConversionTest,
                              public testing::WithParamInterface<unsigned> {
protected:
    using NodeState = std::tuple<NodePtr, NodeCorePtr, NodePtr, UInt32, UInt32, std::size_t>;

    static void collect(const NodePtr& node, std::vector<NodeState>& states) {
        states.emplace_back(node, node->getCore(), node->getParent(), node->getFlags(),
                            node->getExternalFlags(), node->getAttachments().size());
        for (UInt32 i = 0; i < node->getNChildren(); ++i)
            collect(node->getChild(i), states);
    }

    std::vector<NodeState> snapshot() const {
        std::vector<NodeState> states;
        collect(root, states);
        collect(cameraRoot, states);
        return states;
    }
};

TEST_P(RandomLegacySceneTest, ConversionLeavesNoLegacyStateAndRepeatsAsNoOp) {
    std::mt19937 rng(GetParam());
    const auto chance = [&](unsigned n) { return rng() % n == 0; };
    const auto pick = [&](const std::vector<NodePtr>& nodes) {
        return nodes[rng() % nodes.size()];
    };
    const auto real = [&] { return std::uniform_real_distribution<Real32>(-50, 50)(rng); };
    std::vector<NodePtr> places{root}, belowCamera, tracks, legacy;
    std::vector<std::pair<NodePtr, NodePtr>> viewpoints; // (node, its track)

    const auto randomSetting = [&](bool viewpoint) {
        return [&, viewpoint](CameraSetting& s) {
            s.setOrthographic(chance(3)), s.setLensShaderId(rng() % 3);
            s.setUseManualProjectionMatrix(chance(5)), s.setFieldOfView(real() / 20 + 2.5f);
            s.setFlags(rng() % 16), s.setIsViewpoint(viewpoint);
            const unsigned view = rng() % 8;
            s.setIsDefaultPersp(view == 0), s.setIsDefaultFront(view == 1);
            s.setIsDefaultSide(view == 2), s.setIsDefaultTop(view == 3);
            s.setUseTransformBeacon(chance(4));
            s.setFrom(Pnt3f(real(), real(), real())), s.setAt(Pnt3f(real(), real(), real()));
            s.setUseAimBeacon(chance(3)), s.setUseUpBeacon(chance(3));
            s.setAimBeacon(chance(2) ? pick(places) : NodePtr()); // its own ancestors too
            s.setUpBeacon(chance(2) ? pick(places) : NodePtr());
            s.setLeftEyeDistortionMap(chance(3) ? TextureSettings::create() : TextureSettingsPtr());
            if (chance(3)) {
                const TonemappingSettingsPtr tonemapping = TonemappingSettings::create();
                tonemapping->setRightEyeBlendingMap(TextureSettings::create());
                s.setTonemappingSettings(tonemapping);
            }
        };
    };
    const char* const views[] = {"perspective", "front", "Top", ""};
    const auto maybeAttach = [&](const NodePtr& node) {
        if (chance(2))
            return;
        const CameraAttachmentPtr a = attachCamera(node);
        a->setBasicCamera(chance(2)), a->setView(views[rng() % 4]);
        a->setInitialCamera(chance(4)), a->setOverrideTrackSettings(chance(3));
    };
    const char* const pauses[] = {"2.5", "", "abc", "1e300"};
    const auto markers = [&] {
        const unsigned kind = rng() % 3;
        Entries entries;
        if (kind != 1)
            entries.emplace_back("cameraTrack", "cameraTrack");
        if (kind != 0)
            entries.emplace_back("variantSetCameraTrack", "variantSetCameraTrack");
        if (chance(2))
            entries.emplace_back("pauseDuration", pauses[rng() % 4]);
        if (chance(3))
            entries.emplace_back("note", "kept");
        return entries;
    };
    // Tracks go only below legacy cameras: elsewhere nothing converts them.
    const auto place = [&](const NodePtr& parent, const NodePtr& node, bool camera) {
        places.push_back(node);
        if (camera || std::count(belowCamera.begin(), belowCamera.end(), parent) != 0)
            belowCamera.push_back(node);
        return node;
    };
    const std::function<void()> steps[] = {
        [&] {
            const NodePtr parent = pick(places);
            place(parent, addNode(parent, Group::create()), false);
        },
        [&] { // marks that do not match
            const NodePtr parent = pick(places);
            place(parent, markedGroup(parent, {{"cameraTrack", "track"}}), false);
        },
        [&] {
            const NodePtr parent = pick(places);
            const NodePtr node =
                legacyNode(parent, chance(3) ? "" : "Camera", randomSetting(false));
            maybeAttach(node);
            if (chance(10)) // also marked as a track
                node->addAttachment(valuePair(markers()));
            legacy.push_back(place(parent, node, true));
        },
        [&] {
            if (!belowCamera.empty()) {
                const NodePtr parent = pick(belowCamera);
                tracks.push_back(place(parent, markedGroup(parent, markers()), false));
            }
        },
        [&] {
            if (tracks.empty())
                return;
            const NodePtr track = pick(tracks);
            const NodePtr node = legacyNode(track, "View", randomSetting(true));
            maybeAttach(node);
            legacy.push_back(node);
            viewpoints.emplace_back(node, track);
        },
    };
    for (int i = 0; i < 24; ++i)
        steps[rng() % std::size(steps)]();

    // In creation order, parents first: a track's cameras convert with the camera above.
    testing::internal::CaptureStdout();
    for (const NodePtr& node : legacy)
        Utils::convertToUberCamera(node);
    testing::internal::GetCapturedStdout();

    for (const auto& [node, core, parent, flags, externalFlags, attachments] : snapshot()) {
        EXPECT_TRUE(CameraSettingPtr::dcast(core).isNull());
        // A marked legacy node below another camera becomes a track as it is, attachment
        // and all; every node that carries a converted camera has lost its attachment.
        const UberCameraPtr camera = UberCameraPtr::dcast(core);
        if (!camera.isNull() && camera->hasFlag(UberCamera::LegacyConversionFlag)) {
            EXPECT_EQ(kxUberCameraPool::get(camera->getId()), camera);
            EXPECT_TRUE(Utils::getCameraAttachment(node).isNull());
        }
        if (Utils::isViewpoint(node)) {
            EXPECT_TRUE(Utils::isInternalCameraNode(node) && Utils::isCameraTrackNode(parent));
        }
        if (Utils::isCameraTrackNode(node)) {
            EXPECT_EQ(flags & 0x10, 0x10u);
            std::string text;
            const ValuePairPtr pairs = valuePairOf(node);
            EXPECT_FALSE(!pairs.isNull() &&
                         (pairs->get("cameraTrack", text) || pairs->get("pauseDuration", text)));
        }
    }
    for (const auto& [node, track] : viewpoints)
        EXPECT_TRUE(Utils::isViewpoint(node) && node->getParent() == track);

    const std::vector<NodeState> before = snapshot();
    for (const NodePtr& node : legacy)
        EXPECT_FALSE(Utils::convertToUberCamera(node));
    EXPECT_TRUE(snapshot() == before);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomLegacySceneTest, testing::Range(1u, 41u));

} // namespace
