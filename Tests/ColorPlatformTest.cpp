// The platform's colour pieces: ICC profiles read with LittleCMS, the sensor transform and its
// shader part, response curves and their data files, and the tonemapping settings' matrices.

#include "OSGFieldContainerFactory.h"
#include "OSGICCProfileAttachment.h"
#include "OSGTonemappingSettings.h"
#include "kxColor.h"
#include "kxHeadlessContext.h"
#include "kxShaderProgram.h"
#include "kxUtils.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

using namespace osg;

namespace {

const char* const IccFolder = "/usr/share/color/icc/";

float srgbEncode(float linear) {
    return linear <= 0.0031308f ? 12.92f * linear : 1.055f * std::pow(linear, 1 / 2.4f) - 0.055f;
}

TEST(ColorPlatformTest, SrgbTableIsTheInverseOfTheSrgbCurveAndColorantsSumToD50) {
    const kxICCProfile& profile = kxColor::getMonitorICCProfile();
    ASSERT_TRUE(profile.isValid());
    const std::vector<float>& table = profile.getToneResponseTable();
    ASSERT_EQ(table.size(), 1024u * 3);
    for (unsigned i = 0; i < 1024; ++i)
        for (unsigned c = 0; c < 3; ++c)
            ASSERT_NEAR(table[i * 3 + c], srgbEncode(i / 1023.0f), 1e-5f) << i;
    const Vec3f white =
        profile.getRedColorant() + profile.getGreenColorant() + profile.getBlueColorant();
    EXPECT_NEAR(white[0], 0.9642f, 1e-3f);
    EXPECT_NEAR(white[1], 1.0f, 1e-3f);
    EXPECT_NEAR(white[2], 0.8249f, 1e-3f);
}

TEST(ColorPlatformTest, ProfileFilesAreReadOrRejectedWithAReason) {
    std::string error;
    const kxICCProfile adobe =
        kxICCProfile::load(std::string(IccFolder) + "compatibleWithAdobeRGB1998.icc", &error);
    ASSERT_TRUE(adobe.isValid()) << error;
    // Its TRC is the power 563/256.
    EXPECT_NEAR(adobe.getToneResponseTable()[512 * 3], std::pow(512 / 1023.0f, 256 / 563.0f),
                1e-3f);
    EXPECT_FALSE(kxICCProfile::load(std::string(IccFolder) + "Gray.icc", &error).isValid());
    EXPECT_NE(error.find("not an RGB profile"), std::string::npos) << error;
    EXPECT_FALSE(kxColor::setMonitorICCProfile("/nonexistent.icc", &error));
    EXPECT_TRUE(kxColor::getMonitorICCProfile().isValid());
}

TEST(ColorPlatformTest, CopiesOfAProfileShareOneAttachmentReleasedWithTheLast) {
    auto profile = std::make_unique<kxICCProfile>(kxICCProfile::sRGB());
    auto copy = std::make_unique<kxICCProfile>(*profile);
    const ICCProfileAttachmentPtr attachment =
        ICCProfileAttachmentPtr::dcast(profile->getAttachment());
    ASSERT_FALSE(attachment.isNull());
    EXPECT_EQ(copy->getAttachment(), attachment);
    EXPECT_EQ(attachment->getProfileID(), 3u);
    EXPECT_EQ(attachment->getToneResponseTable(), profile->getToneResponseTable());
    EXPECT_EQ(attachment->getColorant(2), profile->getBlueColorant());
    EXPECT_EQ(attachment->getType().getGroupName(), "ICCProfileAttachment");

    addRefCP(attachment);
    profile.reset();
    EXPECT_EQ(attachment.getRefCount(), 2);
    copy.reset();
    EXPECT_EQ(attachment.getRefCount(), 1);
    subRefCP(attachment);
}

TEST(ColorPlatformTest, SensorTransformTablesFollowTheirCurves) {
    kxLumivex lumivex;
    lumivex.createSensorTransform(3, 80);
    ASSERT_EQ(lumivex.getTransformTable().size(), 1024u * 3);
    EXPECT_EQ(lumivex.getTransformTable()[300 * 3 + 1], 300 / 1023.0f);
    lumivex.createSensorTransform(2, 80);
    EXPECT_NEAR(lumivex.getTransformTable()[1023 * 3], 1.0f, 1e-6f);
    EXPECT_NEAR(lumivex.getTransformTable()[2 * 3], 4.5f * 2 / 1023.0f, 1e-6f);

    lumivex.createSensorTransform(1, 80);
    const std::vector<float> sdr = lumivex.getTransformTable();
    for (unsigned i = 1; i < 1024; ++i)
        ASSERT_GT(sdr[i * 3], sdr[(i - 1) * 3]) << i;
    EXPECT_EQ(sdr[0], 0.0f);
    EXPECT_NEAR(sdr[1023 * 3], 1.0f, 1e-6f);
    lumivex.createSensorTransform(1, 1000);
    EXPECT_NE(lumivex.getTransformTable()[100 * 3], sdr[100 * 3]);

    lumivex.createSensorTransform(0, 80);
    EXPECT_TRUE(lumivex.getTransformTable().empty());
}

// Each mode's shader part compiles and declares exactly the uniforms setLumivexUniforms sets;
// drawn, the film transform shows its table through the texture it binds.
TEST(ColorPlatformTest, LumivexShaderPartDrawsItsTableOnRealGL) {
    std::string error;
    auto context = kxHeadlessContext::create(&error);
    ASSERT_NE(context, nullptr) << error;
    GLuint target = 0, framebuffer = 0;
    glGenTextures(1, &target);
    glBindTexture(GL_TEXTURE_2D, target);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, 4, 1, 0, GL_RGBA, GL_FLOAT, nullptr);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);
    glViewport(0, 0, 4, 1);
    const float peak = 1000 / 80.0f;
    for (unsigned mode : {0u, 1u}) {
        kxLumivex lumivex;
        lumivex.createSensorTransform(mode, 1000);
        std::string fragment = "#version 330 core\n";
        lumivex.setupLumivexShader(fragment, kxLumivex::DisplayTransform);
        // Pixel x shows x / 3 of the sensor's range, which spans the display's peak: table
        // entries 0, 341, 682, 1023.
        fragment += "out vec4 color;\nvoid main() { color = vec4(sensorTransform(vec3(" +
                    std::to_string(peak) + " * floor(gl_FragCoord.x) / 3.0)), 1.0); }\n";
        kxShaderProgram program;
        ASSERT_TRUE(program.build(kxShaderProgram::FullScreenVertexSource, fragment, &error))
            << error;

        SHLChunkPtr chunk = SHLChunk::create();
        addRefCP(chunk);
        lumivex.setLumivexUniforms(chunk, 11, kxLumivex::DisplayTransform);
        std::set<std::string> active, set;
        for (const kxShaderProgram::Uniform& uniform : program.getActiveUniforms())
            active.insert(uniform.name);
        for (const auto& [name, value] : chunk->getParameters())
            set.insert(name);
        if (mode == 0) {
            EXPECT_EQ(active, std::set<std::string>{"cameraResponseCurve"});
            EXPECT_TRUE(set.empty());
        } else {
            EXPECT_EQ(active, set);
            ASSERT_TRUE(program.applyUniforms(*chunk));
            const kxLumivex copy = lumivex;
            copy.bindLumivexTextures(GL_TEXTURE0 + 11, kxLumivex::DisplayTransform);
            program.drawFullScreenTriangle();
            copy.unbindLumivexTextures(GL_TEXTURE0 + 11, kxLumivex::DisplayTransform);
            float pixels[4 * 4] = {};
            glReadPixels(0, 0, 4, 1, GL_RGBA, GL_FLOAT, pixels);
            for (unsigned x = 0; x < 4; ++x)
                EXPECT_NEAR(pixels[x * 4], peak * lumivex.getTransformTable()[x * 341 * 3],
                            peak / 1024)
                    << x;
        }
        subRefCP(chunk);
    }
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &target);
}

