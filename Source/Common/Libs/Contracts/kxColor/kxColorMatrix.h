#ifndef KX_COLOR_MATRIX_H
#define KX_COLOR_MATRIX_H

#include "OSGVector.h"

/// A 3x3 colour matrix, stored and given row by row; acts on column vectors.
class kxColorMatrix {
public:
    /// The identity.
    kxColorMatrix();
    kxColorMatrix(float m00, float m01, float m02, float m10, float m11, float m12, float m20,
                  float m21, float m22);

    /// Row `index` (0 to 2).
    const osg::Vec3f& getRow(unsigned index) const { return _rows[index]; }
    float operator()(unsigned row, unsigned column) const { return _rows[row][column]; }
    osg::Vec3f operator*(const osg::Vec3f& rgb) const;
    bool operator==(const kxColorMatrix& other) const;

private:
    osg::Vec3f _rows[3];
};

#endif
