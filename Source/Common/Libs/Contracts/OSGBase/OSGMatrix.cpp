#include "OSGMatrix.h"

#include "OSGLog.h"

#include <cmath>

namespace osg {

namespace {

/// Row-major double copy, so the inverse keeps precision for poorly scaled matrices.
template <class ValueT> void toRows(const TransformationMatrix<ValueT>& m, double a[4][4]) {
    for (UInt32 r = 0; r < 4; ++r) {
        for (UInt32 c = 0; c < 4; ++c)
            a[r][c] = m[c][r];
    }
}

bool isSingular(double det) {
    return !std::isfinite(det) || std::abs(det) < DeterminantEpsilon;
}

/// 2x2 minors of the top two rows (s) and bottom two rows (c); the determinant and every
/// cofactor of a 4x4 follow from these twelve products.
struct Minors {
    double s0, s1, s2, s3, s4, s5;
    double c0, c1, c2, c3, c4, c5;

    explicit Minors(const double a[4][4])
        : s0(a[0][0] * a[1][1] - a[1][0] * a[0][1]), s1(a[0][0] * a[1][2] - a[1][0] * a[0][2]),
          s2(a[0][0] * a[1][3] - a[1][0] * a[0][3]), s3(a[0][1] * a[1][2] - a[1][1] * a[0][2]),
          s4(a[0][1] * a[1][3] - a[1][1] * a[0][3]), s5(a[0][2] * a[1][3] - a[1][2] * a[0][3]),
          c0(a[2][0] * a[3][1] - a[3][0] * a[2][1]), c1(a[2][0] * a[3][2] - a[3][0] * a[2][2]),
          c2(a[2][0] * a[3][3] - a[3][0] * a[2][3]), c3(a[2][1] * a[3][2] - a[3][1] * a[2][2]),
          c4(a[2][1] * a[3][3] - a[3][1] * a[2][3]), c5(a[2][2] * a[3][3] - a[3][2] * a[2][3]) {}

