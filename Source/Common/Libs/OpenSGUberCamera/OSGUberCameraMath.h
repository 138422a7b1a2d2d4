#ifndef OSG_UBER_CAMERA_MATH_H
#define OSG_UBER_CAMERA_MATH_H

// Small vector steps shared by the camera's placement, lens and framing code.

#include "OSGVector.h"

namespace osg {

/// Tolerance of the camera's length, angle and identity tests.
inline constexpr Real32 CameraTolerance = 1e-6f;

/// Divides `v` by its length unless that is too small to give a direction.
inline void normaliseIfLong(Vec3f& v) {
    const Real32 length = v.length();
    if (length >= CameraTolerance)
        v *= 1.0f / length;
}

} // namespace osg

#endif
