#ifndef OSG_MATRIX_UTILITY_H
#define OSG_MATRIX_UTILITY_H

// Builders for the standard OpenGL camera matrices: right-handed eye space looking down -z,
// clip-space depth in [-1, 1]. Every function returns false and leaves result untouched
// when the input is degenerate (zero extent, NaN/infinite values, or a matrix that would
// not be finite in single precision); otherwise result is fully overwritten.

#include "OSGBaseTypes.h"
#include "OSGMatrix.h"
#include "OSGVector.h"

#include <cmath>

namespace osg {

/// Two unit directions count as parallel when the sine of their angle is below this.
inline constexpr Real64 ParallelEpsilon = 1e-6;

/// The glFrustum matrix. zNear/zFar are distances along -z; any values are accepted
/// (including zNear > zFar or zNear <= 0) except right == left, top == bottom or
/// zFar == zNear.
bool MatrixFrustum(Matrix& result, Real32 left, Real32 right, Real32 bottom, Real32 top,
                   Real32 zNear, Real32 zFar);

/// The glOrtho matrix; fails on a zero extent in x, y or z.
/// Inline: cameras build it for every view of every frame.
inline bool MatrixOrthogonal(Matrix& result, Real32 left, Real32 right, Real32 bottom, Real32 top,
                             Real32 zNear, Real32 zFar) {
    if (right == left || top == bottom || zFar == zNear)
        return false;
    // Single precision is plenty here: every entry is one quotient.
    const Real32 width = 1.0f / (right - left), height = 1.0f / (top - bottom);
    const Real32 depth = 1.0f / (zFar - zNear);
    const Real32 e[] = {2.0f * width,  -(right + left) * width,
                        2.0f * height, -(top + bottom) * height,
                        -2.0f * depth, -(zFar + zNear) * depth};
    // One test for all six: an entry times 0 is 0 when finite and NaN otherwise.
    Real32 zeros = 0.0f;
    for (Real32 value : e)
        zeros += value * 0.0f;
    if (zeros != 0.0f)
        return false;
    result.setValue(e[0], 0, 0, e[1], //
                    0, e[2], 0, e[3], //
                    0, 0, e[4], e[5], //
                    0, 0, 0, 1);
    return true;
}

/// The gluPerspective matrix. fovy is the full vertical field of view in radians, aspect is
/// width / height. Fails when aspect == 0, zNear == zFar or tan(fovy / 2) == 0.
bool MatrixPerspective(Matrix& result, Real32 fovy, Real32 aspect, Real32 zNear, Real32 zFar);

/// The camera-to-world matrix of a camera at from looking at at (the inverse of gluLookAt's
/// view matrix): columns are right, up, back = normalised (from - at), and from. up only
/// picks the roll and need not be unit length or perpendicular. Fails when from == at, or
/// up is zero or parallel to the viewing direction.
bool MatrixLookAt(Matrix& result, const Pnt3f& from, const Pnt3f& at, const Vec3f& up);

} // namespace osg

#endif