    double det() const { return s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0; }
};

/// Inverse of an affine m (last row 0 0 0 1) into result, which may be m: the 3x3 inverse
/// and the translation moved back through it. Its determinant is that of the 3x3.
/// Cameras invert their placement on every frame: the entries stay in named doubles,
/// so nothing goes through memory between the steps.
template <class ValueT>
bool invertAffine(const TransformationMatrix<ValueT>& m, TransformationMatrix<ValueT>& result) {
    // aRC is row R, column C.
    const double a00 = m[0][0], a01 = m[1][0], a02 = m[2][0], a03 = m[3][0];
    const double a10 = m[0][1], a11 = m[1][1], a12 = m[2][1], a13 = m[3][1];
    const double a20 = m[0][2], a21 = m[1][2], a22 = m[2][2], a23 = m[3][2];
    const double c00 = a11 * a22 - a12 * a21;
    const double c01 = a12 * a20 - a10 * a22;
    const double c02 = a10 * a21 - a11 * a20;
    const double det = a00 * c00 + a01 * c01 + a02 * c02;
    if (isSingular(det))
        return false;
    const double k = 1.0 / det;
    const double b00 = c00 * k;
    const double b01 = (a02 * a21 - a01 * a22) * k;
    const double b02 = (a01 * a12 - a02 * a11) * k;
    const double b10 = c01 * k;
    const double b11 = (a00 * a22 - a02 * a20) * k;
    const double b12 = (a02 * a10 - a00 * a12) * k;
    const double b20 = c02 * k;
    const double b21 = (a01 * a20 - a00 * a21) * k;
    const double b22 = (a00 * a11 - a01 * a10) * k;
    const double b03 = -(b00 * a03 + b01 * a13 + b02 * a23);
    const double b13 = -(b10 * a03 + b11 * a13 + b12 * a23);
    const double b23 = -(b20 * a03 + b21 * a13 + b22 * a23);
    result.setValue(ValueT(b00), ValueT(b01), ValueT(b02), ValueT(b03), //
                    ValueT(b10), ValueT(b11), ValueT(b12), ValueT(b13), //
                    ValueT(b20), ValueT(b21), ValueT(b22), ValueT(b23), //
                    ValueT(0), ValueT(0), ValueT(0), ValueT(1));
    return true;
}

/// Inverse of the row-major a into b by cofactor expansion. Returns false, with b
/// untouched, for a singular a.
bool invert4(const double a[4][4], double b[4][4]) {
    const Minors m(a);
    const double det = m.det();
    if (isSingular(det))
        return false;
    const double s0 = m.s0, s1 = m.s1, s2 = m.s2, s3 = m.s3, s4 = m.s4, s5 = m.s5;
    const double c0 = m.c0, c1 = m.c1, c2 = m.c2, c3 = m.c3, c4 = m.c4, c5 = m.c5;
    const double k = 1.0 / det;

    b[0][0] = (a[1][1] * c5 - a[1][2] * c4 + a[1][3] * c3) * k;
    b[0][1] = (-a[0][1] * c5 + a[0][2] * c4 - a[0][3] * c3) * k;
    b[0][2] = (a[3][1] * s5 - a[3][2] * s4 + a[3][3] * s3) * k;
    b[0][3] = (-a[2][1] * s5 + a[2][2] * s4 - a[2][3] * s3) * k;

    b[1][0] = (-a[1][0] * c5 + a[1][2] * c2 - a[1][3] * c1) * k;
    b[1][1] = (a[0][0] * c5 - a[0][2] * c2 + a[0][3] * c1) * k;
    b[1][2] = (-a[3][0] * s5 + a[3][2] * s2 - a[3][3] * s1) * k;
    b[1][3] = (a[2][0] * s5 - a[2][2] * s2 + a[2][3] * s1) * k;

    b[2][0] = (a[1][0] * c4 - a[1][1] * c2 + a[1][3] * c0) * k;
    b[2][1] = (-a[0][0] * c4 + a[0][1] * c2 - a[0][3] * c0) * k;
    b[2][2] = (a[3][0] * s4 - a[3][1] * s2 + a[3][3] * s0) * k;
    b[2][3] = (-a[2][0] * s4 + a[2][1] * s2 - a[2][3] * s0) * k;

    b[3][0] = (-a[1][0] * c3 + a[1][1] * c1 - a[1][2] * c0) * k;
    b[3][1] = (a[0][0] * c3 - a[0][1] * c1 + a[0][2] * c0) * k;
    b[3][2] = (-a[3][0] * s3 + a[3][1] * s1 - a[3][2] * s0) * k;
    b[3][3] = (a[2][0] * s3 - a[2][1] * s1 + a[2][2] * s0) * k;
    return true;
}

double det3Of(const double a[4][4]) {
    return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
           a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
           a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
}

/// Upper 3x3 of the rotation of q (row-major), treating q as normalised; zero gives identity.
void rotationRows(const Quaternion& q, double r[3][3]) {
    const double x = q.x(), y = q.y(), z = q.z(), w = q.w();
    const double n = x * x + y * y + z * z + w * w;
    const double s = (n > 0.0 && std::isfinite(n)) ? 2.0 / n : 0.0;

    r[0][0] = 1.0 - s * (y * y + z * z);
    r[0][1] = s * (x * y - w * z);
    r[0][2] = s * (x * z + w * y);
    r[1][0] = s * (x * y + w * z);
    r[1][1] = 1.0 - s * (x * x + z * z);
    r[1][2] = s * (y * z - w * x);
    r[2][0] = s * (x * z - w * y);
    r[2][1] = s * (y * z + w * x);
    r[2][2] = 1.0 - s * (x * x + y * y);
}

} // namespace

template <class ValueT>
TransformationMatrix<ValueT>::TransformationMatrix(ValueT r0c0, ValueT r0c1, ValueT r0c2,
                                                   ValueT r0c3, ValueT r1c0, ValueT r1c1,
                                                   ValueT r1c2, ValueT r1c3, ValueT r2c0,
                                                   ValueT r2c1, ValueT r2c2, ValueT r2c3,
                                                   ValueT r3c0, ValueT r3c1, ValueT r3c2,
                                                   ValueT r3c3) {
    setValue(r0c0, r0c1, r0c2, r0c3, r1c0, r1c1, r1c2, r1c3, r2c0, r2c1, r2c2, r2c3, r3c0, r3c1,
             r3c2, r3c3);
}

template <class ValueT> void TransformationMatrix<ValueT>::setValue(const ValueT* columnMajor16) {
    for (UInt32 c = 0; c < 4; ++c) {
        for (UInt32 r = 0; r < 4; ++r)
            _matrix[c][r] = columnMajor16[c * 4 + r];
    }
}

template <class ValueT> void TransformationMatrix<ValueT>::multLeft(const TransformationMatrix& m) {
    TransformationMatrix res = m;
    res.mult(*this);
    *this = res;
}

template <class ValueT> ValueT TransformationMatrix<ValueT>::det() const {
    double a[4][4];
    toRows(*this, a);
    return ValueT(Minors(a).det());
}

template <class ValueT> ValueT TransformationMatrix<ValueT>::det3() const {
    double a[4][4];
    toRows(*this, a);
    return ValueT(det3Of(a));
}

template <class ValueT>
bool TransformationMatrix<ValueT>::inverse(TransformationMatrix& result) const {
    // Rigid and other affine matrices (the usual case) have a much cheaper inverse.
    if (_matrix[0][3] == 0 && _matrix[1][3] == 0 && _matrix[2][3] == 0 && _matrix[3][3] == 1)
        return invertAffine(*this, result);
    double a[4][4];
    double b[4][4];
    toRows(*this, a);
    if (!invert4(a, b))
        return false;
    for (UInt32 r = 0; r < 4; ++r) {
        for (UInt32 c = 0; c < 4; ++c)
            result._matrix[c][r] = ValueT(b[r][c]);
    }
    return true;
}

template <class ValueT> bool TransformationMatrix<ValueT>::invert3() {
    double a[4][4];
    toRows(*this, a);
    const double det = det3Of(a);
    if (isSingular(det))
        return false;
    const double k = 1.0 / det;
    double b[3][3];
    b[0][0] = (a[1][1] * a[2][2] - a[1][2] * a[2][1]) * k;
    b[0][1] = (a[0][2] * a[2][1] - a[0][1] * a[2][2]) * k;
    b[0][2] = (a[0][1] * a[1][2] - a[0][2] * a[1][1]) * k;
    b[1][0] = (a[1][2] * a[2][0] - a[1][0] * a[2][2]) * k;
    b[1][1] = (a[0][0] * a[2][2] - a[0][2] * a[2][0]) * k;
    b[1][2] = (a[0][2] * a[1][0] - a[0][0] * a[1][2]) * k;
    b[2][0] = (a[1][0] * a[2][1] - a[1][1] * a[2][0]) * k;
    b[2][1] = (a[0][1] * a[2][0] - a[0][0] * a[2][1]) * k;
    b[2][2] = (a[0][0] * a[1][1] - a[0][1] * a[1][0]) * k;
    for (UInt32 r = 0; r < 3; ++r) {
        for (UInt32 c = 0; c < 3; ++c)
            _matrix[c][r] = ValueT(b[r][c]);
    }
    return true;
}

template <class ValueT> void TransformationMatrix<ValueT>::transpose() {
    for (UInt32 c = 0; c < 4; ++c) {
        for (UInt32 r = c + 1; r < 4; ++r) {
            const ValueT t = _matrix[c][r];
            _matrix[c][r] = _matrix[r][c];
            _matrix[r][c] = t;
        }
    }
}

template <class ValueT>
bool TransformationMatrix<ValueT>::multFullMatrixPnt(const PointType3& src, PointType3& dst) const {
    const VectorType v(src[0], src[1], src[2], ValueT(1));
    VectorType h;
    mult(v, h);
    if (h[3] == ValueT(0)) {
        dst = PointType3();
        Log& log = osgLog();
        log.lock();
        log.doHeader(LOG_INFO, "OpenSG", __FILE__, __LINE__)
            << "multFullMatrixPnt: w == 0.0f!" << std::endl;
        log.unlock();
        return false;
    }
    dst.setValues(h[0] / h[3], h[1] / h[3], h[2] / h[3]);
    return true;
}

template <class ValueT>
void TransformationMatrix<ValueT>::multMatrixPnt(const PointType3& src, PointType3& dst) const {
    const ValueT x = src[0], y = src[1], z = src[2];
    for (UInt32 r = 0; r < 3; ++r)
        dst[r] = _matrix[0][r] * x + _matrix[1][r] * y + _matrix[2][r] * z + _matrix[3][r];
}

template <class ValueT>
void TransformationMatrix<ValueT>::multMatrixVec(const VectorType3& src, VectorType3& dst) const {
    const ValueT x = src[0], y = src[1], z = src[2];
    for (UInt32 r = 0; r < 3; ++r)
        dst[r] = _matrix[0][r] * x + _matrix[1][r] * y + _matrix[2][r] * z;
}

template <class ValueT>
void TransformationMatrix<ValueT>::mult(const VectorType& src, VectorType& dst) const {
    const VectorType v = src;
    for (UInt32 r = 0; r < 4; ++r) {
        dst[r] = _matrix[0][r] * v[0] + _matrix[1][r] * v[1] + _matrix[2][r] * v[2] +
                 _matrix[3][r] * v[3];
    }
}

template <class ValueT>
void TransformationMatrix<ValueT>::setTranslate(ValueT x, ValueT y, ValueT z) {
    _matrix[3][0] = x;
    _matrix[3][1] = y;
    _matrix[3][2] = z;
}

template <class ValueT>
void TransformationMatrix<ValueT>::setScale(ValueT sx, ValueT sy, ValueT sz) {
    _matrix[0][0] = sx;
    _matrix[1][1] = sy;
    _matrix[2][2] = sz;
}

template <class ValueT> void TransformationMatrix<ValueT>::setRotate(const Quaternion& q) {
    double rot[3][3];
    rotationRows(q, rot);
    for (UInt32 r = 0; r < 3; ++r) {
        for (UInt32 c = 0; c < 3; ++c)
            _matrix[c][r] = ValueT(rot[r][c]);
    }
}

template <class ValueT> void TransformationMatrix<ValueT>::setTransform(const VectorType3& t) {
    setIdentity();
    setTranslate(t);
}

template <class ValueT>
void TransformationMatrix<ValueT>::setTransform(const VectorType3& t, const Quaternion& r) {
    setIdentity();
    setRotate(r);
    setTranslate(t);
}

template <class ValueT>
void TransformationMatrix<ValueT>::setTransform(const VectorType3& t, const Quaternion& r,
                                                const VectorType3& s) {
    setTransform(t, r);
    // R * S scales column c of R by s[c].
    for (UInt32 c = 0; c < 3; ++c) {
        for (UInt32 row = 0; row < 3; ++row)
            _matrix[c][row] *= s[c];
    }
}

template <class ValueT>
bool TransformationMatrix<ValueT>::equals(const TransformationMatrix& m, ValueT tolerance) const {
    for (UInt32 c = 0; c < 4; ++c) {
        if (!_matrix[c].equals(m._matrix[c], tolerance))
            return false;
    }
    return true;
}

template <class ValueT>
bool TransformationMatrix<ValueT>::equalsExactly(const TransformationMatrix& m) const {
    for (UInt32 c = 0; c < 4; ++c) {
        if (_matrix[c] != m._matrix[c])
            return false;
    }
    return true;
}

template class TransformationMatrix<Real32>;

} // namespace osg
