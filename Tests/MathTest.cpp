// Math core: vectors, quaternions, matrices, camera matrix builders and box volumes.
// GLM (column-major, OpenGL conventions like ours) serves as the independent reference.

#include "OSGBoxVolume.h"
#include "OSGMatrix.h"
#include "OSGMatrixUtility.h"
#include "OSGQuaternion.h"
#include "OSGVector.h"

#include <gtest/gtest.h>

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <type_traits>

using namespace osg;

namespace {

constexpr Real32 AbsTol = 1e-5f;     // results of a few float operations on O(1) values
constexpr Real32 RelTol = 1e-4f;     // inverses and projections, relative to magnitude
constexpr Real32 AngleTol = 1e-4f;   // radians
constexpr UInt32 RandomTrials = 200; // per randomised test
constexpr Real32 NaN = std::numeric_limits<Real32>::quiet_NaN();

glm::mat4 toGlm(const Matrix& m) {
    glm::mat4 g(1.f);
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r)
            g[c][r] = m[c][r];
    }
    return g;
}

Matrix fromGlm(const glm::mat4& g) {
    Matrix m;
    for (UInt32 c = 0; c < 4; ++c) {
        for (UInt32 r = 0; r < 4; ++r)
            m[c][r] = g[c][r];
    }
    return m;
}

