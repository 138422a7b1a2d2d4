#ifndef OSG_TEXTURE_SETTINGS_H
#define OSG_TEXTURE_SETTINGS_H

#include "OSGNodeCore.h"

namespace osg {

class TextureSettings;
using TextureSettingsPtr = FCPtr<NodeCorePtr, TextureSettings>;

OSG_DECLARE_PTR_TRAITS(TextureSettingsPtr);

/// How a texture image is laid on a surface (a camera uses it for its lens
/// distortion maps).
class TextureSettings : public NodeCore {
    OSG_CONTAINER_DECL(TextureSettingsPtr, TextureSettings)

public:
    using Inherited = NodeCore;
    OSG_FIELD_ID(Repeat, Inherited::NextFieldId)
    OSG_FIELD_ID(Offset, Inherited::NextFieldId + 1)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 2;

    /// Texture repetitions along u and v.
    OSG_SFIELD_ACCESS(Vec2f, Repeat)
    /// Texture offset along u and v.
    OSG_SFIELD_ACCESS(Vec2f, Offset)

protected:
    friend class FieldContainer;
    TextureSettings() = default;
    TextureSettings(const TextureSettings& source) = default;

private:
    static FieldContainerType _type;

    SFVec2f _sfRepeat{Vec2f(1, 1)};
    SFVec2f _sfOffset;
};

} // namespace osg

#endif
