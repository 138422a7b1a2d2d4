#ifndef OSG_TONEMAPPING_SETTINGS_H
#define OSG_TONEMAPPING_SETTINGS_H

#include "OSGFieldContainerFields.h"
#include "OSGFieldContainerMacros.h"
#include "OSGFieldContainer.h"

namespace osg {

class TonemappingSettings;
using TonemappingSettingsPtr = FCPtr<FieldContainerPtr, TonemappingSettings>;

OSG_DECLARE_PTR_TRAITS(TonemappingSettingsPtr);

/// Tonemapping and display colour of a camera's image.
class TonemappingSettings : public FieldContainer {
    OSG_CONTAINER_DECL(TonemappingSettingsPtr, TonemappingSettings)

public:
    using Inherited = FieldContainer;
    OSG_FIELD_ID(Exposure, Inherited::NextFieldId)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 1;

    /// Exposure correction in stops.
    OSG_SFIELD_ACCESS(Real32, Exposure)

protected:
    friend class FieldContainer;
    TonemappingSettings() = default;
    TonemappingSettings(const TonemappingSettings& source) = default;

private:
    static FieldContainerType _type;

    SFReal32 _sfExposure;
};

} // namespace osg

#endif
