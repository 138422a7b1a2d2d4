#ifndef OSG_GEOMETRY_H
#define OSG_GEOMETRY_H

#include "OSGGeoProperty.h"
#include "OSGMaterial.h"
#include "OSGNodeCore.h"

namespace osg {

class Geometry;
using GeometryPtr = FCPtr<NodeCorePtr, Geometry>;

OSG_DECLARE_PTR_TRAITS(GeometryPtr);

/// A core that draws primitives: `lengths[i]` vertices of type `types[i]`,
/// taken through `indices` from `positions`. It holds one reference on each
/// property and on its material.
class Geometry : public NodeCore {
    OSG_CONTAINER_DECL(GeometryPtr, Geometry)

public:
    using Inherited = NodeCore;
    OSG_FIELD_ID(Types, Inherited::NextFieldId)
    OSG_FIELD_ID(Lengths, Inherited::NextFieldId + 1)
    OSG_FIELD_ID(Indices, Inherited::NextFieldId + 2)
    OSG_FIELD_ID(Positions, Inherited::NextFieldId + 3)
    OSG_FIELD_ID(Material, Inherited::NextFieldId + 4)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 5;

    OSG_SFIELD_GET(GeoPTypesUI8Ptr, Types)
    OSG_SFIELD_GET(GeoPLengthsUI32Ptr, Lengths)
    OSG_SFIELD_GET(GeoIndicesUI32Ptr, Indices)
    OSG_SFIELD_GET(GeoPositions3fPtr, Positions)
    OSG_SFIELD_GET(MaterialPtr, Material)

    // Counted setters: the old value loses the geometry's reference.
    void setTypes(const GeoPTypesUI8Ptr& types);
    void setLengths(const GeoPLengthsUI32Ptr& lengths);
    void setIndices(const GeoIndicesUI32Ptr& indices);
    void setPositions(const GeoPositions3fPtr& positions);
    void setMaterial(const MaterialPtr& material);

    /// Grows the volume by every position.
    void adjustVolume(Volume& volume) override;
    void changed(BitVector whichField, UInt32 origin) override;

protected:
    friend class FieldContainer;
    Geometry() = default;
    /// The copy shares the source's properties and material, with references of its own.
    Geometry(const Geometry& source);

    void onDestroy() override;

private:
    static FieldContainerType _type;

    SField<GeoPTypesUI8Ptr> _sfTypes;
    SField<GeoPLengthsUI32Ptr> _sfLengths;
    SField<GeoIndicesUI32Ptr> _sfIndices;
    SField<GeoPositions3fPtr> _sfPositions;
    SField<MaterialPtr> _sfMaterial;
};

} // namespace osg

#endif
