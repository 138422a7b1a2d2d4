#ifndef OSG_UBER_CAMERA_H
#define OSG_UBER_CAMERA_H

#include "OSGUberCameraBase.h"

#include <functional>

namespace osg {

/// A physically parameterised camera core: sensor, focal length and field of
/// view, principal point, skew, f-stop, shutter speed and focus distance,
/// projected as perspective, orthographic or a user-supplied matrix.
///
/// Units: field of view, roll and turntable angle in degrees; sensor size,
/// focal length and aperture diameter in one sensor unit (millimetres by
/// default); distances in scene units.
class UberCamera : public UberCameraBase {
public:
    using Inherited = UberCameraBase;

    /// Values of the `projectionMode` field; 2 and up (except 7) name lens
    /// shaders and project like `PerspectiveProjection`.
    enum ProjectionMode : UInt32 {
        PerspectiveProjection = 0,
        OrthographicProjection = 1,
        CustomProjection = 7,
    };

    /// Values of the `defaultCameraId` field; `NoDefaultCamera` for an ordinary camera.
    enum DefaultCameraId : Int32 {
        NoDefaultCamera = -1,
        PerspectiveView = 0,
        FrontView = 1,
        SideView = 2,
        TopView = 3,
    };

    // Bits of the inherited 64-bit Transform3D flag word.
    static constexpr UInt64 InternalCameraFlag = 0x1;
    static constexpr UInt64 ViewpointFlag = 0x4;
    static constexpr UInt64 LegacyTransitionFlag = 0x8;
    static constexpr UInt64 TrackOverrideFlag = 0x10;
    static constexpr UInt64 InitialFlag = 0x20;
    static constexpr UInt64 ExplicitFrustumFlag = 0x40;
    static constexpr UInt64 LegacyCameraFlag = 0x80;
    static constexpr UInt64 DepthOfFieldFlag = 0x100;
    static constexpr UInt64 MotionBlurFlag = 0x200;
    static constexpr UInt64 DollyZoomFlag = 0x400;
    static constexpr UInt64 RenderVisualizationFlag = 0x2000;
    static constexpr UInt64 RegistryCameraFlag = 0x4000;
    static constexpr UInt64 LegacyConversionFlag = 0x8000;

    using CreateDestroyCallback = std::function<void(unsigned int, bool)>;

    /// The type's initialisation hook; the camera needs none.
    static void initMethod();

    /// Fields that place the camera: the transform attributes, near and far.
    static BitVector getCombinedViewingAttributesMask();
    /// Fields that make up the lens and the projection.
    static BitVector getCombinedCameraAttributesMask();

    // Container-pointer setters with reference counting: nothing when the value
    // is unchanged; otherwise the old container loses a reference, the new one
    // gains one.
    void setVisualization(const GeometryPtr& value);
    void setLeftEyeDistortionMap(const TextureSettingsPtr& value);
    void setRightEyeDistortionMap(const TextureSettingsPtr& value);
    void setTonemappingSettings(const TonemappingSettingsPtr& value);
    void setFogSettings(const FogSettingsPtr& value);
    void setAnimationRoot(const AnimNodePtr& value);
    void setPerspectiveMatch(const PerspectiveMatchPtr& value);

    bool isViewpoint() const { return hasFlag(ViewpointFlag); }
    bool isInitial() const { return hasFlag(InitialFlag); }

    static void setHmdMode(bool on) { m_hmdMode = on; }
    static bool getHmdMode() { return m_hmdMode; }

    // Class-wide state, with its load-time values.
    static bool m_hmdMode;
    static bool m_initialViewDirty;
    static Pnt3f m_initialFrom;
    static Pnt3f m_initialAt;
    static Vec3f m_initialUp;
    static Real32 m_initialFov;
    static Real32 m_initialRoll;
    static CreateDestroyCallback m_CreateDestroyCallback;

protected:
    friend class UberCameraBase;

    UberCamera();
    UberCamera(const UberCamera& source);
    ~UberCamera() override;

    /// Runs once the camera is registered; the argument is ignored.
    void onCreate(const UberCamera* source);
    void onDestroy() override;
};

} // namespace osg

#include "OSGUberCamera.inl"

#endif
