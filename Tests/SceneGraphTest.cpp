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

TransformPtr makeTransform(const Matrix& matrix) {
    TransformPtr transform = Transform::create();
    beginEditCP(transform, Transform::MatrixFieldMask);
    transform->setMatrix(matrix);
    endEditCP(transform, Transform::MatrixFieldMask);
    return transform;
}

void setMatrix(const TransformPtr& transform, const Matrix& matrix) {
    beginEditCP(transform, Transform::MatrixFieldMask);
    transform->setMatrix(matrix);
    endEditCP(transform, Transform::MatrixFieldMask);
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

    NodePtr _a, _a1, _b;
};

TEST_F(NodeTreeTest, AddChildSetsTheParentAndTakesOneReference) {
    NodePtr child = makeGroupNode();
    _b->addChild(child);
    EXPECT_EQ(child->getParent(), _b);
    EXPECT_EQ(child.getRefCount(), 1);
    ASSERT_EQ(_b->getNChildren(), 1u);
    EXPECT_EQ(_b->getChild(0), child);
}

TEST_F(NodeTreeTest, AddChildMovesTheChildFromItsOldParentWithoutFreeingIt) {
    const UInt32 id = _a1.getFieldContainerId();
    _b->addChild(_a1);
    EXPECT_TRUE(isAlive(id));
    EXPECT_EQ(_a1->getParent(), _b);
    EXPECT_EQ(_a->getNChildren(), 0u);
    ASSERT_EQ(_b->getNChildren(), 1u);
    EXPECT_EQ(_b->getChild(0), _a1);
    EXPECT_EQ(_a1.getRefCount(), 1);
}

// The handle passed in lives in the old parent's child list, which the move edits.
TEST_F(NodeTreeTest, AddChildTakesAHandleStraightFromTheOldParentsChildList) {
    NodePtr a2 = makeGroupNode();
    _a->addChild(a2);
    _b->addChild(_a->getChildren()[0]);
    ASSERT_EQ(_b->getNChildren(), 1u);
    EXPECT_EQ(_b->getChild(0), _a1);
    EXPECT_EQ(_a1->getParent(), _b);
    ASSERT_EQ(_a->getNChildren(), 1u);
    EXPECT_EQ(_a->getChild(0), a2);
    EXPECT_EQ(a2->getParent(), _a);
}

TEST_F(NodeTreeTest, AddingAnExistingChildAgainMovesItToTheEnd) {
    _root->addChild(_a);
    ASSERT_EQ(_root->getNChildren(), 2u);
    EXPECT_EQ(_root->getChild(0), _b);
    EXPECT_EQ(_root->getChild(1), _a);
    EXPECT_EQ(_a.getRefCount(), 1);
    EXPECT_EQ(_a->getParent(), _root);
}

TEST_F(NodeTreeTest, InsertChildGoesBeforeTheIndexOrAtTheEndBeyondIt) {
    NodePtr middle = makeGroupNode();
    NodePtr last = makeGroupNode();
    _root->insertChild(1, middle);
    _root->insertChild(99, last);
    ASSERT_EQ(_root->getNChildren(), 4u);
    EXPECT_EQ(_root->getChild(0), _a);
    EXPECT_EQ(_root->getChild(1), middle);
    EXPECT_EQ(_root->getChild(2), _b);
    EXPECT_EQ(_root->getChild(3), last);
}

TEST_F(NodeTreeTest, AddingNullOrItselfIsRefused) {
    _root->addChild(NullFC);
    _root->addChild(_root);
    EXPECT_EQ(_root->getNChildren(), 2u);
    EXPECT_TRUE(_root->getParent().isNull());
    EXPECT_EQ(_root.getRefCount(), 1);
}

TEST_F(NodeTreeTest, SubChildFreesAnUnreferencedChildWithItsSubtree) {
    const UInt32 aId = _a.getFieldContainerId();
    const UInt32 a1Id = _a1.getFieldContainerId();
    const UInt32 coreId = _a1->getCore().getFieldContainerId();
    _root->subChild(_a);
    EXPECT_FALSE(isAlive(aId));
    EXPECT_FALSE(isAlive(a1Id));
    EXPECT_FALSE(isAlive(coreId));
    ASSERT_EQ(_root->getNChildren(), 1u);
    EXPECT_EQ(_root->getChild(0), _b);
}

