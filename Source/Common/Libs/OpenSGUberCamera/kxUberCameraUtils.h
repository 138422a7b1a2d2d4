#ifndef KX_UBER_CAMERA_UTILS_H
#define KX_UBER_CAMERA_UTILS_H

#include "OSGCameraAttachment.h"
#include "OSGCameraSetting.h"
#include "OSGImage.h"
#include "OSGTransform.h"
#include "OSGUberCamera.h"
#include "kxCameraTypes.h"

#include <string>
#include <vector>

/// Static utilities around cameras: classification, settings, conversion and
/// the geometry that shows cameras in the scene. Every operation accepts null
/// and answers false, null, an empty list or a documented fall-back value.
class kxUberCameraUtils {
public:
    /// Stateless: instances exist only for callers that want one; assignments do nothing.
    kxUberCameraUtils() = default;
    kxUberCameraUtils(const kxUberCameraUtils&) = default;
    kxUberCameraUtils& operator=(const kxUberCameraUtils&) { return *this; }
    kxUberCameraUtils& operator=(kxUberCameraUtils&&) { return *this; }

    // ---- classification ---------------------------------------------------------

    /// True when the node has a core that is an `UberCamera` (or derived).
    static bool isUberCamera(const osg::NodePtr& node);
    /// The node's core as a camera, or null.
    static osg::UberCameraPtr getUberCamera(const osg::NodePtr& node);
    /// True when the node's core is a camera carrying the viewpoint flag.
    static bool isViewpoint(const osg::NodePtr& node);
    static bool isViewpoint(const osg::UberCameraPtr& camera);
    /// True when the node's core is a camera that is not a viewpoint.
    static bool isNonViewpointCamera(const osg::NodePtr& node);
    /// A default camera has a `defaultCameraId` other than -1 and is no viewpoint.
    static bool isDefaultCamera(const osg::UberCameraPtr& camera);
    static bool isDefaultCamera(const osg::NodePtr& node);
    static bool isOrthographicCamera(const osg::UberCameraPtr& camera);
    static bool isOrthographicDefaultCamera(const osg::UberCameraPtr& camera);
    /// True for a registry node: internal node flag set and a camera core.
    static bool isInternalCameraNode(const osg::NodePtr& node);
    /// True when the node's core is a `CameraTrack` (or derived).
    static bool isCameraTrackNode(const osg::NodePtr& node);
    /// True when a camera's scene node carries children of the user's, beyond
    /// a childless tracking-user node; internal nodes never do.
    static bool hasNonDefaultChildren(const osg::NodePtr& node);
    /// The node form for the first of the core's parent nodes that answers true.
    static bool hasNonDefaultChildren(const osg::UberCameraPtr& camera);
    /// The nearest strict ancestor whose core is a camera that is no viewpoint.
    static osg::UberCameraPtr findParentUberCamera(const osg::NodePtr& node);
    /// For a viewpoint: the camera above its internal node; null otherwise.
    static osg::UberCameraPtr findParentUberCamera(const osg::UberCameraPtr& camera);
    /// The camera itself when it is an `UberCamera`, else the `UberCamera` at the
    /// end of its decorator chain, else null.
    static osg::UberCameraPtr getNonDecoratedUberCamera(const osg::CameraPtr& camera);
    static osg::UberCameraPtr getNonDecoratedUberCamera(osg::Camera* camera);

    // ---- settings seen through any camera -----------------------------------------

    /// Fall-backs for a camera that is no `UberCamera` and decorates none.
    static constexpr float FallbackFStop = 125.0f;
    static constexpr float FallbackShutterSpeed = 1.0f;
    static constexpr float FallbackLuminousExposure = 1.0f;
    /// Luminous exposure H = S * K * g / (10 * t * N^2): sensitivity S (ISO),
    /// calibration K, grey g, shutter time t (s), f-number N.
    static constexpr float ExposureCalibration = 0.65f;
    static constexpr float ExposureMidGrey = 0.18354899f;
    /// S * K * g for the default sensitivity of 100.
    static constexpr float DefaultExposureNumerator = 11.930684f;
    static constexpr float ExposureScale = 10.0f;

