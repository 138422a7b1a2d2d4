#include "OSGTonemappingSettings.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(TonemappingSettingsPtr, "TonemappingSettingsPtr", "FieldContainerPtr")

namespace {
FieldDescription* tonemappingSettingsDescs[] = {
    OSG_SFIELD_DESC(TonemappingSettings, Real32, "exposure", Exposure, false),
    OSG_SFIELD_DESC(TonemappingSettings, UInt32, "sensorResponse", SensorResponse, false),
    OSG_SFIELD_DESC(TonemappingSettings, Real32, "sensitivity", Sensitivity, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(TonemappingSettings, "TonemappingSettings", "FieldContainer", nullptr,
                       &TonemappingSettings::createEmpty, tonemappingSettingsDescs)
OSG_CONTAINER_DEF(TonemappingSettings, TonemappingSettings)

void TonemappingSettings::syncWith(const TonemappingSettingsPtr& source, BitVector mask) {
    if (source.isNull())
        return;
    copyDescribedFields(*source, mask, getClassType());
}

} // namespace osg
