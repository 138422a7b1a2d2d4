#ifndef OSG_BASE_TYPES_H
#define OSG_BASE_TYPES_H

// Fixed-width names used throughout the scene graph and its modules.

#include <cstddef>
#include <cstdint>

namespace osg {

using Int8 = std::int8_t;
using UInt8 = std::uint8_t;
using Int16 = std::int16_t;
using UInt16 = std::uint16_t;
using Int32 = std::int32_t;
using UInt32 = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using Real32 = float;
using Real64 = double;
using Char8 = char;

/// One bit per field of a container; bit number = field id.
using BitVector = UInt64;

inline constexpr BitVector FieldBits_AllFields = ~BitVector(0);

inline constexpr Real32 Pi = 3.1415927f;

} // namespace osg

#endif
