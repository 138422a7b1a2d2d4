#ifndef OSG_SENSOR_RESPONSE_CURVE_H
#define OSG_SENSOR_RESPONSE_CURVE_H

#include "OSGFieldContainer.h"
#include "OSGFieldContainerFields.h"
#include "OSGFieldContainerMacros.h"

#include <string>
#include <vector>

namespace osg {

class SensorResponseCurve;
using SensorResponseCurvePtr = FCPtr<FieldContainerPtr, SensorResponseCurve>;

OSG_DECLARE_PTR_TRAITS(SensorResponseCurvePtr);

/// A camera's measured response: for relative exposure i / 1023 (i = 0 to
/// 1023) the recorded RGB value, as 1024 RGB float triples. Loaded from a
/// ".crv" file (docs/response-curves.md has the format).
class SensorResponseCurve : public FieldContainer {
    OSG_CONTAINER_DECL(SensorResponseCurvePtr, SensorResponseCurve)

public:
    using Inherited = FieldContainer;
    OSG_FIELD_ID(CurveData, Inherited::NextFieldId)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 1;

    static constexpr UInt32 CurveEntries = 1024;
    /// Bytes of a whole curve: 1024 RGB float triples.
    static constexpr UInt32 CurveBytes = CurveEntries * 3 * sizeof(Real32);

    /// The curve as RGB float triples (empty until set or loaded).
    const std::vector<Real32>& getCurveData() const { return _mfCurveData.getValues(); }
    /// Bytes of curve data held.
    UInt32 getCurveDataSize() const { return _mfCurveData.size() * sizeof(Real32); }
    void setCurveData(const std::vector<Real32>& data);
    /// The field itself; edit it inside beginEditCP/endEditCP (CurveDataFieldMask)
    /// so that `changed` renews the checksum.
    MField<Real32>* editMFCurveData() { return &_mfCurveData; }
    /// A checksum of the curve data, renewed on every change of it.
    UInt64 getCheckSum() const { return _checkSum; }
    /// Replaces the curve with the file known by the bare name `name` (found by
    /// the host's data-file lookup); false (curve unchanged) when it cannot be
    /// found or read.
    bool loadSensorResponseCurve(const std::string& name);

    void changed(BitVector whichField, UInt32 origin) override;

protected:
    friend class FieldContainer;
    SensorResponseCurve() = default;
    SensorResponseCurve(const SensorResponseCurve& source) = default;

private:
    static FieldContainerType _type;

    void renewCheckSum();

    MField<Real32> _mfCurveData;
    UInt64 _checkSum = 0;
};

} // namespace osg

#endif
