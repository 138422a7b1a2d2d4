#include "Framebuffer.h"

#include "kxGLInfo.h"

namespace render {

Framebuffer::~Framebuffer() {
    release();
}

bool Framebuffer::createTexture(GLsizei width, GLsizei height, GLint internalFormat) {
    release();
    if (!_texture.initTexture(GL_TEXTURE_2D, width, height, internalFormat, GL_RGBA, GL_FLOAT,
                              nullptr, GL_NEAREST, GL_NEAREST, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE,
                              false))
        return false;
    _width = width;
    _height = height;
    glGenFramebuffers(1, &_framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, _framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                           _texture.getTextureId(), 0);
    return complete();
}

bool Framebuffer::createMultisample(GLsizei width, GLsizei height, GLint internalFormat,
                                    GLsizei samples) {
    release();
    _width = width;
    _height = height;
    glGenFramebuffers(1, &_framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, _framebuffer);
    glGenRenderbuffers(1, &_colorBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, _colorBuffer);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GLenum(internalFormat), width,
                                     height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, _colorBuffer);
    glGenRenderbuffers(1, &_depthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, _depthBuffer);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH_COMPONENT24, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, _depthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    return complete();
}

bool Framebuffer::complete() {
    const bool ok = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE &&
                    glGetError() == GL_NO_ERROR;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!ok)
        release();
    return ok;
}

void Framebuffer::bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, _framebuffer);
    glViewport(0, 0, _width, _height);
}

void Framebuffer::blitTo(const Framebuffer& target) const {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, _framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target._framebuffer);
    glBlitFramebuffer(0, 0, _width, _height, 0, 0, target._width, target._height,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void Framebuffer::release() {
    // Without a context the names went with it.
    if (!kxGLInfo::getNoOpenGL()) {
        if (_framebuffer != 0)
            glDeleteFramebuffers(1, &_framebuffer);
        if (_colorBuffer != 0)
            glDeleteRenderbuffers(1, &_colorBuffer);
        if (_depthBuffer != 0)
            glDeleteRenderbuffers(1, &_depthBuffer);
    }
    _framebuffer = _colorBuffer = _depthBuffer = 0;
    _texture.clearTexture();
    _width = _height = 0;
}

} // namespace render