/// Every entry within tol scaled by the magnitude of the expected entry (at least 1).
::testing::AssertionResult nearRel(const Matrix& actual, const glm::mat4& expected, Real32 tol) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            const Real32 e = expected[c][r];
            const Real32 a = actual[c][r];
            if (!(std::abs(a - e) <= tol * std::max(1.f, std::abs(e)))) {
                return ::testing::AssertionFailure()
                       << "row " << r << " col " << c << ": " << a << " vs " << e << "\n"
                       << actual;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult nearPnt(const Pnt3f& a, Real32 x, Real32 y, Real32 z, Real32 tol) {
    if (a.equals(Pnt3f(x, y, z), tol))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a << " vs " << x << ", " << y << ", " << z;
}

class Random {
public:
    Real32 uniform(Real32 lo, Real32 hi) {
        return std::uniform_real_distribution<Real32>(lo, hi)(_gen);
    }
    Vec3f vec(Real32 lo, Real32 hi) {
        return Vec3f(uniform(lo, hi), uniform(lo, hi), uniform(lo, hi));
    }
    Pnt3f pnt(Real32 lo, Real32 hi) { return vec(lo, hi).addToZero(); }
    /// Uniformly distributed unit quaternion (normalised 4D Gaussian).
    Quaternion rotation() {
        std::normal_distribution<Real32> n;
        Quaternion q(n(_gen), n(_gen), n(_gen), n(_gen));
        q.normalize();
        return q;
    }
    /// Rotation, scale in [0.5, 2] and translation: condition number stays small.
    Matrix wellConditioned() {
        Matrix m;
        m.setTransform(vec(-10.f, 10.f), rotation(), vec(0.5f, 2.f));
        // A little shear and projective part so all 16 entries matter.
        for (UInt32 c = 0; c < 4; ++c) {
            for (UInt32 r = 0; r < 4; ++r)
                m[c][r] += uniform(-0.1f, 0.1f);
        }
        return m;
    }
    Matrix any(Real32 range) {
        Matrix m;
        for (UInt32 i = 0; i < 16; ++i)
            m.getValues()[i] = uniform(-range, range);
        return m;
    }

private:
    std::mt19937 _gen{20240531u};
};

glm::quat toGlm(const Quaternion& q) {
    return glm::quat(q.w(), q.x(), q.y(), q.z());
}
glm::vec3 toGlm(const Vec3f& v) {
    return glm::vec3(v[0], v[1], v[2]);
}
glm::vec3 toGlm(const Pnt3f& p) {
    return glm::vec3(p[0], p[1], p[2]);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Vectors and points

static_assert(sizeof(Vec3f) == 12 && sizeof(Pnt3f) == 12 && sizeof(Vec4f) == 16);
static_assert(std::is_trivially_copyable_v<Vec3f> && std::is_trivially_copyable_v<Pnt4f>);
static_assert(!std::is_convertible_v<Pnt3f, Vec3f> && !std::is_convertible_v<Vec3f, Pnt3f>);

TEST(VectorTest, PointVectorAlgebraEqualityAndStreaming) {
    const Pnt3f a(1.f, 2.f, 3.f);
    const Pnt3f b(4.f, 6.f, 3.f);
    const Vec3f d = b - a;
    EXPECT_TRUE(Vec4f().isZero() && Pnt3f().isZero()); // zero-filled by default
    EXPECT_EQ(d, Vec3f(3.f, 4.f, 0.f));
    EXPECT_EQ(a + d, b);
    EXPECT_EQ(b - d, a);
    EXPECT_FLOAT_EQ(a.dist(b), 5.f);
    EXPECT_EQ(a.subZero(), Vec3f(1.f, 2.f, 3.f));
    EXPECT_EQ(d.addToZero(), Pnt3f(3.f, 4.f, 0.f));
    EXPECT_EQ(d + d, 2.f * d);
    EXPECT_EQ(d * 2.f, Vec3f(6.f, 8.f, 0.f));
    EXPECT_EQ(-d, Vec3f(-3.f, -4.f, -0.f));

    EXPECT_TRUE(a.equals(Pnt3f(1.f, 2.f, 3.25f), 0.25f));
    EXPECT_FALSE(a.equals(Pnt3f(1.f, 2.f, 3.5f), 0.25f));
    EXPECT_FALSE(Vec3f(NaN, 0.f, 0.f).equals(Vec3f(NaN, 0.f, 0.f), 1e30f));
    EXPECT_EQ(Vec3f(0.f, 0.f, 0.f), Vec3f(-0.f, 0.f, 0.f));
    EXPECT_NE(Vec3f(NaN, 0.f, 0.f), Vec3f(NaN, 0.f, 0.f));
    EXPECT_NE(Pnt3f(1.f, 2.f, 3.f), Pnt3f(1.f, 2.f, 4.f));

    std::ostringstream os;
    os << Vec3f(1.f, 2.5f, -3.f) << " | " << Pnt2f(0.f, 1e-7f);
    EXPECT_EQ(os.str(), "1, 2.5, -3 | 0, 1e-07");
}

TEST(VectorTest, DotCrossLengthMatchGlm) {
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        const Vec3f a = rnd.vec(-5.f, 5.f);
        const Vec3f b = rnd.vec(-5.f, 5.f);
        const glm::vec3 c = glm::cross(toGlm(a), toGlm(b));
        EXPECT_TRUE(a.cross(b).equals(Vec3f(c.x, c.y, c.z), RelTol * 25.f));
        EXPECT_NEAR(a.dot(b), glm::dot(toGlm(a), toGlm(b)), RelTol * 25.f);
        EXPECT_NEAR(a.length(), glm::length(toGlm(a)), AbsTol * 10.f);
        EXPECT_NEAR(a.squareLength(), a.length() * a.length(), RelTol * 75.f);
    }
    // Right-handed: x cross y = z.
    EXPECT_EQ(Vec3f(1.f, 0.f, 0.f).cross(Vec3f(0.f, 1.f, 0.f)), Vec3f(0.f, 0.f, 1.f));
}

TEST(VectorTest, NormalizeReturnsOldLengthAndSkipsDegenerate) {
    Vec3f v(3.f, 0.f, 4.f);
    EXPECT_FLOAT_EQ(v.normalize(), 5.f);
    EXPECT_TRUE(v.equals(Vec3f(0.6f, 0.f, 0.8f), AbsTol));
    Vec3f zero;
    EXPECT_EQ(zero.normalize(), 0.f);
    EXPECT_TRUE(zero.isZero());
    // Just below the threshold: unchanged. Just above: normalised.
    Vec3f tiny(5e-7f, 0.f, 0.f);
    tiny.normalize();
    EXPECT_EQ(tiny, Vec3f(5e-7f, 0.f, 0.f));
    Vec3f small(2e-6f, 0.f, 0.f);
    small.normalize();
    EXPECT_TRUE(small.equals(Vec3f(1.f, 0.f, 0.f), AbsTol));
    Vec3f bad(NaN, 1.f, 0.f);
    bad.normalize();
    EXPECT_TRUE(std::isnan(bad[0]));
    EXPECT_EQ(bad[1], 1.f);
}

// ---------------------------------------------------------------------------------------------
// Quaternions

TEST(QuaternionTest, AxisAngleMatchesGlmAndRoundTrips) {
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        Vec3f axis = rnd.vec(-1.f, 1.f);
        if (axis.length() < 0.1f)
            continue;
        const Real32 anyAngle = rnd.uniform(-2.f * Pi, 2.f * Pi);
        Matrix m;
        Quaternion(axis, anyAngle).getValue(m);
        const glm::vec3 unitAxis = glm::normalize(toGlm(axis));
        EXPECT_TRUE(nearRel(m, glm::mat4_cast(glm::angleAxis(anyAngle, unitAxis)), AbsTol * 10.f));

        axis.normalize();
        const Real32 angle = rnd.uniform(0.01f, Pi - 0.01f);
        const Quaternion q(axis, angle);
        EXPECT_NEAR(q.length(), 1.f, AbsTol);
        Vec3f outAxis;
        Real32 outAngle = -1.f;
        q.getValueAsAxisRad(outAxis, outAngle);
        EXPECT_NEAR(outAngle, angle, AngleTol);
        EXPECT_TRUE(outAxis.equals(axis, AbsTol * 10.f)) << outAxis << " vs " << axis;
        // Length does not matter.
        Quaternion(q.x() * 4.f, q.y() * 4.f, q.z() * 4.f, q.w() * 4.f)
            .getValueAsAxisRad(outAxis, outAngle);
        EXPECT_NEAR(outAngle, angle, AngleTol);
        // A rotation beyond pi comes back as the equivalent one below pi about -axis.
        Quaternion(axis, 2.f * Pi - angle).getValueAsAxisRad(outAxis, outAngle);
        EXPECT_NEAR(outAngle, angle, AngleTol);
        EXPECT_TRUE(outAxis.equals(-axis, AbsTol * 10.f));
    }
    Vec3f axis;
    Real32 angle = -1.f;
    Quaternion().getValueAsAxisRad(axis, angle);
    EXPECT_EQ(angle, 0.f);
    EXPECT_EQ(axis, Vec3f(0.f, 0.f, 1.f));
    Quaternion(Vec3f(1.f, 0.f, 0.f), Pi / 2).getValueAsAxisDeg(axis, angle);
    EXPECT_NEAR(angle, 90.f, 1e-3f);
    Quaternion deg;
    deg.setValueAsAxisDeg(Vec3f(0.f, 0.f, 2.f), 90.f);
    Vec3f v;
    deg.multVec(Vec3f(1.f, 0.f, 0.f), v);
    EXPECT_TRUE(v.equals(Vec3f(0.f, 1.f, 0.f), AbsTol)); // counter-clockwise about +z
}

