#include "OSGFieldType.h"

namespace osg {

FieldType::FieldType(const char* name, const char* parentName, const DataType& contentType,
                     Cardinality cardinality, CreateFieldMethod createMethod)
    : DataType(name, parentName), _contentType(contentType), _cardinality(cardinality),
      _createMethod(createMethod) {}

} // namespace osg
