#ifndef OSG_QUATERNION_H
#define OSG_QUATERNION_H

// Single-precision rotation quaternion. Stored as (x, y, z, w) with w the scalar part;
// angles are in radians unless a name ends in Deg. Rotations are right-handed: a positive
// angle turns counter-clockwise when looking down the axis towards the origin.

#include "OSGBaseTypes.h"
#include "OSGVector.h"

#include <ostream>

namespace osg {

template <class ValueT> class TransformationMatrix;
using Matrix = TransformationMatrix<Real32>;

class Quaternion {
public:
    /// The identity rotation (0, 0, 0, 1).
    Quaternion() = default;
    /// Raw components; not normalised.
    Quaternion(Real32 x, Real32 y, Real32 z, Real32 w);
    /// Rotation by angleRad radians about axis (need not be unit length).
    Quaternion(const Vec3f& axis, Real32 angleRad);
    /// Rotation held in the upper 3x3 of m; see setValue(const Matrix&).
    explicit Quaternion(const Matrix& m);

    void setIdentity();
    /// Raw components; not normalised.
    void setValue(Real32 x, Real32 y, Real32 z, Real32 w);

    /// Rotation by angle radians about axis. A zero-length or non-finite axis, or a
    /// non-finite angle, gives the identity.
    void setValueAsAxisRad(const Vec3f& axis, Real32 angle);
    void setValueAsAxisDeg(const Vec3f& axis, Real32 angleDeg);

    /// Reads the rotation from the upper 3x3 of m (Shepperd's method, so accuracy does not
    /// degrade near 180 degrees). The 3x3 should be orthonormal; the result is normalised
    /// anyway. A matrix giving no usable quaternion (NaN, all zero) yields the identity.
    void setValue(const Matrix& m);

    /// Writes the rotation matrix: upper 3x3 = rotation, translation zero, (3,3) = 1.
    /// A non-unit quaternion is treated as its normalised form; zero gives the identity.
    void getValue(Matrix& m) const;

    /// Axis (unit length) and angle in [0, pi] radians; q, -q and any positive multiple of q
    /// give the same answer.
    /// For (near) identity rotations the axis is (0, 0, 1) and the angle 0.
    void getValueAsAxisRad(Vec3f& axis, Real32& angle) const;
    void getValueAsAxisDeg(Vec3f& axis, Real32& angleDeg) const;

    /// The four components in x, y, z, w order.
    const Real32* getValues() const { return _quat; }
    Real32 x() const { return _quat[0]; }
    Real32 y() const { return _quat[1]; }
    Real32 z() const { return _quat[2]; }
    Real32 w() const { return _quat[3]; }

    /// this := this * q, i.e. the combined rotation applies q first, then the old this.
    void mult(const Quaternion& q);
    /// this := q * this, i.e. the old this applies first, then q.
    void multLeft(const Quaternion& q);

    /// dst := src rotated by this (normalised first; a zero quaternion copies src).
    /// src and dst may be the same object.
    void multVec(const Vec3f& src, Vec3f& dst) const;

    /// Replaces this with its inverse (conjugate / squared length). Returns false and leaves
    /// this unchanged when the length is zero or not finite.
    bool invert();
    /// The inverse; a copy of this when it cannot be inverted (see invert()).
    Quaternion inverse() const;

    Real32 length() const;
    /// Scales to unit length and returns the previous length. Lengths below NormalizeEpsilon
    /// or non-finite leave this unchanged.
    Real32 normalize();

    /// True when this and q describe the same rotation within tolerance per component,
    /// i.e. q ~ this or q ~ -this. NaN never compares equal.
    bool equals(const Quaternion& q, Real32 tolerance) const;

    /// Exact per-component comparison; unlike equals(), q and -q differ here.
    friend bool operator==(const Quaternion& a, const Quaternion& b);
    friend bool operator!=(const Quaternion& a, const Quaternion& b) { return !(a == b); }

private:
    Real32 _quat[4] = {0.f, 0.f, 0.f, 1.f};
};

/// a * b: the rotation applying b first, then a.
Quaternion operator*(const Quaternion& a, const Quaternion& b);

/// Prints "x, y, z, w".
std::ostream& operator<<(std::ostream& os, const Quaternion& q);

} // namespace osg

#endif