TEST(QuaternionTest, MatrixRoundTripIncludingHalfTurns) {
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        const Quaternion q = rnd.rotation();
        Matrix m;
        q.getValue(m);
        EXPECT_TRUE(nearRel(m, glm::mat4_cast(toGlm(q)), AbsTol * 10.f));
        EXPECT_TRUE(Quaternion(m).equals(q, AbsTol * 10.f)) << Quaternion(m) << " vs " << q;
    }
    // Trace near -1: each of Shepperd's non-trace branches must be taken and stay exact.
    const Vec3f axes[] = {Vec3f(1.f, 0.f, 0.f), Vec3f(0.f, 1.f, 0.f), Vec3f(0.f, 0.f, 1.f),
                          Vec3f(1.f, 1.f, 0.f), Vec3f(0.3f, -0.2f, 0.9f)};
    for (const Vec3f& axis : axes) {
        for (Real32 angle : {Pi, Pi - 1e-3f, -Pi + 1e-4f}) {
            const glm::mat4 g = glm::rotate(glm::mat4(1.f), angle, toGlm(axis));
            const Quaternion q(fromGlm(g));
            Matrix back;
            q.getValue(back);
            EXPECT_TRUE(nearRel(back, g, AbsTol * 10.f)) << axis << " angle " << angle;
            EXPECT_NEAR(q.length(), 1.f, AbsTol);
        }
    }
}

TEST(QuaternionTest, DefaultAndDegenerateInputGiveIdentity) {
    Matrix m = Random().any(3.f);
    Quaternion().getValue(m);
    EXPECT_TRUE(m.isIdentity());

    const Quaternion identity(0.f, 0.f, 0.f, 1.f);
    EXPECT_EQ(Quaternion(), identity);
    EXPECT_EQ(Quaternion(Vec3f(), 1.f), identity);
    EXPECT_EQ(Quaternion(Vec3f(NaN, 0.f, 1.f), 1.f), identity);
    EXPECT_EQ(Quaternion(Matrix(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)), identity);
    Matrix nan;
    nan[1][2] = NaN;
    nan[0][0] = NaN;
    EXPECT_EQ(Quaternion(nan), identity);
}

TEST(QuaternionTest, MultAppliesArgumentFirst) {
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        const Quaternion a = rnd.rotation();
        const Quaternion b = rnd.rotation();
        const Vec3f v = rnd.vec(-3.f, 3.f);

        Quaternion ab = a;
        ab.mult(b);
        EXPECT_TRUE(ab.equals(a * b, AbsTol));
        Quaternion ba = a;
        ba.multLeft(b);
        EXPECT_TRUE(ba.equals(b * a, AbsTol));

        Vec3f viaProduct, viaSteps;
        ab.multVec(v, viaProduct);
        b.multVec(v, viaSteps);
        a.multVec(viaSteps, viaSteps); // in place
        EXPECT_TRUE(viaProduct.equals(viaSteps, AbsTol * 10.f));
        const glm::vec3 g = toGlm(a) * toGlm(b) * toGlm(v);
        EXPECT_TRUE(viaProduct.equals(Vec3f(g.x, g.y, g.z), AbsTol * 10.f));
    }
}

TEST(QuaternionTest, InverseNormalizeEquals) {
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        Quaternion q = rnd.rotation();
        const Quaternion scaled(q.x() * 3.f, q.y() * 3.f, q.z() * 3.f, q.w() * 3.f);
        EXPECT_TRUE((scaled * scaled.inverse()).equals(Quaternion(), AbsTol));
        Quaternion n = scaled;
        EXPECT_NEAR(n.normalize(), 3.f, AbsTol * 3.f);
        EXPECT_TRUE(n.equals(q, AbsTol));
        // -q is the same rotation, so equals() accepts it; == does not.
        const Quaternion neg(-q.x(), -q.y(), -q.z(), -q.w());
        EXPECT_TRUE(q.equals(neg, 0.f));
        EXPECT_NE(q, neg);
    }
    const Quaternion zeroValue(0.f, 0.f, 0.f, 0.f);
    Quaternion zero = zeroValue;
    EXPECT_FALSE(zero.invert());
    EXPECT_EQ(zero.normalize(), 0.f);
    EXPECT_EQ(zero, zeroValue);
    Vec3f v(1.f, 2.f, 3.f);
    zero.multVec(v, v);
    EXPECT_EQ(v, Vec3f(1.f, 2.f, 3.f));

    EXPECT_TRUE(Quaternion(0.1f, 0.f, 0.f, 1.f).equals(Quaternion(0.f, 0.f, 0.f, 1.f), 0.1f));
    EXPECT_FALSE(Quaternion(0.2f, 0.f, 0.f, 1.f).equals(Quaternion(0.f, 0.f, 0.f, 1.f), 0.1f));
    EXPECT_FALSE(Quaternion(NaN, 0.f, 0.f, 1.f).equals(Quaternion(NaN, 0.f, 0.f, 1.f), 1.f));
}

