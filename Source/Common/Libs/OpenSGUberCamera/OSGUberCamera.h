#ifndef OSG_UBER_CAMERA_H
#define OSG_UBER_CAMERA_H

#include "OSGUberCameraBase.h"

#include "OSGAimConstraint.h"
#include "OSGBoxVolume.h"

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

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

    // Bits of a node's 32-bit external flag word.
    static constexpr UInt32 InternalNodeFlag = 0x4;
    static constexpr UInt32 TrackingUserNodeFlag = 0x8;

    using CreateDestroyCallback = std::function<void(unsigned int, bool)>;

    /// Told the container id of a camera whose viewing matrix changed.
    using ViewChangeCallback = std::function<void(unsigned int)>;
    using ViewChangeCallbackPtr = std::shared_ptr<ViewChangeCallback>;
    /// A registration: the callback, held weakly, and whether it is for one call only.
    using ViewChangeEntry = std::pair<std::weak_ptr<ViewChangeCallback>, bool>;
    using ViewChangeCallbackList = std::vector<ViewChangeEntry>;

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

    // ---- projection ---------------------------------------------------------

    /// Projection for a viewport of width x height pixels (the eye is ignored):
    /// the custom matrix in custom mode; else the orthographic fit or the
    /// physically parameterised perspective (with the plain field-of-view
    /// perspective as fallback), then the projection scale. Identity when the
    /// viewport is empty or every path fails.
    void getProjection(Matrix& result, UInt32 width, UInt32 height, Int32 eye = 0) override;

    /// Sides of the explicit frustum rectangle (`frustumSides`).
    Real32 getLeft() const { return getFrustumSides()[0]; }
    Real32 getRight() const { return getFrustumSides()[1]; }
    Real32 getBottom() const { return getFrustumSides()[2]; }
    Real32 getTop() const { return getFrustumSides()[3]; }
    /// Diagonal of the `frustumSides` rectangle.
    Real32 getNearPlaneDiagonal() const;

    bool isOrthographic() const { return getProjectionMode() == OrthographicProjection; }
    bool hasProjectionOverride() override { return isOrthographic(); }

    // ---- view-change callbacks ------------------------------------------------

    /// Registers `callback` (held weakly) to be told of view changes, once only
    /// when `singleCall`; a callback already registered keeps its entry.
    void registerViewChangeCallback(const ViewChangeCallbackPtr& callback, bool singleCall);
    /// Removes the first entry of `callback` (a null pointer matches an expired entry).
    void unregisterViewChangeCallback(const ViewChangeCallbackPtr& callback);
    void unregisterViewChangeCallbacks();
    void unregisterSingleCallViewChangeCallbacks();

    // ---- placement and viewing --------------------------------------------------

    /// Re-selects the first ordinary parent as the active one; false when there
    /// is none (or the camera is a viewpoint, placed by its internal node).
    bool updateActiveParentIndex();
    /// Stores `index` when it names an ordinary parent; logs and keeps the old one otherwise.
    void setActiveParentIndex(const UInt32& index);
    /// The active parent index, repaired first when it no longer names an ordinary parent.
    UInt32& getActiveParentIndex();
    /// The ordinary parent node that places the camera, or null.
    NodePtr getActiveParentNode();
    /// The first internal node carrying the camera, or null.
    NodePtr getInternalParentNode() const;

    NodePtr& getBeacon() override;
    const NodePtr& getBeacon() const override;

    void accumulateMatrix(Matrix& matrix) override;
    void adjustVolume(Volume& volume) override;

    /// Viewpoints always use the local space.
    void setTransform(const Matrix& matrix, CameraSpace space) override;
    void getTransform(Matrix& result, CameraSpace space) const override;

    /// World-to-eye matrix: the world transform without node scale, or the
    /// depth-of-field override, rolled, announced to the view-change callbacks
    /// when it changed, and inverted (identity when singular).
    void getViewing(Matrix& result, UInt32 width, UInt32 height, Int32 eye = 0) override;

    // ---- look-at ----------------------------------------------------------------

    /// Writes into `result` the camera-to-world matrix of an eye at `eye` looking
    /// at `target` with `up` as near-up: columns right, up, back and the eye.
    /// An up parallel to the view is replaced by the view direction's rotated
    /// components; false, with `result` unchanged, when that fails too.
    static bool lookAt(Matrix& result, const Pnt3f& eye, const Pnt3f& target, const Vec3f& up);

    // ---- view manipulation --------------------------------------------------------

    /// Places the camera at `from` looking at `at` with `up` as near-up, in the
    /// given space, and sets the target distance to |at - from| in the camera's
    /// own units.
    void setViewByFromAtUp(const Pnt3f& from, const Pnt3f& at, const Vec3f& up, CameraSpace space);
    /// Eye position.
    Pnt3f getFrom(CameraSpace space) const;
    /// Target: the point `atDistance` ahead of the eye.
    Pnt3f getAt(CameraSpace space) const;
    /// The camera's +y axis (not normalised).
    Vec3f getUp(CameraSpace space) const;
    void getFromAtUp(Pnt3f& from, Pnt3f& at, Vec3f& up, CameraSpace space) const;
    void setFrom(const Pnt3f& from, CameraSpace space);
    void setAt(const Pnt3f& at, CameraSpace space);
    void setUp(const Vec3f& up, CameraSpace space);
    /// `atDistance` := length of `vector` in the camera's own coordinates.
    void setAtDistanceToLocalVec(const Vec3f& vector);
    /// Makes the target distance reach the world point `point`.
    void setAtDistanceToPoint(const Pnt3f& point) override;
    void storeView();
    void restoreView();

    // ---- turntable ------------------------------------------------------------------

    /// Orbit parameters; the camera's change handler moves it onto the orbit.
    void setTurntableDistance(Real32 distance);
    void setTurntableHeight(Real32 height);
    /// Degrees.
    void setTurntableAngle(Real32 angle);
    Real32 getTurntableDistance() const { return getTurntableParameter()[0]; }
    Real32 getTurntableHeight() const { return getTurntableParameter()[1]; }
    Real32 getTurntableAngle() const { return getTurntableParameter()[2]; }
    /// The placement the orbit gives, without applying it (local space).
    void getFromAtUpFromTurntable(Pnt3f& from, Pnt3f& at, Vec3f& up) const;
    /// The orbit parameters of the current placement; the angle lies in [0, 360).
    void getTurntableFromFromAtUp(Real32& distance, Real32& height, Real32& angle) const;

    // ---- initial and default views (class-wide) ----------------------------------------

    static void setInitialView(const Pnt3f& from, const Pnt3f& at, const Vec3f& up);
    /// The initial view; the default perspective view while none was set.
    static void getInitialView(Pnt3f& from, Pnt3f& at, Vec3f& up);
    static bool hasInitialView() { return !m_initialViewDirty; }
    /// From, at and up of a default view for the scene's up axis.
    static void getInitialDefaultView(Pnt3f& from, Pnt3f& at, Vec3f& up, DefaultCameraId id);
    /// The camera-to-world matrix of a default view; identity for an unknown id.
    static Matrix getInitialDefaultView(DefaultCameraId id);
    static void setInitialRoll(Real32 roll) { m_initialRoll = roll; }
    static Real32 getInitialRoll() { return m_initialRoll; }
    static void setInitialFov(Real32 fov) { m_initialFov = fov; }
    static Real32 getInitialFov() { return m_initialFov; }
    static void resetInitialViewRollFov();

    // ---- lens -----------------------------------------------------------------------

    /// Focal length in sensor units, from the field of view and the spanned sensor dimension.
    Real32 getFocalLength() const;
    /// Sets the field of view that gives this focal length (announced with `FovFieldMask`).
    void setFocalLength(const Real32& focalLength);
    /// The field of view, in degrees, of a focal length with the current sensor.
    Real32 computeFovFromFocalLength(const Real32& focalLength) const;
    /// F-number: focal length over aperture diameter.
    Real32 getFStop() const;
    void setFStop(const Real32& fStop);
    /// Changes the field of view keeping the f-number; with dolly zoom on, also
    /// moves the camera so that the focused subject keeps its size.
    void setFov(const Real32& fov);

    bool getDepthOfField() const { return hasFlag(DepthOfFieldFlag); }
    bool getMotionBlur() const { return hasFlag(MotionBlurFlag); }
    bool getDollyZoom() const { return hasFlag(DollyZoomFlag); }
    void setDepthOfField(bool on);
    void setMotionBlur(bool on);
    void setDollyZoom(bool on);

    /// Views from one point of the lens, `sample` in [-1, 1]^2, towards the focus point.
    void applyDepthOfField(const Pnt2f& sample);
    void resetDepthOfField();
    /// `focusDistance` := distance from the camera's world position to `point`.
    void setFocusDistanceToPoint(const Pnt3f& point);

    // ---- aim constraint --------------------------------------------------------------

    /// True when an aim constraint with aim sources targets this camera.
    bool hasAimConstraint() const;
    NodePtr getAimNode() const;
    NodePtr getUpVectorNode() const;
    /// Distance from the camera to the up-vector node; 1 without one.
    Real32 getUpConstraintDistance() const;
    /// Moves the aim node onto the current target and the up-vector node
    /// `upDistance` above the camera.
    void setAimConstraintToCurrentView(Real32 upDistance);

    // ---- framing -------------------------------------------------------------------------

    /// Moves the camera back along its view until `volume` fits; optionally fits near and far.
    void show(const BoxVolume& volume, bool fitNearFar);
    /// As `show`, but turned towards `target` (unless it is the origin).
    void zoomTo(const BoxVolume& volume, bool fitNearFar, const Pnt3f& target);
    /// Near and far from the size of `volume`.
    void updateNearFar(const BoxVolume& volume);
    /// Near and far from the world volume of `node`; nothing for a null node.
    void updateNearFar(const NodePtr& node);

    // ---- lifecycle ---------------------------------------------------------------------

    /// Takes over the fields of `source` that `mask` selects, cloning the
    /// containers the camera owns instead of sharing them. `settingsOnly`
    /// keeps placement, structure and identity (beacon, parents, attachments,
    /// tracking matrix, wireframe, animation, active parent, default id). The
    /// internal-camera, viewpoint, initial, dolly-zoom and conversion flags
    /// always stay the camera's own.
    void syncWith(const UberCameraPtr& source, BitVector mask, bool settingsOnly);
    /// Takes over the placement of `source`: its transform attributes in local
    /// space, or its world transform.
    void syncTransformWith(const UberCameraPtr& source, CameraSpace space);

    /// The class-wide hook told of every created (true) and destroyed (false)
    /// camera with its container id; an empty function clears it.
    static void setCreateDestroyCallback(const CreateDestroyCallback& callback);

    /// A deep copy is never the initial camera nor a default camera.
    void onDeepClone() override;
    void dump(UInt32 indent = 0, const BitVector bvFlags = 0) const override;

    /// Reacts to edits: the wireframe follows the flags and its scale.
    void changed(BitVector whichField, UInt32 origin) override;

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

    /// The seven container-pointer fields the camera holds references through.
    std::array<FieldContainerPtr*, 7> ownedContainers();

