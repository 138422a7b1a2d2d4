// The wireframe that shows the camera in the scene.

#include "OSGUberCamera.h"

#include "kxUberCameraUtils.h"

namespace osg {

namespace {
// x of the wireframe's first point at the reference scale.
constexpr Real32 FirstPointX = -20.0f;
} // namespace

bool UberCamera::visualizationIsCurrent(const GeometryPtr& geometry) const {
    const GeoPositions3fPtr& positions = geometry->getPositions();
    if (positions.isNull() || positions->size() == 0)
        return false;
    // The first point's x tells the scale the wireframe was built for.
    const Real32 x = positions->getValue(0)[0];
    return x / getVisualizationScale() * kxUberCameraUtils::CameraGeometryReferenceScale ==
           FirstPointX;
}

void UberCamera::updateVisualization() {
    const bool show = !hasFlag(InternalCameraFlag) && !hasFlag(ViewpointFlag);
    const GeometryPtr current = getVisualization();

    if (!show && !current.isNull()) {
        beginEditCP(UberCameraPtr(this), VisualizationFieldMask);
        setVisualization(GeometryPtr());
        endEditCP(UberCameraPtr(this), VisualizationFieldMask);
    } else if (show && (current.isNull() || !visualizationIsCurrent(current))) {
        beginEditCP(UberCameraPtr(this), VisualizationFieldMask);
        setVisualization(kxUberCameraUtils::createCameraGeometry(getVisualizationScale()));
        endEditCP(UberCameraPtr(this), VisualizationFieldMask);
    }
    updateVisibilityFlags();
}

} // namespace osg