// ---------------------------------------------------------------------------------------------
// Matrices

TEST(MatrixTest, LayoutIsColumnMajorAndEqualsUsesPerEntryTolerance) {
    const Matrix m(1, 2, 3, 4,    //
                   5, 6, 7, 8,    //
                   9, 10, 11, 12, //
                   13, 14, 15, 16);
    const Real32 expected[16] = {1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16};
    EXPECT_EQ(std::memcmp(m.getValues(), expected, sizeof(expected)), 0);
    EXPECT_EQ(m[3][0], 4.f); // column 3, row 0
    Matrix fromArray;
    fromArray.setValue(expected);
    EXPECT_EQ(fromArray, m);
    EXPECT_TRUE(Matrix().isIdentity());
    EXPECT_FALSE(m.isIdentity(1.f));
    std::ostringstream os;
    os << m;
    EXPECT_EQ(os.str(), "1, 2, 3, 4\n5, 6, 7, 8\n9, 10, 11, 12\n13, 14, 15, 16");

    Matrix a, b;
    b[2][1] = 0.5f;
    EXPECT_TRUE(a.equals(b, 0.5f));
    EXPECT_FALSE(a.equals(b, 0.49f));
    EXPECT_NE(a, b);
    b[2][1] = NaN;
    EXPECT_FALSE(a.equals(b, 1e30f));
    EXPECT_FALSE(b.equals(b, 1e30f));
}

TEST(MatrixTest, MultAppliesArgumentFirstLikeGlm) {
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        const Matrix a = rnd.any(4.f);
        const Matrix b = rnd.any(4.f);
        Matrix ab = a;
        ab.mult(b);
        EXPECT_TRUE(nearRel(ab, toGlm(a) * toGlm(b), RelTol));
        EXPECT_EQ(ab, a * b);
        Matrix ba = a;
        ba.multLeft(b);
        EXPECT_TRUE(nearRel(ba, toGlm(b) * toGlm(a), RelTol));
        Matrix sq = a;
        sq.mult(sq); // aliasing
        EXPECT_TRUE(nearRel(sq, toGlm(a) * toGlm(a), RelTol));
    }
    // Translate after scaling: the point is scaled first.
    Matrix t, s;
    t.setTranslate(1.f, 0.f, 0.f);
    s.setScale(2.f);
    Pnt3f p(1.f, 1.f, 1.f);
    (t * s).multMatrixPnt(p);
    EXPECT_EQ(p, Pnt3f(3.f, 2.f, 2.f));
}

TEST(MatrixTest, InverseMatchesGlm) {
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        const Matrix m = rnd.wellConditioned();
        Matrix inv;
        ASSERT_TRUE(m.inverse(inv));
        EXPECT_TRUE(nearRel(inv, glm::inverse(toGlm(m)), RelTol));
        EXPECT_TRUE((m * inv).isIdentity(RelTol));
        Matrix self = m;
        ASSERT_TRUE(self.invert());
        EXPECT_EQ(self, inv);
        Matrix aliased = m;
        ASSERT_TRUE(aliased.inverse(aliased));
        EXPECT_EQ(aliased, inv);
    }
    // Large translations keep their precision thanks to the double computation.
    Matrix far;
    far.setTransform(Vec3f(1e6f, -2e6f, 3e6f), Quaternion(Vec3f(1.f, 2.f, 3.f), 0.7f));
    Matrix inv;
    ASSERT_TRUE(far.inverse(inv));
    EXPECT_TRUE(nearRel(inv, glm::inverse(toGlm(far)), RelTol));
}

