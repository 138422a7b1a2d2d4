#include "RenderCommand.h"
#include "RenderScene.h"
#include "Renderer.h"

#include "OSGTonemappingSettings.h"
#include "kxHeadlessContext.h"
#include "kxUberCameraUtils.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <cmath>
#include <functional>
#include <iomanip>
#include <memory>
#include <sstream>

using namespace osg;

namespace render {
namespace {

// ---- reading values ----------------------------------------------------------------------

bool readFloat(const std::string& text, float& value) {
    const char* end = text.data() + text.size();
    const auto [stop, code] = std::from_chars(text.data(), end, value);
    return code == std::errc() && stop == end && std::isfinite(value);
}

bool readInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [stop, code] = std::from_chars(text.data(), end, value);
    return code == std::errc() && stop == end;
}

using Reader =
    std::function<bool(const std::string& text, RenderOptions& options, std::string* problem)>;

// A number in [low, high] (open at an end when `open`) stored by `store`.
Reader floatIn(float low, float high, bool open, std::function<void(RenderOptions&, float)> store) {
    return [=](const std::string& text, RenderOptions& options, std::string* problem) {
        float value = 0;
        if (!readFloat(text, value)) {
            *problem = "expected a number, got \"" + text + "\"";
            return false;
        }
        const bool inside = open ? value > low && value < high : value >= low && value <= high;
        if (!inside) {
            std::ostringstream range;
            range << (open ? "between " : "from ") << low << (open ? " and " : " to ") << high
                  << (open ? " (exclusive)" : "");
            *problem = "must be " + range.str() + ", got " + text;
            return false;
        }
        store(options, value);
        return true;
    };
}

Reader intIn(int low, int high, std::function<void(RenderOptions&, int)> store) {
    return [=](const std::string& text, RenderOptions& options, std::string* problem) {
        int value = 0;
        if (!readInt(text, value)) {
            *problem = "expected a whole number, got \"" + text + "\"";
            return false;
        }
        if (value < low || value > high) {
            *problem = "must be from " + std::to_string(low) + " to " + std::to_string(high) +
                       ", got " + text;
            return false;
        }
        store(options, value);
        return true;
    };
}

bool readSize(const std::string& text, RenderOptions& options, std::string* problem) {
    const size_t cross = text.find('x');
    int width = 0, height = 0;
    if (cross == std::string::npos || !readInt(text.substr(0, cross), width) ||
        !readInt(text.substr(cross + 1), height)) {
        *problem = "expected WIDTHxHEIGHT, got \"" + text + "\"";
        return false;
    }
    if (width < 1 || height < 1 || width > MaxImageSide || height > MaxImageSide) {
        *problem =
            "each side must be from 1 to " + std::to_string(MaxImageSide) + " pixels, got " + text;
        return false;
    }
    options.width = width;
    options.height = height;
    return true;
}

bool readProjection(const std::string& text, RenderOptions& options, std::string* problem) {
    if (text != "perspective" && text != "orthographic") {
        *problem = "expected perspective or orthographic, got \"" + text + "\"";
        return false;
    }
    options.orthographic = text == "orthographic";
    return true;
}

bool readText(std::string RenderOptions::*member, const std::string& text, RenderOptions& options,
              std::string* problem) {
    if (text.empty()) {
        *problem = "must not be empty";
        return false;
    }
    options.*member = text;
    return true;
}

struct Option {
    const char* name;
    const char* value;
    const char* help; ///< with the default
    Reader read;
};

const std::vector<Option>& allOptions() {
    using namespace std::placeholders;
    static const std::vector<Option> options = {
        {"--camera", "NAME",
         "camera: perspective, front, side, top, Orbit or Closeup (perspective)",
         std::bind(readText, &RenderOptions::camera, _1, _2, _3)},
        {"--size", "WxH", "image size in pixels, at most 8192 a side (1280x720)", readSize},
        {"--tonemapper", "ID",
         "0 linear, 1 Reinhard, 2 extended Reinhard, 3 logarithmic, 4 Hable filmic,\n"
         "                      5 response curve, 6 false colour, 7 iso-luminance, 8 ACES,\n"
         "                      9 PBR Neutral, 10 sensor transform (4)",
         intIn(0, 10, [](RenderOptions& o, int v) { o.tonemapper = v; })},
        {"--exposure", "STOPS", "exposure correction, -20 to 20 (0)",
         floatIn(-20, 20, false, [](RenderOptions& o, float v) { o.exposure = v; })},
        {"--fstop", "N", "lens f-number, 0.5 to 128 (the camera's)",
         floatIn(0.5f, 128, false, [](RenderOptions& o, float v) { o.fStop = v; })},
        {"--focus", "MM", "focus distance in mm (the camera's: its target)",
         floatIn(0, 1e9f, true, [](RenderOptions& o, float v) { o.focusDistance = v; })},
        {"--dof-samples", "N",
         "lens samples for depth of field, 0 to 1024; 0 or 1 is a pinhole (0)",
         intIn(0, 1024, [](RenderOptions& o, int v) { o.lensSamples = v; })},
        {"--fov", "DEG", "field of view in degrees, between 0 and 180 (the camera's)",
         floatIn(0, 180, true, [](RenderOptions& o, float v) { o.fov = v; })},
        {"--focal-length", "MM", "focal length in mm, instead of --fov (the camera's)",
         floatIn(0, 1e6f, true, [](RenderOptions& o, float v) { o.focalLength = v; })},
        {"--projection", "MODE", "perspective or orthographic (the camera's)", readProjection},
        {"--turntable", "N", "N frames around the scene, 0 to 3600, as OUTPUT-0001.png ... (0)",
         intIn(0, 3600, [](RenderOptions& o, int v) { o.turntableFrames = v; })},
        {"--vignette", "AMOUNT", "darkening towards the corners, 0 to 1 (0)",
         floatIn(0, 1, false, [](RenderOptions& o, float v) { o.vignette = v; })},
        {"--output", "PATH", "the PNG to write (uber-camera.png)",
         std::bind(readText, &RenderOptions::output, _1, _2, _3)},
    };
    return options;
}

// ---- the camera --------------------------------------------------------------------------

constexpr const char* TonemapperNames[] = {"linear",       "Reinhard",        "extended Reinhard",
                                           "logarithmic",  "Hable filmic",    "response curve",
                                           "false colour", "iso-luminance",   "ACES",
                                           "PBR Neutral",  "sensor transform"};

// Below this horizontal distance (mm) from its target a camera has no orbit to turn on.
constexpr float MinTurntableRadius = 1.0f;

// Vignette shape: full strength from half the way to the edge middles, round, soft.
constexpr float VignetteRadius = 0.5f;
constexpr float VignetteRoundness = 1.0f;
constexpr float VignetteFeather = 0.9f;

void applyLens(const UberCameraPtr& camera, const RenderOptions& options, const BoxVolume& bounds) {
    // The field of view first: framing for a new projection depends on it.
    if (options.fov) {
        beginEditCP(camera, PerspectiveCameraBase::FovFieldMask);
        camera->setFov(*options.fov);
        endEditCP(camera, PerspectiveCameraBase::FovFieldMask);
    }
    if (options.focalLength)
        camera->setFocalLength(*options.focalLength);
    if (options.orthographic && *options.orthographic != camera->isOrthographic()) {
        beginEditCP(camera, UberCameraBase::ProjectionModeFieldMask);
        camera->setProjectionMode(*options.orthographic ? UberCamera::OrthographicProjection
                                                        : UberCamera::PerspectiveProjection);
        endEditCP(camera, UberCameraBase::ProjectionModeFieldMask);
        camera->show(bounds, true); // framed again, looking at the scene's centre
        focusOnTarget(camera);
    }
    if (options.fStop)
        camera->setFStop(*options.fStop);
    if (options.focusDistance) {
        beginEditCP(camera, UberCameraBase::FocusDistanceFieldMask);
        camera->setFocusDistance(*options.focusDistance);
        endEditCP(camera, UberCameraBase::FocusDistanceFieldMask);
    }
    camera->setDepthOfField(options.lensSamples > 1);
}

void applyTonemapping(const UberCameraPtr& camera, const RenderOptions& options) {
    const TonemappingSettingsPtr settings = camera->getTonemappingSettings();
    if (settings.isNull())
        return;
    beginEditCP(settings);
    settings->setTonemapperId(options.tonemapper);
    settings->setExposure(options.exposure);
    if (options.vignette > 0) {
        settings->setBlendMode(TonemappingSettings::VignetteBlending);
        settings->setBlendAmount(options.vignette);
        settings->setVignetteRadius(VignetteRadius);
        settings->setVignetteRoundness(VignetteRoundness);
        settings->setVignetteFeather(VignetteFeather);
    }
    endEditCP(settings);
}

// Places the camera on frame `frame` of `frames` of its orbit, starting where it stands.
void placeOnTurntable(const UberCameraPtr& camera, const Vec3f& start, int frame, int frames) {
    beginEditCP(camera, UberCameraBase::TurntableParameterFieldMask);
    camera->editTurntableParameter() =
        Vec3f(start[0], start[1], start[2] + 360.0f * float(frame) / float(frames));
    endEditCP(camera, UberCameraBase::TurntableParameterFieldMask);
}

void printSummary(std::ostream& out, const UberCameraPtr& camera, const RenderOptions& options,
                  const std::string& written) {
    static_assert(std::size(TonemapperNames) == 11);
    // Read back from the camera's settings, which the renderer used.
    const TonemappingSettingsPtr settings = camera->getTonemappingSettings();
    const float exposure = settings.isNull() ? 0.0f : settings->getExposure();
    const int tonemapper = settings.isNull() ? -1 : settings->getTonemapperId();
    const char* tonemapperName =
        tonemapper >= 0 && tonemapper <= 10 ? TonemapperNames[tonemapper] : "none";
    const char* fovAxis = camera->getFovMode() == PerspectiveCamera::HorizontalFov ? "horizontal"
                          : camera->getFovMode() == PerspectiveCamera::VerticalFov ? "vertical"
                                                                                   : "smaller side";
    out << "wrote " << written << " (" << options.width << "x" << options.height
        << ") from camera \"" << kxUberCameraUtils::getName(camera) << "\"\n"
        << std::fixed << std::setprecision(1) << "  projection      "
        << (camera->isOrthographic() ? "orthographic" : "perspective") << "\n"
        << "  focal length    " << camera->getFocalLength() << " mm\n"
        << "  field of view   " << camera->getFov() << " deg (" << fovAxis << ")\n"
        << "  f-stop          f/" << camera->getFStop() << "\n"
        << "  focus distance  " << std::setprecision(0) << camera->getFocusDistance() << " mm\n"
        << "  exposure        " << std::setprecision(1) << exposure << " stops, tonemapper "
        << tonemapper << " (" << tonemapperName << ")\n"
        << "  depth of field  "
        << (camera->getDepthOfField() ? std::to_string(options.lensSamples) + " lens samples"
                                      : std::string("off (pinhole)"))
        << "\n";
}

// The folder an output goes to must exist and take new files; the path must not be a folder.
bool outputWritable(const std::string& path, std::string* problem) {
    std::error_code ignored;
    if (path.empty() || path.back() == '/' || std::filesystem::is_directory(path, ignored)) {
        *problem = "cannot write " + path + ": it is a folder";
        return false;
    }
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const std::string checked = folder.empty() ? "." : folder.string();
    if (access(checked.c_str(), W_OK) != 0) {
        *problem = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

// Lines on standard error at each quarter of a long frame's lens samples.
std::function<void(int, int)> sampleProgress(std::ostream& err) {
    return [&err](int done, int total) {
        if (total >= 16 && done * 4 / total != (done - 1) * 4 / total)
            err << "uber-camera: lens sample " << done << "/" << total << "\n";
    };
}

} // namespace

std::string framePath(const std::string& output, int frame) {
    const size_t slash = output.rfind('/');
    size_t dot = output.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        dot = output.size();
    char number[16];
    std::snprintf(number, sizeof number, "-%04d", frame);
    return output.substr(0, dot) + number + output.substr(dot);
}

bool parseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string* problem) {
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i], value;
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        const size_t equals = name.find('=');
        const bool inlineValue = equals != std::string::npos;
        if (inlineValue) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const Option* option = nullptr;
        for (const Option& candidate : allOptions()) {
            if (name == candidate.name)
                option = &candidate;
        }
        if (option == nullptr) {
            *problem = "unknown option \"" + name + "\" (see uber-camera --help)";
            return false;
        }
        if (!inlineValue) {
            if (i + 1 == args.size()) {
                *problem = name + ": needs a value (" + option->value + ")";
                return false;
            }
            value = args[++i];
        }
        std::string why;
        if (!option->read(value, options, &why)) {
            *problem = name + ": " + why;
            return false;
        }
    }
    if (options.fov && options.focalLength) {
        *problem = "--fov and --focal-length both set the field of view: give one";
        return false;
    }
    return true;
}

