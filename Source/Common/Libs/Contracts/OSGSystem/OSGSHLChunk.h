#ifndef OSG_SHL_CHUNK_H
#define OSG_SHL_CHUNK_H

#include "OSGShaderParameterChunk.h"

namespace osg {

class SHLChunk;
using SHLChunkPtr = FCPtr<ShaderParameterChunkPtr, SHLChunk>;

OSG_DECLARE_PTR_TRAITS(SHLChunkPtr);

/// A GLSL program's texts with its uniform values. The scene graph does not
/// compile it: the renderer does, with the texts and parameters it reads here.
class SHLChunk : public ShaderParameterChunk {
    OSG_CONTAINER_DECL(SHLChunkPtr, SHLChunk)

public:
    using Inherited = ShaderParameterChunk;

    const std::string& getVertexProgram() const { return _vertexProgram; }
    void setVertexProgram(const std::string& text) { _vertexProgram = text; }
    const std::string& getFragmentProgram() const { return _fragmentProgram; }
    void setFragmentProgram(const std::string& text) { _fragmentProgram = text; }

protected:
    friend class FieldContainer;
    SHLChunk() = default;
    SHLChunk(const SHLChunk& source) = default;

private:
    static FieldContainerType _type;

    std::string _vertexProgram;
    std::string _fragmentProgram;
};

} // namespace osg

#endif
