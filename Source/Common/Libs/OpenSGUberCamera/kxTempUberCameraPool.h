#ifndef KX_TEMP_UBER_CAMERA_POOL_H
#define KX_TEMP_UBER_CAMERA_POOL_H

#include "OSGMaterialPool.h"
#include "OSGUberCamera.h"

#include <map>

/// Gathers, below the camera root of a second material pool, copies of the
/// camera nodes a part of the scene uses (for rendering that part on its
/// own). While copies are held, each default camera touched is made an
/// ordinary one; `reset` and the destructor undo both. Holds no references:
/// the material pool is looked up by id, so a destroyed pool is just absent.
class kxTempUberCameraPool {
public:
    explicit kxTempUberCameraPool(const osg::MaterialPoolPtr& pool);
    kxTempUberCameraPool(const kxTempUberCameraPool& other) = default;
    kxTempUberCameraPool& operator=(const kxTempUberCameraPool& other) = default;
    ~kxTempUberCameraPool();

    /// Copies the cameras of `node` into the temporary camera root: their
    /// nodes below the scene's camera root, or `node`'s own subtree when it
    /// lies inside the camera tree. False when nothing was copied.
    bool add(const osg::NodePtr& node);
    /// Empties the temporary camera root and gives back the default ids.
    void reset();

private:
    osg::MaterialPoolPtr getPool() const;
    bool cloneNodeToPool(const osg::NodePtr& node, const osg::NodePtr& parent);
    void markDefaultCameras(const std::vector<osg::UberCameraPtr>& cameras);

    struct SavedId {
        osg::Int32 defaultCameraId;
        /// The camera's container id, to tell whether it still lives at reset.
        osg::UInt32 containerId;
    };

    osg::UInt32 m_poolId = 0;
    /// Each default camera `add` made ordinary, ordered by address, with its
    /// former `defaultCameraId`.
    std::map<osg::UberCameraPtr, SavedId> m_savedIds;
};

#endif
