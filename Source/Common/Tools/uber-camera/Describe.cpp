#include "Describe.h"

#include "OSGField.h"
#include "OSGFieldContainerFactory.h"
#include "OSGFieldContainerType.h"
#include "OSGFieldDescription.h"
#include "OSGFieldType.h"
#include "OSGTypeFactory.h"
#include "OSGUberCamera.h"

#include <iomanip>
#include <sstream>
#include <string>

using namespace osg;

namespace {

constexpr const char* CameraTypeName = "UberCamera";
constexpr const char* CameraPtrTypeName = "UberCameraPtr";
constexpr const char* FieldTypeNames[] = {"SFUberCameraPtr", "MFUberCameraPtr"};

std::string hex(BitVector mask) {
    std::ostringstream stream;
    stream << "0x" << std::hex << mask;
    return stream.str();
}

const char* cardinalityName(FieldType::Cardinality cardinality) {
    return cardinality == FieldType::MULTI_FIELD ? "multi" : "single";
}

std::string parentName(const TypeBase& type) {
    return type.getParentName().empty() ? "none" : "\"" + type.getParentName() + "\"";
}

void describeFieldType(std::ostream& out, const char* name) {
    const auto* type = dynamic_cast<const FieldType*>(TypeFactory::the()->findType(name));
    if (type == nullptr) {
        out << "field type \"" << name << "\": not registered\n";
        return;
    }
    out << "field type \"" << type->getName() << "\" (parent " << parentName(*type)
        << "): " << cardinalityName(type->getCardinality()) << " value of \""
        << type->getContentType().getName() << "\"\n";
}

} // namespace

bool describeCameraType(std::ostream& out) {
    const FieldContainerType* type = FieldContainerFactory::the()->findType(CameraTypeName);
    if (type == nullptr) {
        out << "container type \"" << CameraTypeName << "\": not registered\n";
        return false;
    }
    out << "container type \"" << type->getName() << "\" (parent " << parentName(*type)
        << ", type id " << type->getId() << ", " << type->getNumFieldDescs() << " fields)\n";

    const TypeBase* dataType = TypeFactory::the()->findType(CameraPtrTypeName);
    out << "data type \"" << CameraPtrTypeName << "\" (parent "
        << (dataType ? parentName(*dataType) : std::string("not registered")) << ")\n";
    for (const char* name : FieldTypeNames)
        describeFieldType(out, name);

    FieldContainerPtr camera = FieldContainerFactory::the()->createFieldContainer(CameraTypeName);
    addRefCP(camera);

    out << "\n"
        << std::left << std::setw(4) << "id" << std::setw(29) << "name" << std::setw(20) << "mask"
        << std::setw(8) << "kind" << std::setw(10) << "internal"
        << "default\n";
    for (const FieldDescription* desc : type->getOwnFieldDescriptions()) {
        std::string value = "(no camera)";
        if (!camera.isNull()) {
            value.clear();
            if (const Field* field = camera->getField(desc->getFieldId()))
                field->getValueByStr(value);
        }
        out << std::left << std::setw(4) << desc->getFieldId() << std::setw(29) << desc->getName()
            << std::setw(20) << hex(desc->getFieldMask()) << std::setw(8)
            << cardinalityName(desc->getFieldType().getCardinality()) << std::setw(10)
            << (desc->isInternal() ? "yes" : "no") << value << "\n";
    }
    subRefCP(camera);

    out << "\ncombined viewing attributes mask: "
        << hex(UberCamera::getCombinedViewingAttributesMask())
        << "\ncombined camera attributes mask:  "
        << hex(UberCamera::getCombinedCameraAttributesMask()) << "\n";
    return true;
}
