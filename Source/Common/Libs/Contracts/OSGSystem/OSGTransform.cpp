#include "OSGTransform.h"

#include <bit>

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

namespace {

// Whether the identity times m is m, bit for bit: each entry of the product is the entry
// plus zero products, which keep it unless it is -0 (turned +0) or an infinity or NaN
// spreads through them.
bool identityProductIsExact(const Matrix& m) {
    UInt32 spoilers = 0;
    for (UInt32 i = 0; i < 16; ++i) {
        const UInt32 bits = std::bit_cast<UInt32>(m.getValues()[i]);
        spoilers |= UInt32(bits == 0x80000000u) | UInt32((bits & 0x7f800000u) == 0x7f800000u);
    }
    return spoilers == 0;
}

} // namespace

void Transform::accumulateMatrix(Matrix& matrix) {
    // Every path to the world starts from the identity at the root: copy rather than
    // multiply when that gives the same bits.
    if (matrix.isExactIdentity() && identityProductIsExact(getMatrix())) {
        matrix = getMatrix();
        return;
    }
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
