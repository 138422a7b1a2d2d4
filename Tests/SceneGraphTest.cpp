// The scene graph: node trees and their cores, traversal, attachments and names, world
// matrices and volumes, Transform3D components, camera placement and the perspective
// projection. A box core registered here stands in for geometry, so volumes have content.

#include "OSGAction.h"
#include "OSGBoxVolume.h"
#include "OSGChangeList.h"
#include "OSGFieldContainerFactory.h"
#include "OSGFieldContainerMacros.h"
#include "OSGGroup.h"
#include "OSGName.h"
#include "OSGNode.h"
#include "OSGNodeCore.h"
#include "OSGPerspectiveCamera.h"
#include "OSGThread.h"
#include "OSGTransform.h"
#include "OSGTransform3D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

using namespace osg;

namespace {

class BoxCore;
using BoxCorePtr = FCPtr<NodeCorePtr, BoxCore>;

/// A core with fixed bounds, standing in for geometry.
class BoxCore : public NodeCore {
    OSG_CONTAINER_DECL(BoxCorePtr, BoxCore)

public:
    using Inherited = NodeCore;
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId;

    void setBox(const BoxVolume& box) {
        _box = box;
        invalidateVolume();
    }
    void adjustVolume(Volume& volume) override { volume.extendBy(_box); }

protected:
    friend class FieldContainer;
    BoxCore() = default;
    BoxCore(const BoxCore& source) = default;

private:
    static FieldContainerType _type;

