// The post-processing program as a host builds it from kxTonemappingSettings, on a real
// (headless, llvmpipe) context: the uniforms it reads against those the module writes, the
// curves it draws against docs/tonemapping.md, the lookup textures it samples.

#include "TonemappingFixture.h"
#include "kxShaderProgram.h"
#include "kxUberCameraUtils.h"

#include <algorithm>
#include <array>
#include <set>

using namespace osg;

namespace ubercam::test {
namespace {

/// The fragment program and its uniforms, in the order a host makes them.
std::string fragmentSource(kxTonemappingSettings& state) {
    std::string source;
    state.setupColorTransformShader(source);
    state.setupColorCorrectionShader(source);
    state.setupTonemappingShader(source);
    state.setupColorProfileShader(source, false, false);
    state.setupBlendShader(source);
    return source;
}
void writeUniforms(kxTonemappingSettings& state, SHLChunkPtr& chunk) {
    state.setTonemapperUniforms(chunk);
    state.setColorCorrectionUniforms(chunk);
    state.setBlendUniforms(chunk, BlendingMapUnit, true);
    state.setColorProfileUniforms(chunk, ProfileUnit);
    state.setDitheringUniforms(chunk);
}

TEST_F(TonemappingTest, ProgramReadsExactlyTheUniformsTheModuleWrites) {
    struct Case {
        int id;
        kxDisplay display;
        unsigned colorspace, profile, blend;
        bool variant;
        unsigned response;
        bool curve, correction;
    };
    std::vector<Case> cases;
    for (int id = 0; id <= 10; ++id)
        for (kxDisplay display : {kxDisplayMonitor, kxDisplayHDR})
            for (unsigned colorspace : {0u, 1u})
                cases.push_back({id, display, colorspace, 1, 0, false, 0, id == 5, true});
    for (unsigned profile = 0; profile <= 5; ++profile)
        for (unsigned blend = 0; blend <= 2; ++blend)
            for (bool variant : {false, true})
                cases.push_back({variant ? 2 : 4, kxDisplayMonitor, 0, profile, blend, variant, 0,
                                 false, true});
    // Id 5 without its curve, the sensor transform's table, white balance alone.
    cases.insert(cases.end(), {{5, kxDisplayMonitor, 0, 1, 0, false, 0, false, true},
                               {5, kxDisplayHDR, 0, 1, 0, false, 1, false, true},
                               {10, kxDisplayMonitor, 1, 0, 1, true, 2, false, true},
                               {7, kxDisplayMonitor, 0, 3, 2, true, 0, false, false},
                               {1, kxDisplayMonitor, 0, 3, 1, false, 0, false, false}});

    const UberCameraPtr camera = makeCamera();
    TonemappingSettings& settings = *camera->getTonemappingSettings();
    const SensorResponseCurvePtr curve = makeCurve();
    SHLChunkPtr chunk = hold(SHLChunk::create());
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "id " << c.id << ", display " << c.display << ", colour space "
                     << c.colorspace << ", profile " << c.profile << ", blend " << c.blend
                     << ", variant " << c.variant << ", response " << c.response << ", curve "
                     << c.curve << ", correction " << c.correction);
        settings.setTonemapperId(c.id);
        settings.setTonemappingColorspace(c.colorspace);
        settings.setBlendMode(c.blend);
        settings.setSensorResponse(c.response);
        settings.setSensorResponseCurve(c.curve ? curve : SensorResponseCurvePtr());
        kxTonemappingSettings state;
        state.m_display = c.display;
        // These draw display-referred whatever the mode says: give them the default mode.
        const bool displayReferred = c.display == kxDisplayHDR || c.id == 6 || c.id == 7;
        state.m_displayProfileMode = displayReferred ? 1 : c.profile;
        state.m_prologueVariant = c.variant;
        state.m_useColorCorrection = c.correction;
        if (c.blend == 2)
            state.m_blendingMap = camera;
        update(state, camera);

        kxShaderProgram program;
        std::string log;
        ASSERT_TRUE(
            program.build(kxShaderProgram::FullScreenVertexSource, fragmentSource(state), &log))
            << log;
        chunk->clearUniformParameters();
        writeUniforms(state, chunk);
        std::set<std::string> active, written;
        for (const kxShaderProgram::Uniform& uniform : program.getActiveUniforms())
            active.insert(uniform.name);
        active.erase("hdrImage"); // the renderer's own
        if (c.id == 10)           // documented: written, not read by the sensor transform
            active.insert({"whitepoint", "invDisplayLuminance"});
        for (const auto& parameter : chunk->getParameters())
            written.insert(parameter.first);
        EXPECT_EQ(written, active);
        std::vector<std::string> mismatched;
        EXPECT_TRUE(program.applyUniforms(*chunk, &mismatched))
            << "of the wrong type: " << ::testing::PrintToString(mismatched);
    }
}

