#include "OSGQuaternion.h"

#include "OSGMatrix.h"

#include <cmath>

namespace osg {

namespace {

constexpr double DegToRad = 3.14159265358979323846 / 180.0;

double squareNorm(const Quaternion& q) {
    return double(q.x()) * q.x() + double(q.y()) * q.y() + double(q.z()) * q.z() +
           double(q.w()) * q.w();
}

/// Hamilton product a * b (b applies first), in double.
Quaternion product(const Quaternion& a, const Quaternion& b) {
    const double ax = a.x(), ay = a.y(), az = a.z(), aw = a.w();
    const double bx = b.x(), by = b.y(), bz = b.z(), bw = b.w();
    return Quaternion(Real32(aw * bx + ax * bw + ay * bz - az * by),
                      Real32(aw * by - ax * bz + ay * bw + az * bx),
                      Real32(aw * bz + ax * by - ay * bx + az * bw),
                      Real32(aw * bw - ax * bx - ay * by - az * bz));
}

} // namespace

Quaternion::Quaternion(Real32 x, Real32 y, Real32 z, Real32 w) {
    setValue(x, y, z, w);
}

Quaternion::Quaternion(const Vec3f& axis, Real32 angleRad) {
    setValueAsAxisRad(axis, angleRad);
}

Quaternion::Quaternion(const Matrix& m) {
    setValue(m);
}

void Quaternion::setIdentity() {
    setValue(0.f, 0.f, 0.f, 1.f);
}

void Quaternion::setValue(Real32 x, Real32 y, Real32 z, Real32 w) {
    _quat[0] = x;
    _quat[1] = y;
    _quat[2] = z;
    _quat[3] = w;
}

void Quaternion::setValueAsAxisRad(const Vec3f& axis, Real32 angle) {
    const double ax = axis[0], ay = axis[1], az = axis[2];
    const double len = std::sqrt(ax * ax + ay * ay + az * az);
    if (!(len > 0.0) || !std::isfinite(len) || !std::isfinite(angle)) {
        setIdentity();
        return;
    }
    const double half = 0.5 * double(angle);
    const double s = std::sin(half) / len;
    setValue(Real32(ax * s), Real32(ay * s), Real32(az * s), Real32(std::cos(half)));
}

void Quaternion::setValueAsAxisDeg(const Vec3f& axis, Real32 angleDeg) {
    setValueAsAxisRad(axis, Real32(angleDeg * DegToRad));
}

void Quaternion::setValue(const Matrix& m) {
    // Shepperd: take the square root of whichever of 4w^2, 4x^2, 4y^2, 4z^2 is largest, so
    // the division below is never by a small number.
    const double r00 = m[0][0], r01 = m[1][0], r02 = m[2][0];
    const double r10 = m[0][1], r11 = m[1][1], r12 = m[2][1];
    const double r20 = m[0][2], r21 = m[1][2], r22 = m[2][2];
    const double trace = r00 + r11 + r22;

    double x, y, z, w;
    if (trace >= r00 && trace >= r11 && trace >= r22) {
        w = 0.5 * std::sqrt(1.0 + trace);
        const double s = 0.25 / w;
        x = (r21 - r12) * s;
        y = (r02 - r20) * s;
        z = (r10 - r01) * s;
    } else if (r00 >= r11 && r00 >= r22) {
        x = 0.5 * std::sqrt(1.0 + r00 - r11 - r22);
        const double s = 0.25 / x;
        w = (r21 - r12) * s;
        y = (r01 + r10) * s;
        z = (r02 + r20) * s;
    } else if (r11 >= r22) {
        y = 0.5 * std::sqrt(1.0 - r00 + r11 - r22);
        const double s = 0.25 / y;
        w = (r02 - r20) * s;
        x = (r01 + r10) * s;
        z = (r12 + r21) * s;
    } else {
        z = 0.5 * std::sqrt(1.0 - r00 - r11 + r22);
        const double s = 0.25 / z;
        w = (r10 - r01) * s;
        x = (r02 + r20) * s;
        y = (r12 + r21) * s;
    }

    const double len = std::sqrt(x * x + y * y + z * z + w * w);
    if (!(len >= NormalizeEpsilon) || !std::isfinite(len)) {
        setIdentity();
        return;
    }
    setValue(Real32(x / len), Real32(y / len), Real32(z / len), Real32(w / len));
}

void Quaternion::getValue(Matrix& m) const {
    m.setIdentity();
    m.setRotate(*this);
}

void Quaternion::getValueAsAxisRad(Vec3f& axis, Real32& angle) const {
    double x = _quat[0], y = _quat[1], z = _quat[2], w = _quat[3];
    // q and -q are the same rotation; choosing w >= 0 keeps the angle in [0, pi].
    if (w < 0.0) {
        x = -x;
        y = -y;
        z = -z;
        w = -w;
    }
    const double sinHalf = std::sqrt(x * x + y * y + z * z);
    if (!(sinHalf > 0.0) || !std::isfinite(sinHalf) || !std::isfinite(w)) {
        axis.setValues(0.f, 0.f, 1.f);
        angle = 0.f;
        return;
    }
    // atan2 needs no normalisation and stays accurate for small angles, unlike acos(w).
    angle = Real32(2.0 * std::atan2(sinHalf, w));
    axis.setValues(Real32(x / sinHalf), Real32(y / sinHalf), Real32(z / sinHalf));
}

void Quaternion::getValueAsAxisDeg(Vec3f& axis, Real32& angleDeg) const {
    Real32 rad = 0.f;
    getValueAsAxisRad(axis, rad);
    angleDeg = Real32(rad / DegToRad);
}

void Quaternion::mult(const Quaternion& q) {
    *this = product(*this, q);
}

void Quaternion::multLeft(const Quaternion& q) {
    *this = product(q, *this);
}

void Quaternion::multVec(const Vec3f& src, Vec3f& dst) const {
    const double n = std::sqrt(squareNorm(*this));
    if (!(n > 0.0) || !std::isfinite(n)) {
        dst = src;
        return;
    }
    const double qx = _quat[0] / n, qy = _quat[1] / n, qz = _quat[2] / n, qw = _quat[3] / n;
    const double vx = src[0], vy = src[1], vz = src[2];
    // v' = v + w t + u x t with t = 2 (u x v): two cross products instead of a full matrix.
    const double tx = 2.0 * (qy * vz - qz * vy);
    const double ty = 2.0 * (qz * vx - qx * vz);
    const double tz = 2.0 * (qx * vy - qy * vx);
    dst.setValues(Real32(vx + qw * tx + (qy * tz - qz * ty)),
                  Real32(vy + qw * ty + (qz * tx - qx * tz)),
                  Real32(vz + qw * tz + (qx * ty - qy * tx)));
}

bool Quaternion::invert() {
    const double n = squareNorm(*this);
    if (!(n > 0.0) || !std::isfinite(n))
        return false;
    setValue(Real32(-_quat[0] / n), Real32(-_quat[1] / n), Real32(-_quat[2] / n),
             Real32(_quat[3] / n));
    return true;
}

Quaternion Quaternion::inverse() const {
    Quaternion r = *this;
    r.invert();
    return r;
}

Real32 Quaternion::length() const {
    return Real32(std::sqrt(squareNorm(*this)));
}

Real32 Quaternion::normalize() {
    const double len = std::sqrt(squareNorm(*this));
    if (!(len >= NormalizeEpsilon) || !std::isfinite(len))
        return Real32(len);
    for (Real32& c : _quat)
        c = Real32(c / len);
    return Real32(len);
}

bool Quaternion::equals(const Quaternion& q, Real32 tolerance) const {
    bool same = true;
    bool opposite = true;
    for (UInt32 i = 0; i < 4; ++i) {
        same = same && std::abs(_quat[i] - q._quat[i]) <= tolerance;
        opposite = opposite && std::abs(_quat[i] + q._quat[i]) <= tolerance;
    }
    return same || opposite;
}

bool operator==(const Quaternion& a, const Quaternion& b) {
    for (UInt32 i = 0; i < 4; ++i) {
        if (!(a._quat[i] == b._quat[i]))
            return false;
    }
    return true;
}

Quaternion operator*(const Quaternion& a, const Quaternion& b) {
    return product(a, b);
}

std::ostream& operator<<(std::ostream& os, const Quaternion& q) {
    return os << q.x() << ", " << q.y() << ", " << q.z() << ", " << q.w();
}

} // namespace osg
