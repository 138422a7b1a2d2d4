#ifndef UBER_CAMERA_TOOL_RENDERER_H
#define UBER_CAMERA_TOOL_RENDERER_H

// One frame as the host renders it: the scene from a camera's `getProjection`
// and `getViewing` into a floating-point target (several lens samples
// averaged for depth of field), then the camera's post-processing into 8 bits.

#include "Framebuffer.h"
#include "PngFile.h"
#include "PostProcess.h"
#include "SceneDrawer.h"

#include "OSGUberCamera.h"
#include "kxShaderProgram.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace render {

/// Radiance of the background (alpha 0 in the HDR image marks it as background).
inline const osg::Vec3f SkyRadiance{0.2f, 0.3f, 0.55f};

class Renderer {
public:
    /// Coverage samples per pixel of the scene pass.
    static constexpr int Multisamples = 4;

    /// Needs a current context: targets of width x height, the programs.
    /// False with the reason in `error`.
    bool init(int width, int height, std::string* error);
    /// Takes in the scene to draw, seen by `viewer`.
    void load(const osg::NodePtr& root, const osg::UberCameraPtr& viewer);

    /// Renders `camera`'s view. With `lensSamples` > 1 and the camera's depth of
    /// field on, averages that many views through points of the lens
    /// (`applyDepthOfField`), then `resetDepthOfField`. False with the reason
    /// in `error` (a post-processing program that does not build, a GL error).
    /// `progress`, when given, hears (samples done, samples) after each lens sample.
    bool render(const osg::UberCameraPtr& camera, int lensSamples, Image& image, std::string* error,
                const std::function<void(int, int)>& progress = {});

    /// The i-th of n lens samples in [-1, 1]^2 (a Halton sequence: evenly spread for any n).
    static osg::Pnt2f lensSample(int i);

    PostProcess& getPostProcess() { return _post; }
    const SceneDrawer& getDrawer() const { return _drawer; }

private:
    void drawScene(const osg::Matrix& projection, const osg::Matrix& viewing);
    void accumulate(float weight);

    int _width = 0;
    int _height = 0;
    SceneDrawer _drawer;
    PostProcess _post;
    kxShaderProgram _accumulateProgram;
    GLint _weightLocation = -1;
    /// The display target's bytes, kept between frames (a 1280x720 frame reads 3.7 MB).
    std::vector<std::uint8_t> _readBack;
    Framebuffer _scene;    ///< multisampled, with depth
    Framebuffer _resolved; ///< one lens sample, RGBA16F
    Framebuffer _sum;      ///< the lens samples' average, RGBA32F
    Framebuffer _display;  ///< the post-processed frame, RGBA8
};

} // namespace render

#endif
