// kxTonemappingSettings' change detection and what it tells the image post-processor, with a
// context and without one; the sources and uniform values it picks for each case.

#include "TonemappingFixture.h"
#include "kxShaderSources.h"
#include "kxUberCameraUtils.h"
#include "kxUtils.h"

#include <set>

using namespace osg;

namespace ubercam::test {
namespace {

struct Env {
    kxTonemappingSettings& state;
    TonemappingSettings& settings;
    UberCameraPtr camera;
    SensorResponseCurvePtr curve;
};
using Edit = std::function<void(Env&)>;

Edit component(Vec4f& (TonemappingSettings::*edit)(), int index, float value) {
    return [=](Env& e) { (e.settings.*edit)()[index] = value; };
}

TEST_F(TonemappingTest, EachChangeSetsItsFlagsOnceAndNoFlagIsCleared) {
    enum Expect { None, Uniforms, Both, EveryTime };
    using S = TonemappingSettings;
    std::vector<std::tuple<const char*, Edit, Expect>> cases = {
        {"nothing", [](Env&) {}, None},
        {"exposure", [](Env& e) { e.settings.setExposure(1.5f); }, Uniforms},
        {"whitepoint", [](Env& e) { e.settings.setWhitepoint(3.0f); }, Uniforms},
        {"contrast", [](Env& e) { e.settings.setContrast(1.2f); }, Uniforms},
        {"white balance", [](Env& e) { e.settings.setWhitebalance(5000.0f); }, Uniforms},
        {"sensitivity", [](Env& e) { e.settings.setSensitivity(200.0f); }, Uniforms},
        {"candela low", [](Env& e) { e.settings.setCandelaRange(Vec2f(1, 8000)); }, Uniforms},
        {"candela high", [](Env& e) { e.settings.setCandelaRange(Vec2f(1, 9000)); }, Uniforms},
        {"candela mapping", [](Env& e) { e.settings.setCandelaMappingMode(2); }, Uniforms},
        {"blend amount", [](Env& e) { e.settings.setBlendAmount(0.5f); }, Uniforms},
        {"vignette radius", [](Env& e) { e.settings.setVignetteRadius(0.5f); }, Uniforms},
        {"vignette roundness", [](Env& e) { e.settings.setVignetteRoundness(0.5f); }, Uniforms},
        {"vignette feather", [](Env& e) { e.settings.setVignetteFeather(0.5f); }, Uniforms},
        {"correction flags", [](Env& e) { e.settings.setColorCorrectionFlags(3); }, Uniforms},
        {"glow flag", [](Env& e) { e.settings.setPostprocessingFlags(1); }, Uniforms},
        {"glare flag", [](Env& e) { e.settings.setPostprocessingFlags(3); }, Uniforms},
        {"lens flare", [](Env& e) { e.settings.setLensFlareEnabled(false); }, Uniforms},
        {"f-stop", [](Env& e) { e.camera->setFStop(4.0f); }, Uniforms},
        {"shutter speed",
         [](Env& e) {
             beginEditCP(e.camera, UberCamera::ShutterSpeedFieldMask);
             e.camera->setShutterSpeed(250.0f);
             endEditCP(e.camera, UberCamera::ShutterSpeedFieldMask);
         },
         Uniforms},
        {"response curve", [](Env& e) { e.settings.setSensorResponseCurve(e.curve); }, Uniforms},
        {"curve data", [](Env& e) { e.curve->setCurveData(std::vector<float>(3072, 0.5f)); },
         Uniforms},
        {"tonemapper", [](Env& e) { e.settings.setTonemapperId(4); }, Both},
        {"blend mode", [](Env& e) { e.settings.setBlendMode(1); }, Both},
        {"colour space", [](Env& e) { e.settings.setTonemappingColorspace(1); }, Both},
        {"sensor response", [](Env& e) { e.settings.setSensorResponse(2); }, Both},
        {"HDR display", [](Env& e) { e.state.m_display = kxDisplayHDR; }, Both},
        {"external display", [](Env& e) { e.state.m_display = kxDisplayExternalTonemapping; },
         Both},
        {"monitor: same nits", [](Env& e) { e.state.m_display = kxDisplayMonitor; }, None},
        {"glare 0.3 to 0", component(&S::editGlareParameter, 0, 0.0f), Uniforms},
        {"exposure NaN", [](Env& e) { e.settings.setExposure(NAN); }, EveryTime},
        {"exposure back", [](Env& e) { e.settings.setExposure(1.0f); }, Uniforms},
        {"white balance NaN", [](Env& e) { e.settings.setWhitebalance(NAN); }, EveryTime},
        {"white balance back", [](Env& e) { e.settings.setWhitebalance(4000.0f); }, Uniforms},
        {"glow NaN", component(&S::editGlowParameter, 0, NAN), EveryTime},
        {"glow back", component(&S::editGlowParameter, 0, 0.3f), Uniforms},
    };
    // Components at 0 move by exact steps; the comparison is with the cached value, both ways.
    const std::pair<Vec4f& (S::*)(), int> vectors[] = {{&S::editFilmicParameter, 2},
                                                       {&S::editColorCorrection, 0},
                                                       {&S::editGlowParameter, 3},
                                                       {&S::editGlareParameter, 0},
                                                       {&S::editGlareParameter2, 1}};
    for (const auto& [edit, index] : vectors) {
        cases.emplace_back("up 1e-6", component(edit, index, 1e-6f), None);
        cases.emplace_back("up 2e-6 from the cached value", component(edit, index, 2e-6f),
                           Uniforms);
        cases.emplace_back("down 1e-6", component(edit, index, 1e-6f), None);
    }

    withAndWithoutContext([&] {
        const UberCameraPtr camera = makeCamera();
        kxTonemappingSettings state;
        Env env{state, *camera->getTonemappingSettings(), camera, makeCurve()};
        update(state, camera);
        for (const auto& [what, edit, expect] : cases) {
            SCOPED_TRACE(what);
            edit(env);
            const auto [rebuild, uniforms] = update(state, camera);
            EXPECT_EQ(rebuild, expect == Both);
            EXPECT_EQ(uniforms, expect != None);
            const kxLumivex& lumivex = *env.settings.getLumivex();
            EXPECT_EQ(lumivex.getCurrentNits(), state.getDisplayNits());
            EXPECT_EQ(lumivex.getCurrentResponseMode(), env.settings.getSensorResponse());
            // What is published equals a fresh computation, whatever edits came before.
            const kxImagePostprocessor& pp = *kxImagePostprocessor::getImagePostprocessor();
            EXPECT_EQ(pp.m_whitebalanceMatrix, env.settings.getWhitebalanceMatrix());
            EXPECT_EQ(pp.m_hueShiftMatrix, env.settings.getHueShiftMatrix());
            const float high = state.m_candelaRange[1];
            EXPECT_EQ(pp.m_candelaRangeHigh,
                      state.m_candelaMappingMode > 1 ? high : std::log(high + 1.0f));
            // Cached now (NaN never equals); a flag that is set stays set.
            EXPECT_EQ(update(state, camera), std::make_pair(false, expect == EveryTime));
            EXPECT_EQ(update(state, camera, true, true), std::make_pair(true, true));
        }
    });
}

TEST_F(TonemappingTest, PublishesTheCurrentValuesOnEveryCall) {
    struct Case {
        const char* what;
        Edit edit;
        float candelaLow, candelaHigh, invLuminance, relativeWhitepoint;
        unsigned profileMode;
        bool active;
    };
    const float ln8001 = std::log(8001.0f);
    const Case cases[] = {
        {"as set", [](Env&) {}, 0, ln8001, 1, 2, 1, true},
        {"candela mode 1", [](Env& e) { e.settings.setCandelaMappingMode(1); }, 0, ln8001, 1, 2, 1,
         true},
        {"candela mode 2", [](Env& e) { e.settings.setCandelaMappingMode(2); }, 0, 8000, 1, 2, 1,
         true},
        {"candela range", [](Env& e) { e.settings.setCandelaRange(Vec2f(10, 100)); },
         std::log(11.0f), std::log(101.0f), 1, 2, 1, true},
        {"luminance in percent",
         [](Env& e) { e.state.m_luminanceInPercent = true, e.state.m_displayLuminance = 100; }, 0,
         ln8001, 1, 0.02f, 1, true},
        {"display luminance", [](Env& e) { e.state.m_displayLuminance = 4; }, 0, ln8001, 0.25f,
         0.5f, 1, true},
        {"ICC profile", [](Env& e) { e.state.m_displayProfileMode = 3; }, 0, ln8001, 1, 2, 3, true},
        {"neutral correction", [](Env& e) { e.settings.setColorCorrection(Vec4f(0, 1, 1, 1)); }, 0,
         ln8001, 1, 2, 1, false},
        {"NaN contrast", [](Env& e) { e.settings.setColorCorrection(Vec4f(0, 1, 1, NAN)); }, 0,
         ln8001, 1, 2, 1, false},
        {"false colour",
         [](Env& e) { e.settings.setTonemapperId(6), e.state.m_displayProfileMode = 3; }, 0, ln8001,
         1, 2, 5, false},
        {"bands", [](Env& e) { e.settings.setTonemapperId(7); }, 0, ln8001, 1, 2, 5, false},
    };
    kxImagePostprocessor& pp = *kxImagePostprocessor::getImagePostprocessor();
    withAndWithoutContext([&] {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            const UberCameraPtr camera = makeCamera();
            TonemappingSettings& s = *camera->getTonemappingSettings();
            s.setWhitebalance(3000.0f);
            s.setColorCorrection(Vec4f(30, 1.1f, 0.9f, 1.2f));
            s.setColorCorrectionFlags(TonemappingSettings::ColorCorrectForeground);
            s.setTonemapperId(2);
            s.setTonemapHDR(true);
            kxTonemappingSettings state;
            Env env{state, s, camera, SensorResponseCurvePtr()};
            c.edit(env);
            update(state, camera);
            pp = kxImagePostprocessor(); // published again though nothing changed
            update(state, camera);

            const bool luminanceOnly = s.getTonemapperId() == 6 || s.getTonemapperId() == 7;
            EXPECT_EQ(pp.m_lumivex, s.getLumivex());
            EXPECT_EQ(pp.m_tonemapperId, s.getTonemapperId());
            EXPECT_EQ(pp.m_displayNits, 80.0f);
            EXPECT_TRUE(pp.m_tonemapHDR);
            EXPECT_EQ(pp.m_whitebalanceMatrix,
                      luminanceOnly ? kxColorMatrix() : s.getWhitebalanceMatrix());
            EXPECT_EQ(pp.m_hueShiftMatrix, luminanceOnly ? Matrix() : s.getHueShiftMatrix());
            const Vec4f& cc = s.getColorCorrection();
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(pp.m_saturation[i], luminanceOnly ? 1.0f : cc[1]);
                EXPECT_EQ(pp.m_brightness[i], luminanceOnly ? 1.0f : cc[2]);
                const float contrast = pp.m_colorCorrectionContrast[i];
                EXPECT_TRUE(contrast == (luminanceOnly ? 1.0f : cc[3]) || std::isnan(cc[3]));
                EXPECT_FLOAT_EQ(pp.m_invGamma[i], 1 / 2.2f);
            }
            EXPECT_EQ(pp.m_colorCorrectionActive, c.active);
            EXPECT_FALSE(pp.m_applyToBackground);
            EXPECT_EQ(pp.m_applyToForeground, !luminanceOnly);
            EXPECT_FLOAT_EQ(pp.m_invDisplayLuminance, c.invLuminance);
            EXPECT_FLOAT_EQ(pp.m_relativeWhitepoint, c.relativeWhitepoint);
            EXPECT_FLOAT_EQ(pp.m_invSquaredRelativeWhitepoint,
                            1 / (c.relativeWhitepoint * c.relativeWhitepoint));
            EXPECT_EQ(pp.m_contrast, s.getContrast());
            EXPECT_EQ(pp.m_candelaMappingMode, s.getCandelaMappingMode());
            EXPECT_FLOAT_EQ(pp.m_candelaRangeLow, c.candelaLow);
            EXPECT_FLOAT_EQ(pp.m_candelaRangeHigh, c.candelaHigh);
            EXPECT_FLOAT_EQ(pp.m_scaledLuminousExposure,
                            kxUberCameraUtils::getLuminousExposure(camera) * 100);
            EXPECT_EQ(pp.m_sensitivity, s.getSensitivity());
            EXPECT_EQ(pp.m_fStop, camera->getFStop());
            EXPECT_EQ(pp.m_shutterSpeed, camera->getShutterSpeed());
            EXPECT_EQ(pp.m_filmicD, s.getFilmicParameter()[1]);
            EXPECT_EQ(pp.m_displayProfileMode, c.profileMode);
            const float percent = state.m_luminanceInPercent ? 100.0f : 1.0f;
            EXPECT_EQ(state.getGlowThreshold(), s.getGlowParameter()[2] / percent);
            EXPECT_EQ(state.getGlareThreshold(), s.getGlareParameter()[2] / percent);
        }
    });
}

