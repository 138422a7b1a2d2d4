// Projection of the camera core: custom, orthographic and physically
// parameterised perspective, the plain perspective fallback, and the scale.

#include "OSGUberCamera.h"

#include "OSGUberCameraMath.h"

#include "OSGMatrixUtility.h"
#include "OSGUberCameraLog.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace osg {

namespace {

// The perspective clip range used while the camera's fixed clip range switch is set.
constexpr Real32 FixedClipNear = 100.0f;
constexpr Real32 FixedClipFar = 200.0f;
// The skew factor is given for a viewport this many pixels high.
constexpr Real32 SkewReferenceHeight = 1080.0f;

// Bit pattern of a float, so that stored and current inputs compare exactly, signed
// zeros and NaNs included.
UInt32 bitsOf(Real32 value) {
    return std::bit_cast<UInt32>(value);
}

bool isUnitScale(Real32 s) {
    return 1.0f - s <= CameraTolerance && s - 1.0f <= CameraTolerance;
}

bool isUnitScale(const Vec3f& scale) {
    // Exactly (1, 1, 1), the usual case, takes three integer tests.
    constexpr UInt32 One = std::bit_cast<UInt32>(1.0f);
    if ((bitsOf(scale[0]) ^ One) == 0 && (bitsOf(scale[1]) ^ One) == 0 &&
        (bitsOf(scale[2]) ^ One) == 0)
        return true;
    return isUnitScale(scale[0]) && isUnitScale(scale[1]) && isUnitScale(scale[2]);
}

// Whether scaling turned an entry that was finite into one that is not.
bool lostFiniteness(const Matrix& unscaled, const Matrix& scaled) {
    for (UInt32 i = 0; i < 16; ++i) {
        if (std::isfinite(unscaled.getValues()[i]) && !std::isfinite(scaled.getValues()[i]))
            return true;
    }
    return false;
}

// The frustum formula for a near plane equal to the far plane, which MatrixFrustum refuses
// (its other callers rely on that). The sides give the same entries as MatrixFrustum; the
// depth entries divide by the empty depth range and become infinite.
void frustumWithoutDepthRange(Matrix& result, Real32 left, Real32 right, Real32 bottom, Real32 top,
                              Real32 zNear, Real32 zFar) {
    const double l = left, r = right, b = bottom, t = top, n = zNear, f = zFar;
    const double width = 1.0 / (r - l), height = 1.0 / (t - b), depth = 1.0 / (f - n);
    result.setValue(Real32(2.0 * n * width), 0, Real32((r + l) * width), 0,       //
                    0, Real32(2.0 * n * height), Real32((t + b) * height), 0,     //
                    0, 0, Real32(-(f + n) * depth), Real32(-2.0 * f * n * depth), //
                    0, 0, -1, 0);
}

} // namespace

bool UberCamera::PerspectiveInputs::operator==(const PerspectiveInputs& o) const {
    // One test at the end rather than one branch per input: a hit compares them all anyway.
    const UInt32 differences =
        (bitsOf(width) ^ bitsOf(o.width)) | (bitsOf(height) ^ bitsOf(o.height)) |
        (bitsOf(near) ^ bitsOf(o.near)) | (bitsOf(far) ^ bitsOf(o.far)) |
        (bitsOf(fov) ^ bitsOf(o.fov)) | (fovMode ^ o.fovMode) |
        (bitsOf(sensorWidth) ^ bitsOf(o.sensorWidth)) |
        (bitsOf(sensorHeight) ^ bitsOf(o.sensorHeight)) |
        (bitsOf(principalX) ^ bitsOf(o.principalX)) | (bitsOf(principalY) ^ bitsOf(o.principalY)) |
        (bitsOf(skew) ^ bitsOf(o.skew));
    return differences == 0;
}

