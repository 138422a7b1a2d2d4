#ifndef OSG_VECTOR_H
#define OSG_VECTOR_H

// Small fixed-size points and vectors. Points are positions, Vectors are directions or
// offsets; the two are distinct types so that mixing them up (adding two positions,
// translating a direction) does not compile. Both are plain arrays: trivially copyable and
// exactly Size * sizeof(ValueT) bytes, so they can be handed to APIs expecting packed floats.

#include "OSGBaseTypes.h"

#include <cmath>
#include <ostream>

namespace osg {

/// Lengths below this count as zero: normalize() leaves such a vector unchanged because its
/// direction is not meaningful.
inline constexpr Real64 NormalizeEpsilon = 1e-6;

namespace detail {

/// Component storage shared by Point and Vector. Not usable on its own, so a Point never
/// converts to a Vector (or back) behind the caller's back.
template <class ValueT, UInt32 Size> class VecStorage {
    static_assert(Size >= 1 && Size <= 4, "1 to 4 components");

public:
    using ValueType = ValueT;

    static constexpr UInt32 size() { return Size; }

    /// Component access; i must be below Size (not checked).
    ValueT& operator[](UInt32 i) { return _values[i]; }
    const ValueT& operator[](UInt32 i) const { return _values[i]; }

    /// Pointer to the Size packed components.
    ValueT* getValues() { return _values; }
    const ValueT* getValues() const { return _values; }

    ValueT x() const { return _values[0]; }
    ValueT y() const requires(Size >= 2) { return _values[1]; }
    ValueT z() const requires(Size >= 3) { return _values[2]; }
    ValueT w() const requires(Size >= 4) { return _values[3]; }

    void setValues(ValueT a, ValueT b) requires(Size == 2) {
        _values[0] = a;
        _values[1] = b;
    }
    void setValues(ValueT a, ValueT b, ValueT c) requires(Size == 3) {
        _values[0] = a;
        _values[1] = b;
        _values[2] = c;
    }
    void setValues(ValueT a, ValueT b, ValueT c, ValueT d) requires(Size == 4) {
        _values[0] = a;
        _values[1] = b;
        _values[2] = c;
        _values[3] = d;
    }

protected:
    VecStorage() = default;

    /// Every component within tolerance; NaN is never within tolerance.
    bool equalsImpl(const VecStorage& o, ValueT tolerance) const {
        for (UInt32 i = 0; i < Size; ++i) {
            if (!(std::abs(_values[i] - o._values[i]) <= tolerance))
                return false;
        }
        return true;
    }

    bool sameImpl(const VecStorage& o) const {
        for (UInt32 i = 0; i < Size; ++i) {
            if (!(_values[i] == o._values[i]))
                return false;
        }
        return true;
    }

    ValueT _values[Size]{};
};

template <class ValueT, UInt32 Size>
std::ostream& printComponents(std::ostream& os, const VecStorage<ValueT, Size>& v) {
    for (UInt32 i = 0; i < Size; ++i) {
        if (i != 0)
            os << ", ";
        os << v[i];
    }
    return os;
}

} // namespace detail

template <class ValueT, UInt32 Size> class Vector;

/// A position. Default constructed at the origin.
template <class ValueT, UInt32 Size> class Point : public detail::VecStorage<ValueT, Size> {
public:
    using VectorType = Vector<ValueT, Size>;

    Point() = default;
    Point(ValueT a, ValueT b) requires(Size == 2) { this->setValues(a, b); }
    Point(ValueT a, ValueT b, ValueT c) requires(Size == 3) { this->setValues(a, b, c); }
    Point(ValueT a, ValueT b, ValueT c, ValueT d) requires(Size == 4) {
        this->setValues(a, b, c, d);
    }

    /// The offset of this point from the origin.
    VectorType subZero() const {
        VectorType r;
        for (UInt32 i = 0; i < Size; ++i)
            r[i] = (*this)[i];
        return r;
    }

    /// Euclidean distance to p.
    ValueT dist(const Point& p) const { return (*this - p).length(); }
    ValueT dist2(const Point& p) const { return (*this - p).squareLength(); }

    /// True when every component is exactly zero.
    bool isZero() const { return this->sameImpl(Point()); }

    bool equals(const Point& o, ValueT tolerance) const { return this->equalsImpl(o, tolerance); }

    Point& operator+=(const VectorType& v) {
        for (UInt32 i = 0; i < Size; ++i)
            (*this)[i] += v[i];
        return *this;
    }
    Point& operator-=(const VectorType& v) {
        for (UInt32 i = 0; i < Size; ++i)
            (*this)[i] -= v[i];
        return *this;
    }

    friend VectorType operator-(const Point& a, const Point& b) {
        VectorType r;
        for (UInt32 i = 0; i < Size; ++i)
            r[i] = a[i] - b[i];
        return r;
    }
    friend Point operator+(Point p, const VectorType& v) { return p += v; }
    friend Point operator-(Point p, const VectorType& v) { return p -= v; }

    /// Exact comparison (0 == -0, NaN differs from everything).
    friend bool operator==(const Point& a, const Point& b) { return a.sameImpl(b); }
    friend bool operator!=(const Point& a, const Point& b) { return !a.sameImpl(b); }

    friend std::ostream& operator<<(std::ostream& os, const Point& p) {
        return detail::printComponents(os, p);
    }
};

/// A direction or offset. Default constructed as the zero vector.
template <class ValueT, UInt32 Size> class Vector : public detail::VecStorage<ValueT, Size> {
public:
    using PointType = Point<ValueT, Size>;

    Vector() = default;
    Vector(ValueT a, ValueT b) requires(Size == 2) { this->setValues(a, b); }
    Vector(ValueT a, ValueT b, ValueT c) requires(Size == 3) { this->setValues(a, b, c); }
    Vector(ValueT a, ValueT b, ValueT c, ValueT d) requires(Size == 4) {
        this->setValues(a, b, c, d);
    }

    /// The point reached by moving this far from the origin.
    PointType addToZero() const {
        PointType r;
        for (UInt32 i = 0; i < Size; ++i)
            r[i] = (*this)[i];
        return r;
    }

    ValueT dot(const Vector& v) const {
        ValueT r = 0;
        for (UInt32 i = 0; i < Size; ++i)
            r += (*this)[i] * v[i];
        return r;
    }

    /// Right-handed cross product, this x v.
    Vector cross(const Vector& v) const requires(Size == 3) {
        const Vector& u = *this;
        return Vector(u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                      u[0] * v[1] - u[1] * v[0]);
    }

    ValueT squareLength() const { return dot(*this); }
    ValueT length() const { return std::sqrt(squareLength()); }

    /// Scales to unit length and returns the length it had before. A vector shorter than
    /// NormalizeEpsilon, or with a non-finite length, is left unchanged (its old length is
    /// still returned), so callers must check the result when the input may be degenerate.
    ValueT normalize() {
        const ValueT len = length();
        if (!(len >= ValueT(NormalizeEpsilon)) || !std::isfinite(len))
            return len;
        for (UInt32 i = 0; i < Size; ++i)
            (*this)[i] /= len;
        return len;
    }

    /// True when every component is exactly zero.
    bool isZero() const { return this->sameImpl(Vector()); }

    bool equals(const Vector& o, ValueT tolerance) const { return this->equalsImpl(o, tolerance); }

    Vector& operator+=(const Vector& v) {
        for (UInt32 i = 0; i < Size; ++i)
            (*this)[i] += v[i];
        return *this;
    }
    Vector& operator-=(const Vector& v) {
        for (UInt32 i = 0; i < Size; ++i)
            (*this)[i] -= v[i];
        return *this;
    }
    Vector& operator*=(ValueT s) {
        for (UInt32 i = 0; i < Size; ++i)
            (*this)[i] *= s;
        return *this;
    }

    Vector operator-() const {
        Vector r;
        for (UInt32 i = 0; i < Size; ++i)
            r[i] = -(*this)[i];
        return r;
    }

    friend Vector operator+(Vector a, const Vector& b) { return a += b; }
    friend Vector operator-(Vector a, const Vector& b) { return a -= b; }
    friend Vector operator*(Vector v, ValueT s) { return v *= s; }
    friend Vector operator*(ValueT s, Vector v) { return v *= s; }

    /// Exact comparison (0 == -0, NaN differs from everything).
    friend bool operator==(const Vector& a, const Vector& b) { return a.sameImpl(b); }
    friend bool operator!=(const Vector& a, const Vector& b) { return !a.sameImpl(b); }

    friend std::ostream& operator<<(std::ostream& os, const Vector& v) {
        return detail::printComponents(os, v);
    }
};

using Vec2f = Vector<Real32, 2>;
using Vec3f = Vector<Real32, 3>;
using Vec4f = Vector<Real32, 4>;
using Vec3d = Vector<Real64, 3>;
using Pnt2f = Point<Real32, 2>;
using Pnt3f = Point<Real32, 3>;
using Pnt4f = Point<Real32, 4>;
using Pnt3d = Point<Real64, 3>;

} // namespace osg

#endif
