// The headless renderer: the default image against a kept reference, depth of
// field against the pinhole, an orthographic view against its projection, every
// tonemapper, and the command's answers to bad input.
//
// The reference is made by the command itself, never by this test:
//   build/release/Source/Common/Tools/uber-camera/uber-camera --size 96x64 --output
//   Tests/Data/render-96x64.png

#include "RenderCommand.h"
#include "RenderScene.h"
#include "Renderer.h"
#include "SampleScene.h"

#include "HeadlessContextTest.h"
#include "NodeUtils.h"
#include "OSGTonemappingSettings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

using namespace osg;
using namespace render;

namespace ubercam::test {
namespace {

/// A channel may differ from the reference by this much (of 255): rounding, dithering.
constexpr int ReferenceTolerance = 3;
/// Share of pixels allowed beyond it: edges a rasteriser may place a pixel apart.
constexpr double ReferenceOutlierShare = 0.005;

const Vec3f WallColor{0.9f, 0.5f, 0.2f};

double channelDifference(const Image& a, const Image& b, int x, int y) {
    double sum = 0;
    for (int c = 0; c < 3; ++c)
        sum += std::abs(int(a.pixel(x, y)[c]) - int(b.pixel(x, y)[c]));
    return sum / 3;
}

class RenderTest : public HeadlessContextTest {
protected:
    void SetUp() override {
        HeadlessContextTest::SetUp();
        _folder =
            std::filesystem::temp_directory_path() / ("render-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(_folder);
    }
    void TearDown() override {
        sample::clearScene(); // the scene a test built, also after a failed assertion
        std::filesystem::remove_all(_folder);
        HeadlessContextTest::TearDown();
    }

    /// The command on `options`, with what it said.
    int run(RenderOptions options, std::string* said = nullptr) {
        std::ostringstream out, err;
        const int code = runRender(options, out, err);
        if (said != nullptr)
            *said = out.str() + err.str();
        // The command's context is gone: make the suite's current again.
        EXPECT_TRUE(context->makeCurrent());
        return code;
    }
    std::string path(const char* name) const { return (_folder / name).string(); }

    /// A bare scene 0 (its root in `root`) with a camera node; the camera looks from `from` at
    /// `at`.
    static UberCameraPtr startScene(const Pnt3f& from, const Pnt3f& at, const Vec3f& up,
                                    NodePtr& root) {
        root = sample::startScene();
        const UberCameraPtr camera = UberCamera::create();
        NodeUtils::createNodeWithCore(camera, root, "Camera");
        camera->setViewByFromAtUp(from, at, up, UberCamera::WorldSpace);
        return camera;
    }
    /// The render; a black image of the same size when it fails.
    static Image renderScene(Renderer& renderer, const UberCameraPtr& camera, int samples,
                             int width, int height) {
        Image image;
        std::string error;
        if (!renderer.render(camera, samples, image, &error)) {
            ADD_FAILURE() << error;
            image = {width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
        }
        return image;
    }

private:
    std::filesystem::path _folder;
};

// The default image, also as the first frame of a turntable, whose next frame turns.
TEST_F(RenderTest, DefaultImageMatchesTheReference) {
    RenderOptions options;
    options.width = 96;
    options.height = 64;
    options.output = path("still.png");
    ASSERT_EQ(run(options), ExitOk);
    options.turntableFrames = 2;
    options.output = path("spin.png");
    ASSERT_EQ(run(options), ExitOk);
    EXPECT_FALSE(std::filesystem::exists(options.output));
    EXPECT_FALSE(std::filesystem::exists(path("spin-0003.png")));

    Image reference;
    std::string error;
    ASSERT_TRUE(readPng(UBERCAM_TEST_DATA_DIR "/render-96x64.png", reference, &error)) << error;
    for (const char* name : {"still.png", "spin-0001.png", "spin-0002.png"}) {
        SCOPED_TRACE(name);
        Image rendered;
        ASSERT_TRUE(readPng(path(name), rendered, &error)) << error;
        ASSERT_EQ(rendered.width, reference.width);
        ASSERT_EQ(rendered.height, reference.height);
        int outliers = 0;
        for (std::size_t i = 0; i < rendered.rgb.size(); ++i)
            outliers += std::abs(int(rendered.rgb[i]) - int(reference.rgb[i])) > ReferenceTolerance;
        const double allowed = ReferenceOutlierShare * double(rendered.rgb.size());
        if (std::string(name) == "spin-0002.png")
            EXPECT_GT(outliers, 10 * allowed) << "the turntable did not turn";
        else
            EXPECT_LE(outliers, allowed);
    }
}

// Looking straight down at a checkered floor in focus, with a checkered table
// half-way up covering the image's right part: the lens blurs only the table.
TEST_F(RenderTest, DepthOfFieldBlursOnlyAwayFromTheFocusPlane) {
    constexpr Real32 Height = 1000, Size = 800, TableOffset = 440;
    constexpr int Width = 128, Height_ = 96;
    NodePtr root;
    const UberCameraPtr camera = startScene({0, Height, 0}, {0, 0, 0}, {0, 0, -1}, root);
    for (bool odd : {false, true}) {
        const MaterialPtr material =
            makeMaterial(odd ? Vec3f(1, 1, 1) : Vec3f(0.05f, 0.05f, 0.05f), false);
        addObject(root, "floor", makeTriangles(checkerTriangles(Size, 16, odd), material),
                  {0, 0, 0}, 0);
        addObject(root, "table", makeTriangles(checkerTriangles(Size, 16, odd), material),
                  {TableOffset, Height / 2, 0}, 0);
    }
    camera->setFocalLength(50);
    camera->setFStop(1);
    beginEditCP(camera);
    camera->setFocusDistance(Height);
    camera->setNear(10);
    camera->setFar(5000);
    endEditCP(camera);
    camera->setDepthOfField(true);

    Renderer renderer;
    std::string error;
    ASSERT_TRUE(renderer.init(Width, Height_, &error)) << error;
    renderer.load(root, camera);
    const Image pinhole = renderScene(renderer, camera, 1, Width, Height_);
    const Image lens = renderScene(renderer, camera, 32, Width, Height_);

    // The table's left edge: where its first column crosses the image's middle row.
    int tableEdge = Width;
    {
        Matrix projection, viewing;
        camera->getProjection(projection, Width, Height_);
        camera->getViewing(viewing, Width, Height_);
        projection.mult(viewing);
        Pnt3f edge;
        projection.multFullMatrixPnt(Pnt3f(TableOffset - Size / 2, Height / 2, 0), edge);
        tableEdge = int((edge[0] * 0.5f + 0.5f) * Width);
    }
    ASSERT_GT(tableEdge, Width / 3);
    ASSERT_LT(tableEdge, Width - 16);

    double floorDifference = 0, tableDifference = 0;
    int floorPixels = 0, tablePixels = 0;
    for (int y = Height_ / 4; y < Height_ * 3 / 4; ++y) {
        for (int x = 8; x < tableEdge - 8; ++x, ++floorPixels)
            floorDifference += channelDifference(pinhole, lens, x, y);
        for (int x = tableEdge + 8; x < Width - 2; ++x, ++tablePixels)
            tableDifference += channelDifference(pinhole, lens, x, y);
    }
    floorDifference /= floorPixels;
    tableDifference /= tablePixels;
    EXPECT_LT(floorDifference, 2.0) << "the focus plane is blurred";
    EXPECT_GT(tableDifference, 15.0) << "the table is not blurred";
    // The lens is back at the centre afterwards.
    EXPECT_EQ(renderScene(renderer, camera, 1, Width, Height_).rgb, pinhole.rgb);
}

// A box seen from the front without perspective covers exactly the pixels its
// corners project to.
TEST_F(RenderTest, OrthographicBoxCoversTheProjectedRectangle) {
    constexpr int Width = 120, Height = 80;
    NodePtr root;
    const UberCameraPtr camera = startScene({-5000, 0, 0}, {0, 0, 0}, {0, 1, 0}, root);
    const Vec3f size(400, 600, 900), centre(0, 100, 250);
    addObject(root, "box", makeTriangles(boxTriangles(size), makeMaterial(WallColor, false)),
              centre, 0);
    beginEditCP(camera);
    camera->setProjectionMode(UberCamera::OrthographicProjection);
    camera->setFrustumSides(Vec4f(-1200, 1200, -800, 800));
    camera->setNear(10);
    camera->setFar(20000);
    endEditCP(camera);

    Renderer renderer;
    std::string error;
    ASSERT_TRUE(renderer.init(Width, Height, &error)) << error;
    renderer.load(root, camera);
    const Image image = renderScene(renderer, camera, 1, Width, Height);

    Matrix projection, viewing;
    camera->getProjection(projection, Width, Height);
    camera->getViewing(viewing, Width, Height);
    projection.mult(viewing);
    Pnt3f low, high; // window coordinates of two opposite corners of the box's front face
    projection.multFullMatrixPnt(
        Pnt3f(-size[0] / 2, centre[1] - size[1] / 2, centre[2] + size[2] / 2), low);
    projection.multFullMatrixPnt(
        Pnt3f(-size[0] / 2, centre[1] + size[1] / 2, centre[2] - size[2] / 2), high);
    auto toPixelX = [&](Real32 ndc) { return (ndc * 0.5f + 0.5f) * Width; };
    auto toPixelY = [&](Real32 ndc) { return (0.5f - ndc * 0.5f) * Height; }; // rows top down
    const Real32 left = std::min(toPixelX(low[0]), toPixelX(high[0]));
    const Real32 right = std::max(toPixelX(low[0]), toPixelX(high[0]));
    const Real32 top = std::min(toPixelY(low[1]), toPixelY(high[1]));
    const Real32 bottom = std::max(toPixelY(low[1]), toPixelY(high[1]));
    ASSERT_GT(right - left, 10);
    ASSERT_GT(bottom - top, 10);

    const std::uint8_t* inside = image.pixel(int((left + right) / 2), int((top + bottom) / 2));
    const std::uint8_t* outside = image.pixel(1, 1);
    ASSERT_GT(std::abs(int(inside[0]) - int(outside[0])), 40);
    int wrong = 0;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const Real32 cx = Real32(x) + 0.5f, cy = Real32(y) + 0.5f;
            const bool in = cx > left + 1 && cx < right - 1 && cy > top + 1 && cy < bottom - 1;
            const bool out = cx < left - 1 || cx > right + 1 || cy < top - 1 || cy > bottom + 1;
            const std::uint8_t* expected = in ? inside : out ? outside : nullptr;
            if (expected != nullptr)
                wrong +=
                    std::abs(int(image.pixel(x, y)[0]) - int(expected[0])) > ReferenceTolerance;
        }
    }
    EXPECT_EQ(wrong, 0) << "rectangle " << left << ".." << right << " x " << top << ".." << bottom;
}

double meanLevel(const Image& image, int x0, int y0, int x1, int y1) {
    double sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            sum += image.pixel(x, y)[0] + image.pixel(x, y)[1] + image.pixel(x, y)[2];
    return sum / (3.0 * (x1 - x0) * (y1 - y0));
}

// A new operator or blend rebuilds the program; a new value only refreshes its uniforms.
TEST_F(RenderTest, SettingsChangesReachTheImage) {
    constexpr int Width = 32, Height = 24;
    const RenderScene scene;
    for (const std::string& name : RenderScene::getCameraNames())
        EXPECT_GT(scene.findCamera(name)->getFocusDistance(), 0) << name << " has no focus";
    const UberCameraPtr camera = scene.findCamera("perspective");
    Renderer renderer;
    std::string error;
    ASSERT_TRUE(renderer.init(Width, Height, &error)) << error;
    renderer.load(scene.getRoot(), camera);
    const TonemappingSettingsPtr settings = camera->getTonemappingSettings();
    auto edit = [&](auto change) {
        beginEditCP(settings);
        change(*settings);
        endEditCP(settings);
        return renderScene(renderer, camera, 0, Width, Height); // fails on a GL error too
    };
    for (int id = 0; id <= 10; ++id) {
        SCOPED_TRACE(::testing::Message() << "tonemapper " << id);
        edit([id](TonemappingSettings& s) { s.setTonemapperId(id); });
        EXPECT_EQ(renderer.getPostProcess().getBuildCount(), id + 1);
    }

    const Image plain = edit([](TonemappingSettings& s) { s.setTonemapperId(4); });
    const Image brighter = edit([](TonemappingSettings& s) { s.setExposure(1); });
    EXPECT_EQ(renderer.getPostProcess().getBuildCount(), 12); // values only: no new program
    EXPECT_GT(meanLevel(brighter, 0, 0, Width, Height), meanLevel(plain, 0, 0, Width, Height) + 5);
    const Image vignetted = edit([](TonemappingSettings& s) {
        s.setExposure(0);
        s.setBlendMode(TonemappingSettings::VignetteBlending);
        s.setBlendAmount(1);
        s.setVignetteRadius(0.3f);
    });
    EXPECT_EQ(renderer.getPostProcess().getBuildCount(), 13);
    EXPECT_LT(meanLevel(vignetted, 0, 0, 4, 4), meanLevel(plain, 0, 0, 4, 4) - 20);
    EXPECT_NEAR(meanLevel(vignetted, 14, 10, 18, 14), meanLevel(plain, 14, 10, 18, 14), 1);
}

TEST_F(RenderTest, BadInputIsRefusedWithOneClearLine) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } refused[] = {
        {{"--size", "0x64"}, "--size: each side must be from 1 to 8192 pixels, got 0x64"},
        {{"--size", "100000x10"}, "--size: each side must be from 1 to 8192"},
        {{"--size=96"}, "--size: expected WIDTHxHEIGHT, got \"96\""},
        {{"--exposure", "1e"}, "--exposure: expected a number, got \"1e\""},
        {{"--exposure", "nan"}, "--exposure: expected a number"},
        {{"--tonemapper", "11"}, "--tonemapper: must be from 0 to 10, got 11"},
        {{"--fov", "180"}, "--fov: must be between 0 and 180 (exclusive), got 180"},
        {{"--projection", "fisheye"}, "--projection: expected perspective or orthographic"},
        {{"--fov", "40", "--focal-length", "50"}, "--fov and --focal-length"},
        {{"--output"}, "--output: needs a value (PATH)"},
        {{"--frobnicate", "1"}, "unknown option \"--frobnicate\""},
    };
    for (const auto& c : refused) {
        RenderOptions options;
        std::string problem;
        EXPECT_FALSE(parseRenderOptions(c.args, options, &problem)) << c.message;
        EXPECT_EQ(problem.rfind(c.message, 0), 0u) << problem;
    }
    RenderOptions options;
    std::string problem;
    ASSERT_TRUE(parseRenderOptions({"--size=640x480", "--camera", "Orbit", "--exposure", "-1.5",
                                    "--projection", "orthographic"},
                                   options, &problem))
        << problem;
    EXPECT_EQ(options.width, 640);
    EXPECT_EQ(options.exposure, -1.5f);
    EXPECT_TRUE(options.orthographic.value_or(false));
    EXPECT_EQ(framePath("out/a.b/shot.png", 7), "out/a.b/shot-0007.png");
    EXPECT_EQ(framePath("a.b/shot", 12), "a.b/shot-0012");

