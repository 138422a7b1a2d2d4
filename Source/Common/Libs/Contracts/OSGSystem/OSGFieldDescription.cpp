#include "OSGFieldDescription.h"

namespace osg {

FieldDescription::FieldDescription(const FieldType& fieldType, const char* name, UInt32 fieldId,
                                   BitVector fieldMask, bool internal,
                                   FieldAccessMethod accessMethod, const char* defaultValue)
    : _fieldType(fieldType), _name(name ? name : ""), _fieldId(fieldId), _fieldMask(fieldMask),
      _internal(internal), _accessMethod(accessMethod), _defaultValue(defaultValue) {}

Field* FieldDescription::getField(FieldContainer& container) const {
    return _accessMethod ? _accessMethod(container) : nullptr;
}

} // namespace osg
