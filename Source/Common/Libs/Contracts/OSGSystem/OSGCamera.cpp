#include "OSGCamera.h"

#include "OSGNode.h"

namespace osg {

NodePtr& Camera::getBeacon() {
    return _sfBeacon.getValue();
}

const NodePtr& Camera::getBeacon() const {
    return _sfBeacon.getValue();
}

void Camera::setBeacon(const NodePtr& beacon) {
    setRefdCP(_sfBeacon.getValue(), beacon);
}

void Camera::getViewing(Matrix& result, UInt32, UInt32, Int32) {
    getTransform(result, WorldSpace);
    if (!result.invert())
        result.setIdentity();
}

void Camera::getTransform(Matrix& result, CameraSpace space) const {
    Matrix local = getMatrix();
    if (!getTrackingMatrix().isIdentity())
        local.mult(getTrackingMatrix());
    if (space == LocalSpace) {
        result = local;
        return;
    }
    getParentTransform(result, WorldSpace);
    result.mult(local);
}

void Camera::setTransform(const Matrix& matrix, CameraSpace space) {
    Matrix local = matrix;
    if (space != LocalSpace) {
        Matrix toParent;
        getParentTransform(toParent, WorldSpace);
        if (toParent.invert())
            local.multLeft(toParent);
    }
    Matrix inverseTracking;
    if (getTrackingMatrix().inverse(inverseTracking))
        local.mult(inverseTracking);
    BitVector mask = TranslationFieldMask | RotationFieldMask | MatrixFieldMask;
    beginEditCP(CameraPtr(this), mask);
    setTranslationRotationFrom(local);
    endEditCP(CameraPtr(this), mask);
}

void Camera::getParentTransform(Matrix& result, CameraSpace space) const {
    result.setIdentity();
    if (space == LocalSpace)
        return;
    const NodePtr& beacon = getBeacon();
    if (beacon.isNull())
        return;
    // A beacon that carries this camera contributes only the nodes above it.
    if (beacon->getCore().getCPtr() == this) {
        NodePtr parent = beacon->getParent();
        if (!parent.isNull())
            parent->getToWorld(result);
        return;
    }
    beacon->getToWorld(result);
}

Pnt3f Camera::convertPntToLocalSpace(const Pnt3f& point) const {
    Matrix toParent;
    getParentTransform(toParent, WorldSpace);
    Pnt3f result = point;
    if (toParent.invert())
        toParent.multMatrixPnt(point, result);
    return result;
}

void Camera::setAtDistanceToPoint(const Pnt3f&) {}

CameraPtr Camera::getNonDecoratorCamera() {
    return CameraPtr(this);
}

void Camera::onDestroy() {
    NodePtr beacon = _sfBeacon.getValue();
    _sfBeacon.setValue(NodePtr());
    beacon.subRef();
    Inherited::onDestroy();
}

} // namespace osg
