#include "kxColorMatrix.h"

kxColorMatrix::kxColorMatrix() : kxColorMatrix(1, 0, 0, 0, 1, 0, 0, 0, 1) {}

kxColorMatrix::kxColorMatrix(float m00, float m01, float m02, float m10, float m11, float m12,
                             float m20, float m21, float m22)
    : _rows{osg::Vec3f(m00, m01, m02), osg::Vec3f(m10, m11, m12), osg::Vec3f(m20, m21, m22)} {}

osg::Vec3f kxColorMatrix::operator*(const osg::Vec3f& rgb) const {
    return osg::Vec3f(_rows[0].dot(rgb), _rows[1].dot(rgb), _rows[2].dot(rgb));
}

bool kxColorMatrix::operator==(const kxColorMatrix& other) const {
    return _rows[0] == other._rows[0] && _rows[1] == other._rows[1] && _rows[2] == other._rows[2];
}