TEST_F(NodeTreeTest, SubChildKeepsAReferencedChildAndClearsItsParent) {
    addRefCP(_a);
    _root->subChild(_a);
    EXPECT_TRUE(_a->getParent().isNull());
    EXPECT_EQ(_a.getRefCount(), 1);
    EXPECT_EQ(_a->getChild(0), _a1);
    subRefCP(_a);
}

TEST_F(NodeTreeTest, SubChildOfANonChildOrBadIndexIsIgnored) {
    _root->subChild(_a1);
    _root->subChild(UInt32(99));
    _root->subChild(NodePtr());
    EXPECT_EQ(_root->getNChildren(), 2u);
    EXPECT_EQ(_a1->getParent(), _a);
}

TEST_F(NodeTreeTest, FindChildGivesTheIndexOrMinusOne) {
    EXPECT_EQ(_root->findChild(_a), 0);
    EXPECT_EQ(_root->findChild(_b), 1);
    EXPECT_EQ(_root->findChild(_a1), -1);
    EXPECT_EQ(_root->findChild(NullFC), -1);
}

TEST_F(NodeTreeTest, GetChildOutOfRangeIsNull) {
    EXPECT_TRUE(_root->getChild(2).isNull());
    EXPECT_TRUE(_root->getChild(~UInt32(0)).isNull());
    EXPECT_TRUE(_a1->getChild(0).isNull());
}

TEST_F(NodeTreeTest, CoreOnTwoNodesListsBothParents) {
    GroupPtr shared = Group::create();
    NodePtr first = makeNode(shared);
    NodePtr second = makeNode(shared);
    _b->addChild(first);
    _b->addChild(second);
    EXPECT_EQ(first->getCore(), shared);
    EXPECT_EQ(shared.getRefCount(), 2);
    ASSERT_EQ(shared->getParents().size(), 2u);
    EXPECT_EQ(shared->getParents()[0], first);
    EXPECT_EQ(shared->getParents()[1], second);
}

