// Field containers: registered types and the factory, field descriptions, reference counting,
// handles, edits and copies. A spy core, registered here like any platform type, records the
// hooks the platform calls on it.

#include "OSGChangeList.h"
#include "OSGField.h"
#include "OSGFieldContainerFactory.h"
#include "OSGFieldContainerMacros.h"
#include "OSGFieldDescription.h"
#include "OSGGroup.h"
#include "OSGInit.h"
#include "OSGLog.h"
#include "OSGName.h"
#include "OSGNode.h"
#include "OSGNodeCore.h"
#include "OSGPerspectiveCamera.h"
#include "OSGThread.h"
#include "OSGTransform3D.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace osg;

namespace {

class SpyCore;
using SpyCorePtr = FCPtr<NodeCorePtr, SpyCore>;

/// A core that records what the platform does to it: creation source and phase, every
/// `changed` call, and destructions (counted across instances, since the object is gone).
class SpyCore : public NodeCore {
    OSG_CONTAINER_DECL(SpyCorePtr, SpyCore)

public:
    using Inherited = NodeCore;
    OSG_FIELD_ID(Value, Inherited::NextFieldId)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 1;

    OSG_SFIELD_ACCESS(Int32, Value)

    struct Change {
        BitVector mask;
        UInt32 origin;
    };

    /// Destruction hooks run on any spy, prototypes included.
    static inline UInt32 destroyedCount = 0;

    const std::vector<Change>& changes() const { return _changes; }
    const FieldContainer* createdFrom() const { return _createdFrom; }
    SystemState createdInState() const { return _createdInState; }
    /// Makes the destruction hook take and drop a reference on the dying container.
    void touchSelfOnDestroy() { _touchSelfOnDestroy = true; }

    void changed(BitVector whichField, UInt32 origin) override {
        _changes.push_back({whichField, origin});
        Inherited::changed(whichField, origin);
    }

protected:
    friend class FieldContainer;
    SpyCore() = default;
    // A copy takes the field values, not the record of what happened to the source.
    SpyCore(const SpyCore& source) : NodeCore(source), _sfValue(source._sfValue) {}

    void onCreate(const FieldContainer* source) {
        _createdFrom = source;
        _createdInState = GlobalSystemState;
    }

    void onDestroy() override {
        ++destroyedCount;
        if (_touchSelfOnDestroy) {
            FieldContainerPtr self(this);
            addRefCP(self);
            subRefCP(self);
        }
        Inherited::onDestroy();
    }

private:
    static FieldContainerType _type;