TEST(MatrixTest, SingularInverseFailsAndLeavesEverythingUnchanged) {
    Random rnd;
    // Integer entries so the dependent column is exact and det is exactly zero.
    Matrix rankDeficient;
    for (UInt32 i = 0; i < 16; ++i)
        rankDeficient.getValues()[i] = std::round(rnd.uniform(-4.f, 4.f));
    rankDeficient[2] = rankDeficient[0] + rankDeficient[1];
    Matrix belowThreshold; // det 1e-31; the threshold is 1e-30
    belowThreshold.setScale(1e-31f, 1.f, 1.f);
    Matrix tiny; // det 1e-32 is not even representable as a float
    tiny.setScale(1e-8f);
    tiny[3][3] = 1e-8f;

    const Matrix sentinel = rnd.any(1.f);
    const Matrix cases[] = {rankDeficient, Matrix(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
                            Matrix(NaN, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1),
                            belowThreshold, tiny};
    for (const Matrix& m : cases) {
        SCOPED_TRACE(::testing::Message() << m);
        Matrix result = sentinel;
        EXPECT_FALSE(m.inverse(result));
        EXPECT_EQ(result, sentinel);
        Matrix copy = m;
        EXPECT_FALSE(copy.invert());
        // Bitwise, so NaN entries compare too.
        EXPECT_EQ(std::memcmp(copy.getValues(), m.getValues(), 16 * sizeof(Real32)), 0);
    }
    Matrix above; // det 1e-29
    above.setScale(1e-29f, 1.f, 1.f);
    Matrix result;
    ASSERT_TRUE(above.inverse(result));
    EXPECT_NEAR(result[0][0] / 1e29f, 1.f, RelTol);
}

TEST(MatrixTest, DeterminantsTransposeAndInvert3MatchGlm) {
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        const Matrix m = rnd.any(3.f);
        const glm::mat4 g = toGlm(m);
        const Real32 det = glm::determinant(g);
        EXPECT_NEAR(m.det(), det, RelTol * std::max(1.f, std::abs(det)) * 10.f);
        const Real32 det3 = glm::determinant(glm::mat3(g));
        EXPECT_NEAR(m.det3(), det3, RelTol * std::max(1.f, std::abs(det3)));
        Matrix t = m;
        t.transpose();
        EXPECT_EQ(toGlm(t), glm::transpose(g));

        const Matrix w = rnd.wellConditioned();
        Matrix w3 = w;
        ASSERT_TRUE(w3.invert3());
        const glm::mat3 inv3 = glm::inverse(glm::mat3(toGlm(w)));
        glm::mat4 expected = toGlm(w); // row 3 and column 3 stay
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < 3; ++r)
                expected[c][r] = inv3[c][r];
        }
        EXPECT_TRUE(nearRel(w3, expected, RelTol));
    }
    Matrix flat;
    flat.setScale(1.f, 0.f, 1.f);
    const Matrix before = flat;
    EXPECT_FALSE(flat.invert3());
    EXPECT_EQ(flat, before);
}

TEST(MatrixTest, PointAndVectorTransforms) {
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        const Matrix m = rnd.wellConditioned();
        const glm::mat4 g = toGlm(m);
        const Pnt3f p = rnd.pnt(-5.f, 5.f);
        const glm::vec4 h = g * glm::vec4(toGlm(p), 1.f);
        Pnt3f full;
        ASSERT_TRUE(m.multFullMatrixPnt(p, full));
        EXPECT_TRUE(full.equals(Pnt3f(h.x / h.w, h.y / h.w, h.z / h.w),
                                RelTol * std::max(1.f, full.subZero().length())));
        Pnt3f affine = p;
        m.multMatrixPnt(affine); // row 3 (the projective part) is ignored
        EXPECT_TRUE(affine.equals(Pnt3f(h.x, h.y, h.z), RelTol * 10.f));

        const Vec3f v = rnd.vec(-5.f, 5.f);
        Vec3f dir = v;
        m.multMatrixVec(dir);
        const glm::vec3 gv = glm::mat3(g) * toGlm(v);
        EXPECT_TRUE(dir.equals(Vec3f(gv.x, gv.y, gv.z), RelTol * 10.f));
        Vec4f v4(v[0], v[1], v[2], 0.5f);
        m.mult(v4, v4);
        const glm::vec4 g4 = g * glm::vec4(toGlm(v), 0.5f);
        EXPECT_TRUE(v4.equals(Vec4f(g4.x, g4.y, g4.z, g4.w), RelTol * 10.f));
    }
    // Row 3 = (0, 0, 1, 0): w is the input z, so points on z = 0 have no image.
    Matrix m;
    m[2][3] = 1.f;
    m[3][3] = 0.f;
    Pnt3f dst(9.f, 9.f, 9.f);
    EXPECT_FALSE(m.multFullMatrixPnt(Pnt3f(1.f, 2.f, 0.f), dst));
    EXPECT_EQ(dst, Pnt3f());
    Pnt3f p(2.f, 4.f, 2.f);
    EXPECT_TRUE(m.multFullMatrixPnt(p));
    EXPECT_EQ(p, Pnt3f(1.f, 2.f, 1.f));
}

TEST(MatrixTest, PartialSettersTouchOnlyTheirEntries) {
    Random rnd;
    const Matrix base = rnd.any(1.f);
    Matrix t = base;
    t.setTranslate(Vec3f(7.f, 8.f, 9.f));
    Matrix s = base;
    s.setScale(Vec3f(2.f, 3.f, 4.f));
    Matrix r = base;
    const Quaternion q = rnd.rotation();
    r.setRotate(q);
    Matrix rot;
    q.getValue(rot);
    for (UInt32 c = 0; c < 4; ++c) {
        for (UInt32 row = 0; row < 4; ++row) {
            const bool inTranslation = c == 3 && row < 3;
            EXPECT_EQ(t[c][row], inTranslation ? Real32(7 + row) : base[c][row]);
            const bool onDiagonal = c == row && c < 3;
            EXPECT_EQ(s[c][row], onDiagonal ? Real32(2 + c) : base[c][row]);
            const bool inUpper3 = c < 3 && row < 3;
            EXPECT_EQ(r[c][row], inUpper3 ? rot[c][row] : base[c][row]);
        }
    }
}

