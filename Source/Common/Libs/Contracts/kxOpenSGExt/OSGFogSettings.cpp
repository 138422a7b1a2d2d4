#include "OSGFogSettings.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(FogSettingsPtr, "FogSettingsPtr", "FieldContainerPtr")

namespace {
FieldDescription* fogSettingsDescs[] = {
    OSG_SFIELD_DESC(FogSettings, bool, "enabled", Enabled, false),
    OSG_SFIELD_DESC(FogSettings, Vec3f, "color", Color, false),
    OSG_SFIELD_DESC(FogSettings, Real32, "density", Density, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(FogSettings, "FogSettings", "FieldContainer", nullptr,
                       &FogSettings::createEmpty, fogSettingsDescs)
OSG_CONTAINER_DEF(FogSettings, FogSettings)

} // namespace osg