    SFInt32 _sfValue;
    std::vector<Change> _changes;
    const FieldContainer* _createdFrom = nullptr;
    SystemState _createdInState = Shutdown;
    bool _touchSelfOnDestroy = false;
};

FieldDescription* spyCoreDescs[] = {
    OSG_SFIELD_DESC(SpyCore, Int32, "value", Value, false),
};

OSG_CONTAINER_TYPE_DEF(SpyCore, "TestSpyCore", "NodeCore", nullptr, &SpyCore::createEmpty,
                       spyCoreDescs)
OSG_CONTAINER_DEF(SpyCore, SpyCore)

constexpr Int32 SpyValue = 42;
constexpr Int32 OtherSpyValue = 7;
constexpr UInt32 MaxFieldId = 63; // one bit per field in a BitVector

FieldContainerFactory* factory() {
    return FieldContainerFactory::the();
}
UInt32 liveContainers() {
    return factory()->getNumLiveContainers();
}
ChangeList& changeList() {
    return *Thread::getCurrentChangeList();
}

/// Every test leaves as many live containers as it found.
class ContainerTestBase : public ::testing::Test {
protected:
    void SetUp() override { _liveBefore = liveContainers(); }
    void TearDown() override { EXPECT_EQ(liveContainers(), _liveBefore); }

private:
    UInt32 _liveBefore = 0;
};

// --- Types and the factory -------------------------------------------------------------------

class ContainerTypeTest : public ContainerTestBase {};

TEST_F(ContainerTypeTest, FindTypeByNameAndIdOrNull) {
    FieldContainerType* group = factory()->findType("Group");
    ASSERT_EQ(group, &Group::getClassType());
    EXPECT_EQ(group->getName(), "Group");
    EXPECT_EQ(factory()->findType(group->getId()), group);
    EXPECT_EQ(factory()->findType("TestSpyCore"), &SpyCore::getClassType());
    EXPECT_EQ(factory()->findType("NoSuchType"), nullptr);
    EXPECT_EQ(factory()->findType(""), nullptr);
    EXPECT_EQ(factory()->findType(static_cast<const char*>(nullptr)), nullptr);
    EXPECT_EQ(factory()->findType(~UInt32(0)), nullptr);
}

TEST_F(ContainerTypeTest, ParentChainAndIsDerivedFrom) {
    const std::vector<std::string> expected = {
        "PerspectiveCamera",   "Camera",        "Transform3D", "Transform", "Group", "NodeCore",
        "AttachmentContainer", "FieldContainer"};
    std::vector<std::string> chain;
    const FieldContainerType& perspective = *factory()->findType("PerspectiveCamera");
    for (const FieldContainerType* type = &perspective; type != nullptr; type = type->getParent())
        chain.push_back(type->getName());
    EXPECT_EQ(chain, expected);

    EXPECT_TRUE(perspective.isDerivedFrom(perspective));
    EXPECT_TRUE(perspective.isDerivedFrom(*factory()->findType("Transform3D")));
    EXPECT_TRUE(perspective.isDerivedFrom(FieldContainer::getClassType()));
    EXPECT_TRUE(SpyCore::getClassType().isDerivedFrom(NodeCore::getClassType()));
    // Neither sideways nor upwards.
    EXPECT_FALSE(Group::getClassType().isDerivedFrom(Transform::getClassType()));
    EXPECT_FALSE(NodeCore::getClassType().isDerivedFrom(Group::getClassType()));
    EXPECT_FALSE(Node::getClassType().isDerivedFrom(NodeCore::getClassType()));
    EXPECT_FALSE(SpyCore::getClassType().isDerivedFrom(Group::getClassType()));
}

TEST_F(ContainerTypeTest, CreateByNameGivesUnreferencedContainerOrNullForAbstractAndUnknown) {
    FieldContainerPtr created = factory()->createFieldContainer("Group");
    ASSERT_FALSE(GroupPtr::dcast(created).isNull());
    EXPECT_EQ(created->getTypeId(), Group::getClassTypeId());
    EXPECT_EQ(created.getRefCount(), 0);
    EXPECT_NE(created, Group::getClassType().getPrototype());
    subRefCP(created);

    for (const char* name : {"NodeCore", "Camera", "FieldContainer", "NoSuchType"})
        EXPECT_TRUE(factory()->createFieldContainer(name).isNull()) << name;
    EXPECT_TRUE(factory()->createFieldContainer(nullptr).isNull());
}

TEST_F(ContainerTypeTest, ConcreteTypesHavePrototypesAbstractOnesNone) {
    for (const char* name : {"Group", "Transform", "Transform3D", "PerspectiveCamera", "Node",
                             "Name", "TestSpyCore"}) {
        const FieldContainerType* type = factory()->findType(name);
        ASSERT_NE(type, nullptr) << name;
        EXPECT_FALSE(type->isAbstract()) << name;
        EXPECT_TRUE(type->isInitialized()) << name;
        ASSERT_FALSE(type->getPrototype().isNull()) << name;
        EXPECT_EQ(type->getPrototype()->getTypeId(), type->getId()) << name;
    }
    for (const char* name : {"FieldContainer", "AttachmentContainer", "NodeCore", "Camera"}) {
        const FieldContainerType* type = factory()->findType(name);
        ASSERT_NE(type, nullptr) << name;
        EXPECT_TRUE(type->isAbstract()) << name;
        EXPECT_TRUE(type->getPrototype().isNull()) << name;
    }
}

TEST_F(ContainerTypeTest, PrototypeWasMadeAtStartupAndCreatedContainersCopyIt) {
    SpyCorePtr prototype = SpyCorePtr::dcast(SpyCore::getClassType().getPrototype());
    ASSERT_FALSE(prototype.isNull());
    EXPECT_EQ(prototype->createdInState(), Startup);
    EXPECT_EQ(prototype->createdFrom(), nullptr);

    SpyCorePtr created = SpyCore::create();
    ASSERT_FALSE(created.isNull());
    EXPECT_EQ(created->createdInState(), Running);
    EXPECT_EQ(created->createdFrom(), prototype.getCPtr());
    subRefCP(created);
}

TEST_F(ContainerTypeTest, ReplacedPrototypeIsReleasedAndCopiedFromThen) {
    FieldContainerType& type = SpyCore::getClassType();
    SpyCorePtr original = SpyCorePtr::dcast(type.getPrototype());
    addRefCP(original);

    SpyCorePtr replacement = SpyCorePtr::dcast(SpyCore::createEmpty());
    replacement->setValue(SpyValue);
    EXPECT_TRUE(type.setPrototype(replacement));
    EXPECT_EQ(replacement.getRefCount(), 1);
    EXPECT_EQ(original.getRefCount(), 1);

    SpyCorePtr created = SpyCore::create();
    EXPECT_EQ(created->getValue(), SpyValue);
    subRefCP(created);

    UInt32 destroyedBefore = SpyCore::destroyedCount;
    EXPECT_TRUE(type.setPrototype(original));
    EXPECT_EQ(SpyCore::destroyedCount, destroyedBefore + 1);
    subRefCP(original);
    EXPECT_EQ(original.getRefCount(), 1);

    // An abstract type refuses a prototype without taking a reference.
    GroupPtr group = Group::create();
    EXPECT_FALSE(NodeCore::getClassType().setPrototype(group));
    EXPECT_TRUE(NodeCore::getClassType().getPrototype().isNull());
    EXPECT_EQ(group.getRefCount(), 0);
    subRefCP(group);
}

TEST_F(ContainerTypeTest, TypeRegisteredWhileRunningGetsItsPrototypeAtOnce) {
    {
        FieldContainerType late("TestLateSpyCore", "NodeCore", nullptr, &SpyCore::createEmpty);
        EXPECT_EQ(factory()->findType("TestLateSpyCore"), &late);
        EXPECT_TRUE(late.isInitialized());
        SpyCorePtr prototype = SpyCorePtr::dcast(late.getPrototype());
        ASSERT_FALSE(prototype.isNull());
        EXPECT_EQ(prototype->createdInState(), Startup);
        EXPECT_EQ(GlobalSystemState, Running);
        // The type goes away while the scene graph runs, so it drops its prototype first.
        late.terminate();
        EXPECT_TRUE(late.getPrototype().isNull());
    }
    EXPECT_EQ(factory()->findType("TestLateSpyCore"), nullptr);
}

TEST_F(ContainerTypeTest, GroupsAreSharedByNameAndDefaultToTheTypeName) {
    EXPECT_EQ(Name::getClassType().getGroupName(), "Name");
    EXPECT_EQ(factory()->findGroupId("Name"), Name::getClassType().getGroupId());
    EXPECT_EQ(factory()->registerGroup("Name"), Name::getClassType().getGroupId());
    EXPECT_EQ(Group::getClassType().getGroupName(), "Group");
    EXPECT_NE(Group::getClassType().getGroupId(), Name::getClassType().getGroupId());
    EXPECT_EQ(factory()->findGroupId("NoSuchGroup"), 0);
    EXPECT_EQ(factory()->findGroupId(nullptr), 0);
}

// --- Field descriptions ----------------------------------------------------------------------

class FieldDescriptionTest : public ContainerTestBase {
protected:
    void SetUp() override {
        ContainerTestBase::SetUp();
        _spy = SpyCore::create();
        addRefCP(_spy);
        beginEditCP(_spy, SpyCore::ValueFieldMask);
        _spy->setValue(SpyValue);
        endEditCP(_spy, SpyCore::ValueFieldMask);
    }
    void TearDown() override {
        subRefCP(_spy);
        ContainerTestBase::TearDown();
    }

