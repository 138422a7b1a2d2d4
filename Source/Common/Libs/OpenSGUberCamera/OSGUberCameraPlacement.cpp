// View manipulation of the camera core: look-at, from/at/up, target distance,
// stored view, turntable, and the class-wide initial and default views.

#include "OSGUberCamera.h"

#include "OSGUberCameraMath.h"

#include "kxSceneData.h"

#include <cmath>

namespace osg {

namespace {

constexpr Real32 DegreesToRadians = Pi / 180.0f;
// Distance of the front, side and top default views from the origin.
constexpr Real32 OrthoViewDistance = 50000.0f;

bool sceneIsZUp() {
    kxSceneData* scene = kxSceneDataManager::getSceneData(0);
    return scene != nullptr && scene->getUpAxis() == kxSceneData::ZUp;
}

Vec3f sceneUp() {
    return sceneIsZUp() ? Vec3f(0, 0, 1) : Vec3f(0, 1, 0);
}

Pnt3f translationOf(const Matrix& m) {
    return Pnt3f(m[3][0], m[3][1], m[3][2]);
}

Vec3f upOf(const Matrix& m) {
    return Vec3f(m[1][0], m[1][1], m[1][2]);
}

// The default views: from, looking at the origin, for each id and up axis.
struct DefaultView {
    Pnt3f fromYUp, fromZUp;
    Vec3f upYUp, upZUp;
};

const DefaultView DefaultViews[] = {
    {Pnt3f(2500, 2000, 2500), Pnt3f(2500, -2500, 2000), Vec3f(0, 1, 0), Vec3f(0, 0, 1)},
    {Pnt3f(-OrthoViewDistance, 0, 0), Pnt3f(-OrthoViewDistance, 0, 0), Vec3f(0, 1, 0),
     Vec3f(0, 0, 1)},
    {Pnt3f(0, 0, OrthoViewDistance), Pnt3f(0, -OrthoViewDistance, 0), Vec3f(0, 1, 0),
     Vec3f(0, 0, 1)},
    {Pnt3f(0, OrthoViewDistance, 0), Pnt3f(0, 0, OrthoViewDistance), Vec3f(0, 0, -1),
     Vec3f(0, 1, 0)},
};

bool isKnownDefaultView(Int32 id) {
    return id >= UberCamera::PerspectiveView && id <= UberCamera::TopView;
}

} // namespace

// ---- look-at --------------------------------------------------------------------

bool UberCamera::lookAt(Matrix& result, const Pnt3f& eye, const Pnt3f& target, const Vec3f& up) {
    Vec3f back = eye - target;
    normaliseIfLong(back);
    Vec3f right = up.cross(back);
    if (right.squareLength() < CameraTolerance) {
        const Vec3f substitute(back[1], back[2], back[0]);
        right = substitute.cross(back);
        if (right.squareLength() < CameraTolerance)
            return false;
    }
    normaliseIfLong(right);
    const Vec3f trueUp = back.cross(right);
    result.setValue(right[0], trueUp[0], back[0], eye[0], //
                    right[1], trueUp[1], back[1], eye[1], //
                    right[2], trueUp[2], back[2], eye[2], //
                    0, 0, 0, 1);
    return true;
}

// ---- reading and writing the placement ------------------------------------------------

template <class ReadT> void UberCamera::withoutHmdTracking(ReadT read) const {
    if (!m_hmdMode) {
        read();
        return;
    }
    auto* self = const_cast<UberCamera*>(this);
    const Matrix tracking = getTrackingMatrix();
    self->setTrackingMatrix(Matrix());
    read();
    self->setTrackingMatrix(tracking);
}

void UberCamera::getFromAtUp(Pnt3f& from, Pnt3f& at, Vec3f& up, CameraSpace space) const {
    Matrix transform;
    withoutHmdTracking([&] { getTransform(transform, space); });
    from = translationOf(transform);
    transform.multFullMatrixPnt(Pnt3f(0, 0, -getAtDistance()), at);
    up = upOf(transform);
}

Pnt3f UberCamera::getFrom(CameraSpace space) const {
    Pnt3f from, at;
    Vec3f up;
    getFromAtUp(from, at, up, space);
    return from;
}

Pnt3f UberCamera::getAt(CameraSpace space) const {
    Pnt3f from, at;
    Vec3f up;
    getFromAtUp(from, at, up, space);
    return at;
}

Vec3f UberCamera::getUp(CameraSpace space) const {
    Pnt3f from, at;
    Vec3f up;
    getFromAtUp(from, at, up, space);
    return up;
}

void UberCamera::setViewByFromAtUp(const Pnt3f& from, const Pnt3f& at, const Vec3f& up,
                                   CameraSpace space) {
    Matrix placement;
    lookAt(placement, from, at, up);
    withoutHmdTracking([&] { setTransform(placement, space); });

    Vec3f toTarget = at - from;
    if (space != LocalSpace) {
        Matrix worldToParent;
        getParentTransform(worldToParent, WorldSpace);
        if (!worldToParent.invert())
            worldToParent.setIdentity();
        Pnt3f localFrom, localAt;
        worldToParent.multMatrixPnt(from, localFrom);
        worldToParent.multMatrixPnt(at, localAt);
        toTarget = localAt - localFrom;
    }
    setAtDistanceToLocalVec(toTarget);
}

void UberCamera::setFrom(const Pnt3f& from, CameraSpace space) {
    Pnt3f oldFrom, at;
    Vec3f up;
    getFromAtUp(oldFrom, at, up, space);
    setViewByFromAtUp(from, at, up, space);
}

void UberCamera::setAt(const Pnt3f& at, CameraSpace space) {
    Pnt3f from, oldAt;
    Vec3f up;
    getFromAtUp(from, oldAt, up, space);
    setViewByFromAtUp(from, at, up, space);
}

void UberCamera::setUp(const Vec3f& up, CameraSpace space) {
    Pnt3f from, at;
    Vec3f oldUp;
    getFromAtUp(from, at, oldUp, space);
    setViewByFromAtUp(from, at, up, space);
}

void UberCamera::setAtDistanceToLocalVec(const Vec3f& vector) {
    Matrix localToOwn;
    if (!getMatrix().inverse(localToOwn))
        localToOwn.setIdentity();
    Vec3f own;
    localToOwn.multMatrixVec(vector, own);
    beginEditCP(UberCameraPtr(this), AtDistanceFieldMask);
    setAtDistance(own.length());
    endEditCP(UberCameraPtr(this), AtDistanceFieldMask);
}

void UberCamera::setAtDistanceToPoint(const Pnt3f& point) {
    if (!validActiveParentIndex(_sfActiveParentIndex.getValue()) && !updateActiveParentIndex())
        return;
    if (getParents()[_sfActiveParentIndex.getValue()].isNull())
        return;
    const Pnt3f eye = getFrom(LocalSpace);
    const Pnt3f local = convertPntToLocalSpace(point);
    setAtDistanceToLocalVec(local - eye);
}

void UberCamera::storeView() {
    _storedView = getMatrix();
}

void UberCamera::restoreView() {
    setTransform(_storedView, LocalSpace);
}

// ---- turntable ----------------------------------------------------------------------

void UberCamera::setTurntableComponent(UInt32 component, Real32 value) {
    beginEditCP(UberCameraPtr(this), TurntableParameterFieldMask);
    editTurntableParameter()[component] = value;
    endEditCP(UberCameraPtr(this), TurntableParameterFieldMask);
}

void UberCamera::setTurntableDistance(Real32 distance) {
    setTurntableComponent(0, distance);
}
void UberCamera::setTurntableHeight(Real32 height) {
    setTurntableComponent(1, height);
}
void UberCamera::setTurntableAngle(Real32 angle) {
    setTurntableComponent(2, angle);
}

void UberCamera::getFromAtUpFromTurntable(Pnt3f& from, Pnt3f& at, Vec3f& up) const {
    at = getAt(LocalSpace);
    const Vec3f& orbit = getTurntableParameter();
    const Real32 distance = orbit[0], height = orbit[1];
    const Real32 angle = orbit[2] * DegreesToRadians;
    const Real32 across = distance * std::cos(angle);
    const Real32 along = distance * std::sin(angle);
    if (sceneIsZUp()) {
        from = at + Vec3f(across, along, height);
        up = Vec3f(0, 0, 1);
    } else {
        from = at + Vec3f(across, height, along);
        up = Vec3f(0, 1, 0);
    }
}

void UberCamera::updateViewByTurntable() {
    Pnt3f from, at;
    Vec3f up;
    getFromAtUpFromTurntable(from, at, up);
    setViewByFromAtUp(from, at, up, LocalSpace);
}

void UberCamera::getTurntableFromFromAtUp(Real32& distance, Real32& height, Real32& angle) const {
    Pnt3f eye, target;
    Vec3f up;
    getFromAtUp(eye, target, up, LocalSpace);
    const Vec3f offset = eye - target;
    const bool zUp = sceneIsZUp();
    const Real32 radians = std::atan2(zUp ? offset[1] : offset[2], offset[0]);
    height = zUp ? offset[2] : offset[1];

    const Real32 c = std::cos(radians);
    if (c >= CameraTolerance || c <= -CameraTolerance) {
        distance = offset[0] / c;
    } else {
        const Real32 length = offset.length();
        distance = std::cos(std::asin(height / length)) * length;
    }
    angle = radians * 360.0f / (2.0f * Pi);
    if (angle < 0)
        angle += 360.0f;
}

// ---- initial and default views --------------------------------------------------------

void UberCamera::setInitialView(const Pnt3f& from, const Pnt3f& at, const Vec3f& up) {
    m_initialFrom = from;
    m_initialAt = at;
    m_initialUp = up;
    m_initialViewDirty = false;
}

void UberCamera::getInitialView(Pnt3f& from, Pnt3f& at, Vec3f& up) {
    if (m_initialViewDirty)
        getInitialDefaultView(m_initialFrom, m_initialAt, m_initialUp, PerspectiveView);
    from = m_initialFrom;
    at = m_initialAt;
    up = m_initialUp;
}

void UberCamera::getInitialDefaultView(Pnt3f& from, Pnt3f& at, Vec3f& up, DefaultCameraId id) {
    at = Pnt3f(0, 0, 0);
    const bool zUp = sceneIsZUp();
    if (!isKnownDefaultView(id)) {
        // Unknown ids look like the perspective view but keep the caller's eye.
        up = zUp ? DefaultViews[PerspectiveView].upZUp : DefaultViews[PerspectiveView].upYUp;
        return;
    }
    const DefaultView& view = DefaultViews[id];
    from = zUp ? view.fromZUp : view.fromYUp;
    up = zUp ? view.upZUp : view.upYUp;
}

Matrix UberCamera::getInitialDefaultView(DefaultCameraId id) {
    Pnt3f from, at;
    Vec3f up = sceneUp();
    getInitialDefaultView(from, at, up, id);
    Matrix result;
    lookAt(result, from, at, up);
    return result;
}

void UberCamera::resetInitialViewRollFov() {
    getInitialDefaultView(m_initialFrom, m_initialAt, m_initialUp, PerspectiveView);
    m_initialViewDirty = true;
    m_initialRoll = 0.0f;
    m_initialFov = 45.0f;
}

} // namespace osg
