#include "OSGTransform.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(TransformPtr, "TransformPtr", "GroupPtr")

namespace {
FieldDescription* transformDescs[] = {
    OSG_SFIELD_DESC(Transform, Matrix, "matrix", Matrix, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(Transform, "Transform", "Group", nullptr, &Transform::createEmpty,
                       transformDescs)
OSG_CONTAINER_DEF(Transform, Transform)

void Transform::accumulateMatrix(Matrix& matrix) {
    matrix.mult(getMatrix());
}

void Transform::adjustVolume(Volume& volume) {
    volume.transform(getMatrix());
}

void Transform::changed(BitVector whichField, UInt32 origin) {
    if (whichField & MatrixFieldMask)
        invalidateVolume();
    Inherited::changed(whichField, origin);
}

} // namespace osg