    // Refusals that need the scene or the file system: nothing is left behind.
    RenderOptions unknown;
    unknown.camera = "Dolly";
    unknown.output = path("dolly.png");
    std::string said;
    EXPECT_EQ(run(unknown, &said), ExitUsage);
    EXPECT_NE(said.find("unknown camera \"Dolly\" (known: perspective, front, side, top, Orbit"),
              std::string::npos)
        << said;
    unknown.output = path("missing/folder/x.png"); // the camera is refused first
    EXPECT_EQ(run(unknown, &said), ExitUsage);
    RenderOptions nowhere;
    nowhere.output = unknown.output;
    EXPECT_EQ(run(nowhere, &said), ExitCannotWrite);
    EXPECT_NE(said.find("cannot write " + nowhere.output), std::string::npos) << said;
    RenderOptions topSpin;
    topSpin.camera = "top";
    topSpin.turntableFrames = 2;
    topSpin.output = path("top.png");
    EXPECT_EQ(run(topSpin, &said), ExitUsage);
    EXPECT_NE(said.find("its orbit has no radius"), std::string::npos) << said;
    const Image pixel{1, 1, {0, 0, 0}};
    EXPECT_FALSE(writePng(path("missing/x.png"), pixel, &said));
    EXPECT_TRUE(writePng(path("dot.png"), pixel, &said)) << said;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path("")), {}), 1)
        << "only dot.png, no partial file";
}

} // namespace
} // namespace ubercam::test
