#include "OSGGeometry.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(GeometryPtr, "GeometryPtr", "NodeCorePtr")

OSG_CONTAINER_TYPE_DEF_NO_FIELDS(Geometry, "Geometry", "NodeCore", nullptr, &Geometry::createEmpty)
OSG_CONTAINER_DEF(Geometry, Geometry)

} // namespace osg
