// The camera wireframe: its exact points, its scale, when a camera keeps or
// rebuilds it, and its ray-tracing visibility.

#include "CameraSceneFixture.h"

#include "OSGChangeList.h"
#include "OSGRaytracingGeoAttachment.h"
#include "OSGThread.h"
#include "kxUberCameraUtils.h"

#include <algorithm>

using namespace osg;
using ubercam::test::CameraSceneTest;

namespace {

constexpr UInt32 PointCount = 166;

// The wireframe at scale 100, written out point by point: 83 segments.
const Real32 ExpectedPoints[PointCount][3] = {
    // body: rectangle at z = 0
    {-20, 40, 0},
    {20, 40, 0},
    {20, 40, 0},
    {20, -40, 0},
    {20, -40, 0},
    {-20, -40, 0},
    {-20, -40, 0},
    {-20, 40, 0},
    // body: rectangle at z = 120
    {-20, 40, 120},
    {20, 40, 120},
    {20, 40, 120},
    {20, -40, 120},
    {20, -40, 120},
    {-20, -40, 120},
    {-20, -40, 120},
    {-20, 40, 120},
    // body: edges along z
    {-20, 40, 0},
    {-20, 40, 120},
    {20, 40, 0},
    {20, 40, 120},
    {20, -40, 0},
    {20, -40, 120},
    {-20, -40, 0},
    {-20, -40, 120},
    // lens barrel: octagon edges along z
    {-20, 0, 0},
    {-20, 0, -30},
    {-14, 14, 0},
    {-14, 14, -30},
    {0, 20, 0},
    {0, 20, -30},
    {14, 14, 0},
    {14, 14, -30},
    {20, 0, 0},
    {20, 0, -30},
    {14, -14, 0},
    {14, -14, -30},
    {0, -20, 0},
    {0, -20, -30},
    {-14, -14, 0},
    {-14, -14, -30},
    // lens barrel: octagon at z = 0
    {-20, 0, 0},
    {-14, 14, 0},
    {-14, 14, 0},
    {0, 20, 0},
    {0, 20, 0},
    {14, 14, 0},
    {14, 14, 0},
    {20, 0, 0},
    {20, 0, 0},
    {14, -14, 0},
    {14, -14, 0},
    {0, -20, 0},
    {0, -20, 0},
    {-14, -14, 0},
    {-14, -14, 0},
    {-20, 0, 0},
    // lens barrel: octagon at z = -30
    {-20, 0, -30},
    {-14, 14, -30},
    {-14, 14, -30},
    {0, 20, -30},
    {0, 20, -30},
    {14, 14, -30},
    {14, 14, -30},
    {20, 0, -30},
    {20, 0, -30},
    {14, -14, -30},
    {14, -14, -30},
    {0, -20, -30},
    {0, -20, -30},
    {-14, -14, -30},
    {-14, -14, -30},
    {-20, 0, -30},
    // hood: square at z = -30
    {-20, 20, -30},
    {20, 20, -30},
    {20, 20, -30},
    {20, -20, -30},
    {20, -20, -30},
    {-20, -20, -30},
    {-20, -20, -30},
    {-20, 20, -30},
    // hood: square at z = -40
    {-22, 22, -40},
    {22, 22, -40},
    {22, 22, -40},
    {22, -22, -40},
    {22, -22, -40},
    {-22, -22, -40},
    {-22, -22, -40},
    {-22, 22, -40},
    // hood: flare
    {-20, 20, -30},
    {-22, 22, -40},
    {20, 20, -30},
    {22, 22, -40},
    {20, -20, -30},
    {22, -22, -40},
    {-20, -20, -30},
    {-22, -22, -40},
    // top reel: bars
    {-20, 40, 20},
    {20, 40, 20},
    {-20, 65, 27},
    {20, 65, 27},
    {-20, 83, 45},
    {20, 83, 45},
    {-20, 90, 70},
    {20, 90, 70},
    {-20, 83, 95},
    {20, 83, 95},
    {-20, 65, 113},
    {20, 65, 113},
    // top reel: arc at x = -20
    {-20, 40, 20},
    {-20, 65, 27},
    {-20, 65, 27},
    {-20, 83, 45},
    {-20, 83, 45},
    {-20, 90, 70},
    {-20, 90, 70},
    {-20, 83, 95},
    {-20, 83, 95},
    {-20, 65, 113},
    {-20, 65, 113},
    {-20, 40, 120},
    // top reel: arc at x = 20
    {20, 40, 20},
    {20, 65, 27},
    {20, 65, 27},
    {20, 83, 45},
    {20, 83, 45},
    {20, 90, 70},
    {20, 90, 70},
    {20, 83, 95},
    {20, 83, 95},
    {20, 65, 113},
    {20, 65, 113},
    {20, 40, 120},
    // back reel: bars
    {-20, 35, 140},
    {20, 35, 140},
    {-20, 20, 155},
    {20, 20, 155},
    {-20, 0, 160},
    {20, 0, 160},
    {-20, -20, 155},
    {20, -20, 155},
    {-20, -35, 140},
    {20, -35, 140},
    // back reel: arc at x = -20
    {-20, 40, 120},
    {-20, 35, 140},
    {-20, 35, 140},
    {-20, 20, 155},
    {-20, 20, 155},
    {-20, 0, 160},
    {-20, 0, 160},
    {-20, -20, 155},
    {-20, -20, 155},
    {-20, -35, 140},
    {-20, -35, 140},
    {-20, -40, 120},
    // back reel: arc at x = 20
    {20, 40, 120},
    {20, 35, 140},
    {20, 35, 140},
    {20, 20, 155},
    {20, 20, 155},
    {20, 0, 160},
    {20, 0, 160},
    {20, -20, 155},
    {20, -20, 155},
    {20, -35, 140},
    {20, -35, 140},
    {20, -40, 120},
};

class VisualizationTest : public CameraSceneTest {
protected:
    GeometryPtr makeGeometry(float scale) {
        return hold(kxUberCameraUtils::createCameraGeometry(scale));
    }

