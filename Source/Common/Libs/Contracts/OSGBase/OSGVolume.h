#ifndef OSG_VOLUME_H
#define OSG_VOLUME_H

// Interface of bounding volumes. All coordinates are in the space the volume was built in;
// transform() moves the volume into another space.

#include "OSGBaseTypes.h"
#include "OSGMatrix.h"
#include "OSGVector.h"

namespace osg {

class Volume {
public:
    virtual ~Volume() = default;

    /// Centre of the volume; (0, 0, 0) when empty.
    virtual void getCenter(Pnt3f& center) const = 0;
    /// Axis-aligned bounds; both (0, 0, 0) when empty.
    virtual void getBounds(Pnt3f& min, Pnt3f& max) const = 0;
    /// Enclosed volume in cubed units; 0 when empty.
    virtual Real32 getScalarVolume() const = 0;

    /// Grow to include pt. Points with NaN components are ignored.
    virtual void extendBy(const Pnt3f& pt) = 0;
    /// Grow to include volume (an empty volume adds nothing).
    virtual void extendBy(const Volume& volume) = 0;

    /// True when pt lies inside or on the boundary.
    virtual bool intersect(const Pnt3f& pt) const = 0;

    /// Replace by a volume enclosing the image of this one under m.
    virtual void transform(const Matrix& m) = 0;

    virtual bool isEmpty() const = 0;
    virtual void setEmpty() = 0;

protected:
    Volume() = default;
    Volume(const Volume&) = default;
    Volume& operator=(const Volume&) = default;
};

} // namespace osg

#endif
