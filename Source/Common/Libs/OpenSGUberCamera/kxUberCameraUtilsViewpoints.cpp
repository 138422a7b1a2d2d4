// Viewpoints: stored copies of a camera's view.

#include "kxUberCameraUtils.h"

#include "OSGClone.h"

#include <cmath>

using namespace osg;

kxCameraTypes::ViewpointCreationMode kxUberCameraUtils::s_viewpointCreationMode =
    kxCameraTypes::CaptureTrackedView;

namespace {

bool isIdentity(const Matrix& matrix) {
    const Matrix identity;
    for (UInt32 column = 0; column < 4; ++column) {
        for (UInt32 row = 0; row < 4; ++row) {
            if (std::fabs(matrix[column][row] - identity[column][row]) >
                kxUberCameraUtils::TrackingIdentityTolerance)
                return false;
        }
    }
    return true;
}

// The viewpoint keeps the view the tracked camera shows now, wide enough to look around in.
void captureTrackedView(const UberCameraPtr& source, const UberCameraPtr& viewpoint) {
    Matrix transform;
    source->getTransform(transform, Camera::LocalSpace);
    viewpoint->setTransform(transform, Camera::LocalSpace);
    if (viewpoint->getFov() < kxUberCameraUtils::TrackedViewpointMinFov) {
        beginEditCP(viewpoint, PerspectiveCameraBase::FovFieldMask);
        viewpoint->setFov(kxUberCameraUtils::TrackedViewpointMinFov);
        endEditCP(viewpoint, PerspectiveCameraBase::FovFieldMask);
    }
}

} // namespace

UberCameraPtr kxUberCameraUtils::createViewpoint(const UberCameraPtr& camera) {
    if (camera.isNull())
        return UberCameraPtr();
    // The clone's own hook has already dropped the initial mark and the default id.
    const UberCameraPtr viewpoint = UberCameraPtr::dcast(deepClone(camera, "Image"));
    if (viewpoint.isNull())
        return viewpoint;
    beginEditCP(viewpoint, Transform3DBase::FlagsFieldMask);
    viewpoint->addFlag(UberCamera::ViewpointFlag);
    endEditCP(viewpoint, Transform3DBase::FlagsFieldMask);

    if (s_viewpointCreationMode == kxCameraTypes::CaptureTrackedView &&
        !isIdentity(camera->getTrackingMatrix()))
        captureTrackedView(camera, viewpoint);
    return viewpoint;
}

kxCameraTypes::ViewpointCreationMode kxUberCameraUtils::getViewpointCreationMode() {
    return s_viewpointCreationMode;
}

void kxUberCameraUtils::setViewpointCreationMode(kxCameraTypes::ViewpointCreationMode mode) {
    s_viewpointCreationMode = mode;
}
