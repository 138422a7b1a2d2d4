#include "Renderer.h"

#include <cstdio>

using namespace osg;

namespace render {
namespace {

const char* const AccumulateSource = R"(#version 330 core
in vec2 texCoord;
uniform sampler2D image;
uniform float weight;
out vec4 fragColor;
void main() {
    fragColor = texture(image, texCoord) * weight;
})";

// The radical inverse of i in `base`: 0.5, 0.25, 0.75, ... for base 2.
float radicalInverse(int i, int base) {
    float result = 0, digit = 1.0f / float(base);
    for (; i > 0; i /= base, digit /= float(base))
        result += float(i % base) * digit;
    return result;
}

std::string glErrorText(GLenum code) {
    char text[32];
    std::snprintf(text, sizeof text, "OpenGL error 0x%04x", unsigned(code));
    return text;
}

} // namespace

bool Renderer::init(int width, int height, std::string* error) {
    _width = width;
    _height = height;
    if (!_drawer.init(error) ||
        !_accumulateProgram.build(kxShaderProgram::FullScreenVertexSource, AccumulateSource, error))
        return false;
    if (!_scene.createMultisample(width, height, GL_RGBA16F, Multisamples) ||
        !_resolved.createTexture(width, height, GL_RGBA16F) ||
        !_sum.createTexture(width, height, GL_RGBA32F) ||
        !_display.createTexture(width, height, GL_RGBA8)) {
        *error =
            "cannot make render targets of " + std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    glUseProgram(_accumulateProgram.getProgram());
    glUniform1i(glGetUniformLocation(_accumulateProgram.getProgram(), "image"), 0);
    _weightLocation = glGetUniformLocation(_accumulateProgram.getProgram(), "weight");
    glUseProgram(0);
    return true;
}

void Renderer::load(const NodePtr& root, const UberCameraPtr& viewer) {
    _drawer.load(root, viewer);
}

Pnt2f Renderer::lensSample(int i) {
    // Index 0 of the sequence is (0, 0), a corner of the square: start at 1.
    return Pnt2f(2 * radicalInverse(i + 1, 2) - 1, 2 * radicalInverse(i + 1, 3) - 1);
}

void Renderer::drawScene(const Matrix& projection, const Matrix& viewing) {
    _scene.bind();
    glClearColor(SkyRadiance[0], SkyRadiance[1], SkyRadiance[2], 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    _drawer.draw(projection, viewing);
    glDisable(GL_DEPTH_TEST);
    _scene.blitTo(_resolved);
}

void Renderer::accumulate(float weight) {
    _sum.bind();
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glUseProgram(_accumulateProgram.getProgram());
    glUniform1f(_weightLocation, weight);
    _resolved.getTexture().bindTexture(GL_TEXTURE0);
    _accumulateProgram.drawFullScreenTriangle();
    glDisable(GL_BLEND);
}

bool Renderer::render(const UberCameraPtr& camera, int lensSamples, Image& image,
                      std::string* error, const std::function<void(int, int)>& progress) {
    const UInt32 width = UInt32(_width), height = UInt32(_height);
    Matrix projection, viewing;
    camera->getProjection(projection, width, height);

    const kxTexture* hdr = &_resolved.getTexture();
    if (lensSamples > 1 && camera->getDepthOfField()) {
        _sum.bind();
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        for (int i = 0; i < lensSamples; ++i) {
            camera->applyDepthOfField(lensSample(i));
            camera->getViewing(viewing, width, height);
            drawScene(projection, viewing);
            accumulate(1.0f / float(lensSamples));
            if (progress)
                progress(i + 1, lensSamples);
        }
        camera->resetDepthOfField();
        hdr = &_sum.getTexture();
    } else {
        camera->getViewing(viewing, width, height);
        drawScene(projection, viewing);
    }

    if (!_post.prepare(camera.getCPtr(), error))
        return false;
    _display.bind();
    _post.apply(*hdr);

    std::vector<std::uint8_t>& rgba = _readBack;
    rgba.resize(std::size_t(_width) * _height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, _width, _height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (const GLenum code = glGetError(); code != GL_NO_ERROR) {
        *error = glErrorText(code);
        return false;
    }

    // GL's rows run bottom up, the image's top down.
    image.width = _width;
    image.height = _height;
    image.rgb.resize(std::size_t(_width) * _height * 3);
    for (int y = 0; y < _height; ++y) {
        const std::uint8_t* from = &rgba[std::size_t(_height - 1 - y) * _width * 4];
        std::uint8_t* to = &image.rgb[std::size_t(y) * _width * 3];
        for (int x = 0; x < _width; ++x, from += 4, to += 3)
            to[0] = from[0], to[1] = from[1], to[2] = from[2];
    }
    return true;
}

} // namespace render