TEST(ColorPlatformTest, StoredSourcesAndDataFiles) {
    const std::string plain = "uniform float x;\n";
    const std::string stored = kxUtils::encipherShader(plain);
    EXPECT_EQ(stored.find("uniform"), std::string::npos);
    EXPECT_EQ(kxUtils::decryptShader(stored, false), plain);

    EXPECT_NE(kxUtils::findDataFile("gamma+1.0.crv").find("Data/CameraCurves/"), std::string::npos);
    const auto folder = std::filesystem::temp_directory_path() / "kx-data-test";
    std::filesystem::create_directories(folder / "Curves");
    std::ofstream(folder / "Curves" / "broken.crv") << "KXCRV1\n1 2\n";
    setenv("KX_DATA_PATH", ("/nonexistent:" + folder.string()).c_str(), 1);
    EXPECT_EQ(kxUtils::findDataFile("broken.crv"), (folder / "Curves" / "broken.crv").string());
    EXPECT_EQ(kxUtils::findDataFile("missing.crv"), "");

    SensorResponseCurvePtr curve = SensorResponseCurve::create();
    addRefCP(curve);
    EXPECT_FALSE(curve->loadSensorResponseCurve("broken.crv"));
    EXPECT_EQ(curve->getCheckSum(), 0u);
    ASSERT_TRUE(curve->loadSensorResponseCurve("gamma+1.0.crv"));
    unsetenv("KX_DATA_PATH");
    std::filesystem::remove_all(folder);
    EXPECT_EQ(curve->getCurveDataSize(), SensorResponseCurve::CurveBytes);
    EXPECT_EQ(curve->getCurveData()[700 * 3 + 2], 700 / 1023.0f);
    const UInt64 loaded = curve->getCheckSum();
    EXPECT_NE(loaded, 0u);
    beginEditCP(curve, SensorResponseCurve::CurveDataFieldMask);
    (*curve->editMFCurveData())[5] = 0.5f;
    endEditCP(curve, SensorResponseCurve::CurveDataFieldMask);
    EXPECT_NE(curve->getCheckSum(), loaded);
    subRefCP(curve);
}

