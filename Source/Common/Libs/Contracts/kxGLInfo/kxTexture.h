#ifndef KX_TEXTURE_H
#define KX_TEXTURE_H

#include <epoxy/gl.h>

#include <memory>

/// One OpenGL texture object with the description it was made from. Copies
/// share the texture: it is deleted when the last copy clears it or is
/// destroyed, so however many copies exist it is released once. Every GL call
/// needs a current context; without one nothing is created and a release only
/// forgets the id (the context that owned it is gone).
class kxTexture {
public:
    kxTexture() = default;

    /// (Re)creates the texture and uploads `data` (may be null) to it:
    /// `target` GL_TEXTURE_1D or GL_TEXTURE_2D (`height` ignored for 1D),
    /// `internalFormat` e.g. GL_RGBA16F, `format`/`type` describe `data`,
    /// then filters and wraps. `mipmaps` builds the mipmap chain. False (and
    /// no texture) without a context or when GL reports an error.
    bool initTexture(GLenum target, GLsizei width, GLsizei height, GLint internalFormat,
                     GLenum format, GLenum type, const void* data, GLint minFilter,
                     GLint magFilter, GLint wrapS, GLint wrapT, bool mipmaps);
    /// Binds to texture unit `unit` (GL_TEXTURE0 + n); nothing without a texture.
    void bindTexture(GLenum unit) const;
    /// Binds texture 0 to `unit`'s target.
    void unbindTexture(GLenum unit) const;
    /// Drops this copy's share; the texture is deleted with the last share.
    void clearTexture();

    /// The GL texture name, 0 when there is none.
    GLuint getTextureId() const;
    GLenum getTarget() const { return _target; }
    GLsizei getWidth() const { return _width; }
    GLsizei getHeight() const { return _height; }
    GLint getInternalFormat() const { return _internalFormat; }

private:
    struct Name;
    std::shared_ptr<Name> _name;
    GLenum _target = 0;
    GLsizei _width = 0;
    GLsizei _height = 0;
    GLint _internalFormat = 0;
};

#endif