    SpyCorePtr _spy;
};

TEST_F(FieldDescriptionTest, PlatformFieldsHaveTheirIdsMasksNamesAndFlags) {
    struct Expected {
        const FieldContainerType* type;
        const char* name;
        UInt32 id;
        bool internal;
    };
    const Expected fields[] = {
        {&AttachmentContainer::getClassType(), "attachments", 1, false},
        {&NodeCore::getClassType(), "parents", 2, true},
        {&Transform::getClassType(), "matrix", 3, false},
        {&Transform3D::getClassType(), "translation", 4, false},
        {&Transform3D::getClassType(), "flags", 9, false},
        {&Camera::getClassType(), "beacon", 10, false},
        {&Camera::getClassType(), "trackingMatrix", 13, false},
        {&PerspectiveCamera::getClassType(), "fov", 14, false},
        {&PerspectiveCamera::getClassType(), "aspect", 16, false},
        {&SpyCore::getClassType(), "value", 3, false},
    };
    for (const Expected& field : fields) {
        SCOPED_TRACE(field.name);
        const FieldDescription* desc = field.type->findFieldDescription(field.name);
        ASSERT_NE(desc, nullptr);
        EXPECT_EQ(desc->getFieldId(), field.id);
        EXPECT_EQ(desc->getFieldMask(), BitVector(1) << field.id);
        EXPECT_EQ(field.type->getFieldDescription(field.id), desc);
        EXPECT_EQ(desc->isInternal(), field.internal);
    }
    EXPECT_EQ(PerspectiveCamera::NextFieldId, 27u) << "derived cameras number from 27";
    EXPECT_TRUE(Node::getClassType().findFieldDescription("parent")->isInternal());
    EXPECT_FALSE(Node::getClassType().findFieldDescription("children")->isInternal());
}

TEST_F(FieldDescriptionTest, InheritedFieldsAreFoundThroughTheParentTypeUnknownOnesAreNull) {
    const FieldContainerType& perspective = PerspectiveCamera::getClassType();
    EXPECT_EQ(perspective.findFieldDescription("matrix"),
              Transform::getClassType().findFieldDescription("matrix"));
    EXPECT_EQ(perspective.getFieldDescription(NodeCore::ParentsFieldId),
              NodeCore::getClassType().getFieldDescription(NodeCore::ParentsFieldId));
    EXPECT_EQ(SpyCore::getClassType().findFieldDescription("attachments")->getFieldId(),
              AttachmentContainer::AttachmentsFieldId);
    // 1 attachments + 1 parents + 1 matrix + 6 components + 4 camera + 3 perspective
    EXPECT_EQ(perspective.getNumFieldDescs(), 16u);
    EXPECT_EQ(perspective.getOwnFieldDescriptions().size(), 3u);

    const FieldContainerType& spyType = SpyCore::getClassType();
    EXPECT_EQ(spyType.getFieldDescription(0), nullptr);
    EXPECT_EQ(spyType.getFieldDescription(SpyCore::NextFieldId), nullptr);
    EXPECT_EQ(spyType.findFieldDescription("fov"), nullptr);
    EXPECT_EQ(spyType.findFieldDescription(nullptr), nullptr);
    EXPECT_EQ(Group::getClassType().findFieldDescription("matrix"), nullptr);
}

TEST_F(FieldDescriptionTest, GetFieldByIdAndNameReachesTheContainersFieldOrNull) {
    Field* byId = _spy->getField(SpyCore::ValueFieldId);
    ASSERT_NE(byId, nullptr);
    EXPECT_EQ(byId, _spy->editSFValue());
    EXPECT_EQ(_spy->getField("value"), byId);
    EXPECT_EQ(byId->getType().getName(), "SFInt32");
    std::string text;
    byId->getValueByStr(text);
    EXPECT_EQ(text, std::to_string(SpyValue));

    const FieldContainer& constSpy = *_spy;
    EXPECT_EQ(constSpy.getField(SpyCore::ValueFieldId), byId);
    EXPECT_EQ(_spy->getField(NodeCore::ParentsFieldId), _spy->editMFParents());

    EXPECT_EQ(_spy->getField(UInt32(0)), nullptr);
    EXPECT_EQ(_spy->getField(SpyCore::NextFieldId), nullptr);
    EXPECT_EQ(_spy->getField("noSuchField"), nullptr);
}

// Catches a description whose mask, id or accessor disagrees with the field it describes.
TEST_F(FieldDescriptionTest, EveryRegisteredTypeDescribesConsistentFields) {
    for (const FieldContainerType* type : factory()->getTypes()) {
        std::set<UInt32> ids;
        for (const FieldContainerType* t = type; t != nullptr; t = t->getParent()) {
            UInt32 previousId = 0;
            for (const FieldDescription* desc : t->getOwnFieldDescriptions()) {
                const UInt32 id = desc->getFieldId();
                SCOPED_TRACE(type->getName() + "." + desc->getName());
                EXPECT_GT(id, previousId) << "own descriptions out of id order";
                EXPECT_LE(id, MaxFieldId);
                EXPECT_EQ(desc->getFieldMask(), BitVector(1) << id);
                EXPECT_TRUE(ids.insert(id).second) << "id used twice";
                previousId = id;
            }
        }
        EXPECT_EQ(type->getNumFieldDescs(), ids.size()) << type->getName();

        FieldContainerPtr prototype = type->getPrototype();
        if (prototype.isNull())
            continue;
        for (UInt32 id : ids) {
            const FieldDescription* desc = type->getFieldDescription(id);
            SCOPED_TRACE(type->getName() + "." + desc->getName());
            const Field* field = prototype->getField(id);
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->getType().getName(), desc->getFieldType().getName());
        }
    }
}

