#ifndef OSG_BOX_VOLUME_H
#define OSG_BOX_VOLUME_H

// Axis-aligned bounding box. An empty box contains nothing (not even the origin) and keeps
// min = max = (0, 0, 0) so its getters still return defined values.

#include "OSGVolume.h"

#include <ostream>

namespace osg {

class BoxVolume : public Volume {
public:
    /// An empty box.
    BoxVolume() = default;
    /// The box spanning min and max; see setBounds().
    BoxVolume(const Pnt3f& min, const Pnt3f& max);
    BoxVolume(Real32 xmin, Real32 ymin, Real32 zmin, Real32 xmax, Real32 ymax, Real32 zmax);

    /// Sets the box spanning the two corners; each axis is ordered, so swapped corners are
    /// accepted. A corner with a NaN component makes the box empty.
    void setBounds(const Pnt3f& min, const Pnt3f& max);
    void setBounds(Real32 xmin, Real32 ymin, Real32 zmin, Real32 xmax, Real32 ymax, Real32 zmax);

    const Pnt3f& getMin() const { return _min; }
    const Pnt3f& getMax() const { return _max; }
    /// max - min; zero when empty.
    Vec3f getSize() const { return _max - _min; }

    void getCenter(Pnt3f& center) const override;
    void getBounds(Pnt3f& min, Pnt3f& max) const override;
    Real32 getScalarVolume() const override;

    /// An empty box becomes the single point pt.
    void extendBy(const Pnt3f& pt) override;
    void extendBy(const Volume& volume) override;

    bool intersect(const Pnt3f& pt) const override;

    /// Bounds of the eight corners mapped with m.multMatrixPnt (affine part only). An empty
    /// box stays empty; corners that become NaN are dropped.
    void transform(const Matrix& m) override;

    bool isEmpty() const override { return _empty; }
    void setEmpty() override;

    friend bool operator==(const BoxVolume& a, const BoxVolume& b) {
        return a._empty == b._empty && a._min == b._min && a._max == b._max;
    }
    friend bool operator!=(const BoxVolume& a, const BoxVolume& b) { return !(a == b); }

private:
    Pnt3f _min;
    Pnt3f _max;
    bool _empty = true;
};

/// Prints "empty" or "min: x, y, z max: x, y, z".
std::ostream& operator<<(std::ostream& os, const BoxVolume& box);

} // namespace osg

#endif
