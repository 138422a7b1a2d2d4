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
    static Image renderScene(Renderer& renderer, const UberCameraPtr& camera, int samples) {
        Image image;
        std::string error;
        EXPECT_TRUE(renderer.render(camera, samples, image, &error)) << error;
        return image;
    }

private:
    std::filesystem::path _folder;
};

TEST_F(RenderTest, DefaultImageMatchesTheReference) {
    RenderOptions options;
    options.width = 96;
    options.height = 64;
    options.output = path("small.png");
    ASSERT_EQ(run(options), ExitOk);

    Image rendered, reference;
    std::string error;
    ASSERT_TRUE(readPng(options.output, rendered, &error)) << error;
    ASSERT_TRUE(readPng(UBERCAM_TEST_DATA_DIR "/render-96x64.png", reference, &error)) << error;
    ASSERT_EQ(rendered.width, reference.width);
    ASSERT_EQ(rendered.height, reference.height);
    int outliers = 0;
    for (int y = 0; y < rendered.height; ++y) {
        for (int x = 0; x < rendered.width; ++x) {
            for (int c = 0; c < 3; ++c)
                outliers += std::abs(int(rendered.pixel(x, y)[c]) - int(reference.pixel(x, y)[c])) >
                            ReferenceTolerance;
        }
    }
    EXPECT_LE(outliers, ReferenceOutlierShare * rendered.width * rendered.height * 3);
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
    const Image pinhole = renderScene(renderer, camera, 1);
    const Image lens = renderScene(renderer, camera, 32);

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
    EXPECT_EQ(channelDifference(renderScene(renderer, camera, 1), pinhole, Width / 2, Height_ / 2),
              0);
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
    const Image image = renderScene(renderer, camera, 1);

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

TEST_F(RenderTest, EveryTonemapperRendersAndRebuildsTheProgram) {
    const RenderScene scene;
    const UberCameraPtr camera = scene.findCamera("perspective");
    ASSERT_FALSE(camera.isNull());
    Renderer renderer;
    std::string error;
    ASSERT_TRUE(renderer.init(32, 24, &error)) << error;
    renderer.load(scene.getRoot(), camera);
    const TonemappingSettingsPtr settings = camera->getTonemappingSettings();
    for (int id = 0; id <= 10; ++id) {
        SCOPED_TRACE(::testing::Message() << "tonemapper " << id);
        beginEditCP(settings);
        settings->setTonemapperId(id);
        endEditCP(settings);
        Image image;
        EXPECT_TRUE(renderer.render(camera, 0, image, &error)) << error; // fails on a GL error
        EXPECT_EQ(renderer.getPostProcess().getBuildCount(), id + 1);
    }
}

TEST_F(RenderTest, TurntableWritesOneNumberedImagePerFrame) {
    RenderOptions options;
    options.width = options.height = 24;
    options.turntableFrames = 3;
    options.output = path("spin.png");
    std::string said;
    ASSERT_EQ(run(options, &said), ExitOk) << said;
    EXPECT_FALSE(std::filesystem::exists(options.output));
    Image first, second;
    std::string error;
    ASSERT_TRUE(readPng(path("spin-0001.png"), first, &error)) << error;
    ASSERT_TRUE(readPng(path("spin-0003.png"), second, &error)) << error;
    EXPECT_FALSE(std::filesystem::exists(path("spin-0004.png")));
    EXPECT_NE(first.rgb, second.rgb);
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
    RenderOptions nowhere;
    nowhere.output = path("missing/folder/x.png");
    EXPECT_EQ(run(nowhere, &said), ExitCannotWrite);
    EXPECT_NE(said.find("cannot write " + nowhere.output), std::string::npos) << said;
    EXPECT_TRUE(std::filesystem::is_empty(path("")));
}

} // namespace
} // namespace ubercam::test