bool UberCamera::OrthographicInputs::operator==(const OrthographicInputs& o) const {
    const UInt32 differences = (bitsOf(width) ^ bitsOf(o.width)) |
                               (bitsOf(height) ^ bitsOf(o.height)) |
                               (bitsOf(near) ^ bitsOf(o.near)) | (bitsOf(far) ^ bitsOf(o.far)) |
                               (bitsOf(aspect) ^ bitsOf(o.aspect)) | (fovMode ^ o.fovMode) |
                               (bitsOf(left) ^ bitsOf(o.left)) | (bitsOf(right) ^ bitsOf(o.right)) |
                               (bitsOf(bottom) ^ bitsOf(o.bottom)) | (bitsOf(top) ^ bitsOf(o.top));
    return differences == 0;
}

void UberCamera::getProjection(Matrix& result, UInt32 width, UInt32 height, Int32) {
    const UInt32 mode = getProjectionMode();
    if (mode == CustomProjection) {
        result = getCustomProjectionMatrix();
        return;
    }
    if (width == 0 || height == 0) {
        result.setIdentity();
        return;
    }
    // Each path applies the projection scale itself: the usual call, which gets the
    // matrix of the call before, then needs no call of its own and no register saved.
    if (mode == OrthographicProjection)
        projectOrthographic(result, width, height);
    else
        projectPerspective(result, width, height);
}

void UberCamera::projectPerspective(Matrix& result, UInt32 width, UInt32 height) {
    // The explicit frustum reads other fields and is never remembered.
    if (!hasFlag(ExplicitFrustumFlag) &&
        perspectiveInputs(width, height) == _perspectiveMemo.inputs)
        result = _perspectiveMemo.projection;
    else if (!computePerspective(result, width, height))
        return;
    if (!isUnitScale(getProjectionScale()))
        applyProjectionScale(result);
}

void UberCamera::projectOrthographic(Matrix& result, UInt32 width, UInt32 height) {
    if (orthographicInputs(width, height) == _orthographicMemo.inputs) {
        result = _orthographicMemo.projection;
    } else if (!computeOrthographic(result, width, height)) {
        // A successful fit writes every entry; only a failure needs the identity.
        result.setIdentity();
        return;
    }
    if (!isUnitScale(getProjectionScale()))
        applyProjectionScale(result);
}

UberCamera::PerspectiveInputs UberCamera::perspectiveInputs(UInt32 width, UInt32 height) const {
    const bool fixedClip = getFixedClipRange();
    return {Real32(width),
            Real32(height),
            fixedClip ? FixedClipNear : getNear(),
            fixedClip ? FixedClipFar : getFar(),
            getFov(),
            getFovMode(),
            getSensorSize()[0],
            getSensorSize()[1],
            getPrincipalPointOffset()[0],
            getPrincipalPointOffset()[1],
            getSkewFactor()};
}

UberCamera::OrthographicInputs UberCamera::orthographicInputs(UInt32 width, UInt32 height) const {
    const Vec4f& sides = getFrustumSides();
    return {Real32(width), Real32(height), getNear(), getFar(), getAspect(),
            getFovMode(),  sides[0],       sides[1],  sides[2], sides[3]};
}

bool UberCamera::computeOrthographic(Matrix& result, UInt32 width, UInt32 height) {
    if (!getOrthographicProjection(result, width, height))
        return false;
    _orthographicMemo = {result, orthographicInputs(width, height)};
    return true;
}

bool UberCamera::computePerspective(Matrix& result, UInt32 width, UInt32 height) {
    const PerspectiveInputs inputs = perspectiveInputs(width, height);
    result.setIdentity();
    if (getPerspectiveProjection(result, inputs.width, inputs.height, inputs.near, inputs.far)) {
        if (!hasFlag(ExplicitFrustumFlag))
            _perspectiveMemo = {result, inputs};
        return true;
    }
    return getSimplePerspectiveProjection(result, width, height, inputs.near, inputs.far);
}

void UberCamera::applyProjectionScale(Matrix& result) const {
    const Vec3f& scale = getProjectionScale();
    Matrix scaled = result;
    for (UInt32 column = 0; column < 3; ++column)
        scaled[column] *= scale[column];
    // A non-finite or overflowing scale would leave nothing usable: keep the unscaled matrix.
    if (lostFiniteness(result, scaled)) {
        logCameraMessage(LOG_WARNING, __LINE__, "UberCamera::getProjection: projection scale ",
                         scale, " gives no finite projection, ignored!\n");
        return;
    }
    result = scaled;
}