private:
    bool getOrthographicProjection(Matrix& result, UInt32 width, UInt32 height) const;
    bool getPerspectiveProjection(Matrix& result, Real32 width, Real32 height, Real32 near,
                                  Real32 far) const;
    bool getSimplePerspectiveProjection(Matrix& result, UInt32 width, UInt32 height, Real32 near,
                                        Real32 far) const;
    /// The pinhole intrinsic matrix for a viewport (only the upper 3x3 is meaningful).
    Matrix getKMatrix(Real32 width, Real32 height) const;
    /// Entries of the intrinsic matrix: focal terms as fractions of the sensor,
    /// skew and principal point in pixels.
    struct Intrinsics {
        Real32 focalX, focalY, skew, centerX, centerY;
    };
    Intrinsics computeIntrinsics(Real32 width, Real32 height) const;

    // What a projection path reads, with the viewport (and for the perspective the clip
    // range asked for). Equal only when every bit is, NaNs and signed zeros included.
    struct PerspectiveInputs {
        Real32 width, height, near, far, fov;
        UInt32 fovMode;
        Real32 sensorWidth, sensorHeight, principalX, principalY, skew;
        bool operator==(const PerspectiveInputs& other) const;
    };
    struct OrthographicInputs {
        Real32 width, height, near, far, aspect;
        UInt32 fovMode;
        Real32 left, right, bottom, top;
        bool operator==(const OrthographicInputs& other) const;
    };
    /// The last projection of a path that passed every check, with the inputs it came
    /// from: the renderer asks for the same one view after view, and the same inputs give
    /// the same matrix. A width of 0 is never asked for, so the empty memo matches nothing.
    template <class InputsT> struct alignas(16) ProjectionMemo {
        Matrix projection;
        InputsT inputs{};
    };
    PerspectiveInputs perspectiveInputs(UInt32 width, UInt32 height) const;
    OrthographicInputs orthographicInputs(UInt32 width, UInt32 height) const;

    /// The rest of `getProjection` for a non-empty viewport: the physically parameterised
    /// perspective or its fallback (the identity when both fail), or the orthographic fit
    /// (the identity when it fails); then the projection scale.
    void projectPerspective(Matrix& result, UInt32 width, UInt32 height);
    void projectOrthographic(Matrix& result, UInt32 width, UInt32 height);
    // The projections computed afresh, remembering what passed every check; false, with
    // the identity (perspective) or anything (orthographic) in `result`, when they fail.
    [[gnu::noinline]] bool computePerspective(Matrix& result, UInt32 width, UInt32 height);
    [[gnu::noinline]] bool computeOrthographic(Matrix& result, UInt32 width, UInt32 height);
    /// Multiplies the first three columns by a projection scale that is not the unit one.
    void applyProjectionScale(Matrix& result) const;

    bool validActiveParentIndex(const UInt32& index) const;
    /// The stored index, unrepaired.
    const UInt32& getActiveParentIndex() const { return UberCameraBase::getActiveParentIndex(); }
    bool isInternalNode(const NodePtr& node) const;
    bool isOrdinaryParent(const NodePtr& node) const;
    /// The beacon; the index is repaired only when `repairIndex` is set.
    const NodePtr& resolveBeacon(bool repairIndex);
    /// Step shared by both `getBeacon`s when no better parent was found.
    const NodePtr& fallbackBeacon() const;
    const NodePtr* firstInternalParent() const;

    const ViewChangeCallbackList* getViewChangeCallbacks() const {
        return _viewChangeCallbacks.get();
    }
    void viewChanged();
    void initCameraCallbacks();
    void deleteCameraCallbacks();
    /// Runs `read` on the transform, with the tracking matrix set aside in HMD mode.
    template <class ReadT> void withoutHmdTracking(ReadT read) const;
    /// Places the camera on its turntable orbit.
    void updateViewByTurntable();
    /// The aim constraint targeting this camera, or null.
    AimConstraintPtr findAimConstraint() const;
    /// Writes a turntable component inside an edit of the turntable field.
    void setTurntableComponent(UInt32 component, Real32 value);
    void setEffectFlag(UInt64 flag, bool on);

    /// Keeps `visualization` holding a wireframe of the current scale for a shown
    /// camera and empty for internal cameras and viewpoints.
    void updateVisualization();
    /// True when the wireframe was built for the current `visualizationScale`.
    bool visualizationIsCurrent(const GeometryPtr& geometry) const;
    /// Keeps the camera's own geometry out of every ray-traced effect but primary visibility.
    void updateVisibilityFlags();

    /// Written by `storeView`.
    Matrix _storedView;
    /// Replaces the camera transform in `getViewing` while not the identity.
    Matrix _depthOfFieldOverride;
    /// Whether the override differs from the identity; kept with every write of it.
    bool _depthOfFieldActive = false;
    /// The camera-to-world matrix last announced to the view-change callbacks.
    Matrix _lastViewing;
    /// Whether it holds a NaN, which no comparison finds equal.
    bool _lastViewingHasNaN = false;
    /// Shared by the camera and every copy made from it; created on first registration.
    std::shared_ptr<ViewChangeCallbackList> _viewChangeCallbacks;

    ProjectionMemo<PerspectiveInputs> _perspectiveMemo;
    ProjectionMemo<OrthographicInputs> _orthographicMemo;

    /// Cosine and sine of the roll angle they were computed for (as stored, bit for bit).
    struct RollMemo {
        Real32 degrees = 0.0f;
        Real32 cos = 1.0f;
        Real32 sin = 0.0f;
    };
    RollMemo _rollMemo;
};

} // namespace osg

#include "OSGUberCamera.inl"

#endif
