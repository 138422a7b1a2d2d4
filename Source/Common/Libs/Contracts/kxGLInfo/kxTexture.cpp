#include "kxTexture.h"

#include "kxGLInfo.h"

// The GL name shared by all copies of one texture. It is deleted with the last
// share, and only when a context is current: without one the context that
// owned it is gone, and its names with it.
struct kxTexture::Name {
    GLuint id = 0;
    explicit Name(GLuint name) : id(name) {}
    Name(const Name&) = delete;
    Name& operator=(const Name&) = delete;
    ~Name() {
        if (id != 0 && !kxGLInfo::getNoOpenGL())
            glDeleteTextures(1, &id);
    }
};

namespace {

GLenum bindingQuery(GLenum target) {
    return target == GL_TEXTURE_1D ? GL_TEXTURE_BINDING_1D : GL_TEXTURE_BINDING_2D;
}

} // namespace

bool kxTexture::initTexture(GLenum target, GLsizei width, GLsizei height, GLint internalFormat,
                            GLenum format, GLenum type, const void* data, GLint minFilter,
                            GLint magFilter, GLint wrapS, GLint wrapT, bool mipmaps) {
    clearTexture();
    if (kxGLInfo::getNoOpenGL() || (target != GL_TEXTURE_1D && target != GL_TEXTURE_2D) ||
        width <= 0 || (target == GL_TEXTURE_2D && height <= 0))
        return false;
    // Errors left by earlier calls must not be taken for ours.
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }

    // The caller's binding and unpack alignment are put back afterwards.
    GLint previous = 0;
    GLint alignment = 4;
    glGetIntegerv(bindingQuery(target), &previous);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);

    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(target, id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (target == GL_TEXTURE_1D)
        glTexImage1D(target, 0, internalFormat, width, 0, format, type, data);
    else
        glTexImage2D(target, 0, internalFormat, width, height, 0, format, type, data);
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, magFilter);
    glTexParameteri(target, GL_TEXTURE_WRAP_S, wrapS);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, wrapT);
    if (mipmaps)
        glGenerateMipmap(target);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glBindTexture(target, static_cast<GLuint>(previous));

    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &id);
        return false;
    }
    _name = std::make_shared<Name>(id);
    _target = target;
    _width = width;
    _height = target == GL_TEXTURE_1D ? 1 : height;
    _internalFormat = internalFormat;
    return true;
}

void kxTexture::bindTexture(GLenum unit) const {
    if (!_name || kxGLInfo::getNoOpenGL())
        return;
    glActiveTexture(unit);
    glBindTexture(_target, _name->id);
}

void kxTexture::unbindTexture(GLenum unit) const {
    if (_target == 0 || kxGLInfo::getNoOpenGL())
        return;
    glActiveTexture(unit);
    glBindTexture(_target, 0);
}

void kxTexture::clearTexture() {
    _name.reset();
    _target = 0;
    _width = 0;
    _height = 0;
    _internalFormat = 0;
}

GLuint kxTexture::getTextureId() const {
    return _name ? _name->id : 0;
}