TEST_F(NodeTreeTest, SharedCoreSurvivesUntilItsLastNodeGoes) {
    GroupPtr shared = Group::create();
    const UInt32 id = shared.getFieldContainerId();
    NodePtr first = makeNode(shared);
    NodePtr second = makeNode(shared);
    _b->addChild(first);
    _b->addChild(second);

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

TEST_F(NodeTreeTest, SettingTheSameCoreAgainChangesNothing) {
    NodeCorePtr core = _a->getCore();
    _a->setCore(core);
    EXPECT_EQ(core.getRefCount(), 1);
    EXPECT_EQ(core->getParents().size(), 1u);
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
    EXPECT_EQ(liveContainers(), _liveBefore);
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

    /// Visits from `start`, answering `answer` at `at` and Continue everywhere else.
    Action::ResultE visit(const NodePtr& start, const NodePtr& at = NullFC,
                          Action::ResultE answer = Action::Continue) {
        _visited.clear();
        return traverse(start, [&](NodePtr& node) {
            _visited.push_back(node);
            return node == at ? answer : Action::Continue;
        });
    }

    NodePtr _a, _a1, _a2, _b, _b1;
    std::vector<NodePtr> _visited;
};

TEST_F(TraverseTest, VisitsDepthFirstParentsBeforeChildrenInOrder) {
    EXPECT_EQ(visit(_root), Action::Continue);
    const std::vector<NodePtr> expected = {_root, _a, _a1, _a2, _b, _b1};
    EXPECT_EQ(_visited, expected);
}

TEST_F(TraverseTest, StartsAtAnInnerNodeAndStaysInItsSubtree) {
    visit(_a);
    const std::vector<NodePtr> expected = {_a, _a1, _a2};
    EXPECT_EQ(_visited, expected);
}

TEST_F(TraverseTest, SkipLeavesOutTheSubtreeButGoesOnWithSiblings) {
    EXPECT_EQ(visit(_root, _a, Action::Skip), Action::Continue);
    const std::vector<NodePtr> expected = {_root, _a, _b, _b1};
    EXPECT_EQ(_visited, expected);
}

TEST_F(TraverseTest, QuitStopsAtOnceAndReturnsQuit) {
    EXPECT_EQ(visit(_root, _a1, Action::Quit), Action::Quit);
    const std::vector<NodePtr> expected = {_root, _a, _a1};
    EXPECT_EQ(_visited, expected);
}

TEST_F(TraverseTest, NullRootVisitsNothing) {
    EXPECT_EQ(visit(NullFC), Action::Continue);
    EXPECT_TRUE(_visited.empty());
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

TEST_F(AttachmentTest, AttachmentIsFoundByGroupIdAndBinding) {
    NamePtr name = makeName("root");
    _root->addAttachment(name, FirstBinding);
    EXPECT_EQ(_root->findAttachment(_nameGroup, FirstBinding), name);
    EXPECT_TRUE(_root->findAttachment(_nameGroup, SecondBinding).isNull());
    EXPECT_TRUE(_root->findAttachment(Group::getClassType().getGroupId()).isNull());
    EXPECT_EQ(name.getRefCount(), 1);
    ASSERT_EQ(name->getParents().size(), 1u);
    EXPECT_EQ(name->getParents()[0], _root);
}

TEST_F(AttachmentTest, BindingsAreSeparateSlots) {
    NamePtr first = makeName("first");
    NamePtr second = makeName("second");
    _root->addAttachment(first, FirstBinding);
    _root->addAttachment(second, SecondBinding);
    EXPECT_EQ(_root->findAttachment(_nameGroup, FirstBinding), first);
    EXPECT_EQ(_root->findAttachment(_nameGroup, SecondBinding), second);
    EXPECT_EQ(_root->getAttachments().size(), 2u);
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
}

TEST_F(AttachmentTest, ReplacedAttachmentStillReferencedLeavesOnlyItsParentList) {
    NamePtr first = makeName("first");
    addRefCP(first);
    _root->addAttachment(first);
    _root->addAttachment(makeName("second"));
    EXPECT_EQ(first.getRefCount(), 1);
    EXPECT_TRUE(first->getParents().empty());
    subRefCP(first);
}

TEST_F(AttachmentTest, AddingTheSameAttachmentAgainTakesNoSecondReference) {
    NamePtr name = makeName("root");
    _root->addAttachment(name);
    _root->addAttachment(name);
    EXPECT_EQ(name.getRefCount(), 1);
    EXPECT_EQ(name->getParents().size(), 1u);
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
}

TEST_F(AttachmentTest, NameHelpersIgnoreNull) {
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

TEST_F(WorldTransformTest, ToWorldIsTheProductOfTheMatricesDownToTheNode) {
    const Matrix top = _top->getMatrix();
    const Matrix middle = _middle->getMatrix();
    const Matrix bottom = _bottom->getMatrix();
    EXPECT_TRUE(matrixNear(_root->getToWorld(), top));
    EXPECT_TRUE(matrixNear(_mid->getToWorld(), top));
    EXPECT_TRUE(matrixNear(_inner->getToWorld(), top * middle));
    EXPECT_TRUE(matrixNear(_leaf->getToWorld(), top * middle * bottom));
    EXPECT_TRUE(matrixNear(_box->getToWorld(), top * middle * bottom));

    Matrix out;
    _leaf->getToWorld(out);
    EXPECT_TRUE(matrixNear(out, top * middle * bottom));
}

TEST_F(WorldTransformTest, ToWorldFollowsMovesAndMatrixEdits) {
    _root->addChild(_leaf);
    EXPECT_TRUE(matrixNear(_leaf->getToWorld(), _top->getMatrix() * _bottom->getMatrix()));

    setMatrix(_top, quarterTurnZ());
    EXPECT_TRUE(matrixNear(_leaf->getToWorld(), quarterTurnZ() * _bottom->getMatrix()));
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

TEST_F(WorldTransformTest, VolumeFollowsMatrixEditsBelowACachedRoot) {
    ASSERT_FALSE(_root->getVolume().isEmpty());
    setMatrix(_middle, scaling(3, 3, 3));
    EXPECT_TRUE(boxNear(_root->getVolume(), Pnt3f(7, 0, -3), Pnt3f(13, 6, 3)));
}

TEST_F(WorldTransformTest, VolumeFollowsCoreContentAndTreeChanges) {
    ASSERT_FALSE(_root->getVolume().isEmpty());
    _boxCore->setBox(BoxVolume(0, 0, 0, 1, 1, 1));
    EXPECT_TRUE(boxNear(_root->getVolume(), Pnt3f(10, 2, 0), Pnt3f(12, 4, 2)));

    _leaf->subChild(_box);
    EXPECT_TRUE(_root->getVolume().isEmpty());
}

TEST_F(WorldTransformTest, VolumeWithoutContentStaysEmptyThroughTransforms) {
    _leaf->subChild(_box);
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

    void setComponents(const Vec3f& t, const Quaternion& r, const Vec3f& s, const Pnt3f& pivot,
                       const Vec3f& shear = Vec3f()) {
        beginEditCP(_transform, ComponentMask);
        _transform->setTranslation(t);
        _transform->setRotation(r);
        _transform->setScale(s);
        _transform->setRotatePivot(pivot);
        _transform->setShear(shear);
        endEditCP(_transform, ComponentMask);
    }

    Transform3DPtr _transform;
};

TEST_F(Transform3DTest, DefaultComponentsGiveTheIdentity) {
    EXPECT_TRUE(_transform->getMatrix().isIdentity());
    endEditCP(_transform, ComponentMask);
    EXPECT_TRUE(_transform->getMatrix().isIdentity(MatrixTol));
}

TEST_F(Transform3DTest, ComponentEditRebuildsTranslatePivotRotateScaleUnpivot) {
    setComponents(Vec3f(1, 2, 3), quarterTurnZRotation(), Vec3f(2, 3, 4), Pnt3f(1, 1, 0));
    const Matrix expected = translation(1, 2, 3) * translation(1, 1, 0) * quarterTurnZ() *
                            scaling(2, 3, 4) * translation(-1, -1, 0);
    EXPECT_TRUE(matrixNear(_transform->getMatrix(), expected));
    EXPECT_TRUE(matrixNear(_root->getToWorld(), expected));

    // (1, 0, 0) - pivot = (0, -1, 0); scaled (0, -3, 0); turned (3, 0, 0); + pivot + t.
    Pnt3f moved;
    _transform->getMatrix().multMatrixPnt(Pnt3f(1, 0, 0), moved);
    EXPECT_TRUE(pointNear(moved, Pnt3f(5, 3, 3)));
}

TEST_F(Transform3DTest, ShearSitsBetweenRotationAndScale) {
    const Vec3f shear(0.5f, 0.25f, 0.75f); // xy, xz, yz
    setComponents(Vec3f(), quarterTurnXRotation(), Vec3f(2, 3, 4), Pnt3f(), shear);
    const Matrix shearMatrix(1, 0.5f, 0.25f, 0, //
                             0, 1, 0.75f, 0,    //
                             0, 0, 1, 0,        //
                             0, 0, 0, 1);
    EXPECT_TRUE(
        matrixNear(_transform->getMatrix(), quarterTurnX() * shearMatrix * scaling(2, 3, 4)));
}

TEST_F(Transform3DTest, EditsOfOnlyFlagsOrMatrixKeepTheMatrixAsWritten) {
    setComponents(Vec3f(1, 0, 0), Quaternion(), Vec3f(1, 1, 1), Pnt3f());
    const Matrix written = scaling(5, 5, 5);
    beginEditCP(_transform, Transform::MatrixFieldMask);
    _transform->setMatrix(written);
    endEditCP(_transform, Transform::MatrixFieldMask);
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
    beginEditCP(reference, ComponentMask);
    reference->setTranslation(Vec3f(-4, 5, 6));
    reference->setRotation(quarterTurnXRotation());
    reference->setScale(scale);
    reference->setShear(shear);
    reference->setRotatePivot(pivot);
    endEditCP(reference, ComponentMask);

    setComponents(Vec3f(), Quaternion(), scale, pivot, shear);
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
    EXPECT_TRUE(_transform->hasFlag(LowFlag));
    EXPECT_TRUE(_transform->hasFlag(HighFlag));
    EXPECT_TRUE(_transform->hasFlag(LowFlag | HighFlag));
    EXPECT_FALSE(_transform->hasFlag(LowFlag | MiddleFlag));

    _transform->addFlag(LowFlag);
    EXPECT_EQ(_transform->getFlags(), LowFlag | HighFlag);

    _transform->subFlag(HighFlag | MiddleFlag);
    EXPECT_EQ(_transform->getFlags(), LowFlag);
    _transform->subFlag(LowFlag);
    EXPECT_EQ(_transform->getFlags(), 0u);
}

TEST_F(Transform3DTest, CombinedMaskHoldsExactlyThePlacingFields) {
    const BitVector mask = Transform3D::getCombinedTransformAttributesMask();
    EXPECT_EQ(mask, ComponentMask | Transform::MatrixFieldMask);
    EXPECT_EQ(mask & Transform3D::FlagsFieldMask, 0u);
    EXPECT_EQ(mask & NodeCore::ParentsFieldMask, 0u);
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

TEST_F(CameraTest, LocalTransformIsOwnMatrixTimesTracking) {
    EXPECT_TRUE(matrixNear(transform(Camera::LocalSpace), _own));
    const Matrix tracking = translation(0, 0.5f, 0) * quarterTurnZ();
    _camera->setTrackingMatrix(tracking);
    EXPECT_TRUE(matrixNear(transform(Camera::LocalSpace), _own * tracking));
}

TEST_F(CameraTest, WithoutBeaconWorldIsLocal) {
    EXPECT_TRUE(matrixNear(transform(Camera::WorldSpace), _own));
}

TEST_F(CameraTest, BeaconCarryingTheCameraContributesOnlyTheNodesAboveIt) {
    setBeacon(_cameraNode);
    EXPECT_TRUE(matrixNear(transform(Camera::WorldSpace), _parentFrame * _own));
    EXPECT_TRUE(matrixNear(transform(Camera::LocalSpace), _own));
}

TEST_F(CameraTest, SeparateBeaconContributesItsWholeWorldMatrix) {
    setBeacon(_beaconNode);
    EXPECT_TRUE(matrixNear(transform(Camera::WorldSpace), _parentFrame * _beaconFrame * _own));
}

TEST_F(CameraTest, ParentTransformIsIdentityLocallyAndTheBeaconFrameInWorld) {
    setBeacon(_cameraNode);
    Matrix parent;
    _camera->getParentTransform(parent, Camera::LocalSpace);
    EXPECT_TRUE(parent.isIdentity());
    _camera->getParentTransform(parent, Camera::WorldSpace);
    EXPECT_TRUE(matrixNear(parent, _parentFrame));
}

TEST_F(CameraTest, SetTransformInWorldSpaceRoundTripsAndKeepsScale) {
    setBeacon(_cameraNode);
    const Vec3f scale(2, 2, 2);
    setScale(scale);
    const Matrix target = _parentFrame * translation(5, 6, 7) * quarterTurnZ() * scaling(2, 2, 2);
    _camera->setTransform(target, Camera::WorldSpace);
    EXPECT_TRUE(matrixNear(transform(Camera::WorldSpace), target));
    EXPECT_EQ(_camera->getScale(), scale);
    EXPECT_TRUE(_camera->getTranslation().equals(Vec3f(5, 6, 7), PointTol));
}

TEST_F(CameraTest, SetTransformInLocalSpaceAllowsForTracking) {
    setBeacon(_cameraNode);
    const Matrix tracking = translation(0, 0.5f, 0);
    _camera->setTrackingMatrix(tracking);
    const Matrix target = translation(-1, 0, 2) * quarterTurnZ();
    _camera->setTransform(target, Camera::LocalSpace);
    EXPECT_TRUE(matrixNear(transform(Camera::LocalSpace), target));
    EXPECT_TRUE(matrixNear(_camera->getMatrix(), target * translation(0, -0.5f, 0)));
}

TEST_F(CameraTest, SetTransformRecordsItsEdit) {
    ChangeList& list = *Thread::getCurrentChangeList();
    list.clear();
    _camera->setTransform(translation(1, 1, 1), Camera::LocalSpace);
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

TEST_F(CameraTest, ViewingIsTheInverseOfTheWorldTransform) {
    setBeacon(_cameraNode);
    setScale(Vec3f(1, 2, 3));
    Matrix viewing;
    _camera->getViewing(viewing, 640, 480);
    EXPECT_TRUE(matrixNear(viewing * transform(Camera::WorldSpace), Matrix()));
    EXPECT_TRUE(matrixNear(transform(Camera::WorldSpace) * viewing, Matrix()));
}

TEST_F(CameraTest, SingularTransformGivesIdentityViewing) {
    setScale(Vec3f(0, 0, 0));
    Matrix viewing = translation(9, 9, 9);
    _camera->getViewing(viewing, 640, 480);
    EXPECT_TRUE(viewing.isIdentity());
}

TEST_F(CameraTest, BeaconIsHeldWithOneReference) {
    EXPECT_EQ(_beaconNode.getRefCount(), 1);
    setBeacon(_beaconNode);
    EXPECT_EQ(_camera->getBeacon(), _beaconNode);
    EXPECT_EQ(_beaconNode.getRefCount(), 2);
    setBeacon(_cameraNode);
    EXPECT_EQ(_beaconNode.getRefCount(), 1);
}

TEST_F(CameraTest, CopiedCameraSharesTheBeaconWithItsOwnReference) {
    setBeacon(_beaconNode);
    PerspectiveCameraPtr copy = PerspectiveCameraPtr::dcast(_camera->shallowCopy());
    ASSERT_FALSE(copy.isNull());
    EXPECT_EQ(copy->getBeacon(), _beaconNode);
    EXPECT_EQ(_beaconNode.getRefCount(), 3);
    subRefCP(copy);
    EXPECT_EQ(_beaconNode.getRefCount(), 2);
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

TEST_F(PerspectiveProjectionTest, NearPlaneMapsToMinusOneAndFarPlaneToPlusOne) {
    EXPECT_NEAR(project(Pnt3f(0, 0, -Near)).z(), -1.0f, MatrixTol);
    EXPECT_NEAR(project(Pnt3f(0, 0, -Far)).z(), 1.0f, MatrixTol);
}

TEST_F(PerspectiveProjectionTest, VerticalFovSpansTheHeight) {
    const Real32 aspect = Real32(Width) / Real32(Height);
    EXPECT_TRUE(pointNear(project(Pnt3f(aspect * Near, Near, -Near)), Pnt3f(1, 1, -1)));
}

TEST_F(PerspectiveProjectionTest, HorizontalFovSpansTheWidth) {
    setFovMode(PerspectiveCamera::HorizontalFov);
    const Real32 aspect = Real32(Width) / Real32(Height);
    EXPECT_TRUE(pointNear(project(Pnt3f(Near, Near / aspect, -Near)), Pnt3f(1, 1, -1)));
}

TEST_F(PerspectiveProjectionTest, SmallerFovSpansTheSmallerDimension) {
    setFovMode(PerspectiveCamera::SmallerFov);
    // Wide viewport: the height is smaller.
    EXPECT_TRUE(pointNear(project(Pnt3f(2 * Near, Near, -Near), Width, Height), Pnt3f(1, 1, -1)));
    // Tall viewport: the width is smaller.
    EXPECT_TRUE(pointNear(project(Pnt3f(Near, 2 * Near, -Near), Height, Width), Pnt3f(1, 1, -1)));
}

TEST_F(PerspectiveProjectionTest, AspectFieldWidensTheView) {
    beginEditCP(_camera, PerspectiveCamera::AspectFieldMask);
    _camera->setAspect(2.0f);
    endEditCP(_camera, PerspectiveCamera::AspectFieldMask);
    EXPECT_TRUE(pointNear(project(Pnt3f(2 * Near, Near, -Near), Height, Height), Pnt3f(1, 1, -1)));
}

TEST_F(PerspectiveProjectionTest, FixedClipRangeOverridesNearAndFar) {
    _camera->setFixedClipRange(true);
    EXPECT_NEAR(project(Pnt3f(0, 0, -FixedNear)).z(), -1.0f, MatrixTol);
    EXPECT_NEAR(project(Pnt3f(0, 0, -FixedFar)).z(), 1.0f, MatrixTol);
}

TEST_F(PerspectiveProjectionTest, ZeroViewportGivesIdentity) {
    Matrix projection = translation(9, 9, 9);
    _camera->getProjection(projection, 0, Height);
    EXPECT_TRUE(projection.isIdentity());
    projection = translation(9, 9, 9);
    _camera->getProjection(projection, Width, 0);
    EXPECT_TRUE(projection.isIdentity());
}

} // namespace
