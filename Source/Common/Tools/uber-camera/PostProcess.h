#ifndef UBER_CAMERA_TOOL_POST_PROCESS_H
#define UBER_CAMERA_TOOL_POST_PROCESS_H

// The camera's post-processing as a host renderer runs it: once per frame
// `kxTonemappingSettings::requiresUpdate` says whether the fragment program
// must be assembled again or only its uniforms refreshed; the module
// assembles the program, writes the uniforms into an `SHLChunk` and binds its
// lookup textures; the renderer compiles the chunk's texts, gives the program
// the chunk's values and the HDR image, and draws a full-screen triangle.

#include "OSGCamera.h"
#include "OSGSHLChunk.h"
#include "kxShaderProgram.h"
#include "kxTexture.h"
#include "kxTonemappingSettings.h"

#include <string>

namespace render {

class PostProcess {
public:
    /// Texture units of the HDR image, the display profile table and the blending map.
    static constexpr int HdrImageUnit = 0;
    static constexpr int ProfileUnit = 5;
    static constexpr int BlendingMapUnit = 7;

    PostProcess();
    ~PostProcess();
    PostProcess(const PostProcess&) = delete;
    PostProcess& operator=(const PostProcess&) = delete;

    /// The per-frame check against `camera`'s settings, and what it asks for:
    /// a new program, new uniforms. False with the compiler's log in `error`
    /// when the assembled program does not build.
    bool prepare(osg::Camera* camera, std::string* error);
    /// Draws `hdrImage` through the program into the bound framebuffer.
    void apply(const kxTexture& hdrImage) const;
    /// The camera module's part of a uniform update: the settings' values into the chunk.
    void setChunkUniforms();

    kxTonemappingSettings& getState() { return _state; }
    const osg::SHLChunkPtr& getChunk() const { return _chunk; }
    /// Programs assembled so far (the first frame's included).
    int getBuildCount() const { return _buildCount; }

private:
    bool rebuild(std::string* error);
    void writeUniforms();

    kxTonemappingSettings _state;
    osg::SHLChunkPtr _chunk;
    kxShaderProgram _program;
    int _buildCount = 0;
};

} // namespace render

#endif
