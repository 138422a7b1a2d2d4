#include "OSGFieldContainerFields.h"

#include "OSGFieldContainer.h"
#include "OSGFieldContainerFactory.h"

namespace osg {

void FieldContainerPtrTraitsBase::putToString(const FieldContainerPtr& value, std::string& out) {
    if (value.isNull()) {
        out += "null";
        return;
    }
    out += value->getTypeName();
    out += " #";
    out += std::to_string(value.getFieldContainerId());
}

void FieldContainerPtrTraitsBase::copyToBin(BinaryDataHandler& handler,
                                            const FieldContainerPtr& value) {
    handler.putValue(value.getFieldContainerId());
}

FieldContainerPtr FieldContainerPtrTraitsBase::readContainer(BinaryDataHandler& handler) {
    UInt32 id = 0;
    handler.getValue(id);
    if (id == 0)
        return NullFC;
    FieldContainerFactory* factory = FieldContainerFactory::the();
    if (FieldContainerMapper* mapper = factory->getMapper())
        id = mapper->map(id);
    return factory->getContainer(id);
}

const DataType& FieldDataTraits<FieldContainerPtr>::getType() {
    static const DataType type("FieldContainerPtr", "");
    return type;
}
const FieldType& FieldDataTraits<FieldContainerPtr>::getSFieldType() {
    static const FieldType type("SFFieldContainerPtr", "Field", getType(), FieldType::SINGLE_FIELD,
                                &SField<FieldContainerPtr>::create);
    return type;
}
const FieldType& FieldDataTraits<FieldContainerPtr>::getMFieldType() {
    static const FieldType type("MFFieldContainerPtr", "Field", getType(), FieldType::MULTI_FIELD,
                                &MField<FieldContainerPtr>::create);
    return type;
}
void FieldDataTraits<FieldContainerPtr>::copyFromBin(BinaryDataHandler& handler,
                                                     FieldContainerPtr& value) {
    value = readContainer(handler);
}

} // namespace osg
