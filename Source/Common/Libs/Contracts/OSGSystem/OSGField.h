#ifndef OSG_FIELD_H
#define OSG_FIELD_H

#include "OSGFieldContainerPtr.h"
#include "OSGFieldType.h"

#include <string>

namespace osg {

class BinaryDataHandler;

/// Type-erased view of one field of a container, for code that walks a
/// container's fields by description (printing, streaming, cloning).
class Field {
public:
    virtual ~Field() = default;

    virtual const FieldType& getType() const = 0;

    FieldType::Cardinality getCardinality() const { return getType().getCardinality(); }

    /// Number of values: 1 for a single field, the list length for a multi field.
    virtual UInt32 getSize() const = 0;

    /// Appends the value(s) in readable form.
    virtual void getValueByStr(std::string& out) const = 0;

    /// Copies the value(s) of a field of the same type; false (and no change)
    /// for a field of another type.
    virtual bool copyValuesFrom(const Field& source) = 0;

    /// Whether the values are container handles (which cloning follows).
    /// A handle field holds one reference per non-null value, unless it points
    /// back at an owner (a core's parents, a node's parent).
    virtual bool holdsContainerPtrs() const { return false; }
    /// The handle at `index` of a handle field (as a plain handle), else null.
    virtual FieldContainerPtr getContainerPtr(UInt32 /*index*/) const {
        return FieldContainerPtr();
    }
    /// Stores `value` at `index` without counting; a container of the wrong
    /// class is stored as null. False for other fields or a bad index.
    virtual bool setContainerPtr(UInt32 /*index*/, const FieldContainerPtr& /*value*/) {
        return false;
    }

    virtual UInt32 getBinSize() const = 0;
    virtual void copyToBin(BinaryDataHandler& handler) const = 0;
    virtual void copyFromBin(BinaryDataHandler& handler) = 0;

    /// The abstract type every field type names as its parent.
    static const DataType& getClassType();

protected:
    Field() = default;
    Field(const Field&) = default;
    Field& operator=(const Field&) = default;
};

} // namespace osg

#endif
