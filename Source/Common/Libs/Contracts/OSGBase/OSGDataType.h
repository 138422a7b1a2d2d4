#ifndef OSG_DATA_TYPE_H
#define OSG_DATA_TYPE_H

#include "OSGTypeBase.h"

namespace osg {

/// The type of a value a field can hold ("Real32", "NodePtr", ...).
class DataType : public TypeBase {
public:
    using TypeBase::TypeBase;
};

} // namespace osg

#endif
