#ifndef OSG_MATRIX_H
#define OSG_MATRIX_H

// 4x4 transformation matrix, OpenGL conventions: stored as four column vectors, m[c][r] is
// row r of column c, and the memory layout (getValues()) is column-major as glLoadMatrix
// expects. Matrices act on column vectors (p' = M * p), so M * N applies N first.

#include "OSGBaseTypes.h"
#include "OSGQuaternion.h"
#include "OSGVector.h"

#include <cstring>
#include <ostream>

namespace osg {

/// A matrix whose |determinant| (computed in double) is below this is treated as singular.
inline constexpr Real64 DeterminantEpsilon = 1e-30;

template <class ValueT> class TransformationMatrix {
public:
    using ValueType = ValueT;
    using VectorType = Vector<ValueT, 4>;
    using VectorType3 = Vector<ValueT, 3>;
    using PointType3 = Point<ValueT, 3>;

    /// The identity.
    TransformationMatrix() { setIdentity(); }

    /// Sixteen values in reading order, row by row: r0c0, r0c1, r0c2, r0c3, r1c0, ...
    TransformationMatrix(ValueT r0c0, ValueT r0c1, ValueT r0c2, ValueT r0c3, //
                         ValueT r1c0, ValueT r1c1, ValueT r1c2, ValueT r1c3, //
                         ValueT r2c0, ValueT r2c1, ValueT r2c2, ValueT r2c3, //
                         ValueT r3c0, ValueT r3c1, ValueT r3c2, ValueT r3c3);

    void setIdentity();
    void setValue(const TransformationMatrix& m) { *this = m; }
    /// Sixteen values in reading order, row by row: r0c0, r0c1, r0c2, r0c3, r1c0, ...
    void setValue(ValueT r0c0, ValueT r0c1, ValueT r0c2, ValueT r0c3, //
                  ValueT r1c0, ValueT r1c1, ValueT r1c2, ValueT r1c3, //
                  ValueT r2c0, ValueT r2c1, ValueT r2c2, ValueT r2c3, //
                  ValueT r3c0, ValueT r3c1, ValueT r3c2, ValueT r3c3);
    /// Sixteen values in column-major order (the layout of getValues()).
    void setValue(const ValueT* columnMajor16);

    /// The sixteen values, column-major.
    ValueT* getValues() { return _matrix[0].getValues(); }
    const ValueT* getValues() const { return _matrix[0].getValues(); }

    /// Column access, column < 4 (not checked); m[c][r] is row r of column c.
    VectorType& operator[](UInt32 column) { return _matrix[column]; }
    const VectorType& operator[](UInt32 column) const { return _matrix[column]; }

    /// this := this * m (m applies first). m may be this.
    void mult(const TransformationMatrix& m);
    /// this := m * this (this applies first). m may be this.
    void multLeft(const TransformationMatrix& m);

    /// Determinant of the whole matrix / of the upper 3x3 (computed in double).
    ValueT det() const;
    ValueT det3() const;

    /// Full 4x4 inverse, computed in double. Returns false and leaves this unchanged when
    /// |det| < DeterminantEpsilon or det is not finite. (Near that bound, entries of the
    /// inverse may exceed the range of ValueT and become infinite.)
    bool invert() { return inverse(*this); }
    /// As invert(), but into result; result is unchanged on failure. result may be this.
    bool inverse(TransformationMatrix& result) const;
    /// Inverts only the upper 3x3 (same singularity rule on det3()); row 3 and column 3
    /// are untouched.
    bool invert3();

    void transpose();

    /// Projective transform of (x, y, z, 1), divided by the resulting w. When w == 0 the
    /// point has no finite image: dst becomes (0, 0, 0), the log gets "multFullMatrixPnt:
    /// w == 0.0f!" at level 4 and false is returned. src and dst may be the same object.
    bool multFullMatrixPnt(const PointType3& src, PointType3& dst) const;
    bool multFullMatrixPnt(PointType3& pnt) const { return multFullMatrixPnt(pnt, pnt); }

    /// Affine transform using the upper 3x4 only (row 3 ignored, no division).
    void multMatrixPnt(const PointType3& src, PointType3& dst) const;
    void multMatrixPnt(PointType3& pnt) const { multMatrixPnt(pnt, pnt); }

    /// Direction transform using the upper 3x3 only (no translation).
    void multMatrixVec(const VectorType3& src, VectorType3& dst) const;
    void multMatrixVec(VectorType3& vec) const { multMatrixVec(vec, vec); }

    /// dst := this * src with all four components. src and dst may be the same object.
    void mult(const VectorType& src, VectorType& dst) const;

    /// Writes only the xyz of column 3; everything else is kept.
    void setTranslate(ValueT x, ValueT y, ValueT z);
    void setTranslate(const VectorType3& t) { setTranslate(t[0], t[1], t[2]); }
    /// Writes only the first three diagonal entries; everything else is kept.
    void setScale(ValueT s) { setScale(s, s, s); }
    void setScale(ValueT sx, ValueT sy, ValueT sz);
    void setScale(const VectorType3& s) { setScale(s[0], s[1], s[2]); }
    /// Writes only the upper 3x3 with the rotation of q (treated as normalised).
    void setRotate(const Quaternion& q);

    /// Replace the whole matrix with T, T * R, or T * R * S (scale first, translate last).
    void setTransform(const VectorType3& t);
    void setTransform(const VectorType3& t, const Quaternion& r);
    void setTransform(const VectorType3& t, const Quaternion& r, const VectorType3& s);

    /// Every entry within tolerance; NaN is never within tolerance.
    bool equals(const TransformationMatrix& m, ValueT tolerance) const;
    bool isIdentity(ValueT tolerance = ValueT(0)) const;
    /// The identity's entries bit for bit: 1 on the diagonal, +0 elsewhere.
    bool isExactIdentity() const;

    /// Exact comparison of all 16 entries.
    friend bool operator==(const TransformationMatrix& a, const TransformationMatrix& b) {
        return a.equalsExactly(b);
    }
    friend bool operator!=(const TransformationMatrix& a, const TransformationMatrix& b) {
        return !a.equalsExactly(b);
    }

    /// a * b: b applies first.
    friend TransformationMatrix operator*(TransformationMatrix a, const TransformationMatrix& b) {
        a.mult(b);
        return a;
    }

    /// Four lines, one per row, entries separated by ", ".
    friend std::ostream& operator<<(std::ostream& os, const TransformationMatrix& m) {
        for (UInt32 r = 0; r < 4; ++r) {
            if (r != 0)
                os << '\n';
            os << m[0][r] << ", " << m[1][r] << ", " << m[2][r] << ", " << m[3][r];
        }
        return os;
    }

private:
    bool equalsExactly(const TransformationMatrix& m) const;

    VectorType _matrix[4];
};

// The per-frame basics stay inline.

template <class ValueT> inline void TransformationMatrix<ValueT>::setIdentity() {
    for (UInt32 c = 0; c < 4; ++c) {
        for (UInt32 r = 0; r < 4; ++r)
            _matrix[c][r] = (r == c) ? ValueT(1) : ValueT(0);
    }
}

template <class ValueT>
inline void
TransformationMatrix<ValueT>::setValue(ValueT r0c0, ValueT r0c1, ValueT r0c2, ValueT r0c3,
                                       ValueT r1c0, ValueT r1c1, ValueT r1c2, ValueT r1c3,
                                       ValueT r2c0, ValueT r2c1, ValueT r2c2, ValueT r2c3,
                                       ValueT r3c0, ValueT r3c1, ValueT r3c2, ValueT r3c3) {
    _matrix[0].setValues(r0c0, r1c0, r2c0, r3c0);
    _matrix[1].setValues(r0c1, r1c1, r2c1, r3c1);
    _matrix[2].setValues(r0c2, r1c2, r2c2, r3c2);
    _matrix[3].setValues(r0c3, r1c3, r2c3, r3c3);
}

template <class ValueT> inline bool TransformationMatrix<ValueT>::isExactIdentity() const {
    static constexpr ValueT Identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    return std::memcmp(getValues(), Identity, sizeof(Identity)) == 0;
}

template <class ValueT>
inline bool TransformationMatrix<ValueT>::isIdentity(ValueT tolerance) const {
    // Cameras ask this of their tracking matrix on every frame, and it nearly always is
    // exactly the identity: one comparison of the bits then decides.
    if (tolerance >= ValueT(0) && isExactIdentity())
        return true;
    return equals(TransformationMatrix(), tolerance);
}

template <class ValueT>
inline void TransformationMatrix<ValueT>::mult(const TransformationMatrix& m) {
    // Column by column: column c of the product needs only column c of m, read before it
    // is written, so m may be this; the columns of this are read from copies.
    const VectorType a0 = _matrix[0], a1 = _matrix[1], a2 = _matrix[2], a3 = _matrix[3];
    for (UInt32 c = 0; c < 4; ++c) {
        const ValueT b0 = m._matrix[c][0], b1 = m._matrix[c][1], b2 = m._matrix[c][2],
                     b3 = m._matrix[c][3];
        for (UInt32 r = 0; r < 4; ++r)
            _matrix[c][r] = a0[r] * b0 + a1[r] * b1 + a2[r] * b2 + a3[r] * b3;
    }
}

using Matrix = TransformationMatrix<Real32>;

// getValues() hands out all 16 entries through one pointer, so the columns must be packed.
static_assert(sizeof(Matrix) == 16 * sizeof(Real32));

// Compiled once, in OSGMatrix.cpp.
extern template class TransformationMatrix<Real32>;

} // namespace osg

#endif
