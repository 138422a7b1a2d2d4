#ifndef UBER_CAMERA_TOOL_FRAMEBUFFER_H
#define UBER_CAMERA_TOOL_FRAMEBUFFER_H

#include "kxTexture.h"

#include <epoxy/gl.h>

namespace render {

/// A framebuffer object of one size with one colour attachment: a texture
/// (for passes that sample it) or a multisampled renderbuffer with depth (for
/// drawing the scene, resolved into a texture framebuffer).
class Framebuffer {
public:
    Framebuffer() = default;
    ~Framebuffer();
    Framebuffer(const Framebuffer&) = delete;
    Framebuffer& operator=(const Framebuffer&) = delete;

    /// Colour in a texture of `internalFormat` (GL_RGBA16F, GL_RGBA8, ...),
    /// sampled without filtering; false when GL refuses.
    bool createTexture(GLsizei width, GLsizei height, GLint internalFormat);
    /// Colour of `internalFormat` and 24-bit depth, `samples` per pixel.
    bool createMultisample(GLsizei width, GLsizei height, GLint internalFormat, GLsizei samples);

    /// Binds it for drawing, over its whole size.
    void bind() const;
    /// Resolves (or copies) the colour into `target`, which has the same size.
    void blitTo(const Framebuffer& target) const;
    /// The colour texture; none for a multisampled framebuffer.
    const kxTexture& getTexture() const { return _texture; }
    GLsizei getWidth() const { return _width; }
    GLsizei getHeight() const { return _height; }

private:
    bool complete();
    void release();

    GLuint _framebuffer = 0;
    GLuint _colorBuffer = 0;
    GLuint _depthBuffer = 0;
    kxTexture _texture;
    GLsizei _width = 0;
    GLsizei _height = 0;
};

} // namespace render

#endif
