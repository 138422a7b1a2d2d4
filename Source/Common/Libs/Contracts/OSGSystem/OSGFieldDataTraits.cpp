#include "OSGFieldDataTraits.h"

#include "OSGField.h"
#include "OSGMField.h"
#include "OSGSField.h"

#include <sstream>

namespace osg {

namespace {

template <class T> void appendNumber(const T& value, std::string& out) {
    std::ostringstream stream;
    stream << value;
    out += stream.str();
}

template <class T> void appendComponents(const T* values, UInt32 count, std::string& out) {
    for (UInt32 i = 0; i < count; ++i) {
        if (i != 0)
            out += " ";
        appendNumber(values[i], out);
    }
}

void putFloats(BinaryDataHandler& handler, const Real32* values, UInt32 count) {
    for (UInt32 i = 0; i < count; ++i)
        handler.putValue(values[i]);
}

void getFloats(BinaryDataHandler& handler, Real32* values, UInt32 count) {
    for (UInt32 i = 0; i < count; ++i)
        handler.getValue(values[i]);
}

template <class T> void assignComponents(T& value, const Real32* values, UInt32 count) {
    std::copy(values, values + count, value.getValues());
}

void assignComponents(Quaternion& value, const Real32* values, UInt32) {
    value.setValue(values[0], values[1], values[2], values[3]);
}

} // namespace

// Data type and the two field types of one value type, made on first use.
#define OSG_DEFINE_VALUE_TYPES(TYPE, NAME)                                                         \
    const DataType& FieldDataTraits<TYPE>::getType() {                                             \
        static const DataType type(NAME, "");                                                      \
        return type;                                                                               \
    }                                                                                              \
    const FieldType& FieldDataTraits<TYPE>::getSFieldType() {                                      \
        static const FieldType type("SF" NAME, "Field", getType(), FieldType::SINGLE_FIELD,        \
                                    &SField<TYPE>::create);                                        \
        return type;                                                                               \
    }                                                                                              \
    const FieldType& FieldDataTraits<TYPE>::getMFieldType() {                                      \
        static const FieldType type("MF" NAME, "Field", getType(), FieldType::MULTI_FIELD,         \
                                    &MField<TYPE>::create);                                        \
        return type;                                                                               \
    }

// Scalars stream through the handler's own encoding.
#define OSG_DEFINE_SCALAR_TRAITS(TYPE, NAME)                                                       \
    OSG_DEFINE_VALUE_TYPES(TYPE, NAME)                                                             \
    void FieldDataTraits<TYPE>::putToString(const TYPE& value, std::string& out) {                 \
        appendNumber(+value, out); /* + prints 8-bit values as numbers */                          \
    }                                                                                              \
    UInt32 FieldDataTraits<TYPE>::getBinSize(const TYPE&) {                                        \
        return sizeof(TYPE);                                                                       \
    }                                                                                              \
    void FieldDataTraits<TYPE>::copyToBin(BinaryDataHandler& handler, const TYPE& value) {         \
        handler.putValue(value);                                                                   \
    }                                                                                              \
    void FieldDataTraits<TYPE>::copyFromBin(BinaryDataHandler& handler, TYPE& value) {             \
        handler.getValue(value);                                                                   \
    }

// Vectors, points, matrices and quaternions: their float components in storage order.
#define OSG_DEFINE_FLOATS_TRAITS(TYPE, NAME, COUNT)                                                \
    OSG_DEFINE_VALUE_TYPES(TYPE, NAME)                                                             \
    void FieldDataTraits<TYPE>::putToString(const TYPE& value, std::string& out) {                 \
        appendComponents(value.getValues(), COUNT, out);                                           \
    }                                                                                              \
    UInt32 FieldDataTraits<TYPE>::getBinSize(const TYPE&) {                                        \
        return COUNT * sizeof(Real32);                                                             \
    }                                                                                              \
    void FieldDataTraits<TYPE>::copyToBin(BinaryDataHandler& handler, const TYPE& value) {         \
        putFloats(handler, value.getValues(), COUNT);                                              \
    }                                                                                              \
    void FieldDataTraits<TYPE>::copyFromBin(BinaryDataHandler& handler, TYPE& value) {             \
        Real32 values[COUNT];                                                                      \
        getFloats(handler, values, COUNT);                                                         \
        assignComponents(value, values, COUNT);                                                    \
    }

OSG_DEFINE_SCALAR_TRAITS(UInt8, "UInt8")
OSG_DEFINE_SCALAR_TRAITS(Int32, "Int32")
OSG_DEFINE_SCALAR_TRAITS(UInt32, "UInt32")
OSG_DEFINE_SCALAR_TRAITS(UInt64, "UInt64")
OSG_DEFINE_SCALAR_TRAITS(Real32, "Real32")

OSG_DEFINE_FLOATS_TRAITS(Vec2f, "Vec2f", 2)
OSG_DEFINE_FLOATS_TRAITS(Vec3f, "Vec3f", 3)
OSG_DEFINE_FLOATS_TRAITS(Vec4f, "Vec4f", 4)
OSG_DEFINE_FLOATS_TRAITS(Pnt2f, "Pnt2f", 2)
OSG_DEFINE_FLOATS_TRAITS(Pnt3f, "Pnt3f", 3)
OSG_DEFINE_FLOATS_TRAITS(Matrix, "Matrix", 16)
OSG_DEFINE_FLOATS_TRAITS(Quaternion, "Quaternion", 4)

OSG_DEFINE_VALUE_TYPES(bool, "Bool")

void FieldDataTraits<bool>::putToString(const bool& value, std::string& out) {
    out += value ? "true" : "false";
}
UInt32 FieldDataTraits<bool>::getBinSize(const bool&) {
    return 1;
}
void FieldDataTraits<bool>::copyToBin(BinaryDataHandler& handler, const bool& value) {
    handler.putValue(value);
}
void FieldDataTraits<bool>::copyFromBin(BinaryDataHandler& handler, bool& value) {
    handler.getValue(value);
}

OSG_DEFINE_VALUE_TYPES(std::string, "String")

void FieldDataTraits<std::string>::putToString(const std::string& value, std::string& out) {
    out += "\"" + value + "\"";
}
UInt32 FieldDataTraits<std::string>::getBinSize(const std::string& value) {
    return static_cast<UInt32>(sizeof(UInt32) + value.size());
}
void FieldDataTraits<std::string>::copyToBin(BinaryDataHandler& handler, const std::string& value) {
    handler.putValue(value);
}
void FieldDataTraits<std::string>::copyFromBin(BinaryDataHandler& handler, std::string& value) {
    handler.getValue(value);
}

} // namespace osg
