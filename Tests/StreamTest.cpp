// The camera's binary field stream: the bytes each field contributes and in
// which order, round trips under random values and masks, how container
// pointers read back, and what short or corrupt streams read as. Also the
// plain copy between aspect copies of a camera.

#include "CameraFieldValues.h"
#include "CameraSceneFixture.h"

#include "OSGAnimNode.h"
#include "OSGBinaryDataHandler.h"
#include "OSGField.h"
#include "OSGMemoryDataHandler.h"

#include <array>
#include <iterator>
#include <tuple>
#include <limits>
#include <map>
#include <random>
#include <vector>

using namespace osg;
using ubercam::test::CameraSceneTest;

// ---- helpers shared with the lifecycle and clone tests -------------------------

namespace ubercam::test {

namespace {

// The camera's own fields that hold values rather than container pointers.
constexpr BitVector OwnValueFieldsMask =
    UberCamera::ProjectionModeFieldMask | UberCamera::ProjectionScaleFieldMask |
    UberCamera::FocusDistanceFieldMask | UberCamera::SensorSizeFieldMask |
    UberCamera::FrustumSidesFieldMask | UberCamera::ShutterSpeedFieldMask |
    UberCamera::ApertureDiameterFieldMask | UberCamera::PrincipalPointOffsetFieldMask |
    UberCamera::SkewFactorFieldMask | UberCamera::RollFieldMask |
    UberCamera::DefaultCameraIdFieldMask | UberCamera::HmdMatrixFieldMask |
    UberCamera::ViewpointTransitionDurationFieldMask | UberCamera::TrackOverridesFieldMask |
    UberCamera::CustomProjectionMatrixFieldMask | UberCamera::PbarProjectionPlanePointsFieldMask |
    UberCamera::AtDistanceFieldMask | UberCamera::TurntableParameterFieldMask |
    UberCamera::TurntableAnimationDurationFieldMask | UberCamera::ActiveParentIndexFieldMask |
    UberCamera::VisualizationScaleFieldMask;

// Inherited value fields that show the parent's block is part of every transfer.
constexpr BitVector InheritedValueFieldsMask =
    Transform3DBase::TranslationFieldMask | Transform3DBase::ScaleFieldMask |
    CameraBase::NearFieldMask | CameraBase::FarFieldMask | CameraBase::TrackingMatrixFieldMask |
    PerspectiveCameraBase::FovFieldMask | PerspectiveCameraBase::AspectFieldMask;

constexpr Real32 ValueRange = 1000.0f;
constexpr UInt32 MaxRandomPoints = 6;

Real32 randomReal(std::mt19937& rng) {
    return std::uniform_real_distribution<Real32>(-ValueRange, ValueRange)(rng);
}

template <class VecT, UInt32 Size> VecT randomVec(std::mt19937& rng) {
    VecT value;
    for (UInt32 i = 0; i < Size; ++i)
        value[i] = randomReal(rng);
    return value;
}

Matrix randomMatrix(std::mt19937& rng) {
    Matrix value;
    for (UInt32 column = 0; column < 4; ++column) {
        for (UInt32 row = 0; row < 4; ++row)
            value[column][row] = randomReal(rng);
    }
    return value;
}

} // namespace

BitVector randomizedFieldsMask() {
    return OwnValueFieldsMask | InheritedValueFieldsMask;
}

void randomizeValueFields(const UberCameraPtr& camera, std::mt19937& rng) {
    UberCamera& c = *camera;
    c.editProjectionMode() = static_cast<UInt32>(rng());
    c.editProjectionScale() = randomVec<Vec3f, 3>(rng);
    c.editFocusDistance() = randomReal(rng);
    c.editSensorSize() = randomVec<Vec2f, 2>(rng);
    c.editFrustumSides() = randomVec<Vec4f, 4>(rng);
    c.editShutterSpeed() = randomReal(rng);
    c.editApertureDiameter() = randomReal(rng);
    c.editPrincipalPointOffset() = randomVec<Vec2f, 2>(rng);
    c.editSkewFactor() = randomReal(rng);
    c.editRoll() = randomReal(rng);
    c.editDefaultCameraId() = static_cast<Int32>(rng());
    c.editHmdMatrix() = randomMatrix(rng);
    c.editViewpointTransitionDuration() = randomReal(rng);
    c.editTrackOverrides() = randomVec<Vec4f, 4>(rng);
    c.editCustomProjectionMatrix() = randomMatrix(rng);
    MFPnt3f& points = c.getPbarProjectionPlanePoints();
    points.clear();
    const UInt32 count = std::uniform_int_distribution<UInt32>(0, MaxRandomPoints)(rng);
    for (UInt32 i = 0; i < count; ++i)
        points.push_back(randomVec<Pnt3f, 3>(rng));
    c.editAtDistance() = randomReal(rng);
    c.editTurntableParameter() = randomVec<Vec3f, 3>(rng);
    c.editTurntableAnimationDuration() = randomReal(rng);
    c.editActiveParentIndex() = static_cast<UInt32>(rng());
    c.editVisualizationScale() = randomReal(rng);

    c.editTranslation() = randomVec<Vec3f, 3>(rng);
    c.editScale() = randomVec<Vec3f, 3>(rng);
    c.editNear() = randomReal(rng);
    c.editFar() = randomReal(rng);
    c.editTrackingMatrix() = randomMatrix(rng);
    c.editFov() = randomReal(rng);
    c.editAspect() = randomReal(rng);
}

FieldBytes fieldBytes(const FieldContainerPtr& container, BitVector mask) {
    FieldBytes bytes;
    for (UInt32 id = 0; id < 64; ++id) {
        if ((mask & (BitVector(1) << id)) == 0)
            continue;
        if (const Field* field = container->getField(id)) {
            MemoryDataHandler stream;
            field->copyToBin(stream);
            bytes[id] = stream.getData();
        }
    }
    return bytes;
}

} // namespace ubercam::test

