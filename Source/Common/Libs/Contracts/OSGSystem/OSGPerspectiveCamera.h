#ifndef OSG_PERSPECTIVE_CAMERA_H
#define OSG_PERSPECTIVE_CAMERA_H

#include "OSGPerspectiveCameraBase.h"

namespace osg {

/// A camera with a symmetric perspective projection.
class PerspectiveCamera : public PerspectiveCameraBase {
public:
    using Inherited = PerspectiveCameraBase;

    /// Which viewport dimension the field of view spans.
    enum FovMode : UInt32 { VerticalFov = 0, HorizontalFov = 1, SmallerFov = 2 };

    void getProjection(Matrix& result, UInt32 width, UInt32 height, Int32 eye = 0) override;

    /// True when the camera replaces the perspective projection by another kind.
    virtual bool hasProjectionOverride();

protected:
    friend class FieldContainer;
    friend class PerspectiveCameraBase;
    PerspectiveCamera() = default;
    PerspectiveCamera(const PerspectiveCamera& source) = default;
};

} // namespace osg

#endif