TEST(ColorPlatformTest, WhiteBalanceAndHueShiftMatrices) {
    TonemappingSettingsPtr settings = TonemappingSettings::create();
    addRefCP(settings);
    EXPECT_EQ(settings->getWhitebalanceMatrix(), kxColorMatrix());
    EXPECT_TRUE(settings->getHueShiftMatrix().equals(Matrix(), 0.0f));

    // The 3000 K Planckian white (CIE tables: x 0.4369, y 0.4041) in BT.709 RGB
    // (IEC 61966-2-1 matrix) comes out grey.
    settings->setWhitebalance(3000.0f);
    const glm::mat3 xyzFromRgb(0.4124f, 0.2126f, 0.0193f, 0.3576f, 0.7152f, 0.1192f, 0.1805f,
                               0.0722f, 0.9505f);
    const glm::vec3 rgb = glm::inverse(xyzFromRgb) *
                          glm::vec3(0.4369f / 0.4041f, 1.0f, (1 - 0.4369f - 0.4041f) / 0.4041f);
    const Vec3f grey = settings->getWhitebalanceMatrix() * Vec3f(rgb.x, rgb.y, rgb.z);
    EXPECT_NEAR(grey[0] / grey[1], 1.0f, 3e-3f);
    EXPECT_NEAR(grey[2] / grey[1], 1.0f, 3e-3f);

    // A third of a turn about the grey axis takes red to green and leaves grey alone.
    settings->setColorCorrection(Vec4f(120, 1, 1, 1));
    Vec3f red(1, 0, 0), white(1, 1, 1);
    settings->getHueShiftMatrix().multMatrixVec(red);
    settings->getHueShiftMatrix().multMatrixVec(white);
    EXPECT_NEAR((red - Vec3f(0, 1, 0)).length(), 0.0f, 1e-6f);
    EXPECT_NEAR((white - Vec3f(1, 1, 1)).length(), 0.0f, 1e-6f);

    // A copy holds its own reference on the response curve; destruction gives it back.
    SensorResponseCurvePtr curve = SensorResponseCurve::create();
    const UInt32 curveId = curve.getFieldContainerId();
    settings->setSensorResponseCurve(curve);
    const FieldContainerPtr copy = settings->shallowCopy();
    addRefCP(copy);
    EXPECT_EQ(curve.getRefCount(), 2);
    subRefCP(copy);
    EXPECT_EQ(curve.getRefCount(), 1);
    subRefCP(settings);
    EXPECT_TRUE(FieldContainerFactory::the()->getContainer(curveId).isNull());
}

} // namespace
