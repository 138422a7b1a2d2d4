#include "kxUberCameraPool.h"

namespace {
kxUberCameraPool::CameraMap makeCameraMap() {
    kxUberCameraPool::CameraMap map;
    map.max_load_factor(1.0f);
    return map;
}
} // namespace

kxUberCameraPool::CameraMap kxUberCameraPool::m_cameras = makeCameraMap();
