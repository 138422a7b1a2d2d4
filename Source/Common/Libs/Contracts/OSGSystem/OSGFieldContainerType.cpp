#include "OSGFieldContainerType.h"

#include "OSGFieldContainer.h"
#include "OSGFieldContainerFactory.h"
#include "OSGFieldDescription.h"
#include "OSGInit.h"

namespace osg {

FieldContainerType::FieldContainerType(const char* name, const char* parentName,
                                       const char* groupName, PrototypeCreateF prototypeCreateF,
                                       InitContainerF initMethod, FieldDescription** descs,
                                       UInt32 descByteCount, bool descsAddable)
    : DataType(name, parentName), _groupName(groupName ? groupName : name),
      _prototypeCreateF(prototypeCreateF), _initMethod(initMethod), _descsAddable(descsAddable) {
    UInt32 count = descs ? descByteCount / sizeof(FieldDescription*) : 0;
    for (UInt32 i = 0; i < count; ++i) {
        if (descs[i] != nullptr)
            _ownDescs.push_back(descs[i]);
    }
    FieldContainerFactory* factory = FieldContainerFactory::the();
    _groupId = factory->registerGroup(_groupName.c_str());
    factory->registerType(this);
}

FieldContainerType::~FieldContainerType() {
    FieldContainerFactory::the()->unregisterType(this);
    terminate();
    for (FieldDescription* desc : _ownDescs)
        delete desc;
}

const FieldContainerType* FieldContainerType::getParent() const {
    return dynamic_cast<const FieldContainerType*>(DataType::getParent());
}

bool FieldContainerType::setPrototype(const FieldContainerPtr& prototype) {
    if (isAbstract())
        return false;
    setRefdCP(_prototype, prototype);
    return true;
}

FieldContainerPtr FieldContainerType::createFieldContainer() const {
    if (_prototype.isNull())
        return NullFC;
    return _prototype->shallowCopy();
}

const FieldDescription* FieldContainerType::getFieldDescription(UInt32 fieldId) const {
    for (const FieldContainerType* type = this; type != nullptr; type = type->getParent()) {
        for (const FieldDescription* desc : type->_ownDescs) {
            if (desc->getFieldId() == fieldId)
                return desc;
        }
    }
    return nullptr;
}

const FieldDescription* FieldContainerType::findFieldDescription(const char* name) const {
    if (name == nullptr)
        return nullptr;
    for (const FieldContainerType* type = this; type != nullptr; type = type->getParent()) {
        for (const FieldDescription* desc : type->_ownDescs) {
            if (desc->getName() == name)
                return desc;
        }
    }
    return nullptr;
}

UInt32 FieldContainerType::getNumFieldDescs() const {
    UInt32 count = 0;
    for (const FieldContainerType* type = this; type != nullptr; type = type->getParent())
        count += static_cast<UInt32>(type->_ownDescs.size());
    return count;
}

bool FieldContainerType::initialize() {
    if (_initialized)
        return true;
    if (!getParentName().empty() && getParent() == nullptr)
        return false;
    if (_initMethod != nullptr)
        _initMethod();
    if (_prototypeCreateF != nullptr) {
        // Prototypes are made in the start-up state, whenever the type arrives.
        SystemState state = GlobalSystemState;
        GlobalSystemState = Startup;
        setPrototype(_prototypeCreateF());
        GlobalSystemState = state;
    }
    _initialized = true;
    return true;
}

void FieldContainerType::terminate() {
    FieldContainerPtr prototype = _prototype;
    _prototype = NullFC;
    prototype.subRef();
    _initialized = false;
}

} // namespace osg
