#include "OSGGeoProperty.h"

namespace osg {

namespace {

template <class PropertyT> FieldContainerPtr createEmptyProperty() {
    return PropertyT::createEmpty();
}

FieldDescription* typesDescs[] = {
    OSG_MFIELD_DESC(GeoPTypesUI8, UInt8, "values", Values, false),
};
FieldDescription* lengthsDescs[] = {
    OSG_MFIELD_DESC(GeoPLengthsUI32, UInt32, "values", Values, false),
};
FieldDescription* indicesDescs[] = {
    OSG_MFIELD_DESC(GeoIndicesUI32, UInt32, "values", Values, false),
};
FieldDescription* positionsDescs[] = {
    OSG_MFIELD_DESC(GeoPositions3f, Pnt3f, "values", Values, false),
};

} // namespace

template <>
FieldContainerType GeoPTypesUI8::_type("GeoPTypesUI8", "FieldContainer", nullptr,
                                       &createEmptyProperty<GeoPTypesUI8>, nullptr, typesDescs,
                                       sizeof(typesDescs));
template <>
FieldContainerType GeoPLengthsUI32::_type("GeoPLengthsUI32", "FieldContainer", nullptr,
                                          &createEmptyProperty<GeoPLengthsUI32>, nullptr,
                                          lengthsDescs, sizeof(lengthsDescs));
template <>
FieldContainerType GeoIndicesUI32::_type("GeoIndicesUI32", "FieldContainer", nullptr,
                                         &createEmptyProperty<GeoIndicesUI32>, nullptr,
                                         indicesDescs, sizeof(indicesDescs));
template <>
FieldContainerType GeoPositions3f::_type("GeoPositions3f", "FieldContainer", nullptr,
                                         &createEmptyProperty<GeoPositions3f>, nullptr,
                                         positionsDescs, sizeof(positionsDescs));

template class GeoProperty<GeoPTypesUI8Desc>;
template class GeoProperty<GeoPLengthsUI32Desc>;
template class GeoProperty<GeoIndicesUI32Desc>;
template class GeoProperty<GeoPositions3fDesc>;

OSG_DEFINE_PTR_TRAITS(GeoPTypesUI8Ptr, "GeoPTypesUI8Ptr", "FieldContainerPtr")
OSG_DEFINE_PTR_TRAITS(GeoPLengthsUI32Ptr, "GeoPLengthsUI32Ptr", "FieldContainerPtr")
OSG_DEFINE_PTR_TRAITS(GeoIndicesUI32Ptr, "GeoIndicesUI32Ptr", "FieldContainerPtr")
OSG_DEFINE_PTR_TRAITS(GeoPositions3fPtr, "GeoPositions3fPtr", "FieldContainerPtr")

} // namespace osg
