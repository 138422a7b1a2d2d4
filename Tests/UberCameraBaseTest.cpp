// The camera's field container: registration, the field table, defaults,
// creation and the reference counting of its container-pointer setters.

#include "OSGUberCamera.h"

#include "OSGChangeList.h"
#include "OSGFieldContainerFactory.h"
#include "OSGInit.h"
#include "OSGMaterial.h"
#include "OSGThread.h"
#include "OSGTypeFactory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

using namespace osg;

namespace {

constexpr UInt32 FirstCameraFieldId = 27;
constexpr UInt32 CameraFieldCount = 28;

struct ExpectedField {
    const char* name;
    const char* fieldType;
    bool internal;
};

// The camera's fields in id order, from 27 on.
const ExpectedField ExpectedFields[CameraFieldCount] = {
    {"perspectiveMatch", "SFPerspectiveMatchPtr", false},
    {"visualization", "SFGeometryPtr", true},
    {"projectionMode", "SFUInt32", false},
    {"projectionScale", "SFVec3f", false},
    {"focusDistance", "SFReal32", false},
    {"sensorSize", "SFVec2f", false},
    {"frustumSides", "SFVec4f", false},
    {"shutterSpeed", "SFReal32", false},
    {"apertureDiameter", "SFReal32", false},
    {"principalPointOffset", "SFVec2f", false},
    {"skewFactor", "SFReal32", false},
    {"roll", "SFReal32", false},
    {"defaultCameraId", "SFInt32", false},
    {"hmdMatrix", "SFMatrix", false},
    {"leftEyeDistortionMap", "SFTextureSettingsPtr", false},
    {"rightEyeDistortionMap", "SFTextureSettingsPtr", false},
    {"tonemappingSettings", "SFTonemappingSettingsPtr", false},
    {"animationRoot", "SFAnimNodePtr", true},
    {"viewpointTransitionDuration", "SFReal32", false},
    {"trackOverrides", "SFVec4f", false},
    {"customProjectionMatrix", "SFMatrix", false},
    {"pbarProjectionPlanePoints", "MFPnt3f", false},
    {"atDistance", "SFReal32", false},
    {"turntableParameter", "SFVec3f", true},
    {"turntableAnimationDuration", "SFReal32", false},
    {"activeParentIndex", "SFUInt32", true},
    {"visualizationScale", "SFReal32", false},
    {"fogSettings", "SFFogSettingsPtr", false},
};

// Holds one reference on a container for the duration of a test.
class Ref {
public:
    explicit Ref(FieldContainerPtr ptr) : _ptr(ptr) { addRefCP(_ptr); }
    ~Ref() { subRefCP(_ptr); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

private:
    FieldContainerPtr _ptr;
};

class CameraFieldsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The default material lives until the scene graph exits; make it before counting.
        getDefaultMaterial();
        _liveBefore = FieldContainerFactory::the()->getNumLiveContainers();
    }
    void TearDown() override {
        EXPECT_EQ(FieldContainerFactory::the()->getNumLiveContainers(), _liveBefore)
            << "a container created by the test is still alive";
    }

    static const FieldContainerType& cameraType() { return UberCameraBase::getClassType(); }

private:
    UInt32 _liveBefore = 0;
};

