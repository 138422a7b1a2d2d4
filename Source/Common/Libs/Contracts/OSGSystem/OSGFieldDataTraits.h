#ifndef OSG_FIELD_DATA_TRAITS_H
#define OSG_FIELD_DATA_TRAITS_H

#include "OSGBinaryDataHandler.h"
#include "OSGDataType.h"
#include "OSGFieldType.h"
#include "OSGMatrix.h"
#include "OSGQuaternion.h"
#include "OSGVector.h"

#include <string>

namespace osg {

/// What the field templates need to know about a value type: its data type,
/// the single and multi field types that hold it, its text form and its
/// stream encoding. Each value type that fields hold specialises this.
///
/// A specialisation provides:
///   static const DataType&  getType();
///   static const FieldType& getSFieldType();
///   static const FieldType& getMFieldType();
///   static void   putToString(const T&, std::string&);
///   static UInt32 getBinSize(const T&);
///   static void   copyToBin(BinaryDataHandler&, const T&);
///   static void   copyFromBin(BinaryDataHandler&, T&);
template <class T> struct FieldDataTraits;

#define OSG_DECLARE_VALUE_TRAITS(TYPE)                                                             \
    template <> struct FieldDataTraits<TYPE> {                                                     \
        static const DataType& getType();                                                          \
        static const FieldType& getSFieldType();                                                   \
        static const FieldType& getMFieldType();                                                   \
        static void putToString(const TYPE& value, std::string& out);                              \
        static UInt32 getBinSize(const TYPE& value);                                               \
        static void copyToBin(BinaryDataHandler& handler, const TYPE& value);                      \
        static void copyFromBin(BinaryDataHandler& handler, TYPE& value);                          \
    }

OSG_DECLARE_VALUE_TRAITS(bool);
OSG_DECLARE_VALUE_TRAITS(UInt8);
OSG_DECLARE_VALUE_TRAITS(Int32);
OSG_DECLARE_VALUE_TRAITS(UInt32);
OSG_DECLARE_VALUE_TRAITS(UInt64);
OSG_DECLARE_VALUE_TRAITS(Real32);
OSG_DECLARE_VALUE_TRAITS(std::string);
OSG_DECLARE_VALUE_TRAITS(Vec2f);
OSG_DECLARE_VALUE_TRAITS(Vec3f);
OSG_DECLARE_VALUE_TRAITS(Vec4f);
OSG_DECLARE_VALUE_TRAITS(Pnt2f);
OSG_DECLARE_VALUE_TRAITS(Pnt3f);
OSG_DECLARE_VALUE_TRAITS(Matrix);
OSG_DECLARE_VALUE_TRAITS(Quaternion);

} // namespace osg

#endif