// --- Reference counting ----------------------------------------------------------------------

class ReferenceCountTest : public ContainerTestBase {
protected:
    void SetUp() override {
        ContainerTestBase::SetUp();
        _spy = SpyCore::create();
        _id = _spy.getFieldContainerId();
        _destroyedBefore = SpyCore::destroyedCount;
    }

    UInt32 destroyedSinceSetUp() const { return SpyCore::destroyedCount - _destroyedBefore; }

    SpyCorePtr _spy;
    UInt32 _id = 0;

private:
    UInt32 _destroyedBefore = 0;
};

TEST_F(ReferenceCountTest, SubRefOfUnreferencedContainerFreesIt) {
    EXPECT_EQ(_spy->getRefCount(), 0);
    EXPECT_NE(_id, 0u);
    EXPECT_EQ(_spy->getId(), _id);
    EXPECT_EQ(factory()->getContainer(_id), _spy);
    const UInt32 live = liveContainers();
    subRefCP(_spy);
    EXPECT_EQ(destroyedSinceSetUp(), 1u);
    EXPECT_EQ(liveContainers(), live - 1);
    EXPECT_TRUE(factory()->getContainer(_id).isNull());

    SpyCorePtr next = SpyCore::create();
    EXPECT_GT(next.getFieldContainerId(), _id) << "ids are not reused";
    subRefCP(next);
}

