#ifndef KX_UBER_CAMERA_POOL_H
#define KX_UBER_CAMERA_POOL_H

#include "OSGUberCamera.h"

#include <unordered_map>

/// Registry of every camera of the process and of the scene's hidden camera tree.
class kxUberCameraPool {
public:
    using CameraMap = std::unordered_map<unsigned int, osg::UberCameraPtr>;

    /// Every live camera by container id, kept by the cameras' own creation
    /// and destruction hooks. Holds no references.
    static CameraMap m_cameras;

    static const CameraMap& getContentMap() { return m_cameras; }
    /// The camera registered under `id`, or null; never inserts.
    static osg::UberCameraPtr get(const unsigned int& id);
};

#endif
