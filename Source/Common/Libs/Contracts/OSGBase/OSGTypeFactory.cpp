#include "OSGTypeFactory.h"

namespace osg {

TypeFactory* TypeFactory::the() {
    // Never destroyed: types of other libraries unregister during their own unload.
    static TypeFactory* factory = new TypeFactory;
    return factory;
}

UInt32 TypeFactory::registerType(TypeBase* type) {
    if (type == nullptr || type->getName().empty() || _byName.count(type->getName()) != 0)
        return 0;
    _byId.push_back(type);
    _byName.emplace(type->getName(), type);
    return static_cast<UInt32>(_byId.size() - 1);
}

void TypeFactory::unregisterType(TypeBase* type) {
    if (type == nullptr || type->getId() == 0 || type->getId() >= _byId.size())
        return;
    if (_byId[type->getId()] != type)
        return;
    _byId[type->getId()] = nullptr;
    _byName.erase(type->getName());
}

TypeBase* TypeFactory::findType(const char* name) const {
    if (name == nullptr)
        return nullptr;
    auto it = _byName.find(name);
    return it == _byName.end() ? nullptr : it->second;
}

TypeBase* TypeFactory::findType(UInt32 id) const {
    return id < _byId.size() ? _byId[id] : nullptr;
}

UInt32 TypeFactory::getNumTypes() const {
    return static_cast<UInt32>(_byName.size());
}

} // namespace osg