bool UberCamera::getOrthographicProjection(Matrix& result, UInt32 width, UInt32 height) const {
    if (width == 0 || height == 0)
        return false;
    const Vec4f& sides = getFrustumSides();
    const Real32 left = sides[0], right = sides[1], bottom = sides[2], top = sides[3];
    const Real32 w = right - left;
    const Real32 h = top - bottom;
    if (w <= 0 && h <= 0)
        return false;
    const Real32 aspect = Real32(width) / Real32(height) * getAspect();

    bool keepVertical;
    if (w <= 0)
        keepVertical = true;
    else if (h <= 0)
        keepVertical = false;
    else if (getFovMode() == HorizontalFov)
        keepVertical = false;
    else if (getFovMode() == VerticalFov)
        keepVertical = true;
    else
        keepVertical = w > h;

    // The stored extent stays; the other axis is derived from the viewport, symmetric.
    if (keepVertical) {
        const Real32 x = h / 2 * aspect;
        return MatrixOrthogonal(result, -x, x, bottom, top, getNear(), getFar());
    }
    const Real32 y = w / 2 / aspect;
    return MatrixOrthogonal(result, left, right, -y, y, getNear(), getFar());
}

UberCamera::Intrinsics UberCamera::computeIntrinsics(Real32 width, Real32 height) const {
    const Real32 sensorWidth = getSensorSize()[0];
    const Real32 sensorHeight = getSensorSize()[1];
    const UInt32 fovMode = getFovMode();

    Real32 spanned = std::min(sensorWidth, sensorHeight);
    if (fovMode == VerticalFov)
        spanned = sensorHeight;
    else if (fovMode == HorizontalFov)
        spanned = sensorWidth;
    // F = d / (2 tan(fov / 2)), fov in degrees.
    const Real32 focalLength = spanned / (2.0f * std::tan(getFov() * Pi / 360.0f));

    Real32 pixelsPerUnit;
    if (fovMode == VerticalFov)
        pixelsPerUnit = height / sensorHeight;
    else if (fovMode == HorizontalFov)
        pixelsPerUnit = width / sensorWidth;
    else
        pixelsPerUnit = sensorWidth > sensorHeight ? height / sensorHeight : width / sensorWidth;

    const Vec2f& principalPoint = getPrincipalPointOffset();
    Intrinsics k;
    k.focalX = focalLength / sensorWidth;
    k.focalY = focalLength / sensorHeight;
    k.skew = height / SkewReferenceHeight * getSkewFactor();
    k.centerX = width * 0.5f + principalPoint[0] * pixelsPerUnit;
    k.centerY = height * 0.5f - principalPoint[1] * pixelsPerUnit;
    return k;
}

Matrix UberCamera::getKMatrix(Real32 width, Real32 height) const {
    const Intrinsics k = computeIntrinsics(width, height);
    return Matrix(k.focalX, k.skew, k.centerX, 0, //
                  0, k.focalY, k.centerY, 0,      //
                  0, 0, 1, 0,                     //
                  0, 0, 0, 0);
}

