#ifndef OSG_MATERIAL_H
#define OSG_MATERIAL_H

#include "OSGFieldContainer.h"
#include "OSGFieldContainerFields.h"
#include "OSGFieldContainerMacros.h"

namespace osg {

class Material;
using MaterialPtr = FCPtr<FieldContainerPtr, Material>;

OSG_DECLARE_PTR_TRAITS(MaterialPtr);

/// How a geometry's surface looks: a colour, lit or unlit.
class Material : public FieldContainer {
    OSG_CONTAINER_DECL(MaterialPtr, Material)

public:
    using Inherited = FieldContainer;
    OSG_FIELD_ID(Diffuse, Inherited::NextFieldId)
    OSG_FIELD_ID(Lit, Inherited::NextFieldId + 1)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 2;

    /// Linear RGB.
    OSG_SFIELD_ACCESS(Vec3f, Diffuse)
    OSG_SFIELD_ACCESS(bool, Lit)

protected:
    friend class FieldContainer;
    Material() = default;
    Material(const Material& source) = default;

private:
    static FieldContainerType _type;

    SFVec3f _sfDiffuse{Vec3f(0.7f, 0.7f, 0.7f)};
    SFBool _sfLit{true};
};

/// The material geometries use when given none: made on first request, kept
/// until the scene graph exits.
MaterialPtr getDefaultMaterial();

} // namespace osg

#endif
