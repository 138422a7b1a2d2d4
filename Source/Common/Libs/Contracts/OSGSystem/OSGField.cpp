#include "OSGField.h"

namespace osg {

const DataType& Field::getClassType() {
    static const DataType type("Field", "");
    return type;
}

} // namespace osg