TEST_F(ReferenceCountTest, ContainerLivesWhileReferenced) {
    addRefCP(_spy);
    addRefCP(_spy);
    EXPECT_EQ(_spy.getRefCount(), 2);
    subRefCP(_spy);
    EXPECT_EQ(_spy.getRefCount(), 1);
    EXPECT_EQ(destroyedSinceSetUp(), 0u);
    EXPECT_EQ(factory()->getContainer(_id), _spy);
    subRefCP(_spy);
    EXPECT_EQ(destroyedSinceSetUp(), 1u);
    EXPECT_TRUE(factory()->getContainer(_id).isNull());
}

TEST_F(ReferenceCountTest, DestructionHookRunsOnceEvenWhenItTouchesTheCount) {
    _spy->touchSelfOnDestroy();
    addRefCP(_spy);
    subRefCP(_spy);
    EXPECT_EQ(destroyedSinceSetUp(), 1u);
    EXPECT_TRUE(factory()->getContainer(_id).isNull());
}

// --- Handles ---------------------------------------------------------------------------------

class HandleTest : public ContainerTestBase {
protected:
    void SetUp() override {
        ContainerTestBase::SetUp();
        _group = Group::create();
        _transform = Transform::create();
        addRefCP(_group);
        addRefCP(_transform);
    }
    void TearDown() override {
        subRefCP(_group);
        subRefCP(_transform);
        ContainerTestBase::TearDown();
    }

    GroupPtr _group;
    TransformPtr _transform;
};

