#ifndef OSG_FIELD_DESCRIPTION_H
#define OSG_FIELD_DESCRIPTION_H

#include "OSGBaseTypes.h"
#include "OSGFieldType.h"

#include <string>
#include <type_traits>

namespace osg {

class Field;
class FieldContainer;

/// Returns the field object of a container.
using FieldAccessMethod = Field* (*)(FieldContainer&);

/// One field of a container type: its type, name, id, mask, whether it is
/// internal (bookkeeping the application does not edit), and how to reach it.
class FieldDescription {
public:
    FieldDescription(const FieldType& fieldType, const char* name, UInt32 fieldId,
                     BitVector fieldMask, bool internal, FieldAccessMethod accessMethod,
                     const char* defaultValue = nullptr);

    const FieldType& getFieldType() const { return _fieldType; }
    const std::string& getName() const { return _name; }
    const char* getCName() const { return _name.c_str(); }
    UInt32 getFieldId() const { return _fieldId; }
    BitVector getFieldMask() const { return _fieldMask; }
    bool isInternal() const { return _internal; }
    /// The default-value text given at registration, or null.
    const char* getDefaultValue() const { return _defaultValue; }

    /// The field object of `container`, or null without an access method.
    Field* getField(FieldContainer& container) const;

private:
    const FieldType& _fieldType;
    std::string _name;
    UInt32 _fieldId;
    BitVector _fieldMask;
    bool _internal;
    FieldAccessMethod _accessMethod;
    const char* _defaultValue;
};

namespace detail {
template <class MethodT> struct MemberOwner;
template <class ClassT, class ResultT> struct MemberOwner<ResultT (ClassT::*)()> {
    using type = ClassT;
};
} // namespace detail

/// Adapts a member function returning a field pointer (`&Node::editSFCore`)
/// to a `FieldAccessMethod`.
template <auto Method> Field* accessField(FieldContainer& container) {
    using OwnerT = typename detail::MemberOwner<decltype(Method)>::type;
    return (static_cast<OwnerT&>(container).*Method)();
}

} // namespace osg

#endif