TEST_F(TonemappingTest, CameraWithoutSettingsUnhooksColorManagementAndPublishesNothing) {
    kxImagePostprocessor& pp = *kxImagePostprocessor::getImagePostprocessor();
    withAndWithoutContext([&] {
        const UberCameraPtr camera = makeCamera();
        kxTonemappingSettings state;
        update(state, camera);
        ASSERT_NE(pp.m_lumivex, nullptr);
        beginEditCP(camera, UberCamera::TonemappingSettingsFieldMask);
        camera->setTonemappingSettings(TonemappingSettingsPtr());
        endEditCP(camera, UberCamera::TonemappingSettingsFieldMask);
        pp.m_tonemapperId = 42;
        EXPECT_EQ(update(state, camera, false, true), std::make_pair(false, true));
        EXPECT_TRUE(state.m_settings.isNull());
        EXPECT_EQ(state.m_lumivex, nullptr);
        EXPECT_EQ(pp.m_lumivex, nullptr);
        EXPECT_EQ(pp.m_tonemapperId, 42);
        std::string source;
        state.setupTonemappingShader(source);
        EXPECT_EQ(source, "");
    });
}

TEST_F(TonemappingTest, CurveOfTheWrongSizeIsReplacedByTheDefaultBeforeUse) {
    withAndWithoutContext([&] {
        const UberCameraPtr camera = makeCamera();
        const SensorResponseCurvePtr curve = hold(SensorResponseCurve::create());
        curve->setCurveData({0.5f, 0.5f, 0.5f});
        camera->getTonemappingSettings()->setSensorResponseCurve(curve);
        kxTonemappingSettings state;
        update(state, camera);
        ASSERT_EQ(curve->getCurveDataSize(), SensorResponseCurve::CurveBytes);
        EXPECT_EQ(kxImagePostprocessor::getImagePostprocessor()->m_responseCurveData,
                  curve->getCurveData().data());
        EXPECT_EQ(curve->getCurveData()[700 * 3 + 2], 700 / 1023.0f); // gamma+1.0: the identity
        EXPECT_EQ(state.m_sensorResponseCurveChecksum, curve->getCheckSum());
        // The texture holds it too, not what lay beyond the short curve.
        const std::vector<float> texels = readTexels(state.m_sensorResponseTexture);
        for (std::size_t i = 0; i < texels.size(); ++i)
            ASSERT_NEAR(texels[i], float(i / 3) / 1023.0f, 1.0f / 1024) << i / 3;
    });
}

