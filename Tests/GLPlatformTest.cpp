// The platform's OpenGL pieces on a real (headless, llvmpipe) context: the context itself,
// textures and their shared names, a program's active uniforms and the values it is given.
// ColorPlatformTest draws with them.

#include "HeadlessContextTest.h"
#include "OSGSHLChunk.h"
#include "kxGLInfo.h"
#include "kxShaderProgram.h"
#include "kxTexture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// Half floats keep 11 significant bits.
constexpr float HalfFloatTolerance = 1.0f / 1024.0f;

using GLPlatformTest = ubercam::test::HeadlessContextTest;

TEST_F(GLPlatformTest, ContextIsCoreAndCurrentOnlyWhileMadeSo) {
    EXPECT_FALSE(kxGLInfo::getNoOpenGL());
    GLint major = 0, minor = 0, profile = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    EXPECT_GE(major * 10 + minor, 33);
    EXPECT_TRUE(profile & GL_CONTEXT_CORE_PROFILE_BIT);
    EXPECT_EQ(context->describe().rfind("OpenGL ", 0), 0u) << context->describe();

    kxHeadlessContext::releaseCurrent();
    EXPECT_TRUE(kxGLInfo::getNoOpenGL());
    EXPECT_EQ(context->describe(), "");
    kxTexture texture;
    const float rgb[3] = {1, 2, 3};
    EXPECT_FALSE(texture.initTexture(GL_TEXTURE_1D, 1, 1, GL_RGB16F, GL_RGB, GL_FLOAT, rgb,
                                     GL_LINEAR, GL_LINEAR, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE,
                                     false));
    EXPECT_EQ(texture.getTextureId(), 0u);
    ASSERT_TRUE(context->makeCurrent());
    EXPECT_FALSE(kxGLInfo::getNoOpenGL());
}

