#ifndef UBERCAM_TESTS_CAMERA_FIELD_VALUES_H
#define UBERCAM_TESTS_CAMERA_FIELD_VALUES_H

// Random camera field values and byte snapshots of fields, for tests that
// compare what a copy, a stream or a sync moved. Defined in StreamTest.cpp.

#include "OSGUberCamera.h"

#include <map>
#include <random>
#include <vector>

namespace ubercam::test {

/// Stream bytes of each selected field, by field id.
using FieldBytes = std::map<osg::UInt32, std::vector<osg::UInt8>>;

/// The camera's value fields (no container pointers) that `randomizeValueFields` sets.
osg::BitVector randomizedFieldsMask();
/// Gives every field of `randomizedFieldsMask` a random value.
void randomizeValueFields(const osg::UberCameraPtr& camera, std::mt19937& rng);
/// A random subset of `candidates`.
inline osg::BitVector randomMask(std::mt19937& rng,
                                 osg::BitVector candidates = ~osg::BitVector(0)) {
    return candidates & ((osg::BitVector(rng()) << 32) | rng());
}
/// The bytes each field of `mask` writes to a stream.
FieldBytes fieldBytes(const osg::FieldContainerPtr& container, osg::BitVector mask);

} // namespace ubercam::test

#endif
