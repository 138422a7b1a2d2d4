#ifndef OSG_FIELD_TYPE_H
#define OSG_FIELD_TYPE_H

#include "OSGDataType.h"

namespace osg {

class Field;

/// The type of a field: the data type it holds and whether it holds one value
/// ("SFReal32") or a list ("MFPnt3f").
class FieldType : public DataType {
public:
    enum Cardinality : UInt32 { SINGLE_FIELD = 0, MULTI_FIELD = 1 };

    using CreateFieldMethod = Field* (*)();

    FieldType(const char* name, const char* parentName, const DataType& contentType,
              Cardinality cardinality, CreateFieldMethod createMethod);

    const DataType& getContentType() const { return _contentType; }
    Cardinality getCardinality() const { return _cardinality; }

    /// A new, empty field of this type (the caller owns it), or null.
    Field* createField() const { return _createMethod ? _createMethod() : nullptr; }

private:
    const DataType& _contentType;
    Cardinality _cardinality;
    CreateFieldMethod _createMethod;
};

} // namespace osg

#endif
