#ifndef KX_UBER_CAMERA_POOL_H
#define KX_UBER_CAMERA_POOL_H

#include "OSGUberCamera.h"

#include <string>
#include <unordered_map>
#include <vector>

/// Registry of every camera of the process and of the scene's hidden camera
/// tree. Below the camera root (kept by the scene's material pool) each camera
/// the registry knows has an internal node: a node of its own, marked with
/// `UberCamera::InternalNodeFlag`, sharing the core of the camera's scene nodes.
class kxUberCameraPool {
public:
    using CameraMap = std::unordered_map<unsigned int, osg::UberCameraPtr>;

    /// Node flag (`Node::getFlags`) of a scene node that must not start the scene.
    static constexpr osg::UInt32 NotInitialNodeFlag = 0x1000;
    /// Node flag (`Node::getFlags`) of a camera track taken over from an older scene.
    static constexpr osg::UInt32 LegacyTrackNodeFlag = 0x10;
    /// Name given to every camera made by `createInternalCamera`.
    static constexpr const char* InternalCameraName = "InternalCamera";
    /// Printed (to standard output) whenever the camera root cannot be had.
    static constexpr const char* NoCameraRootMessage =
        "kxUberCameraPool: Couldn't receive material pool camera root!";

    /// Every live camera by container id, kept by the cameras' own creation
    /// and destruction hooks. Holds no references.
    static CameraMap m_cameras;

    /// The one registry, made on first use and never destroyed.
    static kxUberCameraPool* the();

    /// The scene's camera root (made on first use), or null with the message
    /// printed when the scene has no material pool.
    static osg::NodePtr getRoot();

    // ---- creation and adoption ------------------------------------------------------

    /// A new camera flagged for the registry and its visualisation, named
    /// `name` (unnamed when empty), with an internal node below
    /// `internalParent` unless that is null. Unreferenced.
    osg::UberCameraPtr createCamera(const std::string& name, const osg::NodePtr& internalParent);
    /// `createCamera` plus a scene node of that name below `parent`, which
    /// becomes the camera's active parent; returns the scene node.
    osg::NodePtr createCameraNode(const std::string& name, const osg::NodePtr& parent,
                                  const osg::NodePtr& internalParent);
    /// A private auxiliary camera: a fresh one, or a deep copy of `source`
    /// (images shared). The registry holds one reference on it until `remove`.
    osg::UberCameraPtr createInternalCamera(const osg::UberCameraPtr& source);
    /// A new internal node carrying `camera`, appended below `parent` unless
    /// that is null; null when blocked or without camera.
    osg::NodePtr createInternalNode(const osg::UberCameraPtr& camera, const osg::NodePtr& parent);
    /// An internal node for `camera` below `parent`, or below the camera root when null.
    osg::NodePtr add(const osg::UberCameraPtr& camera, osg::NodePtr parent);
    /// Detaches every internal node of `camera`; scene nodes stay. Releases
    /// the registry's reference on an internal camera.
    void remove(const osg::UberCameraPtr& camera);
    /// A new group node below `parent`, or below the camera root when null.
    osg::NodePtr addGroup(osg::NodePtr parent);
    /// Takes a camera track converted from an older scene into the camera
    /// tree: its legacy cameras become viewpoints whose internal nodes are the
    /// track's children (with the owner camera's distortion and blending maps
    /// copied), and the track moves below `parent`, or below the camera root
    /// when null. Nothing unless the node's core is a `CameraTrack`.
    void addLegacyCameraTrack(const osg::NodePtr& trackNode, osg::NodePtr parent);
    /// While blocked, no internal node is made by any operation.
    void blockCreateInternalNode(bool block) { m_blockInternalNodes = block; }

    // ---- lookups below the camera root (first match, depth first) ------------------

    osg::NodePtr find(const std::string& name) const;
    osg::NodePtr find(const osg::UberCameraPtr& camera) const;
    osg::NodePtr findCameraTrackNode(const std::string& name) const;
    /// The first camera (not viewpoint) node's camera with that name.
    osg::UberCameraPtr findCamera(const std::string& name) const;
    osg::UberCameraPtr findViewpoint(const std::string& name) const;
    /// The first camera with the initial flag whose active scene node may
    /// start the scene; else the last perspective default camera; else null.
    osg::UberCameraPtr getInitialCamera() const;

    // ---- lists of the camera tree, in walk order -------------------------------------

    std::vector<osg::NodePtr> getCameraNodes();
    std::vector<osg::NodePtr> getCameraTrackNodes();
    std::vector<osg::NodePtr> getViewpointNodes();
    std::vector<osg::NodePtr> getDefaultCameras();
    std::vector<osg::NodePtr> getCustomCameras();
    /// Viewpoint nodes not directly below a camera track node.
    std::vector<osg::NodePtr> getUnassignedViewpoints();

    // ---- repair -----------------------------------------------------------------------

    /// Gives an internal node below the camera root to every plain camera without one.
    void createMissingInternalNodes();
    /// Detaches the internal nodes of cameras without a node in the scene graph proper.
    void removeRedundantInternalNodes();
    /// Both of the above, missing first.
    void validateInternalNodes();

    // ---- the id map (order unspecified) ------------------------------------------------

    static const CameraMap& getContentMap() { return m_cameras; }
    /// The camera registered under `id`, or null; never inserts.
    static osg::UberCameraPtr get(const unsigned int& id);
    static std::vector<unsigned int> getContentIds(bool excludeInternal, bool excludeViewpoints);
    static std::vector<osg::UberCameraPtr> getContentPtrs(bool excludeInternal,
                                                          bool excludeViewpoints);
    /// One node per passing camera: a viewpoint's internal node, else the
    /// active scene node; cameras without such a node are left out.
    static std::vector<osg::NodePtr> getContentNodes(bool excludeInternal, bool excludeViewpoints);
    /// The scene nodes of every camera whose visualisation is on.
    static std::vector<osg::NodePtr> getVisualizationNodes();
    static std::vector<osg::NodePtr> filterNullPointer(const std::vector<osg::NodePtr>& nodes);

    kxUberCameraPool& operator=(const kxUberCameraPool& other) {
        m_blockInternalNodes = other.m_blockInternalNodes;
        return *this;
    }

private:
    // The camera's creation hook enters it; its destruction hook erases it.
    friend class osg::UberCamera;
    /// Enters (id, camera) unless the id is taken; see the source on where the entry lives.
    static void registerCamera(unsigned int id, const osg::UberCameraPtr& camera);

    kxUberCameraPool() = default;
    ~kxUberCameraPool() = default;
    kxUberCameraPool(const kxUberCameraPool&) = delete;

    static kxUberCameraPool* m_the;
    bool m_blockInternalNodes = false;
};

#endif