TEST_F(HandleTest, DcastKeepsTheContainerOfTheRightTypeAndGivesNullOtherwise) {
    NodeCorePtr asCore = _transform;
    TransformPtr back = TransformPtr::dcast(asCore);
    EXPECT_EQ(back, _transform);
    EXPECT_EQ(GroupPtr::dcast(asCore), _transform);
    EXPECT_EQ(NodeCorePtr::dcast(FieldContainerPtr(_group)), _group);
    EXPECT_EQ(back.getRefCount(), 1) << "dcast must not count";

    EXPECT_TRUE(TransformPtr::dcast(_group).isNull());
    EXPECT_TRUE(NodePtr::dcast(_group).isNull());
    EXPECT_TRUE(SpyCorePtr::dcast(_transform).isNull());
    EXPECT_TRUE(GroupPtr::dcast(NullFC).isNull());
}

TEST_F(HandleTest, NullFCEqualsEveryNullHandleAndNoLiveOneAndIgnoresCounting) {
    NodePtr null;
    addRefCP(NullFC);
    subRefCP(NullFC);
    addRefCP(null);
    subRefCP(null);
    EXPECT_EQ(null.getRefCount(), 0);
    EXPECT_EQ(null.getFieldContainerId(), 0u);
    EXPECT_TRUE(factory()->getContainer(0).isNull());
    EXPECT_TRUE(null == NullFC);
    EXPECT_TRUE(NullFC == null);
    EXPECT_FALSE(static_cast<bool>(null));
    EXPECT_TRUE(GroupPtr(NullFC).isNull());
    EXPECT_FALSE(_group == NullFC);
    EXPECT_TRUE(static_cast<bool>(_group));
    EXPECT_TRUE(NodeCorePtr(_group) == _group);
    EXPECT_TRUE(NodeCorePtr(_group) != NodeCorePtr(_transform));
}

TEST_F(HandleTest, SetRefdMovesTheReferenceToTheNewValue) {
    NodeCorePtr slot;
    setRefdCP(slot, NodeCorePtr(_group));
    EXPECT_EQ(slot, _group);
    EXPECT_EQ(_group.getRefCount(), 2);
    setRefdCP(slot, NodeCorePtr(_group)); // same value: no count changes
    EXPECT_EQ(_group.getRefCount(), 2);

    setRefdCP(slot, NodeCorePtr(_transform));
    EXPECT_EQ(slot, _transform);
    EXPECT_EQ(_group.getRefCount(), 1);
    EXPECT_EQ(_transform.getRefCount(), 2);

    setRefdCP(slot, NodeCorePtr(NullFC));
    EXPECT_TRUE(slot.isNull());
    EXPECT_EQ(_transform.getRefCount(), 1);

    // Releasing the last reference frees the old value.
    setRefdCP(slot, NodeCorePtr(Group::create()));
    const UInt32 id = slot.getFieldContainerId();
    setRefdCP(slot, NodeCorePtr(NullFC));
    EXPECT_TRUE(factory()->getContainer(id).isNull());
}

// --- Edits -----------------------------------------------------------------------------------

class EditTest : public ContainerTestBase {
protected:
    void SetUp() override {
        ContainerTestBase::SetUp();
        _spy = SpyCore::create();
        addRefCP(_spy);
        changeList().clear();
    }
    void TearDown() override {
        subRefCP(_spy);
        changeList().clear();
        ContainerTestBase::TearDown();
    }

    SpyCorePtr _spy;
};

TEST_F(EditTest, EndEditPassesTheExactMaskAndOriginToChanged) {
    const BitVector mask = SpyCore::ValueFieldMask | NodeCore::ParentsFieldMask;
    beginEditCP(_spy, mask, ChangedOrigin::Child);
    EXPECT_TRUE(_spy->changes().empty()) << "beginEdit alone changes nothing";
    EXPECT_TRUE(changeList().getChanged().empty());
    _spy->setValue(SpyValue);
    endEditCP(_spy, mask, ChangedOrigin::Child);
    endEditCP(_spy); // defaults: all fields, from outside
    ASSERT_EQ(_spy->changes().size(), 2u);
    EXPECT_EQ(_spy->changes()[0].mask, mask);
    EXPECT_EQ(_spy->changes()[0].origin, ChangedOrigin::Child);
    EXPECT_EQ(_spy->changes()[1].mask, FieldBits_AllFields);
    EXPECT_EQ(_spy->changes()[1].origin, ChangedOrigin::External);
}

