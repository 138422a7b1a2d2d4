#include "OSGGeometry.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(GeometryPtr, "GeometryPtr", "NodeCorePtr")

namespace {
FieldDescription* geometryDescs[] = {
    OSG_SFIELD_DESC(Geometry, GeoPTypesUI8Ptr, "types", Types, false),
    OSG_SFIELD_DESC(Geometry, GeoPLengthsUI32Ptr, "lengths", Lengths, false),
    OSG_SFIELD_DESC(Geometry, GeoIndicesUI32Ptr, "indices", Indices, false),
    OSG_SFIELD_DESC(Geometry, GeoPositions3fPtr, "positions", Positions, false),
    OSG_SFIELD_DESC(Geometry, MaterialPtr, "material", Material, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(Geometry, "Geometry", "NodeCore", nullptr, &Geometry::createEmpty,
                       geometryDescs)
OSG_CONTAINER_DEF(Geometry, Geometry)

Geometry::Geometry(const Geometry& source)
    : NodeCore(source), _sfTypes(source._sfTypes), _sfLengths(source._sfLengths),
      _sfIndices(source._sfIndices), _sfPositions(source._sfPositions),
      _sfMaterial(source._sfMaterial) {
    addRefCP(getTypes());
    addRefCP(getLengths());
    addRefCP(getIndices());
    addRefCP(getPositions());
    addRefCP(getMaterial());
}

void Geometry::setTypes(const GeoPTypesUI8Ptr& types) {
    setRefdCP(editTypes(), types);
}
void Geometry::setLengths(const GeoPLengthsUI32Ptr& lengths) {
    setRefdCP(editLengths(), lengths);
}
void Geometry::setIndices(const GeoIndicesUI32Ptr& indices) {
    setRefdCP(editIndices(), indices);
}
void Geometry::setPositions(const GeoPositions3fPtr& positions) {
    setRefdCP(editPositions(), positions);
}
void Geometry::setMaterial(const MaterialPtr& material) {
    setRefdCP(editMaterial(), material);
}

void Geometry::adjustVolume(Volume& volume) {
    const GeoPositions3fPtr& positions = getPositions();
    if (positions.isNull())
        return;
    for (const Pnt3f& position : positions->getValues())
        volume.extendBy(position);
}

void Geometry::changed(BitVector whichField, UInt32 origin) {
    if (whichField & PositionsFieldMask)
        invalidateVolume();
    Inherited::changed(whichField, origin);
}

void Geometry::onDestroy() {
    setTypes(GeoPTypesUI8Ptr());
    setLengths(GeoPLengthsUI32Ptr());
    setIndices(GeoIndicesUI32Ptr());
    setPositions(GeoPositions3fPtr());
    setMaterial(MaterialPtr());
    Inherited::onDestroy();
}

} // namespace osg
