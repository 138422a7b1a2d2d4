#include "OSGPerspectiveCamera.h"

#include "OSGMatrixUtility.h"

#include <cmath>

namespace osg {

void PerspectiveCamera::getProjection(Matrix& result, UInt32 width, UInt32 height, Int32) {
    result.setIdentity();
    if (width == 0 || height == 0)
        return;
    Real32 aspect = Real32(width) / Real32(height) * getAspect();
    Real32 halfTan = std::tan(getFov() * Pi / 360.0f);
    Real32 n = getFixedClipRange() ? 100.0f : getNear();
    Real32 f = getFixedClipRange() ? 200.0f : getFar();
    Real32 y = halfTan * n;
    Real32 x = y * aspect;
    bool spansWidth = getFovMode() == HorizontalFov || (getFovMode() == SmallerFov && aspect < 1);
    if (spansWidth) {
        x = halfTan * n;
        y = x / aspect;
    }
    MatrixFrustum(result, -x, x, -y, y, n, f);
}

bool PerspectiveCamera::hasProjectionOverride() {
    return false;
}

} // namespace osg