TEST(MatrixTest, SetTransformIsTranslateRotateScale) {
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        const glm::mat4 t = glm::translate(glm::mat4(1.f), toGlm(rnd.vec(-10.f, 10.f)));
        const Vec3f tv(t[3][0], t[3][1], t[3][2]);
        const Quaternion q = rnd.rotation();
        const Vec3f s = rnd.vec(0.1f, 3.f);
        Matrix m = rnd.any(1.f);
        m.setTransform(tv, q, s);
        const glm::mat4 r = glm::mat4_cast(toGlm(q));
        EXPECT_TRUE(nearRel(m, t * r * glm::scale(glm::mat4(1.f), toGlm(s)), AbsTol * 10.f));
        m.setTransform(tv, q);
        EXPECT_TRUE(nearRel(m, t * r, AbsTol * 10.f));
        m.setTransform(tv);
        EXPECT_EQ(toGlm(m), t);
    }
}

// ---------------------------------------------------------------------------------------------
// Camera matrix builders

namespace {

/// A sentinel that no builder produces, to detect writes on failure.
Matrix sentinelMatrix() {
    return Matrix(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
}

} // namespace

TEST(ProjectionTest, FrustumAndOrthogonalMatchGlmAndMapCorners) {
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        const Real32 l = rnd.uniform(-5.f, -0.1f), r = rnd.uniform(0.1f, 5.f);
        const Real32 b = rnd.uniform(-5.f, -0.1f), t = rnd.uniform(0.1f, 5.f);
        const Real32 n = rnd.uniform(0.01f, 2.f), f = n + rnd.uniform(1.f, 100.f);
        Matrix m = sentinelMatrix();
        ASSERT_TRUE(MatrixFrustum(m, l, r, b, t, n, f));
        EXPECT_TRUE(nearRel(m, glm::frustum(l, r, b, t, n, f), RelTol));
        Pnt3f nearCorner(l, b, -n);
        ASSERT_TRUE(m.multFullMatrixPnt(nearCorner));
        EXPECT_TRUE(nearPnt(nearCorner, -1.f, -1.f, -1.f, RelTol * 10.f));
        const Real32 k = f / n;
        Pnt3f farCorner(r * k, t * k, -f);
        ASSERT_TRUE(m.multFullMatrixPnt(farCorner));
        EXPECT_TRUE(nearPnt(farCorner, 1.f, 1.f, 1.f, RelTol * 10.f));

        const Real32 ol = rnd.uniform(-50.f, 0.f), orr = ol + rnd.uniform(0.5f, 50.f);
        const Real32 ob = rnd.uniform(-50.f, 0.f), ot = ob + rnd.uniform(0.5f, 50.f);
        const Real32 on = rnd.uniform(-10.f, 10.f), of = on + rnd.uniform(1.f, 100.f);
        m = sentinelMatrix();
        ASSERT_TRUE(MatrixOrthogonal(m, ol, orr, ob, ot, on, of));
        EXPECT_TRUE(nearRel(m, glm::ortho(ol, orr, ob, ot, on, of), RelTol));
        Pnt3f lo(ol, ob, -on), hi(orr, ot, -of);
        m.multMatrixPnt(lo);
        m.multMatrixPnt(hi);
        EXPECT_TRUE(nearPnt(lo, -1.f, -1.f, -1.f, RelTol * 10.f));
        EXPECT_TRUE(nearPnt(hi, 1.f, 1.f, 1.f, RelTol * 10.f));
    }
}

TEST(ProjectionTest, PerspectiveMatchesGlmAndTheSymmetricFrustum) {
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        const Real32 fovy = rnd.uniform(0.1f, 3.f);
        const Real32 aspect = rnd.uniform(0.2f, 4.f);
        const Real32 n = rnd.uniform(0.01f, 2.f), f = n + rnd.uniform(1.f, 1000.f);
        Matrix m = sentinelMatrix();
        ASSERT_TRUE(MatrixPerspective(m, fovy, aspect, n, f));
        EXPECT_TRUE(nearRel(m, glm::perspective(fovy, aspect, n, f), RelTol));
        const Real32 top = n * std::tan(fovy / 2);
        Matrix fr;
        ASSERT_TRUE(MatrixFrustum(fr, -top * aspect, top * aspect, -top, top, n, f));
        EXPECT_TRUE(m.equals(fr, RelTol * std::max(1.f, std::abs(fr[3][2]))));
    }
}