namespace {

using ubercam::test::fieldBytes;
using ubercam::test::FieldBytes;
using ubercam::test::randomizedFieldsMask;
using ubercam::test::randomizeValueFields;
using ubercam::test::randomMask;

constexpr unsigned RoundTripSeed = 20240611u;
constexpr int RoundTripIterations = 200;
// Every so many iterations the mask holds every randomised field.
constexpr int FullMaskInterval = 50;

// The growth step of a point list read from a stream (docs/decisions.md).
constexpr UInt64 PointReadChunk = 4096;
// Bytes of the camera's fixed-size fields together.
constexpr UInt64 FixedFieldBytes = 260;
constexpr UInt64 PointBytes = 12;

constexpr UInt32 PointerFieldIds[] = {
    UberCamera::PerspectiveMatchFieldId,     UberCamera::VisualizationFieldId,
    UberCamera::LeftEyeDistortionMapFieldId, UberCamera::RightEyeDistortionMapFieldId,
    UberCamera::TonemappingSettingsFieldId,  UberCamera::AnimationRootFieldId,
    UberCamera::FogSettingsFieldId};

// Written by the camera itself as a 32-bit container id.
constexpr UInt32 PlainPointerFieldIds[] = {UberCamera::PerspectiveMatchFieldId,
                                           UberCamera::TonemappingSettingsFieldId,
                                           UberCamera::FogSettingsFieldId};

// Written through the scene graph's pointer encoding.
constexpr UInt32 SceneGraphPointerFieldIds[] = {
    UberCamera::VisualizationFieldId, UberCamera::LeftEyeDistortionMapFieldId,
    UberCamera::RightEyeDistortionMapFieldId, UberCamera::AnimationRootFieldId};

struct FieldSize {
    UInt32 id;
    UInt64 bytes;
};

// The camera's fixed-size fields and the bytes each one contributes.
constexpr FieldSize FixedFieldSizes[] = {
    {UberCamera::PerspectiveMatchFieldId, 4},
    {UberCamera::ProjectionModeFieldId, 4},
    {UberCamera::ProjectionScaleFieldId, 12},
    {UberCamera::FocusDistanceFieldId, 4},
    {UberCamera::SensorSizeFieldId, 8},
    {UberCamera::FrustumSidesFieldId, 16},
    {UberCamera::ShutterSpeedFieldId, 4},
    {UberCamera::ApertureDiameterFieldId, 4},
    {UberCamera::PrincipalPointOffsetFieldId, 8},
    {UberCamera::SkewFactorFieldId, 4},
    {UberCamera::RollFieldId, 4},
    {UberCamera::DefaultCameraIdFieldId, 4},
    {UberCamera::HmdMatrixFieldId, 64},
    {UberCamera::TonemappingSettingsFieldId, 4},
    {UberCamera::ViewpointTransitionDurationFieldId, 4},
    {UberCamera::TrackOverridesFieldId, 16},
    {UberCamera::CustomProjectionMatrixFieldId, 64},
    {UberCamera::AtDistanceFieldId, 4},
    {UberCamera::TurntableParameterFieldId, 12},
    {UberCamera::TurntableAnimationDurationFieldId, 4},
    {UberCamera::ActiveParentIndexFieldId, 4},
    {UberCamera::VisualizationScaleFieldId, 4},
    {UberCamera::FogSettingsFieldId, 4},
};

BitVector maskOf(UInt32 fieldId) {
    return BitVector(1) << fieldId;
}

std::vector<UInt8> littleEndian(UInt32 value) {
    return {static_cast<UInt8>(value), static_cast<UInt8>(value >> 8),
            static_cast<UInt8>(value >> 16), static_cast<UInt8>(value >> 24)};
}

UInt64 countBytes() {
    return osgUseOSB64() ? sizeof(UInt64) : sizeof(UInt32);
}

void putCount(BinaryDataHandler& stream, UInt64 count) {
    if (osgUseOSB64())
        stream.putValue(count);
    else
        stream.putValue(static_cast<UInt32>(count));
}

// Turns the 64-bit element counts on for its lifetime; the default is off.
class Osb64Switch {
public:
    explicit Osb64Switch(bool on) { osgSetUseOSB64(on); }
    ~Osb64Switch() { osgSetUseOSB64(false); }
    Osb64Switch(const Osb64Switch&) = delete;
    Osb64Switch& operator=(const Osb64Switch&) = delete;
};

// Puts a camera's seven container pointers back as they were: the camera does
// not count pointers read from a stream or copied between aspects, so the
// references stay balanced.
class PointerFieldsGuard {
public:
    explicit PointerFieldsGuard(const UberCameraPtr& camera) : _camera(camera) {
        for (std::size_t i = 0; i < std::size(PointerFieldIds); ++i)
            _saved[i] = _camera->getField(PointerFieldIds[i])->getContainerPtr(0);
    }
    ~PointerFieldsGuard() {
        for (std::size_t i = 0; i < std::size(PointerFieldIds); ++i)
            _camera->getField(PointerFieldIds[i])->setContainerPtr(0, _saved[i]);
    }
    PointerFieldsGuard(const PointerFieldsGuard&) = delete;
    PointerFieldsGuard& operator=(const PointerFieldsGuard&) = delete;

private:
    UberCameraPtr _camera;
    std::array<FieldContainerPtr, std::size(PointerFieldIds)> _saved;
};

// Answers every id with one fixed id and remembers what it was asked.
class MapperSpy : public FieldContainerMapper {
public:
    explicit MapperSpy(UInt32 answer) : _answer(answer) {}
    UInt32 map(UInt32 id) override {
        asked.push_back(id);
        return _answer;
    }
    std::vector<UInt32> asked;

private:
    UInt32 _answer;
};

class CameraStreamTest : public CameraSceneTest {
protected:
    void TearDown() override {
        osgSetUseOSB64(false);
        FieldContainerFactory::the()->setMapper(nullptr);
        CameraSceneTest::TearDown();
    }

