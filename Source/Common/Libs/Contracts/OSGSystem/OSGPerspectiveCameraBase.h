#ifndef OSG_PERSPECTIVE_CAMERA_BASE_H
#define OSG_PERSPECTIVE_CAMERA_BASE_H

#include "OSGCamera.h"

namespace osg {

class PerspectiveCamera;
using PerspectiveCameraPtr = FCPtr<CameraPtr, PerspectiveCamera>;

OSG_DECLARE_PTR_TRAITS(PerspectiveCameraPtr);

/// Fields of `PerspectiveCamera`: field of view (degrees), which viewport
/// dimension it spans, and an extra aspect factor.
class PerspectiveCameraBase : public Camera {
    OSG_CONTAINER_DECL(PerspectiveCameraPtr, PerspectiveCamera)

public:
    using Inherited = Camera;
    OSG_FIELD_ID(Fov, Inherited::NextFieldId)
    OSG_FIELD_ID(FovMode, Inherited::NextFieldId + 1)
    OSG_FIELD_ID(Aspect, Inherited::NextFieldId + 2)
    /// Ids up to 26 belong to the perspective camera; the ones this scene graph
    /// does not use stay free so that derived cameras number from 27.
    static constexpr UInt32 NextFieldId = 27;
    static constexpr BitVector MTInfluenceMask = Inherited::MTInfluenceMask;

    OSG_SFIELD_ACCESS(Real32, Fov)
    OSG_SFIELD_ACCESS(UInt32, FovMode)
    OSG_SFIELD_ACCESS(Real32, Aspect)

    /// Stream of the fields up to the perspective camera's, in id order.
    UInt64 getBinSize(const BitVector& whichField) override;
    void copyToBin(BinaryDataHandler& handler, const BitVector& whichField) override;
    void copyFromBin(BinaryDataHandler& handler, const BitVector& whichField) override;

protected:
    PerspectiveCameraBase() = default;
    PerspectiveCameraBase(const PerspectiveCameraBase& source) = default;

    void executeSync(FieldContainer& source, const BitVector& whichField) override;
    /// Copies the selected fields up to the perspective camera's, without reference counting.
    void executeSyncImpl(PerspectiveCameraBase* source, const BitVector& whichField);

private:
    static FieldContainerType _type;

    SFReal32 _sfFov{45.0f};
    SFUInt32 _sfFovMode;
    SFReal32 _sfAspect{1.0f};
};

} // namespace osg

#endif
