#ifndef KX_SHADER_PROGRAM_H
#define KX_SHADER_PROGRAM_H

#include "OSGShaderParameterChunk.h"

#include <epoxy/gl.h>

#include <string>
#include <vector>

/// A linked GLSL program and what the renderer does with it: read its active
/// uniforms, give it a chunk's uniform values, draw a full-screen triangle.
class kxShaderProgram {
public:
    struct Uniform {
        std::string name; ///< as GL reports it, arrays without "[0]"
        GLenum type;      ///< GL_FLOAT, GL_FLOAT_VEC3, GL_SAMPLER_1D, ...
        GLint size;       ///< array length, 1 for a plain value
    };

    kxShaderProgram() = default;
    ~kxShaderProgram();
    kxShaderProgram(const kxShaderProgram&) = delete;
    kxShaderProgram& operator=(const kxShaderProgram&) = delete;

    /// Compiles and links; false with the compiler's or linker's log in `log`.
    bool build(const std::string& vertexSource, const std::string& fragmentSource,
               std::string* log);
    GLuint getProgram() const { return _program; }
    std::vector<Uniform> getActiveUniforms() const;
    /// Makes the program current and writes every parameter of `chunk` whose
    /// name is an active uniform; false when a value's type does not fit the
    /// uniform's (the name is then listed in `mismatched`).
    bool applyUniforms(const osg::ShaderParameterChunk& chunk,
                       std::vector<std::string>* mismatched = nullptr) const;
    /// Draws three vertices without attributes with the program current (its
    /// vertex program places them from gl_VertexID to cover the viewport, as
    /// `FullScreenVertexSource` does).
    void drawFullScreenTriangle() const;
    /// GLSL 330 vertex program for `drawFullScreenTriangle`: one triangle over
    /// the viewport, with `out vec2 texCoord` running 0..1 across it.
    static const char* const FullScreenVertexSource;
    void release();

private:
    GLuint _program = 0;
};

#endif
