#include "OSGTonemappingSettings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace osg {

OSG_DEFINE_PTR_TRAITS(TonemappingSettingsPtr, "TonemappingSettingsPtr", "FieldContainerPtr")

namespace {
// In field id order.
FieldDescription* tonemappingSettingsDescs[] = {
    OSG_SFIELD_DESC(TonemappingSettings, Real32, "exposure", Exposure, false),
    OSG_SFIELD_DESC(TonemappingSettings, UInt32, "sensorResponse", SensorResponse, false),
    OSG_SFIELD_DESC(TonemappingSettings, Real32, "sensitivity", Sensitivity, false),
    OSG_SFIELD_DESC(TonemappingSettings, Int32, "tonemapperId", TonemapperId, false),
    OSG_SFIELD_DESC(TonemappingSettings, UInt32, "blendMode", BlendMode, false),
    OSG_SFIELD_DESC(TonemappingSettings, UInt32, "tonemappingColorspace", TonemappingColorspace,
                    false),
    OSG_SFIELD_DESC(TonemappingSettings, Real32, "whitepoint", Whitepoint, false),
    OSG_SFIELD_DESC(TonemappingSettings, Real32, "contrast", Contrast, false),
    OSG_SFIELD_DESC(TonemappingSettings, Real32, "whitebalance", Whitebalance, false),
    OSG_SFIELD_DESC(TonemappingSettings, Vec2f, "candelaRange", CandelaRange, false),
    OSG_SFIELD_DESC(TonemappingSettings, UInt32, "candelaMappingMode", CandelaMappingMode, false),
    OSG_SFIELD_DESC(TonemappingSettings, Vec4f, "filmicParameter", FilmicParameter, false),
    OSG_SFIELD_DESC(TonemappingSettings, Vec4f, "colorCorrection", ColorCorrection, false),
    OSG_SFIELD_DESC(TonemappingSettings, UInt32, "colorCorrectionFlags", ColorCorrectionFlags,
                    false),
    OSG_SFIELD_DESC(TonemappingSettings, UInt32, "postprocessingFlags", PostprocessingFlags, false),
    OSG_SFIELD_DESC(TonemappingSettings, Vec4f, "glowParameter", GlowParameter, false),
    OSG_SFIELD_DESC(TonemappingSettings, Vec4f, "glareParameter", GlareParameter, false),
    OSG_SFIELD_DESC(TonemappingSettings, Vec4f, "glareParameter2", GlareParameter2, false),
    OSG_SFIELD_DESC(TonemappingSettings, bool, "lensFlareEnabled", LensFlareEnabled, false),
    OSG_SFIELD_DESC(TonemappingSettings, Real32, "blendAmount", BlendAmount, false),
    OSG_SFIELD_DESC(TonemappingSettings, Real32, "vignetteRadius", VignetteRadius, false),
    OSG_SFIELD_DESC(TonemappingSettings, Real32, "vignetteRoundness", VignetteRoundness, false),
    OSG_SFIELD_DESC(TonemappingSettings, Real32, "vignetteFeather", VignetteFeather, false),
    OSG_SFIELD_DESC(TonemappingSettings, bool, "tonemapHDR", TonemapHDR, false),
    OSG_SFIELD_DESC(TonemappingSettings, SensorResponseCurvePtr, "sensorResponseCurve",
                    SensorResponseCurve, false),
    OSG_SFIELD_DESC(TonemappingSettings, TextureSettingsPtr, "leftEyeBlendingMap",
                    LeftEyeBlendingMap, false),
    OSG_SFIELD_DESC(TonemappingSettings, TextureSettingsPtr, "rightEyeBlendingMap",
                    RightEyeBlendingMap, false),
};

// ---- colour temperature to white balance, in double precision --------------------------

using Vec3 = std::array<double, 3>;
using Mat3 = std::array<Vec3, 3>; // rows

Vec3 mul(const Mat3& m, const Vec3& v) {
    Vec3 r{};
    for (int i = 0; i < 3; ++i)
        r[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return r;
}

Mat3 mul(const Mat3& a, const Mat3& b) {
    Mat3 r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
    return r;
}

Mat3 inverse(const Mat3& m) {
    const double c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
    const double c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
    const double c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
    const double det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
    return Mat3{Vec3{c00 / det, (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det,
                     (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det},
                Vec3{c01 / det, (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det,
                     (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det},
                Vec3{c02 / det, (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det,
                     (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det}};
}

Vec3 xyToXYZ(double x, double y) {
    return Vec3{x / y, 1.0, (1.0 - x - y) / y};
}

// The white (Y = 1) of colour temperature t in kelvin.
//  t >= 4000 K: the CIE daylight locus, CIE 15:2004 "Colorimetry", 3rd ed.,
//    eq. 3.3 and 3.4 (as in Wyszecki & Stiles, "Color Science", 2nd ed., 1982).
//  below: the Planckian locus by the cubic spline of B. Kim, I. Kang, H. Kim,
//    G. Lee, "Design of advanced color temperature control system for HDTV
//    applications", J. Korean Physical Society 41(6), 865-871 (2002), valid
//    from 1667 K; lower temperatures are clamped to it.
// The two meet at 4000 K with a small step: daylight lies slightly above the
// Planckian locus.
Vec3 whiteOfTemperature(double t) {
    t = std::clamp(t, 1667.0, 25000.0);
    const double t2 = t * t;
    const double t3 = t2 * t;
    if (t >= 4000.0) {
        const double x = t <= 7000.0 ? -4.6070e9 / t3 + 2.9678e6 / t2 + 0.09911e3 / t + 0.244063
                                     : -2.0064e9 / t3 + 1.9018e6 / t2 + 0.24748e3 / t + 0.237040;
        return xyToXYZ(x, -3.000 * x * x + 2.870 * x - 0.275);
    }
    const double x = -0.2661239e9 / t3 - 0.2343589e6 / t2 + 0.8776956e3 / t + 0.179910;
    const double y =
        t <= 2222.0 ? -1.1063814 * x * x * x - 1.34811020 * x * x + 2.18555832 * x - 0.20219683
                    : -0.9549476 * x * x * x - 1.37418593 * x * x + 2.09137015 * x - 0.16748867;
    return xyToXYZ(x, y);
}

// Linear RGB with the BT.709 primaries to XYZ, white = the 6504 K white above
// (so that this white is exactly RGB grey).
Mat3 rgbToXYZ(const Vec3& white) {
    const Vec3 r = xyToXYZ(0.64, 0.33);
    const Vec3 g = xyToXYZ(0.30, 0.60);
    const Vec3 b = xyToXYZ(0.15, 0.06);
    const Mat3 primaries{Vec3{r[0], g[0], b[0]}, Vec3{r[1], g[1], b[1]}, Vec3{r[2], g[2], b[2]}};
    const Vec3 scale = mul(inverse(primaries), white);
    Mat3 m = primaries;
    for (auto& row : m)
        for (int j = 0; j < 3; ++j)
            row[j] *= scale[j];
    return m;
}

// Bradford cone response (Lam 1985, as used by CIECAM97s and ICC v4).
constexpr Mat3 Bradford{Vec3{0.8951, 0.2664, -0.1614}, Vec3{-0.7502, 1.7135, 0.0367},
                        Vec3{0.0389, -0.0685, 1.0296}};

constexpr double NeutralTemperature = 6504.0;

} // namespace

OSG_CONTAINER_TYPE_DEF(TonemappingSettings, "TonemappingSettings", "FieldContainer", nullptr,
                       &TonemappingSettings::createEmpty, tonemappingSettingsDescs)
OSG_CONTAINER_DEF(TonemappingSettings, TonemappingSettings)

TonemappingSettings::TonemappingSettings(const TonemappingSettings& source)
    : FieldContainer(source), _sfExposure(source._sfExposure),
      _sfSensorResponse(source._sfSensorResponse), _sfSensitivity(source._sfSensitivity),
      _sfTonemapperId(source._sfTonemapperId), _sfBlendMode(source._sfBlendMode),
      _sfTonemappingColorspace(source._sfTonemappingColorspace),
      _sfWhitepoint(source._sfWhitepoint), _sfContrast(source._sfContrast),
      _sfWhitebalance(source._sfWhitebalance), _sfCandelaRange(source._sfCandelaRange),
      _sfCandelaMappingMode(source._sfCandelaMappingMode),
      _sfFilmicParameter(source._sfFilmicParameter), _sfColorCorrection(source._sfColorCorrection),
      _sfColorCorrectionFlags(source._sfColorCorrectionFlags),
      _sfPostprocessingFlags(source._sfPostprocessingFlags),
      _sfGlowParameter(source._sfGlowParameter), _sfGlareParameter(source._sfGlareParameter),
      _sfGlareParameter2(source._sfGlareParameter2),
      _sfLensFlareEnabled(source._sfLensFlareEnabled), _sfBlendAmount(source._sfBlendAmount),
      _sfVignetteRadius(source._sfVignetteRadius),
      _sfVignetteRoundness(source._sfVignetteRoundness),
      _sfVignetteFeather(source._sfVignetteFeather), _sfTonemapHDR(source._sfTonemapHDR),
      _sfSensorResponseCurve(source._sfSensorResponseCurve),
      _sfLeftEyeBlendingMap(source._sfLeftEyeBlendingMap),
      _sfRightEyeBlendingMap(source._sfRightEyeBlendingMap), _lumivex(source._lumivex) {
    addRefCP(getSensorResponseCurve());
    addRefCP(getLeftEyeBlendingMap());
    addRefCP(getRightEyeBlendingMap());
}

void TonemappingSettings::setSensorResponseCurve(const SensorResponseCurvePtr& curve) {
    setRefdCP(_sfSensorResponseCurve.getValue(), curve);
}

void TonemappingSettings::setLeftEyeBlendingMap(const TextureSettingsPtr& map) {
    setRefdCP(_sfLeftEyeBlendingMap.getValue(), map);
}

void TonemappingSettings::setRightEyeBlendingMap(const TextureSettingsPtr& map) {
    setRefdCP(_sfRightEyeBlendingMap.getValue(), map);
}

void TonemappingSettings::onDestroy() {
    setSensorResponseCurve(SensorResponseCurvePtr());
    setLeftEyeBlendingMap(TextureSettingsPtr());
    setRightEyeBlendingMap(TextureSettingsPtr());
    Inherited::onDestroy();
}

kxColorMatrix TonemappingSettings::getWhitebalanceMatrix() const {
    const double temperature = getWhitebalance();
    const Vec3 target = whiteOfTemperature(NeutralTemperature);
    const Vec3 source = whiteOfTemperature(temperature);
    // The same white on both sides (6504 K) needs no adaptation; NaN is no light.
    if (!std::isfinite(temperature) || source == target)
        return kxColorMatrix();
    const Vec3 coneSource = mul(Bradford, source);
    const Vec3 coneTarget = mul(Bradford, target);
    Mat3 gain{};
    for (int i = 0; i < 3; ++i)
        gain[i][i] = coneTarget[i] / coneSource[i];
    const Mat3 adapt = mul(inverse(Bradford), mul(gain, Bradford));
    const Mat3 toXYZ = rgbToXYZ(target);
    const Mat3 m = mul(inverse(toXYZ), mul(adapt, toXYZ));
    const auto f = [&](int r, int c) { return static_cast<float>(m[r][c]); };
    return kxColorMatrix(f(0, 0), f(0, 1), f(0, 2), f(1, 0), f(1, 1), f(1, 2), f(2, 0), f(2, 1),
                         f(2, 2));
}

// Rodrigues' rotation about the unit grey axis k = (1, 1, 1) / sqrt(3):
// R = cos a I + sin a [k]x + (1 - cos a) k k^T.
Matrix TonemappingSettings::getHueShiftMatrix() const {
    const double angle = getColorCorrection()[0] * std::numbers::pi / 180.0;
    const double c = std::cos(angle);
    const double s = std::sin(angle) / std::sqrt(3.0);
    const float diagonal = static_cast<float>(c + (1.0 - c) / 3.0);
    const float plus = static_cast<float>((1.0 - c) / 3.0 + s);
    const float minus = static_cast<float>((1.0 - c) / 3.0 - s);
    Matrix m;
    m.setValue(diagonal, minus, plus, 0.0f, //
               plus, diagonal, minus, 0.0f, //
               minus, plus, diagonal, 0.0f, //
               0.0f, 0.0f, 0.0f, 1.0f);
    return m;
}

void TonemappingSettings::syncWith(const TonemappingSettingsPtr& source, BitVector mask) {
    if (source.isNull())
        return;
    copyDescribedFields(*source, mask, getClassType());
}

} // namespace osg