TEST_F(TonemappingTest, SourcesAndUniformsChosenByTheState) {
    namespace src = kxShaderSources;
    enum Stage { Tonemapping, Profile, DefaultProfile, Blend };
    using Names = std::set<std::string>;
    auto plain = [](const std::string& stored) { return kxUtils::decryptShader(stored, false); };
    const Names shared = {"exposure", "whitepoint", "invDisplayLuminance"};
    const Names colorants = {"rgbTRC", "rXYZ", "gXYZ", "bXYZ"};
    const struct Case {
        const char* what;
        Edit edit;
        Stage stage;
        std::string source;
        Names uniforms;
        unsigned postprocessorMode = 99; // 99: left alone
        std::pair<const char*, UniformValue> value = {nullptr, false};
    } cases[] = {
        {"HDR in ACEScg",
         [](Env& e) { e.state.m_display = kxDisplayHDR, e.settings.setTonemappingColorspace(1); },
         Tonemapping,
         "#define HDR_RANGE 1000.0\n#define USE_ACES_COLORSPACE\n" +
             plain(src::tonemapCommonSource) + plain(src::tonemapSource0),
         {"exposure", "whitepoint", "invDisplayLuminance", "tm_contrast"}},
        {"id 11", [](Env& e) { e.settings.setTonemapperId(11); }, Tonemapping,
         plain(src::tonemapCommonSource) + plain(src::tonemapSource0), shared},
        {"external tonemapping",
         [](Env& e) {
             e.state.m_display = kxDisplayExternalTonemapping, e.settings.setTonemapperId(9);
             e.settings.setExposure(0.5f);
         },
         Tonemapping,
         plain(src::tonemapCommonSource) + plain(src::tonemapSource9),
         {"exposure"},
         99,
         {"exposure", 0.5f}},
        {"default profile asked for",
         [](Env& e) { e.state.m_displayProfileMode = 2; },
         DefaultProfile,
         plain(src::profileSource0),
         {}},
        {"profile mode 7",
         [](Env& e) { e.state.m_displayProfileMode = 7; },
         Profile,
         plain(src::profileSource0),
         {"gamma"},
         99,
         {"gamma", Vec3f(2.2f, 2.2f, 2.2f)}},
        {"no monitor profile",
         [](Env& e) {
             e.state.m_displayProfileMode = 3, kxColor::setMonitorICCProfile(kxICCProfile());
         },
         Profile,
         plain(src::profileSource1),
         colorants,
         1,
         {"rgbTRC", Int32(ProfileUnit)}},
        {"HDR display, image profile",
         [](Env& e) { e.state.m_displayProfileMode = 4, e.state.m_display = kxDisplayHDR; },
         Profile, plain(src::profileSource5), colorants, 5},
        {"blending map without a map",
         [](Env& e) { e.settings.setBlendMode(2); },
         Blend,
         plain(src::blendNoneSource),
         {}},
    };
    const kxICCProfile monitor = kxColor::getMonitorICCProfile();
    kxImagePostprocessor& pp = *kxImagePostprocessor::getImagePostprocessor();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const UberCameraPtr camera = makeCamera();
        kxTonemappingSettings state;
        Env env{state, *camera->getTonemappingSettings(), camera, SensorResponseCurvePtr()};
        c.edit(env);
        update(state, camera);
        const unsigned profileMode = state.m_displayProfileMode;
        pp.m_displayProfileMode = 99;
        SHLChunkPtr chunk = hold(SHLChunk::create());
        std::string source;
        if (c.stage == Tonemapping) {
            state.setupTonemappingShader(source);
            state.setTonemapperUniforms(chunk);
        } else if (c.stage == Blend) {
            state.setupBlendShader(source);
            state.setBlendUniforms(chunk, BlendingMapUnit, true);
        } else {
            state.setupColorProfileShader(source, c.stage == DefaultProfile, false);
            state.setColorProfileUniforms(chunk, ProfileUnit);
        }
        EXPECT_EQ(source, c.source);
        Names written;
        for (const auto& parameter : chunk->getParameters())
            written.insert(parameter.first);
        EXPECT_EQ(written, c.uniforms);
        const char* name = c.value.first;
        EXPECT_TRUE(name == nullptr || chunk->getParameters().at(name) == c.value.second) << name;
        EXPECT_EQ(pp.m_displayProfileMode, c.postprocessorMode);
        EXPECT_EQ(state.m_displayProfileMode, profileMode);
        kxColor::setMonitorICCProfile(monitor);
    }
}

