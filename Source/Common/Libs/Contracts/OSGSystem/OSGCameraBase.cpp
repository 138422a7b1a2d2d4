#include "OSGCameraBase.h"

#include "OSGCamera.h"

#include "OSGNode.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(CameraPtr, "CameraPtr", "Transform3DPtr")

namespace {
FieldDescription* cameraDescs[] = {
    OSG_SFIELD_DESC(CameraBase, NodePtr, "beacon", Beacon, false),
    OSG_SFIELD_DESC(CameraBase, Real32, "near", Near, false),
    OSG_SFIELD_DESC(CameraBase, Real32, "far", Far, false),
    OSG_SFIELD_DESC(CameraBase, Matrix, "trackingMatrix", TrackingMatrix, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(CameraBase, "Camera", "Transform3D", nullptr, nullptr, cameraDescs)

CameraBase::CameraBase(const CameraBase& source)
    : Transform3D(source), _sfBeacon(source._sfBeacon), _sfNear(source._sfNear),
      _sfFar(source._sfFar), _sfTrackingMatrix(source._sfTrackingMatrix) {
    _sfBeacon.getValue().addRef();
}

} // namespace osg