void printRenderUsage(std::ostream& out) {
    out << "uber-camera [render] [options]: renders the sample scene from one of its cameras\n"
           "through the camera's post-processing into an 8-bit sRGB PNG.\n\noptions (default):\n";
    for (const Option& option : allOptions()) {
        const std::string head = std::string(option.name) + " " + option.value;
        out << "  " << std::left << std::setw(20) << head << option.help << "\n";
    }
    out << "  " << std::left << std::setw(20) << "--help"
        << "this text\n"
        << "\nexit codes:\n"
           "  0  the image (or every turntable frame) was written\n"
           "  1  rendering failed (a post-processing program did not build, an OpenGL error)\n"
           "  2  bad command line: unknown command, option or camera, a bad value\n"
           "  3  no OpenGL context could be made\n"
           "  4  the output cannot be written (an image appears whole or not at all)\n";
}

int runRender(const RenderOptions& options, std::ostream& out, std::ostream& err) {
    // What the command line alone decides is refused before anything is made.
    if (!RenderScene::knowsCamera(options.camera)) {
        std::string known;
        for (const std::string& name : RenderScene::getCameraNames())
            known += (known.empty() ? "" : ", ") + name;
        err << "uber-camera: unknown camera \"" << options.camera << "\" (known: " << known
            << ")\n";
        return ExitUsage;
    }
    std::string problem;
    if (!outputWritable(options.output, &problem)) {
        err << "uber-camera: " << problem << "\n";
        return ExitCannotWrite;
    }
    const std::unique_ptr<kxHeadlessContext> context = kxHeadlessContext::create(&problem);
    if (context == nullptr) {
        err << "uber-camera: no OpenGL context: " << problem << "\n";
        return ExitNoContext;
    }

    const RenderScene scene;
    const UberCameraPtr camera = scene.findCamera(options.camera);
    if (camera.isNull()) {
        err << "uber-camera: the sample scene has no camera \"" << options.camera << "\"\n";
        return ExitRenderFailed;
    }
    applyLens(camera, options, scene.getObjectBounds());
    applyTonemapping(camera, options);

    Renderer renderer;
    if (!renderer.init(options.width, options.height, &problem)) {
        err << "uber-camera: " << problem << "\n";
        return ExitRenderFailed;
    }
    renderer.load(scene.getRoot(), camera);
    const auto progress = sampleProgress(err);

    const int frames = std::max(options.turntableFrames, 1);
    Vec3f orbit;
    if (options.turntableFrames > 0) {
        camera->getTurntableFromFromAtUp(orbit[0], orbit[1], orbit[2]);
        if (!(orbit[0] >= MinTurntableRadius)) {
            err << "uber-camera: --turntable: camera \"" << kxUberCameraUtils::getName(camera)
                << "\" looks straight down or up at its target: its orbit has no radius\n";
            return ExitUsage;
        }
    }
    for (int frame = 0; frame < frames; ++frame) {
        const bool series = options.turntableFrames > 0;
        const std::string path = series ? framePath(options.output, frame + 1) : options.output;
        if (series) {
            placeOnTurntable(camera, orbit, frame, frames);
            err << "uber-camera: frame " << frame + 1 << "/" << frames << "\n";
        }
        Image image;
        if (!renderer.render(camera, options.lensSamples, image, &problem, progress)) {
            err << "uber-camera: " << problem << "\n";
            return ExitRenderFailed;
        }
        if (!writePng(path, image, &problem)) {
            err << "uber-camera: " << problem << "\n";
            return ExitCannotWrite;
        }
    }
    // Where the images are, whatever folder the program was started in.
    std::error_code ignored;
    const std::string output = std::filesystem::absolute(options.output, ignored).string();
    const std::string written = options.turntableFrames > 0
                                    ? std::to_string(frames) + " frames " + framePath(output, 1) +
                                          " ... " + framePath(output, frames)
                                    : output;
    printSummary(out, camera, options, written);
    return ExitOk;
}

} // namespace render
