#include "OSGFieldContainerFactory.h"

#include "OSGFieldContainer.h"
#include "OSGFieldContainerType.h"
#include "OSGInit.h"

#include <algorithm>

namespace osg {

FieldContainerFactory* FieldContainerFactory::the() {
    // Never destroyed: types of other libraries unregister during their own unload.
    static FieldContainerFactory* factory = new FieldContainerFactory;
    return factory;
}

UInt32 FieldContainerFactory::registerFieldContainer(const FieldContainerPtr& container) {
    if (container.isNull())
        return 0;
    _containers.push_back(container.getCPtr());
    ++_numLive;
    return static_cast<UInt32>(_containers.size() - 1);
}

bool FieldContainerFactory::unregisterFieldContainer(const FieldContainerPtr& container) {
    UInt32 id = container.getFieldContainerId();
    if (id == 0 || id >= _containers.size() || _containers[id] != container.getCPtr())
        return false;
    _containers[id] = nullptr;
    --_numLive;
    return true;
}

FieldContainerPtr FieldContainerFactory::getContainer(UInt32 id) const {
    if (id >= _containers.size())
        return NullFC;
    return FieldContainerPtr(_containers[id]);
}

FieldContainerPtr FieldContainerFactory::createFieldContainer(const char* typeName) const {
    const FieldContainerType* type = findType(typeName);
    return type ? type->createFieldContainer() : FieldContainerPtr(NullFC);
}

FieldContainerType* FieldContainerFactory::findType(const char* name) const {
    if (name == nullptr)
        return nullptr;
    for (FieldContainerType* type : _types) {
        if (type->getName() == name)
            return type;
    }
    return nullptr;
}

FieldContainerType* FieldContainerFactory::findType(UInt32 typeId) const {
    for (FieldContainerType* type : _types) {
        if (type->getId() == typeId)
            return type;
    }
    return nullptr;
}

UInt16 FieldContainerFactory::registerGroup(const char* name) {
    auto it = _groups.find(name);
    if (it != _groups.end())
        return it->second;
    auto id = static_cast<UInt16>(_groups.size() + 1);
    _groups.emplace(name, id);
    return id;
}

UInt16 FieldContainerFactory::findGroupId(const char* name) const {
    auto it = _groups.find(name ? name : "");
    return it == _groups.end() ? 0 : it->second;
}

void FieldContainerFactory::registerType(FieldContainerType* type) {
    _types.push_back(type);
    // A type that arrives while the scene graph runs gets its prototype now.
    if (GlobalSystemState == Running)
        type->initialize();
}

void FieldContainerFactory::unregisterType(FieldContainerType* type) {
    _types.erase(std::remove(_types.begin(), _types.end(), type), _types.end());
}

bool FieldContainerFactory::initializeTypes() {
    bool ok = true;
    for (FieldContainerType* type : _types)
        ok = type->initialize() && ok;
    return ok;
}

void FieldContainerFactory::terminateTypes() {
    for (auto it = _types.rbegin(); it != _types.rend(); ++it)
        (*it)->terminate();
}

} // namespace osg
