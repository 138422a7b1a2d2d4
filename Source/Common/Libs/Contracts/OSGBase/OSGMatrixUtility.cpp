#include "OSGMatrixUtility.h"

#include <cmath>

namespace osg {

namespace {

/// Writes the row-major rows into result only if every entry is finite as a Real32, so a
/// failing builder never leaves a half-written or infinite matrix behind.
bool commit(Matrix& result, const double rows[4][4]) {
    for (UInt32 r = 0; r < 4; ++r) {
        for (UInt32 c = 0; c < 4; ++c) {
            if (!std::isfinite(Real32(rows[r][c])))
                return false;
        }
    }
    for (UInt32 r = 0; r < 4; ++r) {
        for (UInt32 c = 0; c < 4; ++c)
            result[c][r] = Real32(rows[r][c]);
    }
    return true;
}

bool hasZeroExtent(double left, double right, double bottom, double top, double zNear,
                   double zFar) {
    return right == left || top == bottom || zFar == zNear;
}

template <std::size_t N> bool allFinite(const Real32 (&values)[N]) {
    for (Real32 value : values) {
        if (!std::isfinite(value))
            return false;
    }
    return true;
}

} // namespace

bool MatrixFrustum(Matrix& result, Real32 left, Real32 right, Real32 bottom, Real32 top,
                   Real32 zNear, Real32 zFar) {
    if (hasZeroExtent(left, right, bottom, top, zNear, zFar))
        return false;
    const double l = left, r = right, b = bottom, t = top, n = zNear, f = zFar;
    const double width = 1.0 / (r - l), height = 1.0 / (t - b), depth = 1.0 / (f - n);
    // Only these entries vary; the rest of the matrix is fixed.
    const Real32 e[] = {Real32(2.0 * n * width),  Real32((r + l) * width),
                        Real32(2.0 * n * height), Real32((t + b) * height),
                        Real32(-(f + n) * depth), Real32(-2.0 * f * n * depth)};
    if (!allFinite(e))
        return false;
    result.setValue(e[0], 0, e[1], 0, //
                    0, e[2], e[3], 0, //
                    0, 0, e[4], e[5], //
                    0, 0, -1, 0);
    return true;
}

bool MatrixPerspective(Matrix& result, Real32 fovy, Real32 aspect, Real32 zNear, Real32 zFar) {
    const double tanHalf = std::tan(0.5 * double(fovy));
    if (aspect == 0.f || zNear == zFar || tanHalf == 0.0)
        return false;
    const double cot = 1.0 / tanHalf;
    const double n = zNear, f = zFar;
    const double rows[4][4] = {
        {cot / aspect, 0.0, 0.0, 0.0},
        {0.0, cot, 0.0, 0.0},
        {0.0, 0.0, (f + n) / (n - f), 2.0 * f * n / (n - f)},
        {0.0, 0.0, -1.0, 0.0},
    };
    return commit(result, rows);
}

bool MatrixLookAt(Matrix& result, const Pnt3f& from, const Pnt3f& at, const Vec3f& up) {
    // Double precision so that nearby from/at or a tiny up still give a clean basis.
    const Vec3d back(static_cast<double>(from[0]) - at[0], static_cast<double>(from[1]) - at[1],
                     static_cast<double>(from[2]) - at[2]);
    const Vec3d upD(up[0], up[1], up[2]);
    const double backLen = back.length();
    const double upLen = upD.length();
    if (!(backLen > 0.0) || !std::isfinite(backLen) || !(upLen > 0.0) || !std::isfinite(upLen))
        return false;

    const Vec3d z = back * (1.0 / backLen);
    Vec3d x = upD.cross(z) * (1.0 / upLen);
    const double sinAngle = x.length();
    if (!(sinAngle >= ParallelEpsilon))
        return false;
    x = x * (1.0 / sinAngle);
    const Vec3d y = z.cross(x);

    const double rows[4][4] = {
        {x[0], y[0], z[0], from[0]},
        {x[1], y[1], z[1], from[1]},
        {x[2], y[2], z[2], from[2]},
        {0.0, 0.0, 0.0, 1.0},
    };
    return commit(result, rows);
}

} // namespace osg