// Every field but the container pointers, which the creation hook fills.
void expectValueDefaults(const UberCameraPtr& camera) {
    ASSERT_FALSE(camera.isNull());
    const Matrix identity;
    EXPECT_EQ(camera->getProjectionMode(), 0u);
    EXPECT_EQ(camera->getProjectionScale(), Vec3f(1, 1, 1));
    EXPECT_EQ(camera->getFocusDistance(), 0.0f);
    EXPECT_EQ(camera->getSensorSize(), Vec2f(36, 24));
    EXPECT_EQ(camera->getFrustumSides(), Vec4f(-3000, 3000, -3000, 3000));
    EXPECT_EQ(camera->getShutterSpeed(), 125.0f);
    EXPECT_EQ(camera->getApertureDiameter(), 7.76f);
    EXPECT_EQ(camera->getPrincipalPointOffset(), Vec2f(0, 0));
    EXPECT_EQ(camera->getSkewFactor(), 0.0f);
    EXPECT_EQ(camera->getRoll(), 0.0f);
    EXPECT_EQ(camera->getDefaultCameraId(), -1);
    EXPECT_EQ(camera->getHmdMatrix(), identity);
    EXPECT_EQ(camera->getViewpointTransitionDuration(), 2.0f);
    EXPECT_EQ(camera->getTrackOverrides(), Vec4f(0, 0, 3, 0));
    EXPECT_EQ(camera->getCustomProjectionMatrix(), identity);
    EXPECT_TRUE(camera->getPbarProjectionPlanePoints().empty());
    EXPECT_EQ(camera->getAtDistance(), 1000.0f);
    EXPECT_EQ(camera->getTurntableParameter(), Vec3f(0, 0, 0));
    EXPECT_EQ(camera->getTurntableAnimationDuration(), 5.0f);
    EXPECT_EQ(camera->UberCameraBase::getActiveParentIndex(), 0u);
    EXPECT_EQ(camera->getVisualizationScale(), 100.0f);
}

// A camera before its creation hook ran (the prototype): every field at its default.
void expectDefaults(const UberCameraPtr& camera) {
    expectValueDefaults(camera);
    EXPECT_TRUE(camera->getPerspectiveMatch().isNull());
    EXPECT_TRUE(camera->getVisualization().isNull());
    EXPECT_TRUE(camera->getLeftEyeDistortionMap().isNull());
    EXPECT_TRUE(camera->getRightEyeDistortionMap().isNull());
    EXPECT_TRUE(camera->getTonemappingSettings().isNull());
    EXPECT_TRUE(camera->getAnimationRoot().isNull());
    EXPECT_TRUE(camera->getFogSettings().isNull());
}

// A camera made while the scene graph runs: defaults, and containers of its own.
void expectCreatedCamera(const UberCameraPtr& camera) {
    expectValueDefaults(camera);
    const FieldContainerPtr owned[] = {camera->getPerspectiveMatch(),
                                       camera->getLeftEyeDistortionMap(),
                                       camera->getRightEyeDistortionMap(),
                                       camera->getTonemappingSettings(), camera->getFogSettings()};
    for (const FieldContainerPtr& container : owned) {
        ASSERT_FALSE(container.isNull());
        EXPECT_EQ(container.getRefCount(), 1) << container->getTypeName();
    }
    EXPECT_NE(camera->getLeftEyeDistortionMap(), camera->getRightEyeDistortionMap());
    EXPECT_FALSE(camera->getVisualization().isNull()) << "a shown camera has its wireframe";
    EXPECT_TRUE(camera->getAnimationRoot().isNull());
}

TEST_F(CameraFieldsTest, TypeIsRegisteredBelowPerspectiveCamera) {
    const FieldContainerType* type = FieldContainerFactory::the()->findType("UberCamera");
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type, &cameraType());
    EXPECT_EQ(type->getParentName(), "PerspectiveCamera");
    ASSERT_NE(type->getParent(), nullptr);
    EXPECT_TRUE(type->isDerivedFrom(PerspectiveCameraBase::getClassType()));
    EXPECT_TRUE(type->isDerivedFrom(Transform3DBase::getClassType()));
    EXPECT_FALSE(PerspectiveCameraBase::getClassType().isDerivedFrom(*type));
    EXPECT_FALSE(type->isAbstract());
}

TEST_F(CameraFieldsTest, PointerTypesAreRegistered) {
    const TypeBase* data = TypeFactory::the()->findType("UberCameraPtr");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->getParentName(), "PerspectiveCameraPtr");

    const auto* single =
        dynamic_cast<const FieldType*>(TypeFactory::the()->findType("SFUberCameraPtr"));
    const auto* multi =
        dynamic_cast<const FieldType*>(TypeFactory::the()->findType("MFUberCameraPtr"));
    ASSERT_NE(single, nullptr);
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(single->getCardinality(), FieldType::SINGLE_FIELD);
    EXPECT_EQ(multi->getCardinality(), FieldType::MULTI_FIELD);
    EXPECT_EQ(&single->getContentType(), data);
    EXPECT_EQ(&multi->getContentType(), data);
    EXPECT_EQ(single->getParentName(), "Field");
    EXPECT_EQ(&SFUberCameraPtr::getClassType(), single);
    EXPECT_EQ(&MFUberCameraPtr::getClassType(), multi);
}

