#ifndef OSG_CAMERA_H
#define OSG_CAMERA_H

#include "OSGCameraBase.h"

namespace osg {

/// A camera core. It is a `Transform3D`, so it places itself like any
/// transform core; its world placement is its parent frame (the nodes above
/// the beacon) times its own matrix times the tracking matrix.
class Camera : public CameraBase {
public:
    using Inherited = CameraBase;

    /// Where a transform is read or written: the frame of the camera's parent
    /// node (local) or the world.
    enum CameraSpace : UInt32 { LocalSpace = 0, WorldSpace = 1 };

    /// The node that places the camera; here the beacon field.
    virtual NodePtr& getBeacon();
    virtual const NodePtr& getBeacon() const;
    /// Replaces the beacon, holding one reference on it.
    virtual void setBeacon(const NodePtr& beacon);

    /// Projection for a viewport of width x height pixels.
    virtual void getProjection(Matrix& result, UInt32 width, UInt32 height, Int32 eye = 0) = 0;
    /// World-to-eye matrix: the inverse of the world transform (identity when singular).
    virtual void getViewing(Matrix& result, UInt32 width, UInt32 height, Int32 eye = 0);

    /// Camera-to-space matrix: local = own matrix * tracking; world = parent frame * local.
    virtual void getTransform(Matrix& result, CameraSpace space) const;
    /// Makes the camera-to-space matrix `matrix` by changing translation and
    /// rotation only (scale, shear and pivot stay).
    virtual void setTransform(const Matrix& matrix, CameraSpace space);
    /// World matrix of the frame the camera's local space lives in (identity for local).
    virtual void getParentTransform(Matrix& result, CameraSpace space) const;
    /// A world point expressed in the frame of the camera's parent node.
    virtual Pnt3f convertPntToLocalSpace(const Pnt3f& point) const;
    /// Hook for cameras that keep a target distance; a plain camera has none.
    virtual void setAtDistanceToPoint(const Pnt3f& point);

    /// The camera that does the work behind any decorators: this one.
    virtual CameraPtr getNonDecoratorCamera();

    /// While set, perspective projections clip at 100 and 200 whatever near and far say.
    void setFixedClipRange(bool fixed) { _fixedClipRange = fixed; }
    bool getFixedClipRange() const { return _fixedClipRange; }

protected:
    Camera() = default;
    Camera(const Camera& source) = default;

    void onDestroy() override;

private:
    bool _fixedClipRange = false;
};

} // namespace osg

#endif
