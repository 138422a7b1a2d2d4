#ifndef OSG_CAMERA_BASE_H
#define OSG_CAMERA_BASE_H

#include "OSGTransform3D.h"

namespace osg {

class Camera;
using CameraPtr = FCPtr<Transform3DPtr, Camera>;

OSG_DECLARE_PTR_TRAITS(CameraPtr);

/// Fields of `Camera`: the beacon that places it when no node carries it, the
/// clipping distances and the tracking matrix (identity when not tracked).
class CameraBase : public Transform3D {
    OSG_ABSTRACT_CONTAINER_DECL(CameraPtr)

public:
    using Inherited = Transform3D;
    OSG_FIELD_ID(Beacon, Inherited::NextFieldId)
    OSG_FIELD_ID(Near, Inherited::NextFieldId + 1)
    OSG_FIELD_ID(Far, Inherited::NextFieldId + 2)
    OSG_FIELD_ID(TrackingMatrix, Inherited::NextFieldId + 3)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 4;

    /// The beacon field as stored (the camera's `getBeacon` may resolve otherwise).
    const NodePtr& getBeaconField() const { return _sfBeacon.getValue(); }
    SFNodePtr* editSFBeacon() { return &_sfBeacon; }
    const SFNodePtr* getSFBeacon() const { return &_sfBeacon; }

    OSG_SFIELD_GET(Real32, Near)
    OSG_SFIELD_GET(Real32, Far)
    OSG_SFIELD_ACCESS(Matrix, TrackingMatrix)

    /// Clipping distances in scene units, stored as given.
    virtual void setNear(const Real32& value) { _sfNear.setValue(value); }
    virtual void setFar(const Real32& value) { _sfFar.setValue(value); }

protected:
    CameraBase() = default;
    /// The copy shares the source's beacon, holding its own reference.
    CameraBase(const CameraBase& source);

    SFNodePtr _sfBeacon;

private:
    static FieldContainerType _type;

    SFReal32 _sfNear{1.0f};
    SFReal32 _sfFar{100000.0f};
    SFMatrix _sfTrackingMatrix;
};

} // namespace osg

#endif
