#ifndef UBERCAM_TESTS_CAMERA_TEST_MATH_H
#define UBERCAM_TESTS_CAMERA_TEST_MATH_H

// Small read-outs of matrices and cameras shared by the camera tests.

#include "OSGUberCamera.h"

#include <gtest/gtest.h>

namespace ubercam::test {

inline osg::Vec3f column(const osg::Matrix& m, osg::UInt32 c) {
    return osg::Vec3f(m[c][0], m[c][1], m[c][2]);
}

/// The translation column as a point.
inline osg::Pnt3f origin(const osg::Matrix& m) {
    return osg::Pnt3f(m[3][0], m[3][1], m[3][2]);
}

inline osg::Vec3f unit(osg::Vec3f v) {
    v.normalize();
    return v;
}

inline osg::Pnt3f mapPoint(const osg::Matrix& m, const osg::Pnt3f& p) {
    osg::Pnt3f result;
    m.multMatrixPnt(p, result);
    return result;
}

inline osg::Matrix transformOf(const osg::UberCameraPtr& camera, osg::Camera::CameraSpace space) {
    osg::Matrix m;
    camera->getTransform(m, space);
    return m;
}

inline osg::Matrix worldTransform(const osg::UberCameraPtr& camera) {
    return transformOf(camera, osg::Camera::WorldSpace);
}

/// The camera-to-world matrix a renderer sees: the inverse of the viewing matrix.
inline osg::Matrix cameraToWorld(const osg::UberCameraPtr& camera) {
    osg::Matrix viewing;
    camera->getViewing(viewing, 100, 100);
    osg::Matrix result;
    EXPECT_TRUE(viewing.inverse(result));
    return result;
}

} // namespace ubercam::test

#endif