TEST_F(CameraFieldsTest, FieldTableHasIdsNamesMasksAndInternalFlags) {
    const std::vector<FieldDescription*>& own = cameraType().getOwnFieldDescriptions();
    ASSERT_EQ(own.size(), CameraFieldCount);
    for (UInt32 i = 0; i < CameraFieldCount; ++i) {
        SCOPED_TRACE(ExpectedFields[i].name);
        const UInt32 id = FirstCameraFieldId + i;
        const FieldDescription* desc = cameraType().getFieldDescription(id);
        ASSERT_NE(desc, nullptr);
        EXPECT_EQ(desc, own[i]);
        EXPECT_EQ(desc->getName(), ExpectedFields[i].name);
        EXPECT_EQ(desc->getFieldMask(), BitVector(1) << id);
        EXPECT_EQ(desc->isInternal(), ExpectedFields[i].internal);
        EXPECT_EQ(desc->getFieldType().getName(), ExpectedFields[i].fieldType);
        EXPECT_EQ(desc->getDefaultValue(), nullptr);
        EXPECT_EQ(cameraType().findFieldDescription(ExpectedFields[i].name), desc);
    }
    EXPECT_EQ(UInt32(UberCameraBase::NextFieldId), FirstCameraFieldId + CameraFieldCount);
    EXPECT_EQ(cameraType().getFieldDescription(FirstCameraFieldId + CameraFieldCount), nullptr);
    // The inherited fields stay reachable through the parent type.
    EXPECT_NE(cameraType().getFieldDescription(PerspectiveCameraBase::FovFieldId), nullptr);
}

TEST_F(CameraFieldsTest, MaskConstantsFollowTheIds) {
    EXPECT_EQ(UberCameraBase::PerspectiveMatchFieldMask, 0x8000000ull);
    EXPECT_EQ(UberCameraBase::ApertureDiameterFieldMask, 0x800000000ull);
    EXPECT_EQ(UberCameraBase::PbarProjectionPlanePointsFieldMask, 0x1000000000000ull);
    EXPECT_EQ(UberCameraBase::FogSettingsFieldMask, 0x40000000000000ull);
    EXPECT_EQ(UberCameraBase::MTInfluenceMask, PerspectiveCameraBase::MTInfluenceMask);
}

TEST_F(CameraFieldsTest, OnlyProjectionPlanePointsIsMultiValued) {
    for (const FieldDescription* desc : cameraType().getOwnFieldDescriptions()) {
        bool multi = desc->getFieldType().getCardinality() == FieldType::MULTI_FIELD;
        EXPECT_EQ(multi, desc->getFieldId() == 48u) << desc->getName();
    }
}

TEST_F(CameraFieldsTest, CameraCreatedByTypeNameHasEveryDefaultAndItsOwnContainers) {
    FieldContainerPtr created = FieldContainerFactory::the()->createFieldContainer("UberCamera");
    Ref hold(created);
    expectCreatedCamera(UberCameraPtr::dcast(created));
}

TEST_F(CameraFieldsTest, CreateAndCreateEmptyGiveDefaults) {
    UberCameraPtr fromPrototype = UberCamera::create();
    Ref holdPrototypeCopy(fromPrototype);
    expectCreatedCamera(fromPrototype);
    EXPECT_EQ(fromPrototype.getRefCount(), 1);

    UberCameraPtr empty = UberCamera::createEmpty();
    Ref holdEmpty(empty);
    expectCreatedCamera(empty);
    EXPECT_NE(empty.getFieldContainerId(), fromPrototype.getFieldContainerId());
}

