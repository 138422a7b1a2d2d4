#ifndef OSG_GEOMETRY_H
#define OSG_GEOMETRY_H

#include "OSGNodeCore.h"

namespace osg {

class Geometry;
using GeometryPtr = FCPtr<NodeCorePtr, Geometry>;

OSG_DECLARE_PTR_TRAITS(GeometryPtr);

/// A core that draws primitives.
class Geometry : public NodeCore {
    OSG_CONTAINER_DECL(GeometryPtr, Geometry)

public:
    using Inherited = NodeCore;
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId;

protected:
    friend class FieldContainer;
    Geometry() = default;
    Geometry(const Geometry& source) = default;

private:
    static FieldContainerType _type;
};

} // namespace osg

#endif
