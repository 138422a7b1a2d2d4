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
    OSG_FIELD_ID(SensorResponse, Inherited::NextFieldId + 1)
    OSG_FIELD_ID(Sensitivity, Inherited::NextFieldId + 2)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 3;

    /// Exposure correction in stops.
    OSG_SFIELD_ACCESS(Real32, Exposure)
    /// Which sensor response the colour management applies (0: the response curve).
    OSG_SFIELD_ACCESS(UInt32, SensorResponse)
    /// Film speed of the sensor, ISO.
    OSG_SFIELD_ACCESS(Real32, Sensitivity)

    /// The fields tied to the camera's sensor rather than to the look: a copy
    /// of another camera's settings keeps its own values of these.
    static BitVector getCombinedCollisionAttributesMask() { return SensorResponseFieldMask; }

    /// Takes over the fields of `source` that `mask` selects.
    void syncWith(const TonemappingSettingsPtr& source, BitVector mask);

protected:
    friend class FieldContainer;
    TonemappingSettings() = default;
    TonemappingSettings(const TonemappingSettings& source) = default;

private:
    static FieldContainerType _type;

    SFReal32 _sfExposure;
    SFUInt32 _sfSensorResponse;
    SFReal32 _sfSensitivity{100.0f};
};

} // namespace osg

#endif
