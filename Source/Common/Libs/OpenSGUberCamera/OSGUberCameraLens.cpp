// The lens of the camera core: field of view, focal length, f-number and
// aperture tied through the sensor; dolly zoom; effect switches; depth of field.

#include "OSGUberCamera.h"

#include "OSGUberCameraMath.h"

#include "OSGUberCameraLog.h"

#include <algorithm>
#include <cmath>

namespace osg {

namespace {

constexpr Real32 QuarterPi = 0.7853982f;
// The points that give the camera's axes in applyDepthOfField, in its own units.
constexpr Real32 AxisProbeLength = 1000.0f;

Real32 halfAngleTan(Real32 fovDegrees) {
    return std::tan(fovDegrees * Pi / 360.0f);
}

// Concentric mapping of the square [-1, 1]^2 onto the unit disk: radius and angle.
void squareToDisk(Real32 x, Real32 y, Real32& radius, Real32& angle) {
    if (x > -y) {
        if (x > y) {
            radius = x;
            angle = (y / x) * QuarterPi;
        } else {
            radius = y;
            angle = (2 - x / y) * QuarterPi;
        }
    } else {
        if (y > x) {
            radius = -x;
            angle = (4 + y / x) * QuarterPi;
        } else {
            radius = -y;
            angle = y != 0 ? (6 - x / y) * QuarterPi : 0.0f;
        }
    }
}

// The sensor dimension the field of view spans.
Real32 spannedSensorDimension(const Vec2f& sensor, UInt32 fovMode) {
    if (fovMode == PerspectiveCamera::VerticalFov)
        return sensor[1];
    if (fovMode == PerspectiveCamera::HorizontalFov)
        return sensor[0];
    return std::min(sensor[0], sensor[1]);
}

} // namespace

Real32 UberCamera::getFocalLength() const {
    return spannedSensorDimension(getSensorSize(), getFovMode()) / (2.0f * halfAngleTan(getFov()));
}

Real32 UberCamera::computeFovFromFocalLength(const Real32& focalLength) const {
    const Real32 spanned = spannedSensorDimension(getSensorSize(), getFovMode());
    return 2.0f * std::atan2(spanned / 2.0f, focalLength) * 360.0f / (2.0f * Pi);
}

void UberCamera::setFocalLength(const Real32& focalLength) {
    beginEditCP(UberCameraPtr(this), PerspectiveCameraBase::FovFieldMask);
    setFov(computeFovFromFocalLength(focalLength));
    endEditCP(UberCameraPtr(this), PerspectiveCameraBase::FovFieldMask);
}

Real32 UberCamera::getFStop() const {
    return getFocalLength() / getApertureDiameter();
}

void UberCamera::setFStop(const Real32& fStop) {
    beginEditCP(UberCameraPtr(this), ApertureDiameterFieldMask);
    setApertureDiameter(getFocalLength() / fStop);
    endEditCP(UberCameraPtr(this), ApertureDiameterFieldMask);
}

void UberCamera::setFov(const Real32& fov) {
    const BitVector mask = FocusDistanceFieldMask | ApertureDiameterFieldMask;
    beginEditCP(UberCameraPtr(this), mask);

    const Real32 spanned = spannedSensorDimension(getSensorSize(), getFovMode());
    const Real32 oldTan = halfAngleTan(getFov());
    const Real32 oldAperture = getApertureDiameter();

    if (hasFlag(DollyZoomFlag)) {
        Matrix world;
        getTransform(world, WorldSpace);
        const Real32 focus = getFocusDistance();
        if (focus <= CameraTolerance) {
            logCameraMessage(LOG_WARNING, __LINE__,
                             "UberCamera::setFov: dolly zoom needs focus distance > 0");
        } else {
            // Keep the half width of the focus plane: the subject keeps its size.
            const Real32 newFocus = oldTan * focus / halfAngleTan(fov);
            setFocusDistance(newFocus);
            Pnt3f focused;
            world.multFullMatrixPnt(Pnt3f(0, 0, -focus), focused);
            const Pnt3f eye(world[3][0], world[3][1], world[3][2]);
            const Pnt3f newEye = focused + (eye - focused) * (newFocus / focus);
            const Vec3f up(world[1][0], world[1][1], world[1][2]);
            setViewByFromAtUp(newEye, focused, up, WorldSpace);
        }
    }

    const Real32 fNumber = (spanned / (2.0f * oldTan)) / oldAperture;
    editFov() = fov;
    const Real32 newFocalLength =
        spannedSensorDimension(getSensorSize(), getFovMode()) / (2.0f * halfAngleTan(fov));
    setApertureDiameter(newFocalLength / fNumber);

    endEditCP(UberCameraPtr(this), mask);
}

void UberCamera::setEffectFlag(UInt64 flag, bool on) {
    beginEditCP(UberCameraPtr(this), Transform3DBase::FlagsFieldMask);
    if (on)
        addFlag(flag);
    else
        subFlag(flag);
    endEditCP(UberCameraPtr(this), Transform3DBase::FlagsFieldMask);
}

void UberCamera::setDepthOfField(bool on) {
    setEffectFlag(DepthOfFieldFlag, on);
}
void UberCamera::setMotionBlur(bool on) {
    setEffectFlag(MotionBlurFlag, on);
}
void UberCamera::setDollyZoom(bool on) {
    setEffectFlag(DollyZoomFlag, on);
}

void UberCamera::applyDepthOfField(const Pnt2f& sample) {
    const Real32 spanned = spannedSensorDimension(getSensorSize(), getFovMode());
    const Real32 halfTan = halfAngleTan(getFov());
    const Real32 focus = getFocusDistance();
    const Real32 aperture = getApertureDiameter();

    Matrix world;
    getTransform(world, WorldSpace);
    const Vec3f& scale = getScale();
    Matrix unscale;
    unscale.setScale(scale[0], scale[1], scale[2]);
    if (unscale.invert())
        world.mult(unscale);

    Pnt3f eye, ahead;
    world.multFullMatrixPnt(Pnt3f(0, 0, 0), eye);
    world.multFullMatrixPnt(Pnt3f(0, 0, -AxisProbeLength), ahead);
    Vec3f up;
    world.multMatrixVec(Vec3f(0, AxisProbeLength, 0), up);

    Vec3f back = eye - ahead;
    normaliseIfLong(back);
    const Pnt3f focusPoint = eye - back * focus;
    Vec3f right = back.cross(up);
    normaliseIfLong(right);
    Vec3f lensUp = right.cross(back);
    normaliseIfLong(lensUp);

    const Real32 focalLength = spanned / (2.0f * halfTan);
    const Real32 fNumber = focalLength / aperture;
    const Real32 lensRadius = aperture / fNumber * 0.5f;

    Real32 radius = 0, angle = 0;
    squareToDisk(sample[0], sample[1], radius, angle);
    const Pnt3f sampleEye = eye + right * (radius * std::cos(angle) * lensRadius) +
                            lensUp * (radius * std::sin(angle) * lensRadius);
    lookAt(_depthOfFieldOverride, sampleEye, focusPoint, up);
    _depthOfFieldActive = !_depthOfFieldOverride.equals(Matrix(), CameraTolerance);
}

void UberCamera::resetDepthOfField() {
    _depthOfFieldOverride.setIdentity();
    _depthOfFieldActive = false;
}

void UberCamera::setFocusDistanceToPoint(const Pnt3f& point) {
    if (!validActiveParentIndex(_sfActiveParentIndex.getValue()) && !updateActiveParentIndex())
        return;
    if (getParents()[_sfActiveParentIndex.getValue()].isNull())
        return;
    const Pnt3f eye = getFrom(WorldSpace);
    beginEditCP(UberCameraPtr(this), FocusDistanceFieldMask);
    setFocusDistance((point - eye).length());
    endEditCP(UberCameraPtr(this), FocusDistanceFieldMask);
}

} // namespace osg