    BoxVolume _box;
};

OSG_CONTAINER_TYPE_DEF_NO_FIELDS(BoxCore, "TestBoxCore", "NodeCore", nullptr, &BoxCore::createEmpty)
OSG_CONTAINER_DEF(BoxCore, BoxCore)

constexpr Real32 MatrixTol = 1e-5f; // a few float products of O(1) to O(10) values
constexpr Real32 PointTol = 1e-4f;  // points of magnitude up to ~10 through those matrices
constexpr UInt16 FirstBinding = 0;
constexpr UInt16 SecondBinding = 1;
constexpr UInt64 LowFlag = UInt64(1) << 0;
constexpr UInt64 MiddleFlag = UInt64(1) << 17;
constexpr UInt64 HighFlag = UInt64(1) << 63;

FieldContainerFactory* factory() {
    return FieldContainerFactory::the();
}
UInt32 liveContainers() {
    return factory()->getNumLiveContainers();
}
bool isAlive(UInt32 id) {
    return !factory()->getContainer(id).isNull();
}

NodePtr makeNode(const NodeCorePtr& core) {
    NodePtr node = Node::create();
    node->setCore(core);
    return node;
}

NodePtr makeGroupNode() {
    return makeNode(Group::create());
}

void setMatrix(const TransformPtr& transform, const Matrix& matrix) {
    beginEditCP(transform, Transform::MatrixFieldMask);
    transform->setMatrix(matrix);
    endEditCP(transform, Transform::MatrixFieldMask);
}

TransformPtr makeTransform(const Matrix& matrix) {
    TransformPtr transform = Transform::create();
    setMatrix(transform, matrix);
    return transform;
}

Matrix translation(Real32 x, Real32 y, Real32 z) {
    Matrix m;
    m.setTranslate(x, y, z);
    return m;
}

Matrix scaling(Real32 x, Real32 y, Real32 z) {
    Matrix m;
    m.setScale(x, y, z);
    return m;
}

// Quarter turns written out, so expectations do not depend on the quaternion code.
Matrix quarterTurnZ() {
    return Matrix(0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
}
Matrix quarterTurnX() {
    return Matrix(1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1);
}
Quaternion quarterTurnZRotation() {
    return Quaternion(Vec3f(0, 0, 1), Pi / 2);
}
Quaternion quarterTurnXRotation() {
    return Quaternion(Vec3f(1, 0, 0), Pi / 2);
}

::testing::AssertionResult matrixNear(const Matrix& actual, const Matrix& expected,
                                      Real32 tolerance = MatrixTol) {
    if (actual.equals(expected, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\n" << actual << "\nexpected\n" << expected;
}

::testing::AssertionResult pointNear(const Pnt3f& actual, const Pnt3f& expected,
                                     Real32 tolerance = PointTol) {
    if (actual.equals(expected, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " expected " << expected;
}

::testing::AssertionResult boxNear(const BoxVolume& actual, const Pnt3f& min, const Pnt3f& max) {
    if (actual.isEmpty())
        return ::testing::AssertionFailure() << "box is empty";
    if (actual.getMin().equals(min, PointTol) && actual.getMax().equals(max, PointTol))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " expected min " << min << " max " << max;
}

/// Holds the scene's root for the test and checks that releasing it frees everything the test
/// made.
class SceneTestBase : public ::testing::Test {
protected:
    void SetUp() override { _liveBefore = liveContainers(); }
    void TearDown() override {
        subRefCP(_root);
        _root = NullFC;
        EXPECT_EQ(liveContainers(), _liveBefore);
    }

    void setRoot(const NodePtr& root) {
        _root = root;
        addRefCP(_root);
    }

    NodePtr _root;
    UInt32 _liveBefore = 0;
};

// --- Node trees and cores --------------------------------------------------------------------

// root -> a -> a1
//      -> b
class NodeTreeTest : public SceneTestBase {
protected:
    void SetUp() override {
        SceneTestBase::SetUp();
        setRoot(makeGroupNode());
        _a = makeGroupNode();
        _a1 = makeGroupNode();
        _b = makeGroupNode();
        _root->addChild(_a);
        _root->addChild(_b);
        _a->addChild(_a1);
    }

    void expectChildren(const NodePtr& parent, const std::vector<NodePtr>& expected) {
        ASSERT_EQ(parent->getNChildren(), expected.size());
        for (UInt32 i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(parent->getChild(i), expected[i]) << "child " << i;
            EXPECT_EQ(expected[i]->getParent(), parent) << "child " << i;
            EXPECT_EQ(expected[i].getRefCount(), 1) << "child " << i;
        }
    }

    NodePtr _a, _a1, _b;
};

TEST_F(NodeTreeTest, AddChildSetsTheParentAndMovesAnExistingChildWithoutFreeingIt) {
    NodePtr child = makeGroupNode();
    _b->addChild(child);
    expectChildren(_b, {child});

    const UInt32 id = _a1.getFieldContainerId();
    _b->addChild(_a1);
    EXPECT_TRUE(isAlive(id));
    EXPECT_EQ(_a->getNChildren(), 0u);
    expectChildren(_b, {child, _a1});

    _root->addChild(_a); // again: moves to the end
    expectChildren(_root, {_b, _a});
}

// The handle passed in lives in the old parent's child list, which the move edits.
TEST_F(NodeTreeTest, AddChildTakesAHandleStraightFromTheOldParentsChildList) {
    NodePtr a2 = makeGroupNode();
    _a->addChild(a2);
    _b->addChild(_a->getChildren()[0]);
    expectChildren(_b, {_a1});
    expectChildren(_a, {a2});
}

TEST_F(NodeTreeTest, InsertChildGoesBeforeTheIndexOrAtTheEndAndRefusesNullOrItself) {
    NodePtr middle = makeGroupNode();
    NodePtr last = makeGroupNode();
    _root->insertChild(1, middle);
    _root->insertChild(99, last);
    _root->addChild(NullFC);
    _root->addChild(_root);
    expectChildren(_root, {_a, middle, _b, last});
    EXPECT_TRUE(_root->getParent().isNull());
    EXPECT_EQ(_root.getRefCount(), 1);
}

TEST_F(NodeTreeTest, SubChildFreesAnUnreferencedChildWithItsSubtree) {
    const UInt32 aId = _a.getFieldContainerId();
    const UInt32 a1Id = _a1.getFieldContainerId();
    const UInt32 coreId = _a1->getCore().getFieldContainerId();
    _root->subChild(_a1); // not a child
    _root->subChild(UInt32(99));
    _root->subChild(NodePtr());
    EXPECT_EQ(_a1->getParent(), _a);
    _root->subChild(_a);
    EXPECT_FALSE(isAlive(aId));
    EXPECT_FALSE(isAlive(a1Id));
    EXPECT_FALSE(isAlive(coreId));
    expectChildren(_root, {_b});
}

TEST_F(NodeTreeTest, SubChildKeepsAReferencedChildAndClearsItsParent) {
    addRefCP(_a);
    _root->subChild(_a);
    EXPECT_TRUE(_a->getParent().isNull());
    EXPECT_EQ(_a.getRefCount(), 1);
    EXPECT_EQ(_a->getChild(0), _a1);
    subRefCP(_a);
}

TEST_F(NodeTreeTest, FindChildAndGetChildOutOfRange) {
    EXPECT_EQ(_root->findChild(_a), 0);
    EXPECT_EQ(_root->findChild(_b), 1);
    EXPECT_EQ(_root->findChild(_a1), -1);
    EXPECT_EQ(_root->findChild(NullFC), -1);
    EXPECT_TRUE(_root->getChild(2).isNull());
    EXPECT_TRUE(_root->getChild(~UInt32(0)).isNull());
    EXPECT_TRUE(_a1->getChild(0).isNull());
}

TEST_F(NodeTreeTest, SharedCoreListsBothParentsAndSurvivesUntilItsLastNodeGoes) {
    GroupPtr shared = Group::create();
    const UInt32 id = shared.getFieldContainerId();
    NodePtr first = makeNode(shared);
    NodePtr second = makeNode(shared);
    _b->addChild(first);
    _b->addChild(second);
    EXPECT_EQ(first->getCore(), shared);
    EXPECT_EQ(shared.getRefCount(), 2);
    ASSERT_EQ(shared->getParents().size(), 2u);
    EXPECT_EQ(shared->getParents()[0], first);
    EXPECT_EQ(shared->getParents()[1], second);

    _b->subChild(first);
    ASSERT_TRUE(isAlive(id));
    ASSERT_EQ(shared->getParents().size(), 1u);
    EXPECT_EQ(shared->getParents()[0], second);
    EXPECT_EQ(shared.getRefCount(), 1);

    _b->subChild(second);
    EXPECT_FALSE(isAlive(id));
}

TEST_F(NodeTreeTest, SetCoreReleasesTheOldCoreAndJoinsTheNewOnesParents) {
    NodeCorePtr old = _a->getCore();
    _a->setCore(old); // the same core again changes nothing
    EXPECT_EQ(old.getRefCount(), 1);
    EXPECT_EQ(old->getParents().size(), 1u);

    const UInt32 oldId = old.getFieldContainerId();
    TransformPtr replacement = Transform::create();
    _a->setCore(replacement);
    EXPECT_FALSE(isAlive(oldId));
    EXPECT_EQ(_a->getCore(), replacement);
    EXPECT_EQ(replacement.getRefCount(), 1);
    ASSERT_EQ(replacement->getParents().size(), 1u);
    EXPECT_EQ(replacement->getParents()[0], _a);

    addRefCP(replacement);
    _a->setCore(NullFC);
    EXPECT_TRUE(_a->getCore().isNull());
    EXPECT_TRUE(replacement->getParents().empty());
    EXPECT_EQ(replacement.getRefCount(), 1);
    subRefCP(replacement);
}

TEST_F(NodeTreeTest, DestroyingTheRootFreesTheWholeSubtree) {
    std::vector<UInt32> ids;
    for (const NodePtr& node : {_root, _a, _a1, _b}) {
        ids.push_back(node.getFieldContainerId());
        ids.push_back(node->getCore().getFieldContainerId());
    }
    subRefCP(_root);
    _root = NullFC;
    for (UInt32 id : ids)
        EXPECT_FALSE(isAlive(id)) << "container " << id;
}

// --- Traversal -------------------------------------------------------------------------------

// root -> a -> a1
//           -> a2
//      -> b -> b1
class TraverseTest : public SceneTestBase {
protected:
    void SetUp() override {
        SceneTestBase::SetUp();
        setRoot(makeGroupNode());
        _a = makeGroupNode();
        _a1 = makeGroupNode();
        _a2 = makeGroupNode();
        _b = makeGroupNode();
        _b1 = makeGroupNode();
        _root->addChild(_a);
        _root->addChild(_b);
        _a->addChild(_a1);
        _a->addChild(_a2);
        _b->addChild(_b1);
    }

    NodePtr _a, _a1, _a2, _b, _b1;
};

TEST_F(TraverseTest, VisitsDepthFirstAndHonoursSkipAndQuit) {
    struct Case {
        const char* name;
        NodePtr start, at;
        Action::ResultE answer, result;
        std::vector<NodePtr> visited;
    };
    const Case cases[] = {
        {"all", _root, NullFC, Action::Continue, Action::Continue, {_root, _a, _a1, _a2, _b, _b1}},
        {"subtree", _a, NullFC, Action::Continue, Action::Continue, {_a, _a1, _a2}},
        {"skip", _root, _a, Action::Skip, Action::Continue, {_root, _a, _b, _b1}},
        {"quit", _root, _a1, Action::Quit, Action::Quit, {_root, _a, _a1}},
        {"null root", NullFC, NullFC, Action::Continue, Action::Continue, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<NodePtr> visited;
        EXPECT_EQ(traverse(c.start,
                           [&](NodePtr& node) {
                               visited.push_back(node);
                               return node == c.at ? c.answer : Action::Continue;
                           }),
                  c.result);
        EXPECT_EQ(visited, c.visited);
    }
}

// --- Attachments and names -------------------------------------------------------------------

class AttachmentTest : public SceneTestBase {
protected:
    void SetUp() override {
        SceneTestBase::SetUp();
        setRoot(makeGroupNode());
        _nameGroup = Name::getClassType().getGroupId();
    }

    NamePtr makeName(const char* text) {
        NamePtr name = Name::create();
        name->setName(text);
        return name;
    }

    UInt16 _nameGroup = 0;
};

TEST_F(AttachmentTest, AttachmentIsFoundByGroupIdAndBindingInSeparateSlots) {
    NamePtr first = makeName("first");
    NamePtr second = makeName("second");
    _root->addAttachment(first, FirstBinding);
    EXPECT_TRUE(_root->findAttachment(_nameGroup, SecondBinding).isNull());
    _root->addAttachment(second, SecondBinding);
    _root->addAttachment(first, FirstBinding); // again: no second reference
    EXPECT_EQ(_root->findAttachment(_nameGroup, FirstBinding), first);
    EXPECT_EQ(_root->findAttachment(_nameGroup, SecondBinding), second);
    EXPECT_TRUE(_root->findAttachment(Group::getClassType().getGroupId()).isNull());
    EXPECT_EQ(_root->getAttachments().size(), 2u);
    EXPECT_EQ(first.getRefCount(), 1);
    ASSERT_EQ(first->getParents().size(), 1u);
    EXPECT_EQ(first->getParents()[0], _root);
}

TEST_F(AttachmentTest, ReplacingAnAttachmentReleasesTheOldOne) {
    NamePtr first = makeName("first");
    const UInt32 firstId = first.getFieldContainerId();
    _root->addAttachment(first);
    NamePtr second = makeName("second");
    _root->addAttachment(second);
    EXPECT_FALSE(isAlive(firstId));
    EXPECT_EQ(_root->findAttachment(_nameGroup), second);
    EXPECT_EQ(second.getRefCount(), 1);

    // A replaced attachment that is still referenced only leaves its parent list.
    addRefCP(second);
    _root->addAttachment(makeName("third"));
    EXPECT_EQ(second.getRefCount(), 1);
    EXPECT_TRUE(second->getParents().empty());
    subRefCP(second);
}

TEST_F(AttachmentTest, SubAttachmentReleasesOnlyWhatSitsAtThatBinding) {
    NamePtr name = makeName("root");
    const UInt32 id = name.getFieldContainerId();
    _root->addAttachment(name, FirstBinding);
    _root->subAttachment(name, SecondBinding);
    EXPECT_EQ(_root->findAttachment(_nameGroup, FirstBinding), name);

    _root->subAttachment(name, FirstBinding);
    EXPECT_TRUE(_root->findAttachment(_nameGroup, FirstBinding).isNull());
    EXPECT_FALSE(isAlive(id));
}

// The handle passed in lives in the attachment map, which the removal edits.
TEST_F(AttachmentTest, SubAttachmentTakesAHandleStraightFromTheAttachmentMap) {
    NamePtr name = makeName("root");
    const UInt32 id = name.getFieldContainerId();
    _root->addAttachment(name);
    _root->subAttachment(_root->getAttachments().begin()->second);
    EXPECT_TRUE(_root->getAttachments().empty());
    EXPECT_FALSE(isAlive(id));
}

TEST_F(AttachmentTest, DestroyedContainerReleasesItsAttachments) {
    NamePtr name = makeName("root");
    addRefCP(name);
    _root->addAttachment(name);
    subRefCP(_root);
    _root = NullFC;
    EXPECT_EQ(name.getRefCount(), 1);
    EXPECT_TRUE(name->getParents().empty());
    subRefCP(name);
}

TEST_F(AttachmentTest, SetNameAttachesANameOnceAndGetNameReadsIt) {
    EXPECT_EQ(getName(_root), nullptr);
    EXPECT_TRUE(getNameAttachment(_root).isNull());

    setName(_root, "root");
    ASSERT_NE(getName(_root), nullptr);
    EXPECT_STREQ(getName(_root), "root");
    NamePtr name = getNameAttachment(_root);
    ASSERT_FALSE(name.isNull());

    setName(_root, "renamed");
    EXPECT_STREQ(getName(_root), "renamed");
    EXPECT_EQ(getNameAttachment(_root), name);
    EXPECT_EQ(name.getRefCount(), 1);

    setName(NullFC, "nothing");
    EXPECT_EQ(getName(NullFC), nullptr);
    EXPECT_TRUE(getNameAttachment(NullFC).isNull());
}

TEST_F(AttachmentTest, CopiedContainerSharesAttachmentsWithItsOwnReference) {
    setName(_root, "root");
    NamePtr name = getNameAttachment(_root);
    NodePtr copy = NodePtr::dcast(_root->shallowCopy());
    ASSERT_FALSE(copy.isNull());
    EXPECT_STREQ(getName(copy), "root");
    EXPECT_EQ(name.getRefCount(), 2);
    EXPECT_EQ(name->getParents().size(), 2u);
    EXPECT_TRUE(copy->getCore().isNull());
    EXPECT_EQ(copy->getNChildren(), 0u);

    subRefCP(copy);
    EXPECT_EQ(name.getRefCount(), 1);
    ASSERT_EQ(name->getParents().size(), 1u);
    EXPECT_EQ(name->getParents()[0], _root);
}

// --- World matrices and volumes --------------------------------------------------------------

// root [T: top] -> mid [Group] -> inner [T: middle] -> leaf [T: bottom] -> box [Box]
class WorldTransformTest : public SceneTestBase {
protected:
    void SetUp() override {
        SceneTestBase::SetUp();
        _top = makeTransform(translation(10, 0, 0));
        _middle = makeTransform(scaling(2, 2, 2));
        _bottom = makeTransform(translation(0, 1, 0));
        _boxCore = BoxCore::create();
        _boxCore->setBox(BoxVolume(-1, -1, -1, 1, 1, 1));

        setRoot(makeNode(_top));
        _mid = makeGroupNode();
        _inner = makeNode(_middle);
        _leaf = makeNode(_bottom);
        _box = makeNode(_boxCore);
        _root->addChild(_mid);
        _mid->addChild(_inner);
        _inner->addChild(_leaf);
        _leaf->addChild(_box);
    }

    TransformPtr _top, _middle, _bottom;
    BoxCorePtr _boxCore;
    NodePtr _mid, _inner, _leaf, _box;
};

TEST_F(WorldTransformTest, ToWorldIsTheProductOfTheMatricesDownToTheNodeAndFollowsEdits) {
    const Matrix top = _top->getMatrix();
    const Matrix middle = _middle->getMatrix();
    const Matrix bottom = _bottom->getMatrix();
    EXPECT_TRUE(matrixNear(_mid->getToWorld(), top));
    EXPECT_TRUE(matrixNear(_inner->getToWorld(), top * middle));
    EXPECT_TRUE(matrixNear(_box->getToWorld(), top * middle * bottom));
    Matrix out;
    _leaf->getToWorld(out);
    EXPECT_TRUE(matrixNear(out, top * middle * bottom));

    _root->addChild(_leaf);
    EXPECT_TRUE(matrixNear(_leaf->getToWorld(), top * bottom));
    setMatrix(_top, quarterTurnZ());
    EXPECT_TRUE(matrixNear(_leaf->getToWorld(), quarterTurnZ() * bottom));
}

TEST_F(WorldTransformTest, WorldVolumeOfATransformedBox) {
    // x: 10 + 2 * [-1, 1]; y: 2 * ([-1, 1] + 1); z: 2 * [-1, 1]
    const Pnt3f min(8, 0, -2), max(12, 4, 2);
    BoxVolume world;
    _box->getWorldVolume(world);
    EXPECT_TRUE(boxNear(world, min, max));
    _inner->getWorldVolume(world);
    EXPECT_TRUE(boxNear(world, min, max));
    _root->getWorldVolume(world);
    EXPECT_TRUE(boxNear(world, min, max));
    EXPECT_TRUE(boxNear(_root->getVolume(), min, max));
    // A node's own volume is in its parent's frame: the leaf applies only its own matrix.
    EXPECT_TRUE(boxNear(_leaf->getVolume(), Pnt3f(-1, 0, -1), Pnt3f(1, 2, 1)));
}

TEST_F(WorldTransformTest, CachedVolumeFollowsMatrixCoreAndTreeChanges) {
    ASSERT_FALSE(_root->getVolume().isEmpty());
    setMatrix(_middle, scaling(3, 3, 3));
    EXPECT_TRUE(boxNear(_root->getVolume(), Pnt3f(7, 0, -3), Pnt3f(13, 6, 3)));
    _boxCore->setBox(BoxVolume(0, 0, 0, 1, 1, 1));
    EXPECT_TRUE(boxNear(_root->getVolume(), Pnt3f(10, 3, 0), Pnt3f(13, 6, 3)));

    _leaf->subChild(_box);
    EXPECT_TRUE(_root->getVolume().isEmpty());
    BoxVolume world;
    _leaf->getWorldVolume(world);
    EXPECT_TRUE(world.isEmpty());
    _root->getWorldVolume(world);
    EXPECT_TRUE(world.isEmpty());
    EXPECT_TRUE(_mid->getVolume().isEmpty());
}

// --- Transform3D -----------------------------------------------------------------------------

class Transform3DTest : public SceneTestBase {
protected:
    static constexpr BitVector ComponentMask =
        Transform3D::TranslationFieldMask | Transform3D::RotationFieldMask |
        Transform3D::ScaleFieldMask | Transform3D::RotatePivotFieldMask |
        Transform3D::ShearFieldMask;

    void SetUp() override {
        SceneTestBase::SetUp();
        _transform = Transform3D::create();
        setRoot(makeNode(_transform));
    }

    static void setComponents(const Transform3DPtr& transform, const Vec3f& t, const Quaternion& r,
                              const Vec3f& s, const Pnt3f& pivot, const Vec3f& shear = Vec3f()) {
        beginEditCP(transform, ComponentMask);
        transform->setTranslation(t);
        transform->setRotation(r);
        transform->setScale(s);
        transform->setRotatePivot(pivot);
        transform->setShear(shear);
        endEditCP(transform, ComponentMask);
    }

    Transform3DPtr _transform;
};

TEST_F(Transform3DTest, ComponentEditRebuildsTranslatePivotRotateScaleUnpivot) {
    EXPECT_TRUE(_transform->getMatrix().isIdentity());
    endEditCP(_transform, ComponentMask);
    EXPECT_TRUE(_transform->getMatrix().isIdentity(MatrixTol));

    setComponents(_transform, Vec3f(1, 2, 3), quarterTurnZRotation(), Vec3f(2, 3, 4),
                  Pnt3f(1, 1, 0));
    const Matrix expected = translation(1, 2, 3) * translation(1, 1, 0) * quarterTurnZ() *
                            scaling(2, 3, 4) * translation(-1, -1, 0);
    EXPECT_TRUE(matrixNear(_transform->getMatrix(), expected));
    EXPECT_TRUE(matrixNear(_root->getToWorld(), expected));
    // (1, 0, 0) - pivot = (0, -1, 0); scaled (0, -3, 0); turned (3, 0, 0); + pivot + t.
    Pnt3f moved;
    _transform->getMatrix().multMatrixPnt(Pnt3f(1, 0, 0), moved);
    EXPECT_TRUE(pointNear(moved, Pnt3f(5, 3, 3)));

    // Shear (xy, xz, yz) sits between rotation and scale.
    setComponents(_transform, Vec3f(), quarterTurnXRotation(), Vec3f(2, 3, 4), Pnt3f(),
                  Vec3f(0.5f, 0.25f, 0.75f));
    const Matrix shear(1, 0.5f, 0.25f, 0, 0, 1, 0.75f, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    EXPECT_TRUE(matrixNear(_transform->getMatrix(), quarterTurnX() * shear * scaling(2, 3, 4)));
}

TEST_F(Transform3DTest, EditsOfOnlyFlagsOrMatrixKeepTheMatrixAsWritten) {
    setComponents(_transform, Vec3f(1, 0, 0), Quaternion(), Vec3f(1, 1, 1), Pnt3f());
    const Matrix written = scaling(5, 5, 5);
    setMatrix(_transform, written);
    EXPECT_EQ(_transform->getMatrix(), written);

    beginEditCP(_transform, Transform3D::FlagsFieldMask);
    _transform->addFlag(LowFlag);
    endEditCP(_transform, Transform3D::FlagsFieldMask);
    EXPECT_EQ(_transform->getMatrix(), written);

    endEditCP(_transform, Transform3D::ScaleFieldMask);
    EXPECT_TRUE(matrixNear(_transform->getMatrix(), translation(1, 0, 0)));
}

TEST_F(Transform3DTest, SetTranslationRotationFromKeepsScaleShearAndPivot) {
    const Vec3f scale(2, 3, 4);
    const Vec3f shear(0.5f, 0, 0);
    const Pnt3f pivot(1, 2, 3);
    Transform3DPtr reference = Transform3D::create();
    addRefCP(reference);
    setComponents(reference, Vec3f(-4, 5, 6), quarterTurnXRotation(), scale, pivot, shear);

    setComponents(_transform, Vec3f(), Quaternion(), scale, pivot, shear);
    _transform->setTranslationRotationFrom(reference->getMatrix());
    EXPECT_TRUE(matrixNear(_transform->getMatrix(), reference->getMatrix()));
    EXPECT_TRUE(_transform->getTranslation().equals(Vec3f(-4, 5, 6), PointTol));
    EXPECT_TRUE(_transform->getRotation().equals(quarterTurnXRotation(), MatrixTol));
    EXPECT_EQ(_transform->getScale(), scale);
    EXPECT_EQ(_transform->getShear(), shear);
    EXPECT_EQ(_transform->getRotatePivot(), pivot);
    subRefCP(reference);
}

TEST_F(Transform3DTest, FlagsAreAddedRemovedAndTestedAsWholeMasks) {
    EXPECT_TRUE(_transform->hasFlag(0));
    EXPECT_FALSE(_transform->hasFlag(LowFlag));

    _transform->addFlag(LowFlag | HighFlag);
    _transform->addFlag(LowFlag);
    EXPECT_EQ(_transform->getFlags(), LowFlag | HighFlag);
    EXPECT_TRUE(_transform->hasFlag(HighFlag));
    EXPECT_TRUE(_transform->hasFlag(LowFlag | HighFlag));
    EXPECT_FALSE(_transform->hasFlag(LowFlag | MiddleFlag));

    _transform->subFlag(HighFlag | MiddleFlag);
    EXPECT_EQ(_transform->getFlags(), LowFlag);
    _transform->subFlag(LowFlag);
    EXPECT_EQ(_transform->getFlags(), 0u);
}

TEST_F(Transform3DTest, CombinedMaskHoldsExactlyThePlacingFields) {
    EXPECT_EQ(Transform3D::getCombinedTransformAttributesMask(),
              ComponentMask | Transform::MatrixFieldMask);
}

// --- Camera placement ------------------------------------------------------------------------

// root [T: parent frame] -> cameraNode [PerspectiveCamera]
//                        -> beaconNode [T: beacon frame]
class CameraTest : public SceneTestBase {
protected:
    void SetUp() override {
        SceneTestBase::SetUp();
        _parentFrame = translation(1, 2, 3) * quarterTurnZ();
        _beaconFrame = translation(0, 0, -7);
        _camera = PerspectiveCamera::create();
        setRoot(makeNode(makeTransform(_parentFrame)));
        _cameraNode = makeNode(_camera);
        _beaconNode = makeNode(makeTransform(_beaconFrame));
        _root->addChild(_cameraNode);
        _root->addChild(_beaconNode);

        beginEditCP(_camera, Transform3D::TranslationFieldMask | Transform3D::RotationFieldMask);
        _camera->setTranslation(Vec3f(4, 0, 0));
        _camera->setRotation(quarterTurnXRotation());
        endEditCP(_camera, Transform3D::TranslationFieldMask | Transform3D::RotationFieldMask);
        _own = translation(4, 0, 0) * quarterTurnX();
    }
    void TearDown() override {
        // The camera's node holds the camera and the camera may hold its node as beacon.
        _camera->setBeacon(NullFC);
        SceneTestBase::TearDown();
    }

    void setBeacon(const NodePtr& beacon) {
        beginEditCP(_camera, Camera::BeaconFieldMask);
        _camera->setBeacon(beacon);
        endEditCP(_camera, Camera::BeaconFieldMask);
    }

    void setScale(const Vec3f& scale) {
        beginEditCP(_camera, Transform3D::ScaleFieldMask);
        _camera->setScale(scale);
        endEditCP(_camera, Transform3D::ScaleFieldMask);
    }

    Matrix transform(Camera::CameraSpace space) const {
        Matrix result;
        _camera->getTransform(result, space);
        return result;
    }

    Matrix _parentFrame, _beaconFrame, _own;
    PerspectiveCameraPtr _camera;
    NodePtr _cameraNode, _beaconNode;
};

TEST_F(CameraTest, WorldTransformDependsOnTheBeacon) {
    EXPECT_TRUE(matrixNear(transform(Camera::WorldSpace), _own)) << "no beacon: world is local";
    // A beacon carrying the camera contributes only the nodes above it.
    setBeacon(_cameraNode);
    EXPECT_TRUE(matrixNear(transform(Camera::WorldSpace), _parentFrame * _own));
    EXPECT_TRUE(matrixNear(transform(Camera::LocalSpace), _own));
    Matrix parent;
    _camera->getParentTransform(parent, Camera::LocalSpace);
    EXPECT_TRUE(parent.isIdentity());
    _camera->getParentTransform(parent, Camera::WorldSpace);
    EXPECT_TRUE(matrixNear(parent, _parentFrame));
    // A separate beacon contributes its whole world matrix.
    setBeacon(_beaconNode);
    EXPECT_TRUE(matrixNear(transform(Camera::WorldSpace), _parentFrame * _beaconFrame * _own));
}

TEST_F(CameraTest, LocalTransformIsOwnMatrixTimesTrackingAndSetTransformAllowsForIt) {
    setBeacon(_cameraNode);
    const Matrix tracking = translation(0, 0.5f, 0) * quarterTurnZ();
    _camera->setTrackingMatrix(tracking);
    EXPECT_TRUE(matrixNear(transform(Camera::LocalSpace), _own * tracking));

    _camera->setTrackingMatrix(translation(0, 0.5f, 0));
    const Matrix target = translation(-1, 0, 2) * quarterTurnZ();
    _camera->setTransform(target, Camera::LocalSpace);
    EXPECT_TRUE(matrixNear(transform(Camera::LocalSpace), target));
    EXPECT_TRUE(matrixNear(_camera->getMatrix(), target * translation(0, -0.5f, 0)));
}

TEST_F(CameraTest, SetTransformInWorldSpaceRoundTripsKeepsScaleAndRecordsItsEdit) {
    setBeacon(_cameraNode);
    const Vec3f scale(2, 2, 2);
    setScale(scale);
    ChangeList& list = *Thread::getCurrentChangeList();
    list.clear();
    const Matrix target = _parentFrame * translation(5, 6, 7) * quarterTurnZ() * scaling(2, 2, 2);
    _camera->setTransform(target, Camera::WorldSpace);
    EXPECT_TRUE(matrixNear(transform(Camera::WorldSpace), target));
    EXPECT_EQ(_camera->getScale(), scale);
    EXPECT_TRUE(_camera->getTranslation().equals(Vec3f(5, 6, 7), PointTol));
    ASSERT_EQ(list.getChanged().size(), 1u);
    EXPECT_EQ(list.getChanged()[0].id, _camera.getFieldContainerId());
    EXPECT_EQ(list.getChanged()[0].mask, Transform3D::TranslationFieldMask |
                                             Transform3D::RotationFieldMask |
                                             Transform::MatrixFieldMask);
    list.clear();
}

TEST_F(CameraTest, ConvertPntToLocalSpaceUndoesTheParentFrame) {
    setBeacon(_cameraNode);
    // (1, 3, 3) - (1, 2, 3) = (0, 1, 0), turned back a quarter about z: (1, 0, 0).
    EXPECT_TRUE(pointNear(_camera->convertPntToLocalSpace(Pnt3f(1, 3, 3)), Pnt3f(1, 0, 0)));
    setBeacon(NullFC);
    EXPECT_TRUE(pointNear(_camera->convertPntToLocalSpace(Pnt3f(1, 3, 3)), Pnt3f(1, 3, 3)));
}

TEST_F(CameraTest, ViewingIsTheInverseOfTheWorldTransformOrIdentityIfSingular) {
    setBeacon(_cameraNode);
    setScale(Vec3f(1, 2, 3));
    Matrix viewing;
    _camera->getViewing(viewing, 640, 480);
    EXPECT_TRUE(matrixNear(viewing * transform(Camera::WorldSpace), Matrix()));
    EXPECT_TRUE(matrixNear(transform(Camera::WorldSpace) * viewing, Matrix()));

    setScale(Vec3f(0, 0, 0));
    viewing = translation(9, 9, 9);
    _camera->getViewing(viewing, 640, 480);
    EXPECT_TRUE(viewing.isIdentity());
}

TEST_F(CameraTest, BeaconIsHeldWithOneReferenceAlsoByACopy) {
    EXPECT_EQ(_beaconNode.getRefCount(), 1);
    setBeacon(_beaconNode);
    EXPECT_EQ(_camera->getBeacon(), _beaconNode);
    EXPECT_EQ(_beaconNode.getRefCount(), 2);

    PerspectiveCameraPtr copy = PerspectiveCameraPtr::dcast(_camera->shallowCopy());
    ASSERT_FALSE(copy.isNull());
    EXPECT_EQ(copy->getBeacon(), _beaconNode);
    EXPECT_EQ(_beaconNode.getRefCount(), 3);
    subRefCP(copy);
    EXPECT_EQ(_beaconNode.getRefCount(), 2);

    setBeacon(_cameraNode);
    EXPECT_EQ(_beaconNode.getRefCount(), 1);
}

// --- Perspective projection ------------------------------------------------------------------

class PerspectiveProjectionTest : public SceneTestBase {
protected:
    static constexpr Real32 Near = 1.0f;
    static constexpr Real32 Far = 100.0f;
    static constexpr Real32 RightAngleFov = 90.0f; // tan(fov / 2) = 1
    static constexpr UInt32 Width = 200;
    static constexpr UInt32 Height = 100;
    static constexpr Real32 FixedNear = 100.0f;
    static constexpr Real32 FixedFar = 200.0f;

    void SetUp() override {
        SceneTestBase::SetUp();
        _camera = PerspectiveCamera::create();
        setRoot(makeNode(_camera));
        const BitVector mask =
            Camera::NearFieldMask | Camera::FarFieldMask | PerspectiveCamera::FovFieldMask;
        beginEditCP(_camera, mask);
        _camera->setNear(Near);
        _camera->setFar(Far);
        _camera->setFov(RightAngleFov);
        endEditCP(_camera, mask);
    }

    void setFovMode(UInt32 mode) {
        beginEditCP(_camera, PerspectiveCamera::FovModeFieldMask);
        _camera->setFovMode(mode);
        endEditCP(_camera, PerspectiveCamera::FovModeFieldMask);
    }

    /// The clip-space image of an eye-space point.
    Pnt3f project(const Pnt3f& eye, UInt32 width = Width, UInt32 height = Height) {
        Matrix projection;
        _camera->getProjection(projection, width, height);
        Pnt3f clip;
        EXPECT_TRUE(projection.multFullMatrixPnt(eye, clip));
        return clip;
    }

    PerspectiveCameraPtr _camera;
};

TEST_F(PerspectiveProjectionTest, DepthRangeMapsToMinusOneToOne) {
    EXPECT_NEAR(project(Pnt3f(0, 0, -Near)).z(), -1.0f, MatrixTol);
    EXPECT_NEAR(project(Pnt3f(0, 0, -Far)).z(), 1.0f, MatrixTol);
    _camera->setFixedClipRange(true); // overrides near and far
    EXPECT_NEAR(project(Pnt3f(0, 0, -FixedNear)).z(), -1.0f, MatrixTol);
    EXPECT_NEAR(project(Pnt3f(0, 0, -FixedFar)).z(), 1.0f, MatrixTol);
}

TEST_F(PerspectiveProjectionTest, FovModeChoosesTheDimensionTheFovSpans) {
    const Real32 aspect = Real32(Width) / Real32(Height);
    const Pnt3f corner(1, 1, -1);
    EXPECT_TRUE(pointNear(project(Pnt3f(aspect * Near, Near, -Near)), corner)) << "vertical";
    setFovMode(PerspectiveCamera::HorizontalFov);
    EXPECT_TRUE(pointNear(project(Pnt3f(Near, Near / aspect, -Near)), corner)) << "horizontal";
    // Smaller: the height of a wide viewport, the width of a tall one.
    setFovMode(PerspectiveCamera::SmallerFov);
    EXPECT_TRUE(pointNear(project(Pnt3f(2 * Near, Near, -Near), Width, Height), corner));
    EXPECT_TRUE(pointNear(project(Pnt3f(Near, 2 * Near, -Near), Height, Width), corner));
    // The aspect field widens the view of a square viewport.
    setFovMode(PerspectiveCamera::VerticalFov);
    beginEditCP(_camera, PerspectiveCamera::AspectFieldMask);
    _camera->setAspect(2.0f);
    endEditCP(_camera, PerspectiveCamera::AspectFieldMask);
    EXPECT_TRUE(pointNear(project(Pnt3f(2 * Near, Near, -Near), Height, Height), corner));
}

TEST_F(PerspectiveProjectionTest, ZeroViewportGivesIdentity) {
    for (const auto& [width, height] : {std::pair{0u, Height}, std::pair{Width, 0u}}) {
        Matrix projection = translation(9, 9, 9);
        _camera->getProjection(projection, width, height);
        EXPECT_TRUE(projection.isIdentity()) << width << "x" << height;
    }
}

} // namespace