TEST_F(TonemappingTest, DitheringIsTheTransposedBayerMatrixForByteOutput) {
    kxTonemappingSettings state;
    SHLChunkPtr chunk = hold(SHLChunk::create());
    state.setDitheringUniforms(chunk);
    Real32 colors = 0;
    std::vector<Real32> matrix;
    ASSERT_TRUE(chunk->getUniformParameter("ditherNumColors", colors));
    ASSERT_TRUE(chunk->getUniformParameter("ditherMat", matrix));
    EXPECT_EQ(colors, 256.0f);
    ASSERT_EQ(matrix.size(), 64u);
    // M(2n) = [[4 M(n), 4 M(n) + 2], [4 M(n) + 3, 4 M(n) + 1]], stored column by column.
    const int step[2][2] = {{0, 2}, {3, 1}};
    for (int k = 0; k < 64; ++k) {
        int index = 0;
        for (int bit = 0; bit < 3; ++bit)
            index += step[(k % 8 >> bit) & 1][(k / 8 >> bit) & 1] << (4 - 2 * bit);
        EXPECT_EQ(matrix[k], index / 64.0f) << k;
    }
}

TEST_F(TonemappingTest, DisplaySettersReportOnlyRealChanges) {
    kxTonemappingSettings state;
    const ICCProfileAttachmentPtr profile = hold(ICCProfileAttachment::create());
    profile->setProfileID(4);
    kxImagePostprocessor& pp = *kxImagePostprocessor::getImagePostprocessor();
    pp.m_displayProfileMode = 99;
    const struct Case {
        const char* what;
        std::function<void(bool&)> call;
        bool changes;
        unsigned profileMode, postprocessorMode;
    } cases[] = {
        {"same display", [&](bool& c) { state.setDisplay(kxDisplayMonitor, c); }, false, 1, 99},
        {"HDR display", [&](bool& c) { state.setDisplay(kxDisplayHDR, c); }, true, 1, 99},
        {"same HDR mode", [&](bool& c) { state.setHdrDisplayMode(0, c); }, false, 1, 99},
        {"HDR mode", [&](bool& c) { state.setHdrDisplayMode(3, c); }, true, 1, 99},
        {"no colour space", [&](bool& c) { state.setDisplayColorspace({}, c); }, false, 1, 99},
        {"colour space", [&](bool& c) { state.setDisplayColorspace(profile, c); }, true, 4, 4},
        {"colour space removed", [&](bool& c) { state.setDisplayColorspace({}, c); }, true, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool changed = false;
        c.call(changed);
        EXPECT_EQ(changed, c.changes);
        c.call(changed); // the value is current now: the flag stays as it was
        EXPECT_EQ(changed, c.changes);
        EXPECT_EQ(state.m_displayProfileMode, c.profileMode);
        EXPECT_EQ(pp.m_displayProfileMode, c.postprocessorMode);
    }
    EXPECT_EQ(state.m_display, kxDisplayHDR);
    EXPECT_EQ(state.m_hdrDisplayMode, 3u);
}

} // namespace
} // namespace ubercam::test