// ---- the drawn curves against docs/tonemapping.md, evaluated on the CPU --------------------

using Rgb = std::array<double, 3>;
using Mat3 = std::array<Rgb, 3>; // rows

Rgb mul(const Mat3& m, const Rgb& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}
double dot(const Rgb& a, const Rgb& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

struct WorkingSpace {
    Mat3 to, from;
    Rgb luma;
};
const Mat3 Identity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
const WorkingSpace Bt709{Identity, Identity, {0.2126, 0.7152, 0.0722}};
const WorkingSpace AcesCg{{{{0.6130974, 0.3395231, 0.0473795},
                            {0.0701937, 0.9163539, 0.0134524},
                            {0.0206156, 0.1095698, 0.8698146}}},
                          {{{1.7050510, -0.6217921, -0.0832589},
                            {-0.1302564, 1.1408047, -0.0105483},
                            {-0.0240034, -0.1289690, 1.1529723}}},
                          {0.2722287, 0.6740818, 0.0536895}};

// The look of the render. The display luminance is held in percent: the white point uniform
// divides by the raw value, the inverse luminance is of the value in percent.
constexpr float Stops = 0.5f, Whitepoint = 300.0f, DisplayLuminance = 125.0f, Contrast = 1.25f;
constexpr float FilmicA = 0.6f, FilmicD = 0.3f, CandelaLow = 0.01f, CandelaHigh = 100.0f;

/// A 1024-entry table at relative exposure u, interpolated as the texture is read.
double lookup(const std::vector<float>& table, double u, int c) {
    const double at = std::clamp(u, 0.0, 1.0) * 1023.0;
    const int i = std::min(int(at), 1022);
    return table[i * 3 + c] + (at - i) * (table[(i + 1) * 3 + c] - table[i * 3 + c]);
}
double hable(double t) {
    return (t * (FilmicA * t + 0.05) + FilmicD * 0.02) / (t * (FilmicA * t + 0.5) + FilmicD * 0.3) -
           0.02 / 0.3;
}
double acesFit(double t) {
    return t * (2.51 * t + 0.03) / (t * (2.43 * t + 0.59) + 0.14);
}
Rgb pbrNeutral(Rgb c) {
    const double m = std::min({c[0], c[1], c[2]});
    for (double& v : c)
        v -= m < 0.08 ? m - 6.25 * m * m : 0.04;
    const double peak = std::max({c[0], c[1], c[2]});
    if (peak < 0.76)
        return c;
    const double newPeak = 1 - 0.24 * 0.24 / (peak + 0.24 - 0.76);
    const double g = 1 - 1 / (0.15 * (peak - newPeak) + 1);
    for (double& v : c)
        v = v * newPeak / peak * (1 - g) + newPeak * g;
    return c;
}

struct RenderCase {
    int id;
    const WorkingSpace* space;
    bool variant;
    unsigned candelaMode;
};
struct Tables {
    const std::vector<float>& curve;
    const std::vector<float>& sensor;
    double linearExposure; // ids 5 and 10: the camera's luminous exposure x 100
};

/// The operator on working-space input, SDR (peak 1); NaN next to a band edge.
Rgb tonemapOperator(const RenderCase& rc, const Tables& tables, const Rgb& x) {
    const double w = Whitepoint / DisplayLuminance;
    if (rc.id == 6 || rc.id == 7) {
        const bool logarithmic = rc.candelaMode < 2;
        auto scale = [&](double l) { return logarithmic ? std::log(std::max(l, 1e-3)) : l; };
        double t = std::clamp((scale(dot(rc.space->luma, x)) - scale(CandelaLow)) /
                                  std::max(scale(CandelaHigh) - scale(CandelaLow), 1e-6),
                              0.0, 1.0);
        if (rc.id == 7) {
            if (t > 0 && t < 1 && std::fabs(10 * t - std::round(10 * t)) < 1e-3)
                return Rgb{NAN, NAN, NAN};
            t = std::min(std::floor(10 * t), 9.0) / 9;
        }
        const Rgb colour = (rc.candelaMode & 1) != 0
                               ? Rgb{t, t, t}
                               : Rgb{std::clamp(4 * t - 2, 0.0, 1.0),
                                     std::clamp(std::min(4 * t, 4 - 4 * t), 0.0, 1.0),
                                     std::clamp(2 - 4 * t, 0.0, 1.0)};
        return mul(rc.space->to, colour);
    }
    Rgb v, y;
    for (int c = 0; c < 3; ++c)
        v[c] = std::max(x[c], 0.0) * std::exp2(Stops) / (DisplayLuminance / 100);
    const Rgb neutral = pbrNeutral(v);
    for (int c = 0; c < 3; ++c) {
        const double u = std::pow(v[c] / w, double(Contrast)), vc = w * u;
        const double e = std::max(x[c], 0.0) * tables.linearExposure;
        switch (rc.id) {
        case 0:
            y[c] = u;
            break;
        case 1:
            y[c] = vc * ((1 + w) / w) / (1 + vc);
            break;
        case 2:
            y[c] = vc * (1 + vc / (w * w)) / (1 + vc);
            break;
        case 3:
            y[c] = std::log(1 + vc) / std::log(1 + w);
            break;
        case 4:
            y[c] = hable(v[c]) / std::max(hable(w), 1e-6);
            break;
        case 5:
            y[c] = lookup(tables.curve, e, c);
            break;
        case 8:
            y[c] = acesFit(v[c]) / acesFit(w);
            break;
        case 9:
            y[c] = neutral[c] / std::max(pbrNeutral({w, w, w})[0], 1e-6);
            break;
        default:
            y[c] = lookup(tables.sensor, e, c); // 10: the table's peak is 1 on SDR
        }
        y[c] = std::min(y[c], 1.0);
    }
    return y;
}

/// White balance, then (foreground only) hue, saturation, brightness and contrast; none of it
/// for the false-colour operators.
Rgb correctColor(const TonemappingSettings& s, int id, bool foreground, const Rgb& rgb) {
    if (id == 6 || id == 7)
        return rgb;
    const kxColorMatrix wb = s.getWhitebalanceMatrix();
    Rgb c;
    for (int i = 0; i < 3; ++i)
        c[i] = wb(i, 0) * rgb[0] + wb(i, 1) * rgb[1] + wb(i, 2) * rgb[2];
    if (!foreground)
        return c;
    Vec3f h(static_cast<float>(c[0]), static_cast<float>(c[1]), static_cast<float>(c[2]));
    s.getHueShiftMatrix().multMatrixVec(h);
    const Vec4f& cc = s.getColorCorrection();
    const double y = dot(Bt709.luma, {h[0], h[1], h[2]});
    for (int i = 0; i < 3; ++i)
        c[i] = 0.18 * std::pow(std::max(cc[2] * (y + cc[1] * (h[i] - y)), 0.0) / 0.18, cc[3]);
    return c;
}

/// Prologue and operator, then the clip of the SDR display-referred profile.
Rgb expectedPixel(const RenderCase& rc, const Tables& tables, const Rgb& rgb) {
    const Rgb working = mul(rc.space->to, rgb);
    Rgb mapped;
    if (!rc.variant || rc.id == 6 || rc.id == 7) {
        mapped = tonemapOperator(rc, tables, working);
    } else {
        const double luminance = dot(rc.space->luma, working);
        mapped = tonemapOperator(rc, tables, {luminance, luminance, luminance});
        const double gain = luminance > 0 ? dot(rc.space->luma, mapped) / luminance : 0;
        for (int c = 0; luminance > 0 && c < 3; ++c)
            mapped[c] = working[c] * gain;
    }
    Rgb out = mul(rc.space->from, mapped);
    for (double& c : out)
        c = std::clamp(c, 0.0, 1.0);
    return out;
}

TEST_F(TonemappingTest, DrawnRampFollowsEachDocumentedCurve) {
    constexpr int Width = 24;
    std::vector<float> ramp;
    for (int i = 0; i < Width; ++i) {
        const float s = 0.01f * std::exp2(0.6f * float(i));
        ramp.insert(ramp.end(), {s, 0.6f * s, 0.25f * s, float(i % 2)}); // odd: foreground
    }
    kxTexture image, target;
    ASSERT_TRUE(image.initTexture(GL_TEXTURE_2D, Width, 1, GL_RGBA32F, GL_RGBA, GL_FLOAT,
                                  ramp.data(), GL_NEAREST, GL_NEAREST, GL_CLAMP_TO_EDGE,
                                  GL_CLAMP_TO_EDGE, false));
    ASSERT_TRUE(target.initTexture(GL_TEXTURE_2D, Width, 1, GL_RGBA32F, GL_RGBA, GL_FLOAT, nullptr,
                                   GL_NEAREST, GL_NEAREST, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE,
                                   false));
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                           target.getTextureId(), 0);
    glViewport(0, 0, Width, 1);

    std::vector<RenderCase> cases;
    for (int id = 0; id <= 10; ++id)
        cases.push_back({id, &Bt709, false, id == 7 ? 3u : 0u}); // 7: linear grey scale
    cases.insert(cases.end(), {{8, &AcesCg, false, 0},
                               {4, &AcesCg, false, 0},
                               {1, &AcesCg, true, 0},
                               {9, &Bt709, true, 0},
                               {6, &AcesCg, true, 1}});
    const SensorResponseCurvePtr curve = makeCurve();
    for (const RenderCase& rc : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "id " << rc.id << (rc.space == &AcesCg ? ", ACEScg" : "")
                     << (rc.variant ? ", luminance prologue" : ""));
        const UberCameraPtr camera = makeCamera();
        TonemappingSettings& settings = *camera->getTonemappingSettings();
        settings.setTonemapperId(rc.id);
        settings.setTonemappingColorspace(rc.space == &AcesCg ? 1 : 0);
        settings.setExposure(Stops);
        settings.setWhitepoint(Whitepoint);
        settings.setContrast(Contrast);
        settings.setFilmicParameter(Vec4f(FilmicA, FilmicD, 0, 0));
        settings.setCandelaRange(Vec2f(CandelaLow, CandelaHigh));
        settings.setCandelaMappingMode(rc.candelaMode);
        settings.setSensorResponse(rc.id == 10 ? kxSensorResponseFilm : kxSensorResponseCurve);
        settings.setSensorResponseCurve(curve);
        settings.setWhitebalance(5000.0f);
        settings.setColorCorrection(Vec4f(30, 1.1f, 0.9f, 1.2f));
        settings.setColorCorrectionFlags(TonemappingSettings::ColorCorrectForeground);
        kxTonemappingSettings state;
        state.m_displayProfileMode = kxTonemappingSettings::DisplayReferredProfileMode;
        state.m_luminanceInPercent = true;
        state.m_displayLuminance = DisplayLuminance;
        state.m_prologueVariant = rc.variant;
        update(state, camera);

        kxShaderProgram program;
        std::string log;
        ASSERT_TRUE(
            program.build(kxShaderProgram::FullScreenVertexSource, fragmentSource(state), &log))
            << log;
        SHLChunkPtr chunk = hold(SHLChunk::create());
        writeUniforms(state, chunk);
        chunk->setUniformParameter("ditherNumColors", 0.0f); // the frame's "no dither"
        chunk->setUniformParameter("hdrImage", Int32(0));
        ASSERT_TRUE(program.applyUniforms(*chunk));
        image.bindTexture(GL_TEXTURE0);
        const int curveUnit = kxTonemappingSettings::ResponseCurveUnit;
        state.bindTextures(ProfileUnit, curveUnit, kxTonemappingSettings::LumivexUnit);
        program.drawFullScreenTriangle();
        state.unbindTextures(ProfileUnit, curveUnit, kxTonemappingSettings::LumivexUnit);
        std::vector<float> pixels(Width * 4);
        glReadPixels(0, 0, Width, 1, GL_RGBA, GL_FLOAT, pixels.data());

        const Tables tables{curve->getCurveData(), settings.getLumivex()->getTransformTable(),
                            kxUberCameraUtils::getLuminousExposure(camera) * 100.0};
        for (int i = 0; i < Width; ++i) {
            const float* in = &ramp[i * 4];
            const Rgb expected = expectedPixel(
                rc, tables, correctColor(settings, rc.id, in[3] > 0, {in[0], in[1], in[2]}));
            for (int c = 0; c < 3; ++c)
                EXPECT_TRUE(std::isnan(expected[c]) ||
                            std::fabs(pixels[i * 4 + c] - expected[c]) <= 1e-3)
                    << "pixel " << i << ", channel " << c << ": " << pixels[i * 4 + c]
                    << ", expected " << expected[c];
        }
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TonemappingTest, LookupTexturesReadBackWhatWasUploaded) {
    const UberCameraPtr camera = makeCamera();
    const SensorResponseCurvePtr curve = makeCurve();
    camera->getTonemappingSettings()->setSensorResponseCurve(curve);
    const std::vector<float>& data = curve->getCurveData();
    const ICCProfileAttachmentPtr display = hold(ICCProfileAttachment::create());
    display->setToneResponseTable(std::vector<float>(data.rbegin(), data.rend()));
    kxTonemappingSettings state;
    update(state, camera); // a new checksum: the curve goes up
    bool changed = false;
    state.setDisplayColorspace(display, changed);

    const kxICCProfile& monitor = kxColor::getMonitorICCProfile();
    const struct Case {
        const char* what;
        std::function<bool()> upload;
        const kxTexture& texture;
        GLint format;
        const std::vector<float>& table;
    } cases[] = {
        {"response curve", [&] { return state.updateSensorResponseCurve(); },
         state.m_sensorResponseTexture, GL_RGBA16F, data},
        {"monitor profile", [&] { return state.updateMonitorProfile(false); },
         state.m_monitorProfileTexture, GL_RGB16F, monitor.getToneResponseTable()},
        {"display colour space", [&] { return state.updateMonitorProfile(true); },
         state.m_monitorProfileTexture, GL_RGB16F, display->getToneResponseTable()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(c.upload());
        EXPECT_EQ(c.texture.getTarget(), static_cast<GLenum>(GL_TEXTURE_1D));
        EXPECT_EQ(c.texture.getInternalFormat(), c.format);
        const std::vector<float> texels = readTexels(c.texture);
        ASSERT_EQ(texels.size(), c.table.size());
        for (std::size_t i = 0; i < texels.size(); ++i) // half floats: 11 significant bits
            ASSERT_NEAR(texels[i], c.table[i], 1.0f / 1024) << "entry " << i / 3;
    }
    EXPECT_EQ(kxColor::getActiveICCProfile(), monitor.getAttachment());

    // Uploaded again only when the checksum changes (a share keeps the old name apart).
    const kxTexture share = state.m_sensorResponseTexture;
    EXPECT_TRUE(state.updateSensorResponseCurve());
    EXPECT_EQ(state.m_sensorResponseTexture.getTextureId(), share.getTextureId());
    curve->setCurveData(display->getToneResponseTable());
    update(state, camera);
    EXPECT_NE(state.m_sensorResponseTexture.getTextureId(), share.getTextureId());
}

TEST_F(TonemappingTest, CopiesShareTexturesReleasedOnceWithTheLastCopy) {
    const UberCameraPtr camera = makeCamera();
    camera->getTonemappingSettings()->setSensorResponseCurve(makeCurve());
    auto state = std::make_unique<kxTonemappingSettings>();
    update(*state, camera);
    ASSERT_TRUE(state->updateMonitorProfile(false));
    ASSERT_TRUE(state->m_extraTexture.initTexture(GL_TEXTURE_2D, 1, 1, GL_RGBA8, GL_RGBA,
                                                  GL_UNSIGNED_BYTE, nullptr, GL_NEAREST, GL_NEAREST,
                                                  GL_REPEAT, GL_REPEAT, false));
    auto copy = std::make_unique<kxTonemappingSettings>(*state);
    auto assigned = std::make_unique<kxTonemappingSettings>();
    *assigned = *copy;
    std::vector<GLuint> ids;
    for (auto texture : {&kxTonemappingSettings::m_sensorResponseTexture,
                         &kxTonemappingSettings::m_monitorProfileTexture,
                         &kxTonemappingSettings::m_extraTexture}) {
        ids.push_back(((*state).*texture).getTextureId());
        EXPECT_NE(ids.back(), 0u);
        EXPECT_EQ(((*assigned).*texture).getTextureId(), ids.back());
    }
    kxImagePostprocessor& pp = *kxImagePostprocessor::getImagePostprocessor();
    EXPECT_EQ(assigned->m_lumivex, pp.m_lumivex);
    { kxTonemappingSettings idle; } // holds no colour management: leaves the post-processor's
    EXPECT_NE(pp.m_lumivex, nullptr);

    state.reset();
    EXPECT_EQ(pp.m_lumivex, nullptr);
    copy.reset();
    for (GLuint id : ids)
        EXPECT_TRUE(glIsTexture(id)) << id;
    assigned.reset();
    for (GLuint id : ids)
        EXPECT_FALSE(glIsTexture(id)) << id;
}

} // namespace
} // namespace ubercam::test
