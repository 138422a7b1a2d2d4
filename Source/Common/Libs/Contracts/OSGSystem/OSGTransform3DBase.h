#ifndef OSG_TRANSFORM3D_BASE_H
#define OSG_TRANSFORM3D_BASE_H

#include "OSGQuaternion.h"
#include "OSGTransform.h"

namespace osg {

class Transform3D;
using Transform3DPtr = FCPtr<TransformPtr, Transform3D>;

OSG_DECLARE_PTR_TRAITS(Transform3DPtr);

/// Fields of `Transform3D`: a transform given by components, and a 64-bit word
/// of flags for whatever the application marks on it.
class Transform3DBase : public Transform {
    OSG_CONTAINER_DECL(Transform3DPtr, Transform3D)

public:
    using Inherited = Transform;
    OSG_FIELD_ID(Translation, Inherited::NextFieldId)
    OSG_FIELD_ID(Rotation, Inherited::NextFieldId + 1)
    OSG_FIELD_ID(Scale, Inherited::NextFieldId + 2)
    OSG_FIELD_ID(RotatePivot, Inherited::NextFieldId + 3)
    OSG_FIELD_ID(Shear, Inherited::NextFieldId + 4)
    OSG_FIELD_ID(Flags, Inherited::NextFieldId + 5)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 6;

    OSG_SFIELD_ACCESS(Vec3f, Translation)
    OSG_SFIELD_ACCESS(Quaternion, Rotation)
    OSG_SFIELD_ACCESS(Vec3f, Scale)
    OSG_SFIELD_ACCESS(Pnt3f, RotatePivot)
    OSG_SFIELD_ACCESS(Vec3f, Shear)
    OSG_SFIELD_ACCESS(UInt64, Flags)

protected:
    Transform3DBase() = default;
    Transform3DBase(const Transform3DBase& source) = default;

private:
    static FieldContainerType _type;

    SFVec3f _sfTranslation;
    SFQuaternion _sfRotation;
    SFVec3f _sfScale{Vec3f(1, 1, 1)};
    SFPnt3f _sfRotatePivot;
    /// Shear factors (xy, xz, yz).
    SFVec3f _sfShear;
    SFUInt64 _sfFlags;
};

} // namespace osg

#endif
