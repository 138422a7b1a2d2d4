#include "OSGTextureSettings.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(TextureSettingsPtr, "TextureSettingsPtr", "NodeCorePtr")

namespace {
FieldDescription* textureSettingsDescs[] = {
    OSG_SFIELD_DESC(TextureSettings, Vec2f, "repeat", Repeat, false),
    OSG_SFIELD_DESC(TextureSettings, Vec2f, "offset", Offset, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(TextureSettings, "TextureSettings", "NodeCore", nullptr,
                       &TextureSettings::createEmpty, textureSettingsDescs)
OSG_CONTAINER_DEF(TextureSettings, TextureSettings)

} // namespace osg
