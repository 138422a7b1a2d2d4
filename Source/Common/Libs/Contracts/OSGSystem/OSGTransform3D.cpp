#include "OSGTransform3D.h"

#include <cmath>

namespace osg {

namespace {

constexpr BitVector ComponentMask =
    Transform3DBase::TranslationFieldMask | Transform3DBase::RotationFieldMask |
    Transform3DBase::ScaleFieldMask | Transform3DBase::RotatePivotFieldMask |
    Transform3DBase::ShearFieldMask;

constexpr Real32 DegenerateLength = 1e-12f;

// Shear * Scale, the part of the 3x3 that the rotation is applied to.
Matrix shearScaleMatrix(const Vec3f& shear, const Vec3f& scale) {
    Matrix m;
    m.setValue(scale[0], shear[0] * scale[1], shear[1] * scale[2], 0, //
               0, scale[1], shear[2] * scale[2], 0,                   //
               0, 0, scale[2], 0,                                     //
               0, 0, 0, 1);
    return m;
}

// Gram-Schmidt on the columns of the upper 3x3, keeping it right-handed.
bool orthonormalise(Matrix& m) {
    Vec3f x(m[0][0], m[0][1], m[0][2]);
    Vec3f y(m[1][0], m[1][1], m[1][2]);
    if (x.squareLength() < DegenerateLength || y.squareLength() < DegenerateLength)
        return false;
    x.normalize();
    y = y - x * x.dot(y);
    if (y.squareLength() < DegenerateLength)
        return false;
    y.normalize();
    Vec3f z = x.cross(y);
    for (UInt32 r = 0; r < 3; ++r) {
        m[0][r] = x[r];
        m[1][r] = y[r];
        m[2][r] = z[r];
    }
    return true;
}

} // namespace

BitVector Transform3D::getCombinedTransformAttributesMask() {
    return ComponentMask | Transform::MatrixFieldMask;
}

Matrix Transform3D::computeMatrix() const {
    const Pnt3f& pivot = getRotatePivot();
    Matrix result;
    result.setTranslate(getTranslation() + pivot.subZero());
    Matrix rotation;
    getRotation().getValue(rotation);
    result.mult(rotation);
    result.mult(shearScaleMatrix(getShear(), getScale()));
    Matrix unpivot;
    unpivot.setTranslate(-pivot.subZero());
    result.mult(unpivot);
    return result;
}

void Transform3D::updateMatrix() {
    setMatrix(computeMatrix());
}

void Transform3D::setTranslationRotationFrom(const Matrix& matrix) {
    // matrix = T(t) T(p) R H T(-p) with H = Shear * Scale kept: R = A H^-1, then
    // t = m_t - p + R H p.
    Matrix shearScale = shearScaleMatrix(getShear(), getScale());
    Matrix rotation = matrix;
    rotation[3] = Vec4f(0, 0, 0, 1);
    for (UInt32 c = 0; c < 3; ++c)
        rotation[c][3] = 0;
    Matrix inverseShearScale;
    if (shearScale.inverse(inverseShearScale))
        rotation.mult(inverseShearScale);
    if (orthonormalise(rotation)) {
        Quaternion q;
        q.setValue(rotation);
        setRotation(q);
    }
    Matrix r;
    getRotation().getValue(r);
    r.mult(shearScale);
    Vec3f pivot = getRotatePivot().subZero();
    Vec3f rotatedPivot;
    r.multMatrixVec(pivot, rotatedPivot);
    Vec3f t(matrix[3][0], matrix[3][1], matrix[3][2]);
    setTranslation(t - pivot + rotatedPivot);
    updateMatrix();
}

void Transform3D::changed(BitVector whichField, UInt32 origin) {
    if (whichField & ComponentMask) {
        updateMatrix();
        invalidateVolume();
    }
    Inherited::changed(whichField, origin);
}

} // namespace osg
