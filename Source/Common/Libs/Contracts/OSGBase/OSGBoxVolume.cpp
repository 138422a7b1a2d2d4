#include "OSGBoxVolume.h"

#include <algorithm>
#include <cmath>

namespace osg {

namespace {

bool hasNaN(const Pnt3f& p) {
    return std::isnan(p[0]) || std::isnan(p[1]) || std::isnan(p[2]);
}

} // namespace

BoxVolume::BoxVolume(const Pnt3f& min, const Pnt3f& max) {
    setBounds(min, max);
}

BoxVolume::BoxVolume(Real32 xmin, Real32 ymin, Real32 zmin, Real32 xmax, Real32 ymax, Real32 zmax) {
    setBounds(xmin, ymin, zmin, xmax, ymax, zmax);
}

void BoxVolume::setBounds(const Pnt3f& min, const Pnt3f& max) {
    if (hasNaN(min) || hasNaN(max)) {
        setEmpty();
        return;
    }
    for (UInt32 i = 0; i < 3; ++i) {
        _min[i] = std::min(min[i], max[i]);
        _max[i] = std::max(min[i], max[i]);
    }
    _empty = false;
}

void BoxVolume::setBounds(Real32 xmin, Real32 ymin, Real32 zmin, Real32 xmax, Real32 ymax,
                          Real32 zmax) {
    setBounds(Pnt3f(xmin, ymin, zmin), Pnt3f(xmax, ymax, zmax));
}

void BoxVolume::getCenter(Pnt3f& center) const {
    // min + half the size rather than (min + max) / 2, which overflows for huge boxes.
    center = _min + (_max - _min) * 0.5f;
}

void BoxVolume::getBounds(Pnt3f& min, Pnt3f& max) const {
    min = _min;
    max = _max;
}

Real32 BoxVolume::getScalarVolume() const {
    const Vec3f size = getSize();
    return size[0] * size[1] * size[2];
}

void BoxVolume::extendBy(const Pnt3f& pt) {
    if (hasNaN(pt))
        return;
    if (_empty) {
        setBounds(pt, pt);
        return;
    }
    for (UInt32 i = 0; i < 3; ++i) {
        _min[i] = std::min(_min[i], pt[i]);
        _max[i] = std::max(_max[i], pt[i]);
    }
}

void BoxVolume::extendBy(const Volume& volume) {
    if (volume.isEmpty())
        return;
    Pnt3f min, max;
    volume.getBounds(min, max);
    extendBy(min);
    extendBy(max);
}

bool BoxVolume::intersect(const Pnt3f& pt) const {
    if (_empty)
        return false;
    for (UInt32 i = 0; i < 3; ++i) {
        if (!(pt[i] >= _min[i] && pt[i] <= _max[i]))
            return false;
    }
    return true;
}

void BoxVolume::transform(const Matrix& m) {
    if (_empty)
        return;
    const Pnt3f lo = _min;
    const Pnt3f hi = _max;
    setEmpty();
    for (UInt32 corner = 0; corner < 8; ++corner) {
        Pnt3f p((corner & 1) ? hi[0] : lo[0], (corner & 2) ? hi[1] : lo[1],
                (corner & 4) ? hi[2] : lo[2]);
        m.multMatrixPnt(p);
        extendBy(p);
    }
}

void BoxVolume::setEmpty() {
    _min = Pnt3f();
    _max = Pnt3f();
    _empty = true;
}

std::ostream& operator<<(std::ostream& os, const BoxVolume& box) {
    if (box.isEmpty())
        return os << "empty";
    return os << "min: " << box.getMin() << " max: " << box.getMax();
}

} // namespace osg
