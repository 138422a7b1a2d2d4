#ifndef KX_GEO_PROPERTY_BUILDER_H
#define KX_GEO_PROPERTY_BUILDER_H

// Filling a geometry property in one edit (the module's wireframes, the tool's scene).

#include "OSGGeoProperty.h"

#include <vector>

namespace kxGeoPropertyBuilder {

/// A new property of type `PropertyPtr` holding `values`, filled inside one
/// edit on all its fields; null when the property cannot be created.
template <class PropertyPtr, class ValueT>
PropertyPtr makeProperty(const std::vector<ValueT>& values) {
    PropertyPtr property = PropertyPtr::StoredObjectType::create();
    if (property.isNull())
        return property;
    osg::beginEditCP(property);
    for (const ValueT& value : values)
        property->push_back(value);
    osg::endEditCP(property);
    return property;
}

} // namespace kxGeoPropertyBuilder

#endif