    static void touchScale(const UberCameraPtr& camera, Real32 scale) {
        beginEditCP(camera, UberCamera::VisualizationScaleFieldMask);
        camera->setVisualizationScale(scale);
        endEditCP(camera, UberCamera::VisualizationScaleFieldMask);
    }

    static void setFlag(const UberCameraPtr& camera, UInt64 flag, bool on) {
        beginEditCP(camera, Transform3DBase::FlagsFieldMask);
        if (on)
            camera->addFlag(flag);
        else
            camera->subFlag(flag);
        endEditCP(camera, Transform3DBase::FlagsFieldMask);
    }

    static RaytracingGeoAttachmentPtr visibility(const GeometryPtr& geometry) {
        return RaytracingGeoAttachmentPtr::dcast(
            geometry->findAttachment(RaytracingGeoAttachment::getClassType().getGroupId()));
    }

    static bool onlyPrimaryVisible(const RaytracingGeoAttachmentPtr& a) {
        return a->getPrimaryVisibility() && !a->getVisibleInReflections() &&
               !a->getVisibleInRefractions() && !a->getVisibleInGlossyReflections() &&
               !a->getVisibleInPhotons() && !a->getCastShadows();
    }
};

TEST_F(VisualizationTest, WireframeHasEveryPointAtScale100) {
    GeometryPtr geometry = makeGeometry(100);
    ASSERT_FALSE(geometry.isNull());
    const GeoPositions3fPtr& positions = geometry->getPositions();
    ASSERT_EQ(positions->size(), PointCount);
    for (UInt32 i = 0; i < PointCount; ++i) {
        const Pnt3f expected(ExpectedPoints[i][0], ExpectedPoints[i][1], ExpectedPoints[i][2]);
        EXPECT_EQ(positions->getValue(i), expected) << "point " << i;
    }
}

TEST_F(VisualizationTest, WireframeIsOneLineSetInOrder) {
    GeometryPtr geometry = makeGeometry(100);
    ASSERT_EQ(geometry->getTypes()->size(), 1u);
    EXPECT_EQ(geometry->getTypes()->getValue(0), GeoLinesType);
    ASSERT_EQ(geometry->getLengths()->size(), 1u);
    EXPECT_EQ(geometry->getLengths()->getValue(0), PointCount);
    ASSERT_EQ(geometry->getIndices()->size(), PointCount);
    for (UInt32 i = 0; i < PointCount; ++i)
        EXPECT_EQ(geometry->getIndices()->getValue(i), i);
    EXPECT_EQ(geometry->getMaterial(), getDefaultMaterial());
    EXPECT_EQ(geometry.getRefCount(), 1) << "held by the test only";
}

TEST_F(VisualizationTest, ScaleMultipliesEveryCoordinate) {
    GeometryPtr half = makeGeometry(50);
    EXPECT_EQ(half->getPositions()->getValue(0), Pnt3f(-10, 20, 0));
    for (UInt32 i = 0; i < PointCount; ++i) {
        const Pnt3f expected(ExpectedPoints[i][0] * 0.5f, ExpectedPoints[i][1] * 0.5f,
                             ExpectedPoints[i][2] * 0.5f);
        EXPECT_EQ(half->getPositions()->getValue(i), expected) << "point " << i;
    }
    GeometryPtr none = makeGeometry(0);
    for (const Pnt3f& point : none->getPositions()->getValues())
        EXPECT_EQ(point, Pnt3f(0, 0, 0));
}

TEST_F(VisualizationTest, ShownCameraGetsAWireframeOfItsScale) {
    UberCameraPtr camera = makeCamera();
    touchScale(camera, 200);
    GeometryPtr geometry = camera->getVisualization();
    ASSERT_FALSE(geometry.isNull());
    EXPECT_EQ(geometry->getPositions()->getValue(0), Pnt3f(-40, 80, 0));
    EXPECT_EQ(geometry.getRefCount(), 1) << "the camera holds one reference";
}

TEST_F(VisualizationTest, UnchangedScaleKeepsTheSameGeometry) {
    UberCameraPtr camera = makeCamera();
    touchScale(camera, 100);
    GeometryPtr first = camera->getVisualization();
    touchScale(camera, 100);
    EXPECT_EQ(camera->getVisualization(), first);
    touchScale(camera, 40);
    EXPECT_NE(camera->getVisualization(), first);
    EXPECT_EQ(camera->getVisualization()->getPositions()->getValue(0), Pnt3f(-8, 16, 0));
}

TEST_F(VisualizationTest, ViewpointsAndInternalCamerasHaveNoWireframe) {
    UberCameraPtr viewpoint = makeCamera();
    setFlag(viewpoint, UberCamera::ViewpointFlag, true);
    touchScale(viewpoint, 100);
    EXPECT_TRUE(viewpoint->getVisualization().isNull());

    UberCameraPtr camera = makeCamera();
    touchScale(camera, 100);
    ASSERT_FALSE(camera->getVisualization().isNull());
    setFlag(camera, UberCamera::InternalCameraFlag, true);
    EXPECT_TRUE(camera->getVisualization().isNull());
    setFlag(camera, UberCamera::InternalCameraFlag, false);
    EXPECT_FALSE(camera->getVisualization().isNull());
}

TEST_F(VisualizationTest, MovedFirstPointIsRebuiltOnTheNextUpdate) {
    UberCameraPtr camera = makeCamera();
    touchScale(camera, 100);
    GeometryPtr first = hold(camera->getVisualization());
    first->getPositions()->getValues()[0] = Pnt3f(-19, 40, 0);
    setFlag(camera, UberCamera::MotionBlurFlag, true);
    EXPECT_NE(camera->getVisualization(), first);
    EXPECT_EQ(first.getRefCount(), 1) << "the camera released the old geometry";
}

TEST_F(VisualizationTest, ZeroScaleRebuildsOnEveryUpdate) {
    UberCameraPtr camera = makeCamera();
    touchScale(camera, 0);
    GeometryPtr first = hold(camera->getVisualization());
    touchScale(camera, 0);
    EXPECT_NE(camera->getVisualization(), first);
}

TEST_F(VisualizationTest, WireframeIsSeenOnlyByPrimaryRays) {
    UberCameraPtr camera = makeCamera();
    touchScale(camera, 100);
    RaytracingGeoAttachmentPtr attachment = visibility(camera->getVisualization());
    ASSERT_FALSE(attachment.isNull());
    EXPECT_TRUE(onlyPrimaryVisible(attachment));
}

TEST_F(VisualizationTest, ExistingVisibilityIsCorrectedOnceThenLeftAlone) {
    UberCameraPtr camera = makeCamera();
    touchScale(camera, 100);
    RaytracingGeoAttachmentPtr attachment = visibility(camera->getVisualization());
    ASSERT_FALSE(attachment.isNull());
    attachment->setCastShadows(true);
    attachment->setPrimaryVisibility(false);

    ChangeList* list = Thread::getCurrentChangeList();
    list->clear();
    touchScale(camera, 100);
    EXPECT_TRUE(onlyPrimaryVisible(attachment));
    auto editsOfAttachment = [&] {
        return std::count_if(list->getChanged().begin(), list->getChanged().end(),
                             [&](const ChangeList::ChangedEntry& entry) {
                                 return entry.id == attachment.getFieldContainerId();
                             });
    };
    EXPECT_EQ(editsOfAttachment(), 1);
    EXPECT_EQ(list->getChanged().back().mask, ~BitVector(0)) << "all fields of the attachment";

    touchScale(camera, 100);
    EXPECT_EQ(editsOfAttachment(), 1) << "nothing to correct, no edit";
}

} // namespace