TEST_F(GLPlatformTest, TextureReadsBackWhatWasUploaded) {
    std::vector<float> rgb(1024 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = std::sin(0.01f * static_cast<float>(i)) * 4.0f;
    kxTexture texture;
    ASSERT_TRUE(texture.initTexture(GL_TEXTURE_1D, 1024, 1, GL_RGBA16F, GL_RGB, GL_FLOAT,
                                    rgb.data(), GL_LINEAR, GL_LINEAR, GL_CLAMP_TO_EDGE,
                                    GL_CLAMP_TO_EDGE, false));

    std::vector<float> rgba(1024 * 4, -1.0f);
    glBindTexture(GL_TEXTURE_1D, texture.getTextureId());
    glGetTexImage(GL_TEXTURE_1D, 0, GL_RGBA, GL_FLOAT, rgba.data());
    glBindTexture(GL_TEXTURE_1D, 0);
    for (std::size_t i = 0; i < 1024; ++i) {
        for (std::size_t c = 0; c < 3; ++c)
            ASSERT_NEAR(rgba[i * 4 + c], rgb[i * 3 + c], HalfFloatTolerance * 4.0f) << i;
        ASSERT_EQ(rgba[i * 4 + 3], 1.0f);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLPlatformTest, CopiesShareOneTextureDeletedWithTheLastShare) {
    auto texture = std::make_unique<kxTexture>();
    ASSERT_TRUE(texture->initTexture(GL_TEXTURE_2D, 2, 2, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE,
                                     nullptr, GL_NEAREST, GL_NEAREST, GL_REPEAT, GL_REPEAT, false));
    const GLuint id = texture->getTextureId();
    kxTexture copy = *texture;
    kxTexture assigned;
    assigned = copy;
    EXPECT_EQ(copy.getTextureId(), id);
    EXPECT_EQ(assigned.getTextureId(), id);

    texture.reset();
    copy.clearTexture();
    EXPECT_EQ(copy.getTextureId(), 0u);
    EXPECT_TRUE(glIsTexture(id));
    assigned.clearTexture();
    EXPECT_FALSE(glIsTexture(id));
}

TEST_F(GLPlatformTest, ActiveUniformsAreReportedAndGivenTheChunksValues) {
    const char* fragment = R"(#version 330 core
uniform bool flag;
uniform int count;
uniform float gain;
uniform vec2 offset;
uniform vec3 tint;
uniform mat4 transform;
uniform float weights[4];
uniform sampler1D table;
out vec4 color;
void main() {
    float w = weights[0] + weights[1] + weights[2] + weights[3];
    vec4 c = transform * vec4(tint * gain + vec3(offset, float(count)) + w, 1.0);
    color = flag ? c : texture(table, 0.5);
}
)";
    kxShaderProgram program;
    std::string log;
    ASSERT_TRUE(program.build("#version 330 core\nvoid main() { gl_Position = vec4(0.0); }\n",
                              fragment, &log))
        << log;

    std::map<std::string, std::pair<GLenum, GLint>> found;
    for (const kxShaderProgram::Uniform& uniform : program.getActiveUniforms())
        found[uniform.name] = {uniform.type, uniform.size};
    const std::map<std::string, std::pair<GLenum, GLint>> expected = {
        {"flag", {GL_BOOL, 1}},       {"count", {GL_INT, 1}},
        {"gain", {GL_FLOAT, 1}},      {"offset", {GL_FLOAT_VEC2, 1}},
        {"tint", {GL_FLOAT_VEC3, 1}}, {"transform", {GL_FLOAT_MAT4, 1}},
        {"weights", {GL_FLOAT, 4}},   {"table", {GL_SAMPLER_1D, 1}}};
    EXPECT_EQ(found, expected);

    osg::SHLChunkPtr chunk = osg::SHLChunk::create();
    osg::addRefCP(chunk);
    osg::Matrix transform;
    transform.setValue(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    osg::MField<osg::Real32> weights;
    for (float w : {0.5f, 1.5f, 2.5f, 3.5f})
        weights.push_back(w);
    chunk->setUniformParameter("flag", true);
    chunk->setUniformParameter("count", osg::Int32(7));
    chunk->setUniformParameter("gain", 0.25f);
    chunk->setUniformParameter("offset", osg::Vec2f(1, 2));
    chunk->setUniformParameter("tint", osg::Vec3f(3, 4, 5));
    chunk->setUniformParameter("transform", transform);
    chunk->setUniformParameter("weights", weights);
    chunk->setUniformParameter("table", osg::Int32(5));
    std::vector<std::string> mismatched;
    EXPECT_TRUE(program.applyUniforms(*chunk, &mismatched));
    EXPECT_TRUE(mismatched.empty());

    const GLuint p = program.getProgram();
    auto location = [&](const char* name) { return glGetUniformLocation(p, name); };
    GLint ints[2] = {};
    glGetUniformiv(p, location("flag"), &ints[0]);
    glGetUniformiv(p, location("table"), &ints[1]);
    EXPECT_EQ(ints[0], 1);
    EXPECT_EQ(ints[1], 5);
    GLfloat matrix[16] = {};
    glGetUniformfv(p, location("transform"), matrix);
    EXPECT_EQ(matrix[1], 5.0f) << "column-major: m[0][1] is row 1, column 0";
    EXPECT_EQ(matrix[4], 2.0f);
    GLfloat third = 0;
    glGetUniformfv(p, location("weights[2]"), &third);
    EXPECT_EQ(third, 2.5f);

    // Each value of the wrong type (or length) is reported, not written.
    chunk->setUniformParameter("tint", 1.0f);
    chunk->setUniformParameter("count", true);
    weights.resize(3);
    chunk->setUniformParameter("weights", weights);
    mismatched.clear();
    EXPECT_FALSE(program.applyUniforms(*chunk, &mismatched));
    EXPECT_EQ(mismatched.size(), 3u);
    osg::subRefCP(chunk);
}

} // namespace
