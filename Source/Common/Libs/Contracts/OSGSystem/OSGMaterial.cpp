#include "OSGMaterial.h"

#include "OSGInit.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(MaterialPtr, "MaterialPtr", "FieldContainerPtr")

namespace {

FieldDescription* materialDescs[] = {
    OSG_SFIELD_DESC(Material, Vec3f, "diffuse", Diffuse, false),
    OSG_SFIELD_DESC(Material, bool, "lit", Lit, false),
};

MaterialPtr defaultMaterial;

void releaseDefaultMaterial() {
    MaterialPtr material = defaultMaterial;
    defaultMaterial = MaterialPtr();
    subRefCP(material);
}

} // namespace

OSG_CONTAINER_TYPE_DEF(Material, "Material", "FieldContainer", nullptr, &Material::createEmpty,
                       materialDescs)
OSG_CONTAINER_DEF(Material, Material)

MaterialPtr getDefaultMaterial() {
    if (defaultMaterial.isNull()) {
        defaultMaterial = Material::create();
        if (defaultMaterial.isNull())
            return defaultMaterial;
        addRefCP(defaultMaterial);
        addExitFunction(&releaseDefaultMaterial);
    }
    return defaultMaterial;
}

} // namespace osg
