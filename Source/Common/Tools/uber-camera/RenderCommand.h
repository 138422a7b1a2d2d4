#ifndef UBER_CAMERA_TOOL_RENDER_COMMAND_H
#define UBER_CAMERA_TOOL_RENDER_COMMAND_H

// `uber-camera render`: the sample scene seen by one of its cameras, written
// as an 8-bit sRGB PNG (or a numbered series around the scene).

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace render {

/// Exit codes of the command, as `--help` lists them.
enum ExitCode : int {
    ExitOk = 0,
    ExitRenderFailed = 1, ///< a post-processing program did not build, an OpenGL error
    ExitUsage = 2,        ///< unknown command, option or camera; a bad value
    ExitNoContext = 3,    ///< no OpenGL context could be made
    ExitCannotWrite = 4,  ///< the output cannot be written
};

struct RenderOptions {
    std::string camera = "perspective";
    int width = 1280;
    int height = 720;
    int tonemapper = 4; ///< Hable filmic
    float exposure = 0; ///< stops
    std::optional<float> fStop;
    std::optional<float> focusDistance; ///< mm
    int lensSamples = 0;                ///< depth of field when above 1
    std::optional<float> fov;           ///< degrees
    std::optional<float> focalLength;   ///< mm
    std::optional<bool> orthographic;
    int turntableFrames = 0;
    float vignette = 0;
    std::string output = "uber-camera.png";
    bool help = false;
};

/// Largest accepted image side, in pixels. The render targets take about 80
/// bytes a pixel: 8192x8192 renders in some 5.5 GB.
constexpr int MaxImageSide = 8192;

/// Reads the options after the command name; false with one line saying what
/// is wrong in `problem`.
bool parseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string* problem);
/// The options with their defaults, and the exit codes.
void printRenderUsage(std::ostream& out);
/// Runs the command: the image(s), then where they went and the camera's key
/// values on `out`; progress and errors on `err`. Returns an `ExitCode`.
int runRender(const RenderOptions& options, std::ostream& out, std::ostream& err);

/// "frames/uber-camera-0007.png" for frame 7 of `output` "frames/uber-camera.png".
std::string framePath(const std::string& output, int frame);

} // namespace render

#endif
