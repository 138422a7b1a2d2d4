#ifndef KX_LUMIVEX_H
#define KX_LUMIVEX_H

#include "OSGSHLChunk.h"
#include "kxTexture.h"

#include <string>
#include <vector>

/// Colour management of one camera's sensor: the sensor transform (a lookup
/// table from relative exposure to display value, by response mode and by the
/// display's peak luminance in nits), the shader part that applies it, its
/// uniforms and its texture.
///
/// Response modes: 0 the camera's measured response curve (the shader part
/// then samples "cameraResponseCurve", a texture the caller binds); 1 a film
/// response (log-logistic), 2 a video gamma (BT.709 OETF), 3 linear; any
/// other value is treated as 3.
class kxLumivex {
public:
    enum TransformMode : unsigned { DisplayTransform = 0 };

    kxLumivex() = default;
    kxLumivex(const kxLumivex& other);
    kxLumivex& operator=(const kxLumivex& other);

    unsigned getCurrentResponseMode() const { return _responseMode; }
    int getCurrentNits() const { return _nits; }
    /// Rebuilds the transform table for `responseMode` and `nits` (the texture
    /// is uploaded when a context is current).
    void createSensorTransform(unsigned responseMode, int nits);
    /// 1024 RGB float triples of the current transform.
    const std::vector<float>& getTransformTable() const { return _table; }

    /// Appends GLSL defining `vec3 sensorTransform(vec3 exposure)` for the
    /// current response mode, with the uniforms it needs.
    void setupLumivexShader(std::string& source, TransformMode mode) const;
    /// Sets those uniforms; the transform table's sampler reads unit `unit`.
    /// Sets nothing for response mode 0 (the caller owns the curve's sampler).
    void setLumivexUniforms(osg::SHLChunkPtr& chunk, int unit, TransformMode mode) const;
    /// Binds / unbinds the transform texture to `textureUnit` (GL_TEXTURE0 + n).
    void bindLumivexTextures(GLenum textureUnit, TransformMode mode) const;
    void unbindLumivexTextures(GLenum textureUnit, TransformMode mode) const;

private:
    unsigned _responseMode = 0;
    int _nits = 0;
    std::vector<float> _table;
    mutable kxTexture _texture;
};

#endif
