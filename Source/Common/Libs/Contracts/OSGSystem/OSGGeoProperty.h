#ifndef OSG_GEO_PROPERTY_H
#define OSG_GEO_PROPERTY_H

#include "OSGFieldContainer.h"
#include "OSGFieldContainerFields.h"
#include "OSGFieldContainerMacros.h"

namespace osg {

/// One attribute array of a geometry (primitive types, lengths, indices,
/// positions): a container holding a list of values. DescT names the value
/// type and the registered type.
template <class DescT> class GeoProperty : public FieldContainer {
public:
    using ValueType = typename DescT::ValueType;
    using Inherited = FieldContainer;
    using Ptr = FCPtr<FieldContainerPtr, GeoProperty>;

    OSG_FIELD_ID(Values, Inherited::NextFieldId)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 1;

    static FieldContainerType& getClassType() { return _type; }
    static UInt32 getClassTypeId() { return _type.getId(); }
    FieldContainerType& getType() override { return _type; }
    const FieldContainerType& getType() const override { return _type; }
    UInt32 getContainerSize() const override { return sizeof(GeoProperty); }

    static Ptr create() { return Ptr::dcast(_type.createFieldContainer()); }
    static FieldContainerPtr createEmpty() {
        return FieldContainerPtr(newContainer<GeoProperty>(nullptr));
    }
    FieldContainerPtr shallowCopy() const override {
        return FieldContainerPtr(newContainer<GeoProperty>(this));
    }

    OSG_MFIELD_ACCESS(ValueType, Values)

    UInt32 size() const { return _mfValues.size(); }
    void push_back(const ValueType& value) { _mfValues.push_back(value); }
    const ValueType& getValue(UInt32 index) const { return _mfValues[index]; }

protected:
    friend class FieldContainer;
    GeoProperty() = default;
    GeoProperty(const GeoProperty& source) = default;

private:
    static FieldContainerType _type;

    MField<ValueType> _mfValues;
};

struct GeoPTypesUI8Desc {
    using ValueType = UInt8;
};
struct GeoPLengthsUI32Desc {
    using ValueType = UInt32;
};
struct GeoIndicesUI32Desc {
    using ValueType = UInt32;
};
struct GeoPositions3fDesc {
    using ValueType = Pnt3f;
};

/// Primitive types (GL enumerants such as GL_LINES).
using GeoPTypesUI8 = GeoProperty<GeoPTypesUI8Desc>;
/// Vertex count of each primitive.
using GeoPLengthsUI32 = GeoProperty<GeoPLengthsUI32Desc>;
using GeoIndicesUI32 = GeoProperty<GeoIndicesUI32Desc>;
using GeoPositions3f = GeoProperty<GeoPositions3fDesc>;

using GeoPTypesUI8Ptr = GeoPTypesUI8::Ptr;
using GeoPLengthsUI32Ptr = GeoPLengthsUI32::Ptr;
using GeoIndicesUI32Ptr = GeoIndicesUI32::Ptr;
using GeoPositions3fPtr = GeoPositions3f::Ptr;

// The registered types, defined in OSGGeoProperty.cpp.
template <> FieldContainerType GeoPTypesUI8::_type;
template <> FieldContainerType GeoPLengthsUI32::_type;
template <> FieldContainerType GeoIndicesUI32::_type;
template <> FieldContainerType GeoPositions3f::_type;

extern template class GeoProperty<GeoPTypesUI8Desc>;
extern template class GeoProperty<GeoPLengthsUI32Desc>;
extern template class GeoProperty<GeoIndicesUI32Desc>;
extern template class GeoProperty<GeoPositions3fDesc>;

OSG_DECLARE_PTR_TRAITS(GeoPTypesUI8Ptr);
OSG_DECLARE_PTR_TRAITS(GeoPLengthsUI32Ptr);
OSG_DECLARE_PTR_TRAITS(GeoIndicesUI32Ptr);
OSG_DECLARE_PTR_TRAITS(GeoPositions3fPtr);

/// GL_LINES, the primitive type of line sets.
inline constexpr UInt8 GeoLinesType = 1;

} // namespace osg

#endif
