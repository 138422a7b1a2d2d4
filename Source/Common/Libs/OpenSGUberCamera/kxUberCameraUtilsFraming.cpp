// Framing arithmetic: where a camera must stand to see a volume.

#include "kxUberCameraUtils.h"

#include "OSGUberCameraMath.h"

#include <algorithm>
#include <cmath>

using namespace osg;

namespace {

// Distance at which an orthographic camera is put in front of the volume.
constexpr Real32 OrthographicStandOff = 50000.0f;
// Largest half angle used, just under 90 degrees, so the tangent stays finite.
constexpr double MaxHalfAngle = 1.5690509975429023;
// Extra distance, as a share of the projected height, so the volume does not touch the edges.
constexpr Real32 HeightMargin = 0.6f;
constexpr Real32 ExtentStart = 1e23f;

bool isTarget(const Pnt3f& target) {
    for (UInt32 i = 0; i < 3; ++i) {
        if (target[i] < -CameraTolerance || target[i] > CameraTolerance)
            return true;
    }
    return false;
}

Vec3f column(const Matrix& m, UInt32 c) {
    return Vec3f(m[c][0], m[c][1], m[c][2]);
}

// Width and height of the box's corners seen along the camera axes r and v from t.
void projectedExtent(const Pnt3f& low, const Pnt3f& high, const Pnt3f& t, const Vec3f& r,
                     const Vec3f& v, Real32& width, Real32& height) {
    Real32 minA = ExtentStart, maxA = -ExtentStart, minB = ExtentStart, maxB = -ExtentStart;
    for (UInt32 corner = 0; corner < 8; ++corner) {
        const Pnt3f p((corner & 1) ? high[0] : low[0], (corner & 2) ? high[1] : low[1],
                      (corner & 4) ? high[2] : low[2]);
        const Real32 a = r.dot(p - t);
        const Real32 b = v.dot(p - t);
        minA = std::min(minA, a);
        maxA = std::max(maxA, a);
        minB = std::min(minB, b);
        maxB = std::max(maxB, b);
    }
    width = maxA - minA;
    height = maxB - minB;
}

} // namespace

void kxUberCameraUtils::computeZoomToValues(const UberCameraPtr& camera, const BoxVolume& volume,
                                            Matrix& result, Vec4f& sides, const Pnt3f& target) {
    if (camera.isNull())
        return;
    Pnt3f center, low, high;
    volume.getCenter(center);
    volume.getBounds(low, high);
    Real32 size = (high - low).length();
    if (size == 0)
        size = EmptyVolumeSize;

    camera->getTransform(result, Camera::WorldSpace);
    const Pnt3f eyeNow(result[3][0], result[3][1], result[3][2]);
    const bool orthographic = camera->hasProjectionOverride();

    Vec3f back = column(result, 2);
    normaliseIfLong(back);
    const Vec3f up = column(result, 1);
    Vec3f right = up.cross(back);
    normaliseIfLong(right);
    Vec3f trueUp = back.cross(right);
    normaliseIfLong(trueUp);

    Real32 width = 0, height = 0;
    projectedExtent(low, high, eyeNow, right, trueUp, width, height);
    const Real32 extent = std::sqrt(width * width + height * height);

    const double halfAngle =
        std::min(double(camera->getFov()) * 2.0 * Pi / 360.0 * 0.5, MaxHalfAngle);
    if (orthographic) {
        const Pnt3f eye = center + back * OrthographicStandOff;
        result[3] = Vec4f(eye[0], eye[1], eye[2], 1);
    } else if (halfAngle > CameraTolerance) {
        // A camera without a usable field of view cannot be framed by distance.
        const Real32 distance = Real32(extent * 0.5 / std::tan(halfAngle)) + HeightMargin * height;
        const Pnt3f eye = center + back * distance;
        UberCamera::lookAt(result, eye, isTarget(target) ? target : center, up);
    }

    const Real32 half = size / 2;
    sides = Vec4f(-half, half, -half, half);
}

void kxUberCameraUtils::computeShowAllValues(const UberCameraPtr& camera, const BoxVolume& volume,
                                             Matrix& result, Vec4f& sides) {
    if (camera.isNull())
        return;
    computeZoomToValues(camera, volume, result, sides, Pnt3f(0, 0, 0));
}