    static osg::TonemappingSettingsPtr getTonemappingSettings(const osg::CameraPtr& camera);
    static osg::TonemappingSettingsPtr getTonemappingSettings(osg::Camera* camera);
    static osg::FogSettingsPtr getFogSettings(osg::Camera* camera);
    static float getFStop(const osg::CameraPtr& camera);
    static float getFStop(osg::Camera* camera);
    /// Shutter time in seconds.
    static float getShutterSpeed(const osg::CameraPtr& camera);
    static float getShutterSpeed(osg::Camera* camera);
    /// Luminous exposure (see the constants above); a zero shutter speed or
    /// f-stop gives the division's infinity or NaN.
    static float getLuminousExposure(const osg::CameraPtr& camera);
    static float getLuminousExposure(osg::Camera* camera);

    // ---- names, marks and attachments ------------------------------------------------

    /// The `CameraAttachment` on the node itself (not its core), or null.
    static osg::CameraAttachmentPtr getCameraAttachment(const osg::NodePtr& node);
    /// Names the camera core (encoding 1), attaching a `Name` when needed; an
    /// empty name is ignored unless `allowEmpty`.
    static void setName(const osg::CameraPtr& camera, const std::string& name, bool allowEmpty);
    /// The camera core's name, "unknown" without camera or `Name`.
    static std::string getName(const osg::CameraPtr& camera);
    /// Moves the initial flag to `camera` among all registered cameras.
    static void setInitialCamera(const osg::UberCameraPtr& camera);
    static void setRenderVisualization(const osg::UberCameraPtr& camera, bool on);
    static bool getRenderVisualization(const osg::UberCameraPtr& camera);

    // ---- lists below a root (depth first, root first, in walk order) ------------------

    /// Each camera core once, in the order of its first node.
    static std::vector<osg::UberCameraPtr> getCameras(const osg::NodePtr& root,
                                                      bool includeViewpoints);
    /// Nodes with a camera core that is no viewpoint (internal nodes included).
    static std::vector<osg::NodePtr> getCameraNodes(const osg::NodePtr& root);
    static std::vector<osg::NodePtr> getCameraTrackNodes(const osg::NodePtr& root);
    static std::vector<osg::NodePtr> getViewpointNodes(const osg::NodePtr& root);
    /// The parent nodes of the node's camera core, internal nodes left out.
    static std::vector<osg::NodePtr> getSceneCameraNodes(const osg::NodePtr& node);

    // ---- viewpoints ---------------------------------------------------------------------

    /// Tolerance per element when telling a tracking matrix from the identity.
    static constexpr float TrackingIdentityTolerance = 0.000001f;
    /// Smallest field of view (degrees) of a viewpoint captured under tracking.
    static constexpr float TrackedViewpointMinFov = 50.0f;

    /// A new, unplaced and unreferenced viewpoint copied from `camera`
    /// (images shared), placed as `getViewpointCreationMode` says.
    static osg::UberCameraPtr createViewpoint(const osg::UberCameraPtr& camera);
    static kxCameraTypes::ViewpointCreationMode getViewpointCreationMode();
    static void setViewpointCreationMode(kxCameraTypes::ViewpointCreationMode mode);
    static kxCameraTypes::ViewpointCreationMode s_viewpointCreationMode;

    // ---- markers and preview ---------------------------------------------------------------