TEST_F(CameraFieldsTest, ApertureDefaultIsTheNearestSinglePrecisionValue) {
    UberCameraPtr camera = UberCamera::create();
    Ref hold(camera);
    EXPECT_EQ(camera->getApertureDiameter(), static_cast<float>(7.76));
    EXPECT_NEAR(camera->getApertureDiameter(), 7.76, 1e-6);
}

TEST_F(CameraFieldsTest, NewCameraIsRegisteredAndRecordedAsCreated) {
    ChangeList* list = Thread::getCurrentChangeList();
    list->clear();
    UberCameraPtr camera = UberCamera::create();
    Ref hold(camera);
    const UInt32 id = camera.getFieldContainerId();
    EXPECT_NE(id, 0u);
    EXPECT_EQ(FieldContainerFactory::the()->getContainer(id), camera);
    const std::vector<UInt32>& created = list->getCreated();
    EXPECT_NE(std::find(created.begin(), created.end(), id), created.end());
}

TEST_F(CameraFieldsTest, CreateWithoutPrototypeGivesNull) {
    FieldContainerType& type = UberCameraBase::getClassType();
    FieldContainerPtr prototype = type.getPrototype();
    addRefCP(prototype);
    type.setPrototype(NullFC);

    EXPECT_TRUE(UberCamera::create().isNull());
    EXPECT_TRUE(FieldContainerFactory::the()->createFieldContainer("UberCamera").isNull());

    type.setPrototype(prototype);
    subRefCP(prototype);
    UberCameraPtr camera = UberCamera::create();
    Ref hold(camera);
    EXPECT_FALSE(camera.isNull());
}

TEST_F(CameraFieldsTest, PrototypeWasMadeDuringStartupAndHoldsNoSubContainers) {
    UberCameraPtr prototype = UberCameraPtr::dcast(cameraType().getPrototype());
    expectDefaults(prototype);
    EXPECT_EQ(GlobalSystemState, Running);
}

TEST_F(CameraFieldsTest, ShallowCopyHasItsOwnIdAndTheSameValues) {
    UberCameraPtr camera = UberCamera::create();
    Ref hold(camera);
    beginEditCP(camera, UberCamera::RollFieldMask | UberCamera::SensorSizeFieldMask);
    camera->setRoll(12.5f);
    camera->setSensorSize(Vec2f(24, 16));
    endEditCP(camera, UberCamera::RollFieldMask | UberCamera::SensorSizeFieldMask);
    camera->getPbarProjectionPlanePoints().push_back(Pnt3f(1, 2, 3));

    UberCameraPtr copy = UberCameraPtr::dcast(camera->shallowCopy());
    Ref holdCopy(copy);
    ASSERT_FALSE(copy.isNull());
    EXPECT_NE(copy.getFieldContainerId(), camera.getFieldContainerId());
    EXPECT_EQ(copy->getRoll(), 12.5f);
    EXPECT_EQ(copy->getSensorSize(), Vec2f(24, 16));
    ASSERT_EQ(copy->getPbarProjectionPlanePoints().size(), 1u);
    EXPECT_EQ(copy->getPbarProjectionPlanePoints(0), Pnt3f(1, 2, 3));
}

TEST_F(CameraFieldsTest, CameraAttributesMaskNamesTheLensFields) {
    const BitVector mask = UberCamera::getCombinedCameraAttributesMask();
    constexpr BitVector CameraOwnPart = 0x1fa0000000ull;
    constexpr BitVector OwnFields = ~((BitVector(1) << FirstCameraFieldId) - 1);
    EXPECT_EQ(mask & OwnFields, CameraOwnPart);
    EXPECT_EQ(mask & ~OwnFields, PerspectiveCameraBase::FovFieldMask |
                                     PerspectiveCameraBase::FovModeFieldMask |
                                     Transform3DBase::ShearFieldMask);
    EXPECT_EQ(mask & UberCamera::RollFieldMask, 0u);
    EXPECT_EQ(mask & UberCamera::ProjectionScaleFieldMask, 0u);
    EXPECT_EQ(mask & UberCamera::SkewFactorFieldMask, 0u);
}