TEST(ProjectionTest, DegenerateInputFailsAndLeavesResultUnchanged) {
    const Matrix sentinel = sentinelMatrix();
    Matrix m = sentinel;
    EXPECT_FALSE(MatrixFrustum(m, 1.f, 1.f, -1.f, 1.f, 1.f, 2.f));
    EXPECT_FALSE(MatrixFrustum(m, -1.f, 1.f, 2.f, 2.f, 1.f, 2.f));
    EXPECT_FALSE(MatrixFrustum(m, -1.f, 1.f, -1.f, 1.f, 3.f, 3.f));
    EXPECT_FALSE(MatrixFrustum(m, NaN, 1.f, -1.f, 1.f, 1.f, 2.f));
    EXPECT_FALSE(MatrixOrthogonal(m, 1.f, 1.f, -1.f, 1.f, 1.f, 2.f));
    EXPECT_FALSE(MatrixOrthogonal(m, -1.f, 1.f, 0.f, 0.f, 1.f, 2.f));
    EXPECT_FALSE(MatrixOrthogonal(m, -1.f, 1.f, -1.f, 1.f, -2.f, -2.f));
    EXPECT_FALSE(MatrixOrthogonal(m, -1.f, 1.f, -1.f, 1.f, 0.f, NaN));
    EXPECT_FALSE(MatrixPerspective(m, 1.f, 0.f, 1.f, 2.f));
    EXPECT_FALSE(MatrixPerspective(m, 1.f, 1.f, 2.f, 2.f));
    EXPECT_FALSE(MatrixPerspective(m, 0.f, 1.f, 1.f, 2.f));
    EXPECT_FALSE(MatrixPerspective(m, NaN, 1.f, 1.f, 2.f));
    // Overflow in single precision counts as degenerate too.
    EXPECT_FALSE(MatrixFrustum(m, 0.f, 1e-38f, -1.f, 1.f, 1e30f, 2e30f));
    EXPECT_EQ(m, sentinel);

    // Unusual but valid depth ranges and mirrored frusta are accepted.
    EXPECT_TRUE(MatrixFrustum(m, -1.f, 1.f, -1.f, 1.f, 10.f, 1.f)); // near beyond far
    EXPECT_TRUE(nearRel(m, glm::frustum(-1.f, 1.f, -1.f, 1.f, 10.f, 1.f), RelTol));
    EXPECT_TRUE(MatrixFrustum(m, -1.f, 1.f, -1.f, 1.f, 0.f, 1.f));
    EXPECT_TRUE(MatrixFrustum(m, -1.f, 1.f, -1.f, 1.f, -1.f, 1.f));
    EXPECT_TRUE(MatrixFrustum(m, 1.f, -1.f, 1.f, -1.f, 1.f, 2.f));
}

TEST(LookAtTest, IsInverseOfGlmViewMatrix) {
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        const Pnt3f from = rnd.pnt(-20.f, 20.f);
        const Pnt3f at = rnd.pnt(-20.f, 20.f);
        const Vec3f up = rnd.vec(-1.f, 1.f);
        const Vec3f dir = at - from;
        if (dir.length() < 0.5f || up.length() < 0.1f ||
            dir.cross(up).length() < 0.1f * dir.length() * up.length())
            continue;

        Matrix m = sentinelMatrix();
        ASSERT_TRUE(MatrixLookAt(m, from, at, up));
        const glm::mat4 view = glm::lookAt(toGlm(from), toGlm(at), toGlm(up));
        EXPECT_TRUE(nearRel(m, glm::inverse(view), RelTol));
        // Orthonormal right-handed basis placed at from.
        EXPECT_NEAR(m.det3(), 1.f, AbsTol * 10.f);
        EXPECT_TRUE(Pnt3f(m[3][0], m[3][1], m[3][2]).equals(from, 0.f));
        // up ends up in the camera's y/z plane with a positive y component.
        Matrix toCamera;
        ASSERT_TRUE(m.inverse(toCamera));
        Vec3f upInCamera = up;
        toCamera.multMatrixVec(upInCamera);
        EXPECT_NEAR(upInCamera[0], 0.f, AbsTol * 10.f);
        EXPECT_GT(upInCamera[1], 0.f);
    }
}

TEST(LookAtTest, DegenerateInputFailsAndLeavesResultUnchanged) {
    const Matrix sentinel = sentinelMatrix();
    Matrix m = sentinel;
    const Pnt3f p(1.f, 2.f, 3.f);
    const Pnt3f above(1.f, 5.f, 3.f);
    EXPECT_FALSE(MatrixLookAt(m, p, p, Vec3f(0.f, 1.f, 0.f)));
    EXPECT_FALSE(MatrixLookAt(m, p, above, Vec3f(0.f, 2.f, 0.f)));
    EXPECT_FALSE(MatrixLookAt(m, p, above, Vec3f(0.f, -1.f, 0.f)));
    EXPECT_FALSE(MatrixLookAt(m, p, Pnt3f(0.f, 0.f, 0.f), Vec3f()));
    // Sine of the angle between up and the view direction: 1e-7 is parallel, 1e-5 is not.
    EXPECT_FALSE(MatrixLookAt(m, p, above, Vec3f(1e-7f, 1.f, 0.f)));
    EXPECT_FALSE(MatrixLookAt(m, Pnt3f(NaN, 0.f, 0.f), p, Vec3f(0.f, 1.f, 0.f)));
    EXPECT_EQ(m, sentinel);
    EXPECT_TRUE(MatrixLookAt(m, p, above, Vec3f(1e-5f, 1.f, 0.f)));
    // Nearly but not exactly coincident points still define a direction.
    EXPECT_TRUE(MatrixLookAt(m, p, Pnt3f(1.f, 2.f, 3.0001f), Vec3f(0.f, 1.f, 0.f)));
}

// ---------------------------------------------------------------------------------------------
// Box volumes

