#include "kxShaderProgram.h"

#include "kxGLInfo.h"

#include <string_view>

namespace {

GLuint compile(GLenum stage, const std::string& source, std::string* log) {
    GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE)
        return shader;
    if (log != nullptr) {
        GLint length = 0;
        glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::string text(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
        glGetShaderInfoLog(shader, length, nullptr, text.data());
        *log += (stage == GL_VERTEX_SHADER ? "vertex: " : "fragment: ") +
                text.substr(0, text.find('\0'));
    }
    glDeleteShader(shader);
    return 0;
}

bool isSampler(GLenum type) {
    switch (type) {
    case GL_SAMPLER_1D:
    case GL_SAMPLER_2D:
    case GL_SAMPLER_3D:
    case GL_SAMPLER_CUBE:
    case GL_SAMPLER_1D_SHADOW:
    case GL_SAMPLER_2D_SHADOW:
    case GL_SAMPLER_1D_ARRAY:
    case GL_SAMPLER_2D_ARRAY:
    case GL_SAMPLER_2D_RECT:
    case GL_SAMPLER_BUFFER:
    case GL_SAMPLER_2D_MULTISAMPLE:
    case GL_INT_SAMPLER_1D:
    case GL_INT_SAMPLER_2D:
    case GL_INT_SAMPLER_3D:
    case GL_UNSIGNED_INT_SAMPLER_1D:
    case GL_UNSIGNED_INT_SAMPLER_2D:
    case GL_UNSIGNED_INT_SAMPLER_3D:
        return true;
    default:
        return false;
    }
}

// Writes `value` to the uniform at `location` when its C++ type is the one the
// GLSL declaration asks for; false (nothing written) otherwise.
struct UniformWriter {
    GLint location;
    const kxShaderProgram::Uniform& uniform;

    bool operator()(bool value) const {
        if (uniform.type != GL_BOOL || uniform.size != 1)
            return false;
        glUniform1i(location, value ? 1 : 0);
        return true;
    }
    bool operator()(osg::Int32 value) const {
        if ((uniform.type != GL_INT && !isSampler(uniform.type)) || uniform.size != 1)
            return false;
        glUniform1i(location, value);
        return true;
    }
    bool operator()(osg::Real32 value) const {
        if (uniform.type != GL_FLOAT || uniform.size != 1)
            return false;
        glUniform1f(location, value);
        return true;
    }
    bool operator()(const osg::Vec2f& value) const {
        if (uniform.type != GL_FLOAT_VEC2 || uniform.size != 1)
            return false;
        glUniform2f(location, value[0], value[1]);
        return true;
    }
    bool operator()(const osg::Vec3f& value) const {
        if (uniform.type != GL_FLOAT_VEC3 || uniform.size != 1)
            return false;
        glUniform3f(location, value[0], value[1], value[2]);
        return true;
    }
    bool operator()(const osg::Matrix& value) const {
        if (uniform.type != GL_FLOAT_MAT4 || uniform.size != 1)
            return false;
        // Column-major like GL's own layout: no transpose.
        glUniformMatrix4fv(location, 1, GL_FALSE, value.getValues());
        return true;
    }
    bool operator()(const std::vector<osg::Real32>& values) const {
        // A length other than the declared one is a mistake on one side.
        if (uniform.type != GL_FLOAT || static_cast<GLint>(values.size()) != uniform.size)
            return false;
        glUniform1fv(location, uniform.size, values.data());
        return true;
    }
};

} // namespace

kxShaderProgram::~kxShaderProgram() {
    release();
}

bool kxShaderProgram::build(const std::string& vertexSource, const std::string& fragmentSource,
                            std::string* log) {
    release();
    if (log != nullptr)
        log->clear();
    if (kxGLInfo::getNoOpenGL()) {
        if (log != nullptr)
            *log = "no OpenGL context is current";
        return false;
    }
    GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource, log);
    GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentSource, log);
    if (vertex == 0 || fragment == 0) {
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        return false;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    // The program keeps what it linked; the shader objects can go.
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        if (log != nullptr) {
            GLint length = 0;
            glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
            std::string text(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
            glGetProgramInfoLog(program, length, nullptr, text.data());
            *log += "link: " + text.substr(0, text.find('\0'));
        }
        glDeleteProgram(program);
        return false;
    }
    _program = program;
    return true;
}

std::vector<kxShaderProgram::Uniform> kxShaderProgram::getActiveUniforms() const {
    std::vector<Uniform> result;
    if (_program == 0 || kxGLInfo::getNoOpenGL())
        return result;
    GLint count = 0;
    GLint maxLength = 0;
    glGetProgramiv(_program, GL_ACTIVE_UNIFORMS, &count);
    glGetProgramiv(_program, GL_ACTIVE_UNIFORM_MAX_LENGTH, &maxLength);
    std::string name(static_cast<std::size_t>(maxLength > 0 ? maxLength : 1), '\0');
    for (GLint i = 0; i < count; ++i) {
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(_program, static_cast<GLuint>(i), maxLength, &length, &size, &type,
                           name.data());
        std::string_view text(name.data(), static_cast<std::size_t>(length));
        // GL names an array by its first element.
        if (text.ends_with("[0]"))
            text.remove_suffix(3);
        result.push_back(Uniform{std::string(text), type, size});
    }
    return result;
}

bool kxShaderProgram::applyUniforms(const osg::ShaderParameterChunk& chunk,
                                    std::vector<std::string>* mismatched) const {
    if (_program == 0 || kxGLInfo::getNoOpenGL())
        return false;
    glUseProgram(_program);
    bool allFit = true;
    const osg::ShaderParameterChunk::ParameterMap& parameters = chunk.getParameters();
    for (const Uniform& uniform : getActiveUniforms()) {
        auto it = parameters.find(uniform.name);
        if (it == parameters.end())
            continue;
        GLint location = glGetUniformLocation(_program, uniform.name.c_str());
        if (location < 0 || !std::visit(UniformWriter{location, uniform}, it->second)) {
            allFit = false;
            if (mismatched != nullptr)
                mismatched->push_back(uniform.name);
        }
    }
    return allFit;
}

const char* const kxShaderProgram::FullScreenVertexSource = R"(#version 330 core
out vec2 texCoord;
void main() {
    vec2 p = vec2(float((gl_VertexID & 1) << 2) - 1.0, float((gl_VertexID & 2) << 1) - 1.0);
    texCoord = p * 0.5 + 0.5;
    gl_Position = vec4(p, 0.0, 1.0);
})";

void kxShaderProgram::drawFullScreenTriangle() const {
    if (_program == 0 || kxGLInfo::getNoOpenGL())
        return;
    // A core profile draws only with a vertex array bound, even an empty one.
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glUseProgram(_program);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vertexArray);
}

void kxShaderProgram::release() {
    if (_program != 0 && !kxGLInfo::getNoOpenGL())
        glDeleteProgram(_program);
    _program = 0;
}