bool UberCamera::getPerspectiveProjection(Matrix& result, Real32 width, Real32 height, Real32 near,
                                          Real32 far) const {
    if (near > far) {
        logCameraMessage(LOG_WARNING, __LINE__, "UberCamera::getPerspectiveProjection: near ", near,
                         " > far ", far, "!\n");
        return false;
    }
    if (hasFlag(ExplicitFrustumFlag)) {
        // The rectangle is taken as it is, with no check of its own.
        if (near == far)
            frustumWithoutDepthRange(result, getLeft(), getRight(), getBottom(), getTop(), near,
                                     far);
        else
            MatrixFrustum(result, getLeft(), getRight(), getBottom(), getTop(), near, far);
        return true;
    }

    const Intrinsics k = computeIntrinsics(width, height);
    if (getFov() < CameraTolerance) {
        logCameraMessage(LOG_WARNING, __LINE__,
                         "UberCamera::getPerspectiveProjection: field of view ", getFov(),
                         " very small!\n");
        return false;
    }
    if (std::fabs(near - far) < CameraTolerance) {
        logCameraMessage(LOG_WARNING, __LINE__, "UberCamera::getPerspectiveProjection: near ", near,
                         " ~= far ", far, "!\n");
        return false;
    }
    const Real32 sensorWidth = getSensorSize()[0];
    const Real32 sensorHeight = getSensorSize()[1];
    const Real32 aspectRatio = (sensorHeight * width) / (sensorWidth * height);
    if (aspectRatio < CameraTolerance) {
        logCameraMessage(LOG_WARNING, __LINE__,
                         "UberCamera::getPerspectiveProjection: aspect ratio ", aspectRatio,
                         " very small!\n");
        return false;
    }

    // Focal terms fitted to the viewport: the spanned dimension keeps 1 / tan(fov / 2).
    Real32 sx, sy;
    if (getFovMode() == VerticalFov) {
        sx = (sensorWidth / sensorHeight) * k.focalX / (width / height);
        sy = k.focalY;
    } else {
        sx = k.focalX;
        sy = (width / height) * (sensorHeight / sensorWidth) * k.focalY;
    }

    const Real32 depth = far - near;
    const Real32 varying[] = {2 * sx,
                              2 * k.skew / width,
                              2 * k.centerX / width - 1,
                              2 * sy,
                              2 * k.centerY / height - 1,
                              -(near + far) / depth,
                              -2 * far * near / depth};
    // A degenerate sensor or a non-finite field gives no usable matrix: let the fallback try.
    for (Real32 value : varying) {
        if (!std::isfinite(value)) {
            logCameraMessage(LOG_WARNING, __LINE__,
                             "UberCamera::getPerspectiveProjection: projection not finite!\n");
            return false;
        }
    }
    result.setValue(varying[0], varying[1], varying[2], 0, //
                    0, varying[3], varying[4], 0,          //
                    0, 0, varying[5], varying[6],          //
                    0, 0, -1, 0);
    return true;
}

bool UberCamera::getSimplePerspectiveProjection(Matrix& result, UInt32 width, UInt32 height,
                                                Real32 near, Real32 far) const {
    if (width == 0 || height == 0)
        return false;
    Real32 fov = getFov();
    if (fov < 0)
        return false;
    // Values above pi can only be degrees; smaller ones are taken as radians.
    if (fov > Pi)
        fov = fov * Pi / 180.0f;
    const Real32 halfTan = std::tan(fov / 2);

    if (near > far) {
        logCameraMessage(LOG_WARNING, __LINE__, "UberCamera::getSimplePerspectiveProjection: near ",
                         near, " > far ", far, "!\n");
        return false;
    }
    if (fov <= CameraTolerance) {
        logCameraMessage(LOG_WARNING, __LINE__, "UberCamera::getSimplePerspectiveProjection: fov ",
                         fov, " very small!\n");
        return false;
    }
    if (std::fabs(near - far) < CameraTolerance) {
        logCameraMessage(LOG_WARNING, __LINE__, "UberCamera::getSimplePerspectiveProjection: near ",
                         near, " ~= far ", far, "!\n");
        return false;
    }
    const Real32 aspect = Real32(width) / Real32(height) * getAspect();
    if (aspect < CameraTolerance) {
        logCameraMessage(LOG_WARNING, __LINE__,
                         "UberCamera::getSimplePerspectiveProjection: aspect ratio ", aspect,
                         " very small!\n");
        return false;
    }

    const Real32 halfHeight = halfTan * near;
    bool spansWidth = getFovMode() == HorizontalFov;
    if (getFovMode() != HorizontalFov && getFovMode() != VerticalFov)
        spansWidth = !(Real32(width) * getAspect() >= Real32(height));
    const Real32 x = spansWidth ? halfHeight : aspect * halfHeight;
    const Real32 y = spansWidth ? halfHeight / aspect : halfHeight;
    MatrixFrustum(result, -x, x, -y, y, near, far);
    return true;
}

Real32 UberCamera::getNearPlaneDiagonal() const {
    const Real32 w = getRight() - getLeft();
    const Real32 h = getTop() - getBottom();
    return std::sqrt(w * w + h * h);
}

} // namespace osg