    /// A node "AimVisualization" below `parent` with three lines of length
    /// 2 * size crossing at the origin along x, y and z.
    static osg::NodePtr createAimGeometryNode(float size, const osg::NodePtr& parent);
    /// A node with `core` below `parent`, named `name` ("TrackingUser" when
    /// empty) and marked as tracking-user node; null for a null core.
    static osg::NodePtr createTrackingUserNode(const osg::TransformPtr& core, std::string name,
                                               const osg::NodePtr& parent);
    /// The preview image on the camera core, else on its beacon node, else null.
    static osg::ImagePtr getPreview(const osg::CameraPtr& camera);

    /// Number of line end points of the camera wireframe (83 segments).
    static constexpr osg::UInt32 CameraGeometryPointCount = 166;
    /// The wireframe's size at which its coordinates are as designed.
    static constexpr osg::Real32 CameraGeometryReferenceScale = 100.0f;

    /// Size a volume without extent is framed as.
    static constexpr osg::Real32 EmptyVolumeSize = 1000.0f;

    /// The camera-to-world placement and frustum sides that frame `volume`:
    /// the eye moves back from the volume's centre along the camera's current
    /// view until the volume fits, and turns towards `target` unless that is
    /// the origin. An orthographic camera keeps its orientation and stands far
    /// back; a camera without a usable field of view keeps its placement.
    /// Nothing is written for a null camera.
    static void computeZoomToValues(const osg::UberCameraPtr& camera, const osg::BoxVolume& volume,
                                    osg::Matrix& result, osg::Vec4f& sides,
                                    const osg::Pnt3f& target);
    /// `computeZoomToValues` without a target.
    static void computeShowAllValues(const osg::UberCameraPtr& camera, const osg::BoxVolume& volume,
                                     osg::Matrix& result, osg::Vec4f& sides);

    /// A new, unreferenced line-set geometry of a movie camera looking along
    /// -z: body, lens barrel with hood, two film reels, scaled by scale / 100.
    static osg::GeometryPtr createCameraGeometry(float scale);

    // ---- legacy cameras ------------------------------------------------------------------

    /// Older scenes give the field of view in radians: a full turn is this many.
    static constexpr float LegacyFullTurn = 6.2831855f;
    /// Bits of `CameraSetting::Flags` that carry over to camera flags.
    static constexpr osg::UInt32 LegacySettingCameraFlag = 0x1;
    static constexpr osg::UInt32 LegacySettingTransitionFlag = 0x4;
    static constexpr osg::UInt32 LegacySettingDollyZoomFlag = 0x8;
    /// Keys of the `ValuePair` that marks a group as a camera track.
    static constexpr const char* CameraTrackKey = "cameraTrack";
    static constexpr const char* VariantSetCameraTrackKey = "variantSetCameraTrack";
    static constexpr const char* PauseDurationKey = "pauseDuration";
    /// Written to standard output before each converted track is handed to the registry.
    static constexpr const char* TrackConversionMessage =
        "-- about to convert legacy camera track ";

    /// A new camera of the registry, named "UberCamera", carrying the values
    /// of a legacy setting; with an internal node below the camera root when
    /// `withInternalNode` (the root's message when there is none). Null for a
    /// null setting. The camera holds references on the setting's containers.
    static osg::UberCameraPtr convertFromSetting(const osg::CameraSettingPtr& setting,
                                                 bool withInternalNode);
    /// Turns a legacy camera node, and the camera tracks below it, into the
    /// current form: the node's `CameraSetting` core becomes a new registered
    /// camera named after the node, its `CameraAttachment` becomes the default
    /// id and initial mark, its beacons an aim constraint, and every marked
    /// group below a camera track below the camera's internal node. False,
    /// with nothing changed, when the node carries no `CameraSetting`.
    static bool convertToUberCamera(const osg::NodePtr& node);

private:
    /// Turns a group marked by a `ValuePair` into a `CameraTrack` node and
    /// marks its legacy cameras as overriding the track's timing. Nothing for
    /// an unmarked node, a node without core or one that is a track already.
    static void convertLegacyCameraTrackGroup(const osg::NodePtr& node);
};

#endif
