// View-change callbacks: registration, single calls, weak holding, purging,
// and the detection of a changed view inside getViewing.

#include "CameraSceneFixture.h"

#include <memory>
#include <vector>

using namespace osg;
using ubercam::test::CameraSceneTest;

namespace {

using CallbackPtr = UberCamera::ViewChangeCallbackPtr;

class ViewChangeCallbackTest : public CameraSceneTest {
protected:
    void SetUp() override {
        CameraSceneTest::SetUp();
        camera = makeCamera();
        addNode(root, camera);
    }

    /// A callback that records every id it is told, tagged with `tag`.
    CallbackPtr recorder(int tag) {
        return std::make_shared<UberCamera::ViewChangeCallback>(
            [this, tag](unsigned int id) { calls.emplace_back(tag, id); });
    }

    void moveTo(Real32 x) { placeCamera(camera, Vec3f(x, 0, 0)); }

    void render() {
        Matrix viewing;
        camera->getViewing(viewing, 640, 480);
    }

    std::vector<int> tagsCalled() const {
        std::vector<int> tags;
        for (const auto& call : calls)
            tags.push_back(call.first);
        return tags;
    }

    UberCameraPtr camera;
    std::vector<std::pair<int, unsigned int>> calls;
};

TEST_F(ViewChangeCallbackTest, CallbackIsToldTheCameraIdWhenTheViewChanges) {
    CallbackPtr callback = recorder(1);
    camera->registerViewChangeCallback(callback, false);
    moveTo(10);
    render();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].second, camera.getFieldContainerId());
}

TEST_F(ViewChangeCallbackTest, UnchangedViewNotifiesOnce) {
    CallbackPtr callback = recorder(1);
    camera->registerViewChangeCallback(callback, false);
    moveTo(10);
    render();
    render();
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(ViewChangeCallbackTest, FirstViewIsComparedWithTheIdentity) {
    CallbackPtr callback = recorder(1);
    camera->registerViewChangeCallback(callback, false);
    render();
    EXPECT_TRUE(calls.empty()) << "a camera at the origin has not moved";
}

TEST_F(ViewChangeCallbackTest, ChangesBelowTheToleranceAreNotViewChanges) {
    CallbackPtr callback = recorder(1);
    camera->registerViewChangeCallback(callback, false);
    moveTo(10);
    render();
    moveTo(10 + 5e-7f);
    render();
    EXPECT_EQ(calls.size(), 1u);
    placeCamera(camera, Vec3f(10, 1e-5f, 0));
    render();
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(ViewChangeCallbackTest, ViewWithoutCallbacksIsNotRemembered) {
    moveTo(10);
    render();
    CallbackPtr callback = recorder(1);
    camera->registerViewChangeCallback(callback, false);
    render();
    EXPECT_EQ(calls.size(), 1u) << "the last announced view is still the identity";
}

TEST_F(ViewChangeCallbackTest, SingleCallCallbackRunsOnceAndLeaves) {
    CallbackPtr callback = recorder(1);
    camera->registerViewChangeCallback(callback, true);
    moveTo(10);
    render();
    moveTo(20);
    render();
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(ViewChangeCallbackTest, RegisteringTwiceKeepsTheFirstEntry) {
    CallbackPtr callback = recorder(1);
    camera->registerViewChangeCallback(callback, false);
    camera->registerViewChangeCallback(callback, true);
    moveTo(10);
    render();
    moveTo(20);
    render();
    EXPECT_EQ(calls.size(), 2u) << "the entry kept its repeating flag and was not doubled";
}

TEST_F(ViewChangeCallbackTest, DroppedCallbackIsForgotten) {
    CallbackPtr kept = recorder(1);
    camera->registerViewChangeCallback(recorder(2), false);
    camera->registerViewChangeCallback(kept, false);
    moveTo(10);
    render();
    EXPECT_EQ(tagsCalled(), std::vector<int>{1});

    // The expired entry was purged: a null pointer now finds nothing to remove.
    camera->unregisterViewChangeCallback(nullptr);
    moveTo(20);
    render();
    EXPECT_EQ(tagsCalled(), (std::vector<int>{1, 1}));
}

TEST_F(ViewChangeCallbackTest, UnregisteringNullRemovesTheFirstExpiredEntry) {
    CallbackPtr first = recorder(1);
    CallbackPtr second = recorder(2);
    camera->registerViewChangeCallback(first, false);
    camera->registerViewChangeCallback(second, false);
    first.reset();
    camera->unregisterViewChangeCallback(nullptr);
    moveTo(10);
    render();
    EXPECT_EQ(tagsCalled(), std::vector<int>{2});
}

TEST_F(ViewChangeCallbackTest, UnregisterRemovesOnlyThatCallback) {
    CallbackPtr first = recorder(1);
    CallbackPtr second = recorder(2);
    camera->registerViewChangeCallback(first, false);
    camera->registerViewChangeCallback(second, false);
    camera->unregisterViewChangeCallback(first);
    moveTo(10);
    render();
    EXPECT_EQ(tagsCalled(), std::vector<int>{2});
}

TEST_F(ViewChangeCallbackTest, UnregisteringSingleCallsKeepsTheOthersInOrder) {
    std::vector<CallbackPtr> callbacks;
    for (int tag = 1; tag <= 4; ++tag) {
        callbacks.push_back(recorder(tag));
        camera->registerViewChangeCallback(callbacks.back(), tag == 1 || tag == 3);
    }
    camera->unregisterSingleCallViewChangeCallbacks();
    moveTo(10);
    render();
    EXPECT_EQ(tagsCalled(), (std::vector<int>{2, 4}));
}

TEST_F(ViewChangeCallbackTest, UnregisteringAllSilencesTheCamera) {
    CallbackPtr callback = recorder(1);
    camera->registerViewChangeCallback(callback, false);
    camera->unregisterViewChangeCallbacks();
    moveTo(10);
    render();
    EXPECT_TRUE(calls.empty());
}

TEST_F(ViewChangeCallbackTest, OperationsWithoutAListDoNothing) {
    camera->unregisterViewChangeCallback(recorder(1));
    camera->unregisterViewChangeCallback(nullptr);
    camera->unregisterViewChangeCallbacks();
    camera->unregisterSingleCallViewChangeCallbacks();
    moveTo(10);
    render();
    EXPECT_TRUE(calls.empty());
}

TEST_F(ViewChangeCallbackTest, EmptyFunctionObjectIsDroppedInsteadOfCalled) {
    auto empty = std::make_shared<UberCamera::ViewChangeCallback>();
    CallbackPtr callback = recorder(1);
    camera->registerViewChangeCallback(empty, false);
    camera->registerViewChangeCallback(callback, false);
    moveTo(10);
    EXPECT_NO_THROW(render());
    EXPECT_EQ(tagsCalled(), std::vector<int>{1});
}

TEST_F(ViewChangeCallbackTest, ShallowCopySharesTheCallbacks) {
    CallbackPtr callback = recorder(1);
    camera->registerViewChangeCallback(callback, false);
    UberCameraPtr copy = hold(UberCameraPtr::dcast(camera->shallowCopy()));
    addNode(root, copy);
    placeCamera(copy, Vec3f(0, 7, 0));
    Matrix viewing;
    copy->getViewing(viewing, 640, 480);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].second, copy.getFieldContainerId());

    // One list: removing through the copy removes it for the original too.
    copy->unregisterViewChangeCallback(callback);
    moveTo(10);
    render();
    EXPECT_EQ(calls.size(), 1u);
}

} // namespace
