#ifndef OSG_FOG_SETTINGS_H
#define OSG_FOG_SETTINGS_H

#include "OSGFieldContainerFields.h"
#include "OSGFieldContainerMacros.h"
#include "OSGFieldContainer.h"

namespace osg {

class FogSettings;
using FogSettingsPtr = FCPtr<FieldContainerPtr, FogSettings>;

OSG_DECLARE_PTR_TRAITS(FogSettingsPtr);

/// Fog seen through a camera.
class FogSettings : public FieldContainer {
    OSG_CONTAINER_DECL(FogSettingsPtr, FogSettings)

public:
    using Inherited = FieldContainer;
    OSG_FIELD_ID(Enabled, Inherited::NextFieldId)
    OSG_FIELD_ID(Color, Inherited::NextFieldId + 1)
    OSG_FIELD_ID(Density, Inherited::NextFieldId + 2)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 3;

    OSG_SFIELD_ACCESS(bool, Enabled)
    /// Linear RGB.
    OSG_SFIELD_ACCESS(Vec3f, Color)
    /// Extinction per scene unit.
    OSG_SFIELD_ACCESS(Real32, Density)

protected:
    friend class FieldContainer;
    FogSettings() = default;
    FogSettings(const FogSettings& source) = default;

private:
    static FieldContainerType _type;

    SFBool _sfEnabled;
    SFVec3f _sfColor{Vec3f(1, 1, 1)};
    SFReal32 _sfDensity{0.001f};
};

} // namespace osg

#endif