TEST(BoxVolumeTest, EmptyBoxHasDefinedAnswers) {
    BoxVolume box;
    EXPECT_TRUE(box.isEmpty());
    Pnt3f c(5.f, 5.f, 5.f), lo(1.f, 1.f, 1.f), hi(1.f, 1.f, 1.f);
    box.getCenter(c);
    box.getBounds(lo, hi);
    EXPECT_TRUE(c.isZero() && lo.isZero() && hi.isZero());
    EXPECT_EQ(box.getScalarVolume(), 0.f);
    EXPECT_FALSE(box.intersect(Pnt3f()));
    Matrix shift;
    shift.setTranslate(1.f, 2.f, 3.f);
    box.transform(shift);
    EXPECT_TRUE(box.isEmpty());
    EXPECT_TRUE(BoxVolume(Pnt3f(NaN, 0.f, 0.f), Pnt3f()).isEmpty());
}

TEST(BoxVolumeTest, BoundsAreOrderedAndExtendByGrowsThem) {
    const BoxVolume ordered(3.f, -1.f, 2.f, 1.f, 1.f, 0.f);
    EXPECT_EQ(ordered.getMin(), Pnt3f(1.f, -1.f, 0.f));
    EXPECT_EQ(ordered.getMax(), Pnt3f(3.f, 1.f, 2.f));
    EXPECT_EQ(ordered.getScalarVolume(), 8.f);
    Pnt3f c;
    ordered.getCenter(c);
    EXPECT_EQ(c, Pnt3f(2.f, 0.f, 1.f));
    EXPECT_TRUE(ordered.intersect(Pnt3f(3.f, 1.f, 2.f))); // boundary is inside
    EXPECT_FALSE(ordered.intersect(Pnt3f(3.01f, 0.f, 1.f)));

    BoxVolume box;
    box.extendBy(Pnt3f(1.f, 2.f, 3.f));
    EXPECT_EQ(box, BoxVolume(1.f, 2.f, 3.f, 1.f, 2.f, 3.f));
    EXPECT_FALSE(box.isEmpty());
    EXPECT_EQ(box.getScalarVolume(), 0.f);
    box.extendBy(Pnt3f(-1.f, 4.f, 3.f));
    box.extendBy(Pnt3f(NaN, 100.f, 100.f)); // ignored
    EXPECT_EQ(box, BoxVolume(-1.f, 2.f, 3.f, 1.f, 4.f, 3.f));
    Volume& asVolume = box;
    asVolume.extendBy(BoxVolume()); // empty adds nothing
    EXPECT_EQ(box, BoxVolume(-1.f, 2.f, 3.f, 1.f, 4.f, 3.f));
    asVolume.extendBy(BoxVolume(0.f, 0.f, 0.f, 0.5f, 0.5f, 5.f));
    EXPECT_EQ(box, BoxVolume(-1.f, 0.f, 0.f, 1.f, 4.f, 5.f));
    BoxVolume fromEmpty;
    fromEmpty.extendBy(box);
    EXPECT_EQ(fromEmpty, box);
    box.setEmpty();
    EXPECT_TRUE(box.isEmpty());
}

TEST(BoxVolumeTest, TransformEnclosesMappedCorners) {
    // Unit box centred on the origin, turned 45 degrees about z and moved.
    BoxVolume box(-1.f, -1.f, -1.f, 1.f, 1.f, 1.f);
    Matrix m;
    m.setTransform(Vec3f(10.f, 0.f, 0.f), Quaternion(Vec3f(0.f, 0.f, 1.f), Pi / 4));
    box.transform(m);
    const Real32 s = std::sqrt(2.f);
    EXPECT_TRUE(box.getMin().equals(Pnt3f(10.f - s, -s, -1.f), AbsTol));
    EXPECT_TRUE(box.getMax().equals(Pnt3f(10.f + s, s, 1.f), AbsTol));

    // Random affine maps: the result is tight (its bounds are attained by mapped corners,
    // computed independently with GLM) and holds the mapped centre.
    Random rnd;
    for (UInt32 i = 0; i < RandomTrials; ++i) {
        const BoxVolume original(rnd.pnt(-5.f, 5.f), rnd.pnt(-5.f, 5.f));
        BoxVolume v = original;
        Matrix t;
        t.setTransform(rnd.vec(-5.f, 5.f), rnd.rotation(), rnd.vec(0.2f, 2.f));
        v.transform(t);

        glm::vec3 lo(std::numeric_limits<Real32>::max()), hi(-std::numeric_limits<Real32>::max());
        for (int corner = 0; corner < 8; ++corner) {
            const glm::vec3 p((corner & 1) ? original.getMax()[0] : original.getMin()[0],
                              (corner & 2) ? original.getMax()[1] : original.getMin()[1],
                              (corner & 4) ? original.getMax()[2] : original.getMin()[2]);
            const glm::vec3 q = glm::vec3(toGlm(t) * glm::vec4(p, 1.f));
            lo = glm::min(lo, q);
            hi = glm::max(hi, q);
        }
        EXPECT_TRUE(nearPnt(v.getMin(), lo.x, lo.y, lo.z, RelTol * 10.f));
        EXPECT_TRUE(nearPnt(v.getMax(), hi.x, hi.y, hi.z, RelTol * 10.f));
        Pnt3f center;
        original.getCenter(center);
        t.multMatrixPnt(center);
        EXPECT_TRUE(v.intersect(center));
    }
}
