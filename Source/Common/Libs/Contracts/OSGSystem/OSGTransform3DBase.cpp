#include "OSGTransform3DBase.h"

#include "OSGTransform3D.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(Transform3DPtr, "Transform3DPtr", "TransformPtr")

namespace {
FieldDescription* transform3DDescs[] = {
    OSG_SFIELD_DESC(Transform3DBase, Vec3f, "translation", Translation, false),
    OSG_SFIELD_DESC(Transform3DBase, Quaternion, "rotation", Rotation, false),
    OSG_SFIELD_DESC(Transform3DBase, Vec3f, "scale", Scale, false),
    OSG_SFIELD_DESC(Transform3DBase, Pnt3f, "rotatePivot", RotatePivot, false),
    OSG_SFIELD_DESC(Transform3DBase, Vec3f, "shear", Shear, false),
    OSG_SFIELD_DESC(Transform3DBase, UInt64, "flags", Flags, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(Transform3DBase, "Transform3D", "Transform", nullptr,
                       &Transform3DBase::createEmpty, transform3DDescs)
OSG_CONTAINER_DEF(Transform3DBase, Transform3D)

} // namespace osg
