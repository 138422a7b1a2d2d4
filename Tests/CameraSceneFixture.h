#ifndef UBERCAM_TESTS_CAMERA_SCENE_FIXTURE_H
#define UBERCAM_TESTS_CAMERA_SCENE_FIXTURE_H

// Small scenes for camera tests: a root group, transform nodes and camera
// nodes, all released at the end of each test, with a check that nothing the
// test created is left alive.

#include "OSGFieldContainerFactory.h"
#include "OSGGroup.h"
#include "OSGLog.h"
#include "OSGMaterial.h"
#include "OSGNode.h"
#include "OSGTransform.h"
#include "OSGUberCamera.h"

#include <gtest/gtest.h>

#include <vector>

namespace ubercam::test {

class CameraSceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The default material lives until the scene graph exits; make it before counting.
        osg::getDefaultMaterial();
        _liveBefore = osg::FieldContainerFactory::the()->getNumLiveContainers();
        root = osg::Node::create();
        osg::addRefCP(root);
        setCore(root, osg::Group::create());
    }

    void TearDown() override {
        for (const osg::FieldContainerPtr& held : _held)
            osg::subRefCP(held);
        osg::subRefCP(root);
        EXPECT_EQ(osg::FieldContainerFactory::the()->getNumLiveContainers(), _liveBefore)
            << "a container created by the test is still alive";
    }

    /// Keeps `ptr` alive until the end of the test.
    template <class PtrT> PtrT hold(const PtrT& ptr) {
        osg::addRefCP(ptr);
        _held.push_back(ptr);
        return ptr;
    }

    static void setCore(const osg::NodePtr& node, const osg::NodeCorePtr& core) {
        osg::beginEditCP(node, osg::Node::CoreFieldMask);
        node->setCore(core);
        osg::endEditCP(node, osg::Node::CoreFieldMask);
    }

    static void addChild(const osg::NodePtr& parent, const osg::NodePtr& child) {
        osg::beginEditCP(parent, osg::Node::ChildrenFieldMask);
        parent->addChild(child);
        osg::endEditCP(parent, osg::Node::ChildrenFieldMask);
    }

    /// A new node with `core` below `parent`.
    static osg::NodePtr addNode(const osg::NodePtr& parent, const osg::NodeCorePtr& core) {
        osg::NodePtr node = osg::Node::create();
        setCore(node, core);
        addChild(parent, node);
        return node;
    }

    /// A transform node with `matrix` below `parent`.
    static osg::NodePtr addTransform(const osg::NodePtr& parent, const osg::Matrix& matrix) {
        osg::TransformPtr transform = osg::Transform::create();
        osg::beginEditCP(transform, osg::Transform::MatrixFieldMask);
        transform->setMatrix(matrix);
        osg::endEditCP(transform, osg::Transform::MatrixFieldMask);
        return addNode(parent, transform);
    }

    /// Marks `node` as an internal node of the camera registry.
    static void makeInternal(const osg::NodePtr& node) {
        osg::beginEditCP(node, osg::Node::ExternalFlagsFieldMask);
        node->setExternalFlags(node->getExternalFlags() | osg::UberCamera::InternalNodeFlag);
        osg::endEditCP(node, osg::Node::ExternalFlagsFieldMask);
    }

    /// A new camera held for the test, placed nowhere.
    osg::UberCameraPtr makeCamera() { return hold(osg::UberCamera::create()); }

    static void addFlag(const osg::UberCameraPtr& camera, osg::UInt64 flag) {
        osg::beginEditCP(camera, osg::Transform3DBase::FlagsFieldMask);
        camera->addFlag(flag);
        osg::endEditCP(camera, osg::Transform3DBase::FlagsFieldMask);
    }

    /// Places the camera by translation, rotation (axis, degrees) and scale.
    static void placeCamera(const osg::UberCameraPtr& camera, const osg::Vec3f& translation,
                            const osg::Quaternion& rotation = osg::Quaternion(),
                            const osg::Vec3f& scale = osg::Vec3f(1, 1, 1)) {
        const osg::BitVector mask = osg::Transform3DBase::TranslationFieldMask |
                                    osg::Transform3DBase::RotationFieldMask |
                                    osg::Transform3DBase::ScaleFieldMask;
        osg::beginEditCP(camera, mask);
        camera->setTranslation(translation);
        camera->setRotation(rotation);
        camera->setScale(scale);
        osg::endEditCP(camera, mask);
    }

    osg::NodePtr root;

private:
    osg::UInt32 _liveBefore = 0;
    std::vector<osg::FieldContainerPtr> _held;
};

/// Entries of a capture whose text starts with `text`.
inline std::size_t countEntries(osg::LogCapture& capture, const std::string& text) {
    std::size_t count = 0;
    for (const osg::LogEntry& entry : capture.entries()) {
        if (entry.text.rfind(text, 0) == 0)
            ++count;
    }
    return count;
}

} // namespace ubercam::test

#endif