TEST_F(CameraFieldsTest, ViewingAttributesMaskHasNoCameraField) {
    const BitVector mask = UberCamera::getCombinedViewingAttributesMask();
    EXPECT_EQ(mask >> FirstCameraFieldId, 0u);
    EXPECT_EQ(mask, Transform3D::getCombinedTransformAttributesMask() | CameraBase::NearFieldMask |
                        CameraBase::FarFieldMask);
    EXPECT_NE(mask & Transform3DBase::TranslationFieldMask, 0u);
    EXPECT_EQ(mask & Transform3DBase::FlagsFieldMask, 0u);
}

TEST_F(CameraFieldsTest, ClassWideStateHasItsLoadTimeValues) {
    EXPECT_FALSE(UberCamera::m_hmdMode);
    EXPECT_FALSE(UberCamera::getHmdMode());
    EXPECT_TRUE(UberCamera::m_initialViewDirty);
    EXPECT_EQ(UberCamera::m_initialFrom, Pnt3f(0, 0, 0));
    EXPECT_EQ(UberCamera::m_initialAt, Pnt3f(0, 0, 0));
    EXPECT_EQ(UberCamera::m_initialUp, Vec3f(0, 0, 0));
    EXPECT_EQ(UberCamera::m_initialFov, 45.0f);
    EXPECT_EQ(UberCamera::m_initialRoll, 0.0f);
    EXPECT_FALSE(UberCamera::m_CreateDestroyCallback);
}

// ---- reference counting of the container-pointer setters --------------------

// One of the seven container-pointer fields, reached through type-erased calls.
struct PointerField {
    std::string name;
    std::function<FieldContainerPtr()> make;
    std::function<void(const UberCameraPtr&, const FieldContainerPtr&)> setCounted;
    std::function<void(const UberCameraPtr&, const FieldContainerPtr&)> setPlain;
    std::function<FieldContainerPtr(const UberCameraPtr&)> get;
};

template <class PtrT>
PointerField
pointerField(const char* name, PtrT (*create)(), void (UberCamera::*counted)(const PtrT&),
             void (UberCameraBase::*plain)(const PtrT&), PtrT& (UberCameraBase::*get)()) {
    return {name, [create] { return FieldContainerPtr(create()); },
            [counted](const UberCameraPtr& c, const FieldContainerPtr& v) {
                (c.getCPtr()->*counted)(PtrT::dcast(v));
            },
            [plain](const UberCameraPtr& c, const FieldContainerPtr& v) {
                (c.getCPtr()->*plain)(PtrT::dcast(v));
            },
            [get](const UberCameraPtr& c) { return FieldContainerPtr((c.getCPtr()->*get)()); }};
}

std::vector<PointerField> pointerFields() {
    return {
        pointerField<GeometryPtr>("visualization", &Geometry::create, &UberCamera::setVisualization,
                                  &UberCameraBase::setVisualization,
                                  &UberCameraBase::getVisualization),
        pointerField<TextureSettingsPtr>(
            "leftEyeDistortionMap", &TextureSettings::create, &UberCamera::setLeftEyeDistortionMap,
            &UberCameraBase::setLeftEyeDistortionMap, &UberCameraBase::getLeftEyeDistortionMap),
        pointerField<TextureSettingsPtr>("rightEyeDistortionMap", &TextureSettings::create,
                                         &UberCamera::setRightEyeDistortionMap,
                                         &UberCameraBase::setRightEyeDistortionMap,
                                         &UberCameraBase::getRightEyeDistortionMap),
        pointerField<TonemappingSettingsPtr>("tonemappingSettings", &TonemappingSettings::create,
                                             &UberCamera::setTonemappingSettings,
                                             &UberCameraBase::setTonemappingSettings,
                                             &UberCameraBase::getTonemappingSettings),
        pointerField<FogSettingsPtr>("fogSettings", &FogSettings::create,
                                     &UberCamera::setFogSettings, &UberCameraBase::setFogSettings,
                                     &UberCameraBase::getFogSettings),
        pointerField<AnimNodePtr>("animationRoot", &AnimNode::create, &UberCamera::setAnimationRoot,
                                  &UberCameraBase::setAnimationRoot,
                                  &UberCameraBase::getAnimationRoot),
        pointerField<PerspectiveMatchPtr>(
            "perspectiveMatch", &PerspectiveMatch::create, &UberCamera::setPerspectiveMatch,
            &UberCameraBase::setPerspectiveMatch, &UberCameraBase::getPerspectiveMatch),
    };
}

