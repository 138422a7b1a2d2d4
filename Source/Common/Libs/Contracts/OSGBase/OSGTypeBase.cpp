#include "OSGTypeBase.h"

#include "OSGTypeFactory.h"

namespace osg {

TypeBase::TypeBase(const char* name, const char* parentName)
    : _name(name ? name : ""), _parentName(parentName ? parentName : "") {
    _id = TypeFactory::the()->registerType(this);
}

TypeBase::~TypeBase() {
    TypeFactory::the()->unregisterType(this);
}

const TypeBase* TypeBase::getParent() const {
    if (_parent == nullptr && !_parentName.empty())
        _parent = TypeFactory::the()->findType(_parentName.c_str());
    return _parent;
}

bool TypeBase::isDerivedFrom(const TypeBase& other) const {
    for (const TypeBase* type = this; type != nullptr; type = type->getParent()) {
        if (type == &other)
            return true;
    }
    return false;
}

} // namespace osg