    static FieldContainerPtr pointerField(const UberCameraPtr& camera, UInt32 fieldId) {
        return camera->getField(fieldId)->getContainerPtr(0);
    }

    static std::vector<UInt8> write(const UberCameraPtr& camera, BitVector mask) {
        MemoryDataHandler stream;
        camera->copyToBin(stream, mask);
        return stream.getData();
    }

    static void setPoints(const UberCameraPtr& camera, const std::vector<Pnt3f>& points) {
        camera->getPbarProjectionPlanePoints().getValues() = points;
    }
};

// ---- sizes and layout ---------------------------------------------------------------

TEST_F(CameraStreamTest, EachFixedSizeAndSceneGraphPointerFieldContributesItsBytes) {
    UberCameraPtr camera = makeCamera();
    std::vector<FieldSize> sizes(std::begin(FixedFieldSizes), std::end(FixedFieldSizes));
    const UInt64 pointerSize = FieldDataTraits<FieldContainerPtr>::getBinSize(NullFC);
    for (UInt32 id : SceneGraphPointerFieldIds)
        sizes.push_back({id, pointerSize});
    for (const FieldSize& field : sizes) {
        SCOPED_TRACE(field.id);
        EXPECT_EQ(camera->getBinSize(maskOf(field.id)), field.bytes);
        EXPECT_EQ(write(camera, maskOf(field.id)).size(), field.bytes);
    }
}

TEST_F(CameraStreamTest, PointListAndAllFieldsSizesForBothCountWidths) {
    const UInt64 pointerSize = FieldDataTraits<FieldContainerPtr>::getBinSize(NullFC);
    const BitVector mask = UberCamera::PbarProjectionPlanePointsFieldMask;
    for (bool osb64 : {false, true}) {
        SCOPED_TRACE(osb64);
        Osb64Switch use64(osb64);
        // An empty list is only its count and reads back empty.
        UberCameraPtr empty = makeCamera();
        UberCameraPtr camera = makeCamera();
        setPoints(camera, {Pnt3f(1, 2, 3), Pnt3f(-4, 5.5f, 6)});
        EXPECT_EQ(empty->getBinSize(mask), countBytes());
        MemoryDataHandler stream;
        empty->copyToBin(stream, mask);
        EXPECT_EQ(stream.getData(), std::vector<UInt8>(countBytes(), 0));
        UberCameraPtr target = makeCamera();
        setPoints(target, {Pnt3f(1, 2, 3)});
        target->copyFromBin(stream, mask);
        EXPECT_FALSE(stream.failed());
        EXPECT_TRUE(target->getPbarProjectionPlanePoints().empty());

        // Otherwise the count, then the points.
        MemoryDataHandler expected;
        putCount(expected, 2);
        for (const Pnt3f& point : camera->getPbarProjectionPlanePoints())
            FieldDataTraits<Pnt3f>::copyToBin(expected, point);
        EXPECT_EQ(camera->getBinSize(mask), countBytes() + 2 * PointBytes);
        EXPECT_EQ(write(camera, mask), expected.getData());

        // All fields: the parent's block, fixed fields, scene-graph pointers and points.
        const UInt64 all = camera->PerspectiveCameraBase::getBinSize(FieldBits_AllFields) +
                           FixedFieldBytes + std::size(SceneGraphPointerFieldIds) * pointerSize +
                           countBytes() + 2 * PointBytes;
        EXPECT_EQ(camera->getBinSize(FieldBits_AllFields), all);
        EXPECT_EQ(write(camera, FieldBits_AllFields).size(), all);
    }
}

TEST_F(CameraStreamTest, BlockIsTheParentsBlockThenOwnFieldsInIdOrder) {
    std::mt19937 rng(RoundTripSeed);
    UberCameraPtr camera = makeCamera();
    randomizeValueFields(camera, rng);

    MemoryDataHandler expected;
    camera->PerspectiveCameraBase::copyToBin(expected, FieldBits_AllFields);
    for (UInt32 id = UberCamera::PerspectiveMatchFieldId; id < UberCamera::NextFieldId; ++id) {
        const std::vector<UInt8> single = write(camera, maskOf(id));
        expected.put(single.data(), static_cast<UInt32>(single.size()));
    }
    EXPECT_EQ(write(camera, FieldBits_AllFields), expected.getData());
}

TEST_F(CameraStreamTest, PlainContainerPointersAreWrittenAsTheirIdOrZero) {
    UberCameraPtr camera = makeCamera();
    for (UInt32 id : PlainPointerFieldIds) {
        SCOPED_TRACE(id);
        const FieldContainerPtr held = pointerField(camera, id);
        ASSERT_FALSE(held.isNull());
        EXPECT_EQ(write(camera, maskOf(id)), littleEndian(held.getFieldContainerId()));
    }

    // A camera without tonemapping settings writes 0 for them.
    beginEditCP(camera, UberCamera::TonemappingSettingsFieldMask);
    camera->setTonemappingSettings(TonemappingSettingsPtr());
    endEditCP(camera, UberCamera::TonemappingSettingsFieldMask);
    EXPECT_EQ(camera->getBinSize(UberCamera::TonemappingSettingsFieldMask), sizeof(UInt32));
    EXPECT_EQ(write(camera, UberCamera::TonemappingSettingsFieldMask), littleEndian(0));
}

// ---- round trips ------------------------------------------------------------------------

TEST_F(CameraStreamTest, RandomValuesAndMasksRoundTripExactly) {
    for (bool osb64 : {false, true}) {
        SCOPED_TRACE(osb64);
        Osb64Switch use64(osb64);
        std::mt19937 rng(RoundTripSeed);
        UberCameraPtr source = makeCamera();
        UberCameraPtr target = makeCamera();
        const BitVector candidates = randomizedFieldsMask();

        for (int iteration = 0; iteration < RoundTripIterations; ++iteration) {
            SCOPED_TRACE(iteration);
            randomizeValueFields(source, rng);
            randomizeValueFields(target, rng);
            BitVector mask = candidates;
            if (iteration % FullMaskInterval != 0)
                mask = randomMask(rng, mask);

            const FieldBytes before = fieldBytes(target, FieldBits_AllFields);
            MemoryDataHandler stream;
            source->copyToBin(stream, mask);
            ASSERT_EQ(stream.getData().size(), source->getBinSize(mask));

            target->copyFromBin(stream, mask);
            EXPECT_FALSE(stream.failed());
            EXPECT_EQ(stream.getRemaining(), 0u);

            const FieldBytes expectedSelected = fieldBytes(source, mask);
            const FieldBytes after = fieldBytes(target, FieldBits_AllFields);
            for (const auto& [id, bytes] : after) {
                const bool selected = (mask & maskOf(id)) != 0;
                ASSERT_EQ(bytes, selected ? expectedSelected.at(id) : before.at(id))
                    << "field " << id << (selected ? " (selected)" : " (not selected)");
            }
        }
    }
}

TEST_F(CameraStreamTest, PlainContainerPointersReadBackToTheSameContainers) {
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    PointerFieldsGuard restore(target);
    BitVector mask = 0;
    for (UInt32 id : PlainPointerFieldIds)
        mask |= maskOf(id);

    MemoryDataHandler stream;
    source->copyToBin(stream, mask);
    target->copyFromBin(stream, mask);
    for (UInt32 id : PlainPointerFieldIds) {
        SCOPED_TRACE(id);
        EXPECT_EQ(pointerField(target, id), pointerField(source, id));
        // Reading does not count the pointer.
        EXPECT_EQ(pointerField(source, id).getRefCount(), 1);
    }
}

// ---- pointers from damaged streams ----------------------------------------------------------

TEST_F(CameraStreamTest, IdZeroOrUnknownIdReadsAsNull) {
    constexpr UInt32 UnusedId = std::numeric_limits<UInt32>::max() - 1;
    UberCameraPtr camera = makeCamera();
    for (UInt32 streamed : {UInt32(0), UnusedId}) {
        PointerFieldsGuard restore(camera);
        for (UInt32 id : PointerFieldIds) {
            SCOPED_TRACE(::testing::Message() << "field " << id << ", id " << streamed);
            MemoryDataHandler stream;
            stream.putValue(streamed);
            camera->copyFromBin(stream, maskOf(id));
            EXPECT_FALSE(stream.failed());
            EXPECT_TRUE(pointerField(camera, id).isNull());
        }
    }
}

TEST_F(CameraStreamTest, IdIsTypeCheckedAgainstTheFieldsClass) {
    UberCameraPtr camera = makeCamera();
    UberCameraPtr other = makeCamera();
    NodePtr plainNode = addNode(root, Group::create());
    AnimNodePtr animation = hold(AnimNode::create());
    // For each pointer field, a container of a neighbouring class and one of the right class.
    const std::tuple<UInt32, FieldContainerPtr, FieldContainerPtr> cases[] = {
        {UberCamera::PerspectiveMatchFieldId, camera->getFogSettings(),
         other->getPerspectiveMatch()},
        {UberCamera::VisualizationFieldId, camera->getLeftEyeDistortionMap(),
         other->getVisualization()},
        {UberCamera::LeftEyeDistortionMapFieldId, camera->getVisualization(),
         other->getRightEyeDistortionMap()},
        {UberCamera::RightEyeDistortionMapFieldId, camera->getVisualization(),
         other->getLeftEyeDistortionMap()},
        {UberCamera::TonemappingSettingsFieldId, camera->getFogSettings(),
         other->getTonemappingSettings()},
        {UberCamera::AnimationRootFieldId, plainNode, animation},
        {UberCamera::FogSettingsFieldId, camera->getTonemappingSettings(), other->getFogSettings()},
    };
    PointerFieldsGuard restore(camera);
    for (const auto& [id, wrong, right] : cases) {
        SCOPED_TRACE(id);
        ASSERT_FALSE(wrong.isNull());
        for (const FieldContainerPtr& container : {right, wrong}) {
            MemoryDataHandler stream;
            stream.putValue(container.getFieldContainerId());
            camera->copyFromBin(stream, maskOf(id));
            EXPECT_EQ(pointerField(camera, id), container == right ? right : NullFC);
        }
    }
}

TEST_F(CameraStreamTest, InstalledIdMapperTranslatesPlainPointerIdsButNotZero) {
    constexpr UInt32 ForeignId = 123456;
    UberCameraPtr camera = makeCamera();
    UberCameraPtr other = makeCamera();
    PointerFieldsGuard restore(camera);
    for (UInt32 streamed : {ForeignId, UInt32(0)}) {
        SCOPED_TRACE(streamed);
        MapperSpy mapper(other->getFogSettings().getFieldContainerId());
        FieldContainerFactory::the()->setMapper(&mapper);
        MemoryDataHandler stream;
        stream.putValue(streamed);
        camera->copyFromBin(stream, UberCamera::FogSettingsFieldMask);
        FieldContainerFactory::the()->setMapper(nullptr);
        EXPECT_EQ(mapper.asked, streamed ? std::vector<UInt32>{ForeignId} : std::vector<UInt32>{});
        EXPECT_EQ(camera->getFogSettings(), streamed ? other->getFogSettings() : NullFC);
    }
}

// ---- short and corrupt streams ------------------------------------------------------------

TEST_F(CameraStreamTest, StreamShorterThanTheMaskFailsAndReadsTheRestAsZeros) {
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    beginEditCP(source);
    source->setAtDistance(12.5f);
    source->setTurntableParameter(Vec3f(1, 2, 3));
    source->setVisualizationScale(7.0f);
    endEditCP(source);

    const BitVector mask = UberCamera::AtDistanceFieldMask |
                           UberCamera::TurntableParameterFieldMask |
                           UberCamera::VisualizationScaleFieldMask;
    std::vector<UInt8> bytes = write(source, mask);
    bytes.resize(sizeof(Real32)); // the target distance only
    MemoryDataHandler stream(bytes);
    target->copyFromBin(stream, mask);
    EXPECT_TRUE(stream.failed());
    EXPECT_EQ(target->getAtDistance(), 12.5f);
    EXPECT_EQ(target->getTurntableParameter(), Vec3f(0, 0, 0));
    EXPECT_EQ(target->getVisualizationScale(), 0.0f);

    // A stream ending inside the leading matrix fails without harm.
    const BitVector matrixFirst = UberCamera::HmdMatrixFieldMask | UberCamera::AtDistanceFieldMask;
    bytes = write(source, matrixFirst);
    bytes.resize(bytes.size() / 2 + 1);
    MemoryDataHandler cut(bytes);
    target->copyFromBin(cut, matrixFirst);
    EXPECT_TRUE(cut.failed());
    EXPECT_EQ(target->getAtDistance(), 0.0f);
}

TEST_F(CameraStreamTest, EmptyStreamReadsEveryFieldAsZero) {
    UberCameraPtr camera = makeCamera();
    std::mt19937 rng(RoundTripSeed);
    randomizeValueFields(camera, rng);
    setPoints(camera, {Pnt3f(1, 2, 3)});
    PointerFieldsGuard restore(camera);

    BitVector mask = randomizedFieldsMask();
    for (UInt32 id : PointerFieldIds)
        mask |= maskOf(id);
    MemoryDataHandler stream;
    camera->copyFromBin(stream, mask);

    EXPECT_TRUE(stream.failed());
    for (UInt32 id : PointerFieldIds)
        EXPECT_TRUE(pointerField(camera, id).isNull()) << id;
    EXPECT_TRUE(camera->getPbarProjectionPlanePoints().empty());
    // Every other selected field holds zero bytes now.
    for (const auto& [id, bytes] :
         fieldBytes(camera, mask & ~UberCamera::PbarProjectionPlanePointsFieldMask)) {
        bool allZero = true;
        for (UInt8 byte : bytes)
            allZero = allZero && byte == 0;
        EXPECT_TRUE(allZero) << "field " << id;
    }
}

TEST_F(CameraStreamTest, HugePointCountAllocatesNoMoreThanOneChunk) {
    const Pnt3f first(1, 2, 3);
    const Pnt3f second(4, 5, 6);
    for (bool osb64 : {false, true}) {
        SCOPED_TRACE(osb64);
        Osb64Switch use64(osb64);
        UberCameraPtr camera = makeCamera();
        MemoryDataHandler stream;
        putCount(stream,
                 osb64 ? std::numeric_limits<UInt64>::max() : std::numeric_limits<UInt32>::max());
        FieldDataTraits<Pnt3f>::copyToBin(stream, first);
        FieldDataTraits<Pnt3f>::copyToBin(stream, second);

        camera->copyFromBin(stream, UberCamera::PbarProjectionPlanePointsFieldMask);
        EXPECT_TRUE(stream.failed());
        const MFPnt3f& points = camera->getPbarProjectionPlanePoints();
        ASSERT_GE(points.size(), 2u);
        EXPECT_LE(points.size(), PointReadChunk);
        EXPECT_EQ(points[0], first);
        EXPECT_EQ(points[1], second);
    }
}

TEST_F(CameraStreamTest, PointCountBeyondTheDataKeepsThePointsReadAndZeros) {
    constexpr UInt32 AnnouncedCount = 5;
    const Pnt3f only(7, 8, 9);
    UberCameraPtr camera = makeCamera();
    MemoryDataHandler stream;
    stream.putValue(AnnouncedCount);
    FieldDataTraits<Pnt3f>::copyToBin(stream, only);

    camera->copyFromBin(stream, UberCamera::PbarProjectionPlanePointsFieldMask);
    EXPECT_TRUE(stream.failed());
    const MFPnt3f& points = camera->getPbarProjectionPlanePoints();
    ASSERT_GE(points.size(), 1u);
    EXPECT_LE(points.size(), AnnouncedCount);
    EXPECT_EQ(points[0], only);
    for (UInt32 i = 1; i < points.size(); ++i)
        EXPECT_EQ(points[i], Pnt3f(0, 0, 0)) << i;
}

// ---- aspect synchronisation -----------------------------------------------------------------

// Reaches the protected aspect copy of real cameras; never instantiated.
struct AspectSync : UberCamera {
    static void syncImpl(const UberCameraPtr& to, const UberCameraPtr& from, BitVector mask) {
        (to.getCPtr()->*(&AspectSync::executeSyncImpl))(from.getCPtr(), mask);
    }
    // Through the virtual entry point the scene graph calls, with the source as a plain container.
    static void sync(const UberCameraPtr& to, const UberCameraPtr& from, BitVector mask) {
        FieldContainer& source = *from.getCPtr();
        (to.getCPtr()->*(&AspectSync::executeSync))(source, mask);
    }
};

class CameraAspectSyncTest : public CameraSceneTest {};

TEST_F(CameraAspectSyncTest, RandomMasksCopyExactlyTheSelectedValueFields) {
    constexpr int Iterations = 200;
    std::mt19937 rng(RoundTripSeed);
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    const BitVector candidates = randomizedFieldsMask();
    for (int iteration = 0; iteration < Iterations; ++iteration) {
        SCOPED_TRACE(iteration);
        randomizeValueFields(source, rng);
        randomizeValueFields(target, rng);
        const BitVector mask = randomMask(rng, candidates);
        const FieldBytes before = fieldBytes(target, FieldBits_AllFields);

        if (iteration % 2 == 0)
            AspectSync::syncImpl(target, source, mask);
        else
            AspectSync::sync(target, source, mask);

        const FieldBytes from = fieldBytes(source, mask);
        for (const auto& [id, bytes] : fieldBytes(target, FieldBits_AllFields)) {
            const bool selected = (mask & maskOf(id)) != 0;
            ASSERT_EQ(bytes, selected ? from.at(id) : before.at(id)) << "field " << id;
        }
    }
}

TEST_F(CameraAspectSyncTest, PointListIsCopiedWhole) {
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    const std::vector<Pnt3f> longer = {Pnt3f(1, 2, 3), Pnt3f(4, 5, 6), Pnt3f(7, 8, 9)};
    const std::vector<Pnt3f> shorter = {Pnt3f(-1, 0, 1)};
    const BitVector mask = UberCamera::PbarProjectionPlanePointsFieldMask;

    source->getPbarProjectionPlanePoints().getValues() = longer;
    target->getPbarProjectionPlanePoints().getValues() = shorter;
    AspectSync::syncImpl(target, source, mask);
    EXPECT_EQ(target->getPbarProjectionPlanePoints().getValues(), longer);

    source->getPbarProjectionPlanePoints().getValues() = shorter;
    AspectSync::syncImpl(target, source, mask);
    EXPECT_EQ(target->getPbarProjectionPlanePoints().getValues(), shorter);
}

TEST_F(CameraAspectSyncTest, ContainerPointersAreSharedWithoutCounting) {
    UberCameraPtr source = makeCamera();
    UberCameraPtr target = makeCamera();
    PointerFieldsGuard restore(target);
    BitVector mask = 0;
    for (UInt32 id : PointerFieldIds)
        mask |= maskOf(id);

    AspectSync::syncImpl(target, source, mask);

    for (UInt32 id : PointerFieldIds) {
        SCOPED_TRACE(id);
        const FieldContainerPtr shared = source->getField(id)->getContainerPtr(0);
        EXPECT_EQ(target->getField(id)->getContainerPtr(0), shared);
        if (!shared.isNull()) {
            EXPECT_EQ(shared.getRefCount(), 1);
        }
    }
}

TEST_F(CameraAspectSyncTest, SyncFromItselfChangesNothing) {
    std::mt19937 rng(RoundTripSeed);
    UberCameraPtr camera = makeCamera();
    randomizeValueFields(camera, rng);
    const BitVector mask = randomizedFieldsMask() | UberCamera::FogSettingsFieldMask;
    const FieldBytes before = fieldBytes(camera, FieldBits_AllFields);

    AspectSync::syncImpl(camera, camera, mask);

    EXPECT_EQ(fieldBytes(camera, FieldBits_AllFields), before);
    EXPECT_EQ(camera->getFogSettings().getRefCount(), 1);
}

} // namespace
