#include "kxUberCameraPool.h"

namespace {
kxUberCameraPool::CameraMap makeCameraMap() {
    kxUberCameraPool::CameraMap map;
    map.max_load_factor(1.0f);
    return map;
}
} // namespace

kxUberCameraPool::CameraMap kxUberCameraPool::m_cameras = makeCameraMap();

osg::UberCameraPtr kxUberCameraPool::get(const unsigned int& id) {
    auto it = m_cameras.find(id);
    return it == m_cameras.end() ? osg::UberCameraPtr() : it->second;
}
