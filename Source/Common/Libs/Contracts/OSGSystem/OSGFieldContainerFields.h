#ifndef OSG_FIELD_CONTAINER_FIELDS_H
#define OSG_FIELD_CONTAINER_FIELDS_H

#include "OSGFieldContainerPtr.h"
#include "OSGFieldDataTraits.h"
#include "OSGMField.h"
#include "OSGSField.h"

namespace osg {

/// Text and stream form shared by every container handle: the container id
/// (0 for null). Reading maps the id through the factory's id mapper, if one
/// is installed, and looks the container up.
struct FieldContainerPtrTraitsBase {
    static void putToString(const FieldContainerPtr& value, std::string& out);
    static UInt32 getBinSize(const FieldContainerPtr&) { return sizeof(UInt32); }
    static void copyToBin(BinaryDataHandler& handler, const FieldContainerPtr& value);
    static FieldContainerPtr readContainer(BinaryDataHandler& handler);
};

/// Declares the field traits of a handle type; a handle read from a stream
/// that names a container of another class becomes null.
#define OSG_DECLARE_PTR_TRAITS(PTR)                                                                \
    template <> struct FieldDataTraits<PTR> : FieldContainerPtrTraitsBase {                        \
        static const DataType& getType();                                                          \
        static const FieldType& getSFieldType();                                                   \
        static const FieldType& getMFieldType();                                                   \
        static void copyFromBin(BinaryDataHandler& handler, PTR& value);                           \
        /** The container as PTR; null when it is of another class. */                             \
        static PTR castFrom(const FieldContainerPtr& value);                                       \
    }

/// Defines the data type "NAME" (parent "PARENT") and the field types
/// "SFNAME" and "MFNAME" of a handle type, each made on first use.
#define OSG_DEFINE_PTR_TRAITS(PTR, NAME, PARENT)                                                   \
    const DataType& FieldDataTraits<PTR>::getType() {                                              \
        static const DataType type(NAME, PARENT);                                                  \
        return type;                                                                               \
    }                                                                                              \
    const FieldType& FieldDataTraits<PTR>::getSFieldType() {                                       \
        static const FieldType type("SF" NAME, "Field", getType(), FieldType::SINGLE_FIELD,        \
                                    &SField<PTR>::create);                                         \
        return type;                                                                               \
    }                                                                                              \
    const FieldType& FieldDataTraits<PTR>::getMFieldType() {                                       \
        static const FieldType type("MF" NAME, "Field", getType(), FieldType::MULTI_FIELD,         \
                                    &MField<PTR>::create);                                         \
        return type;                                                                               \
    }                                                                                              \
    void FieldDataTraits<PTR>::copyFromBin(BinaryDataHandler& handler, PTR& value) {               \
        value = PTR::dcast(readContainer(handler));                                                \
    }                                                                                              \
    PTR FieldDataTraits<PTR>::castFrom(const FieldContainerPtr& value) {                           \
        return PTR::dcast(value);                                                                  \
    }

template <> struct FieldDataTraits<FieldContainerPtr> : FieldContainerPtrTraitsBase {
    static const DataType& getType();
    static const FieldType& getSFieldType();
    static const FieldType& getMFieldType();
    static void copyFromBin(BinaryDataHandler& handler, FieldContainerPtr& value);
    static FieldContainerPtr castFrom(const FieldContainerPtr& value) { return value; }
};

using SFFieldContainerPtr = SField<FieldContainerPtr>;
using MFFieldContainerPtr = MField<FieldContainerPtr>;

} // namespace osg

#endif