// Runs `check` once per container-pointer field, each time on a new camera.
template <class CheckT> void forEachPointerField(CheckT check) {
    for (const PointerField& field : pointerFields()) {
        SCOPED_TRACE(field.name);
        UberCameraPtr camera = UberCamera::create();
        Ref holdCamera(camera);
        check(field, camera);
    }
}

TEST_F(CameraFieldsTest, CountedSetterWithTheSameValueKeepsTheCount) {
    forEachPointerField([&](const PointerField& field, const UberCameraPtr& camera) {
        FieldContainerPtr value = field.make();
        Ref holdValue(value);

        field.setCounted(camera, value);
        EXPECT_EQ(value.getRefCount(), 2);
        field.setCounted(camera, value);
        EXPECT_EQ(value.getRefCount(), 2);
        EXPECT_EQ(field.get(camera), value);
    });
}

TEST_F(CameraFieldsTest, CountedSetterWithNullReleasesTheOldValueOnce) {
    forEachPointerField([&](const PointerField& field, const UberCameraPtr& camera) {
        FieldContainerPtr value = field.make();
        Ref holdValue(value);

        field.setCounted(camera, value);
        field.setCounted(camera, NullFC);
        EXPECT_EQ(value.getRefCount(), 1);
        EXPECT_TRUE(field.get(camera).isNull());
        field.setCounted(camera, NullFC);
        EXPECT_EQ(value.getRefCount(), 1);
    });
}

TEST_F(CameraFieldsTest, CountedSetterMovesTheReferenceToTheNewValue) {
    forEachPointerField([&](const PointerField& field, const UberCameraPtr& camera) {
        FieldContainerPtr first = field.make();
        FieldContainerPtr second = field.make();
        Ref holdFirst(first);
        Ref holdSecond(second);

        field.setCounted(camera, first);
        field.setCounted(camera, second);
        EXPECT_EQ(first.getRefCount(), 1);
        EXPECT_EQ(second.getRefCount(), 2);
    });
}

TEST_F(CameraFieldsTest, CountedSetterKeepsASoleOwnedValueAlive) {
    forEachPointerField([&](const PointerField& field, const UberCameraPtr& camera) {
        FieldContainerPtr value = field.make();
        const UInt32 id = value.getFieldContainerId();

        field.setCounted(camera, value);
        EXPECT_EQ(value.getRefCount(), 1);
        field.setCounted(camera, NullFC);
        EXPECT_TRUE(FieldContainerFactory::the()->getContainer(id).isNull())
            << "the camera's reference was the last one";
    });
}

TEST_F(CameraFieldsTest, BaseSetterCopiesWithoutCounting) {
    forEachPointerField([&](const PointerField& field, const UberCameraPtr& camera) {
        FieldContainerPtr value = field.make();
        Ref holdValue(value);
        const FieldContainerPtr own = field.get(camera);
        const Int32 ownCount = own.getRefCount();

        field.setPlain(camera, value);
        EXPECT_EQ(value.getRefCount(), 1);
        EXPECT_EQ(own.getRefCount(), ownCount);
        EXPECT_EQ(field.get(camera), value);
        // Put the camera's own container back, so that it is released once.
        field.setPlain(camera, own);
        EXPECT_EQ(value.getRefCount(), 1);
    });
}

TEST_F(CameraFieldsTest, DestroyedCameraReleasesWhatItHolds) {
    for (const PointerField& field : pointerFields()) {
        SCOPED_TRACE(field.name);
        FieldContainerPtr value = field.make();
        Ref holdValue(value);
        {
            UberCameraPtr camera = UberCamera::create();
            Ref holdCamera(camera);
            field.setCounted(camera, value);
            EXPECT_EQ(value.getRefCount(), 2);
        }
        EXPECT_EQ(value.getRefCount(), 1);
    }
}

} // namespace