TEST_F(EditTest, ChangeListRecordsEditsAndCreationsInOrderAndIgnoresNull) {
    endEditCP(_spy, SpyCore::ValueFieldMask);
    endEditCP(_spy, AttachmentContainer::AttachmentsFieldMask, ChangedOrigin::Sync);
    beginEditCP(NullFC);
    endEditCP(NullFC, SpyCore::ValueFieldMask);
    endEditCP(SpyCorePtr(), SpyCore::ValueFieldMask);
    const std::vector<ChangeList::ChangedEntry>& changed = changeList().getChanged();
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(changed[0].id, _spy.getFieldContainerId());
    EXPECT_EQ(changed[0].mask, SpyCore::ValueFieldMask);
    EXPECT_EQ(changed[1].id, _spy.getFieldContainerId());
    EXPECT_EQ(changed[1].mask, AttachmentContainer::AttachmentsFieldMask);
    EXPECT_TRUE(changeList().getCreated().empty());

    SpyCorePtr created = SpyCore::create();
    FieldContainerPtr copy = created->shallowCopy();
    const std::vector<UInt32>& ids = changeList().getCreated();
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[0], created.getFieldContainerId());
    EXPECT_EQ(ids[1], copy.getFieldContainerId());
    subRefCP(created);
    subRefCP(copy);

    changeList().clear();
    EXPECT_TRUE(changeList().getChanged().empty());
    EXPECT_TRUE(changeList().getCreated().empty());
}

// --- Copies ----------------------------------------------------------------------------------

class ShallowCopyTest : public ContainerTestBase {
protected:
    void SetUp() override {
        ContainerTestBase::SetUp();
        _spy = SpyCore::create();
        _node = Node::create();
        addRefCP(_node);
        _node->setCore(_spy);
        beginEditCP(_spy, SpyCore::ValueFieldMask);
        _spy->setValue(SpyValue);
        endEditCP(_spy, SpyCore::ValueFieldMask);
    }
    void TearDown() override {
        subRefCP(_node);
        ContainerTestBase::TearDown();
    }

    SpyCorePtr _spy;
    NodePtr _node;
};

TEST_F(ShallowCopyTest, CopyIsANewIndependentUnreferencedContainerOnNoNode) {
    ASSERT_EQ(_spy->getParents().size(), 1u);
    SpyCorePtr copy = SpyCorePtr::dcast(_spy->shallowCopy());
    ASSERT_FALSE(copy.isNull());
    EXPECT_NE(copy.getFieldContainerId(), _spy.getFieldContainerId());
    EXPECT_EQ(factory()->getContainer(copy.getFieldContainerId()), copy);
    EXPECT_EQ(copy.getRefCount(), 0);
    EXPECT_EQ(copy->getValue(), SpyValue);
    EXPECT_EQ(copy->createdFrom(), _spy.getCPtr());
    EXPECT_TRUE(copy->getParents().empty());

    copy->setValue(OtherSpyValue);
    EXPECT_EQ(_spy->getValue(), SpyValue);
    EXPECT_TRUE(copy->changes().empty());
    subRefCP(copy);
}

TEST_F(ShallowCopyTest, CopiedTransform3DKeepsComponentsAndMatrix) {
    Transform3DPtr transform = Transform3D::create();
    addRefCP(transform);
    beginEditCP(transform, Transform3D::TranslationFieldMask | Transform3D::FlagsFieldMask);
    transform->setTranslation(Vec3f(1, 2, 3));
    transform->setFlags(0x5);
    endEditCP(transform, Transform3D::TranslationFieldMask | Transform3D::FlagsFieldMask);

    Transform3DPtr copy = Transform3DPtr::dcast(transform->shallowCopy());
    ASSERT_FALSE(copy.isNull());
    EXPECT_EQ(copy->getTranslation(), Vec3f(1, 2, 3));
    EXPECT_EQ(copy->getFlags(), 0x5u);
    EXPECT_EQ(copy->getMatrix(), transform->getMatrix());
    subRefCP(copy);
    subRefCP(transform);
}

TEST_F(ShallowCopyTest, DumpLogsTypeNameAndId) {
    LogCapture capture;
    _spy->dump();
    ASSERT_EQ(capture.entries().size(), 1u);
    EXPECT_EQ(capture.entries()[0].text,
              "Dump TestSpyCore " + std::to_string(_spy.getFieldContainerId()) + "\n");
}

} // namespace
