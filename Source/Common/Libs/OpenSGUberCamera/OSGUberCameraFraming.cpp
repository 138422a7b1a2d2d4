// Framing with the camera core: show all, zoom to, and fitting near and far.

#include "OSGUberCamera.h"

#include "OSGUberCameraMath.h"

#include "OSGNode.h"
#include "kxUberCameraUtils.h"

#include <algorithm>

namespace osg {

namespace {

// Fitted clip range: near = max(MinNear, size / NearDivisor), far = size * FarFactor.
constexpr Real32 MinNear = 0.1f;
constexpr Real32 NearDivisor = 200.0f;
constexpr Real32 FarFactor = 10.0f;

bool isNoTarget(const Pnt3f& target) {
    for (UInt32 i = 0; i < 3; ++i) {
        if (target[i] < -CameraTolerance || target[i] > CameraTolerance)
            return false;
    }
    return true;
}

} // namespace

void UberCamera::show(const BoxVolume& volume, bool fitNearFar) {
    zoomTo(volume, fitNearFar, Pnt3f(0, 0, 0));
}

void UberCamera::zoomTo(const BoxVolume& volume, bool fitNearFar, const Pnt3f& target) {
    const Real32 upDistance = getUpConstraintDistance();
    UberCameraPtr self(this);

    Matrix placement;
    beginEditCP(self, FrustumSidesFieldMask);
    kxUberCameraUtils::computeZoomToValues(self, volume, placement, editFrustumSides(), target);
    endEditCP(self, FrustumSidesFieldMask);
    setTransform(placement, WorldSpace);

    Pnt3f center;
    volume.getCenter(center);
    setAtDistanceToPoint(isNoTarget(target) ? center : target);
    setAimConstraintToCurrentView(upDistance);
    if (fitNearFar)
        updateNearFar(volume);
}

void UberCamera::updateNearFar(const BoxVolume& volume) {
    Pnt3f low, high;
    volume.getBounds(low, high);
    Real32 size = (high - low).length();
    if (size == 0)
        size = kxUberCameraUtils::EmptyVolumeSize;

    const BitVector mask = CameraBase::NearFieldMask | CameraBase::FarFieldMask;
    beginEditCP(UberCameraPtr(this), mask);
    setNear(std::max(MinNear, size / NearDivisor));
    setFar(size * FarFactor);
    endEditCP(UberCameraPtr(this), mask);
}

void UberCamera::updateNearFar(const NodePtr& node) {
    if (node.isNull())
        return;
    BoxVolume volume;
    node->getWorldVolume(volume);
    updateNearFar(volume);
}

} // namespace osg
