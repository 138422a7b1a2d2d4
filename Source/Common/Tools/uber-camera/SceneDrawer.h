#ifndef UBER_CAMERA_TOOL_SCENE_DRAWER_H
#define UBER_CAMERA_TOOL_SCENE_DRAWER_H

// Draws a scene graph with OpenGL: every geometry below a root, at its node's
// world placement, and the wireframe of every camera that asks to be shown.
// Lit materials get a sun, with shadows from a shadow map made when the scene
// is loaded, and a sky light (normals from the surface's screen derivatives,
// as the geometry carries none); unlit materials and all lines show their
// colour as radiance, so colours above 1 are emitters.

#include "OSGMatrix.h"
#include "OSGNode.h"
#include "OSGUberCamera.h"
#include "kxShaderProgram.h"

#include <epoxy/gl.h>

#include <string>
#include <vector>

namespace render {

/// Colour of camera wireframes (linear RGB radiance).
inline const osg::Vec3f CameraWireColor{1.0f, 0.8f, 0.25f};
/// Towards the sun (unit length, world space, y up).
inline const osg::Vec3f SunDirection = [] {
    osg::Vec3f direction(0.5f, 0.8f, 0.35f);
    direction.normalize();
    return direction;
}();

class SceneDrawer {
public:
    SceneDrawer() = default;
    ~SceneDrawer();
    SceneDrawer(const SceneDrawer&) = delete;
    SceneDrawer& operator=(const SceneDrawer&) = delete;

    /// Compiles the drawing program (needs a current context); false with the log in `error`.
    bool init(std::string* error);
    /// Collects and uploads what to draw below `root`; `viewer`'s own wireframe
    /// is left out (it would enclose the eye). Call again after the scene changes.
    void load(const osg::NodePtr& root, const osg::UberCameraPtr& viewer);
    /// Draws into the bound framebuffer (depth test on) with the camera's matrices.
    void draw(const osg::Matrix& projection, const osg::Matrix& viewing) const;

    /// Texture unit of the shadow map while drawing; side of the map in texels.
    static constexpr GLint ShadowMapUnit = 3;
    static constexpr GLsizei ShadowMapSize = 2048;

    /// Number of draw batches and vertices loaded.
    std::size_t getBatchCount() const { return _batches.size(); }
    std::size_t getVertexCount() const { return _vertexCount; }

private:
    struct Batch {
        GLenum mode; ///< GL_TRIANGLES or GL_LINES
        GLint first;
        GLsizei count;
        osg::Matrix model;
        osg::Vec3f color;
        bool lit;
    };

    void releaseBuffers();
    /// Depth of the triangles seen from the sun, over `bounds`.
    void drawShadowMap(const osg::BoxVolume& bounds);

    kxShaderProgram _program;
    kxShaderProgram _shadowProgram;
    GLuint _vertexArray = 0;
    GLuint _buffer = 0;
    GLuint _shadowFramebuffer = 0;
    GLuint _shadowTexture = 0;
    osg::Matrix _lightViewProjection;
    GLint _viewProjectionLocation = -1;
    GLint _lightViewProjectionLocation = -1;
    GLint _modelLocation = -1;
    GLint _colorLocation = -1;
    GLint _litLocation = -1;
    std::vector<Batch> _batches;
    std::size_t _vertexCount = 0;
};

} // namespace render

#endif
