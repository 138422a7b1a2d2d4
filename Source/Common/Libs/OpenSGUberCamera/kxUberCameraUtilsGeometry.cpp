// The wireframe that shows a camera in the scene.

#include "kxUberCameraUtils.h"

#include "kxGeoPropertyBuilder.h"

#include <array>
#include <vector>

using namespace osg;
using kxGeoPropertyBuilder::makeProperty;

namespace {

struct Point2 {
    Real32 a;
    Real32 b;
};

using Segment = std::array<Pnt3f, 2>;

// Body, x in [-20, 20], y in [-40, 40], z in [0, 120].
constexpr Real32 BodyHalfWidth = 20, BodyHalfHeight = 40, BodyDepth = 120;
// Lens barrel octagon (x, y), from z = 0 to z = -30.
constexpr std::array<Point2, 8> LensOctagon = {
    {{-20, 0}, {-14, 14}, {0, 20}, {14, 14}, {20, 0}, {14, -14}, {0, -20}, {-14, -14}}};
constexpr Real32 LensFront = -30;
// Hood: square of half-width 20 at z = -30 widening to 22 at z = -40.
constexpr Real32 HoodBackHalfWidth = 20, HoodFrontHalfWidth = 22, HoodFront = -40;
constexpr Real32 HoodFlare = 1.1f;
// Reel arcs (y, z) on the planes x = -20 and x = 20.
constexpr std::array<Point2, 7> TopReel = {
    {{40, 20}, {65, 27}, {83, 45}, {90, 70}, {83, 95}, {65, 113}, {40, 120}}};
constexpr std::array<Point2, 7> BackReel = {
    {{40, 120}, {35, 140}, {20, 155}, {0, 160}, {-20, 155}, {-35, 140}, {-40, 120}}};

// The four corners of an axis-aligned rectangle at depth z, in drawing order.
std::array<Pnt3f, 4> rectangle(Real32 halfWidth, Real32 top, Real32 bottom, Real32 z) {
    return {Pnt3f(-halfWidth, top, z), Pnt3f(halfWidth, top, z), Pnt3f(halfWidth, bottom, z),
            Pnt3f(-halfWidth, bottom, z)};
}

void addLoop(std::vector<Segment>& out, const Pnt3f* corners, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k)
        out.push_back({corners[k], corners[(k + 1) % count]});
}

void addBody(std::vector<Segment>& out) {
    auto front = rectangle(BodyHalfWidth, BodyHalfHeight, -BodyHalfHeight, 0);
    auto back = rectangle(BodyHalfWidth, BodyHalfHeight, -BodyHalfHeight, BodyDepth);
    addLoop(out, front.data(), front.size());
    addLoop(out, back.data(), back.size());
    for (std::size_t k = 0; k < front.size(); ++k)
        out.push_back({front[k], back[k]});
}

void addLens(std::vector<Segment>& out) {
    std::array<Pnt3f, 8> back, front;
    for (std::size_t k = 0; k < LensOctagon.size(); ++k) {
        back[k] = Pnt3f(LensOctagon[k].a, LensOctagon[k].b, 0);
        front[k] = Pnt3f(LensOctagon[k].a, LensOctagon[k].b, LensFront);
    }
    for (std::size_t k = 0; k < back.size(); ++k)
        out.push_back({back[k], front[k]});
    addLoop(out, back.data(), back.size());
    addLoop(out, front.data(), front.size());
}

void addHood(std::vector<Segment>& out) {
    auto back = rectangle(HoodBackHalfWidth, HoodBackHalfWidth, -HoodBackHalfWidth, LensFront);
    auto front = rectangle(HoodFrontHalfWidth, HoodFrontHalfWidth, -HoodFrontHalfWidth, HoodFront);
    addLoop(out, back.data(), back.size());
    addLoop(out, front.data(), front.size());
    for (const Pnt3f& corner : back)
        out.push_back({corner, Pnt3f(HoodFlare * corner[0], HoodFlare * corner[1], HoodFront)});
}

// Cross bars from `firstBar` on, then the arcs on both sides.
void addReel(std::vector<Segment>& out, const std::array<Point2, 7>& arc, std::size_t firstBar,
             std::size_t lastBar) {
    auto at = [&](Real32 x, std::size_t k) { return Pnt3f(x, arc[k].a, arc[k].b); };
    for (std::size_t k = firstBar; k <= lastBar; ++k)
        out.push_back({at(-BodyHalfWidth, k), at(BodyHalfWidth, k)});
    for (Real32 x : {-BodyHalfWidth, BodyHalfWidth}) {
        for (std::size_t k = 0; k + 1 < arc.size(); ++k)
            out.push_back({at(x, k), at(x, k + 1)});
    }
}

std::vector<Segment> cameraSegments() {
    std::vector<Segment> segments;
    segments.reserve(kxUberCameraUtils::CameraGeometryPointCount / 2);
    addBody(segments);
    addLens(segments);
    addHood(segments);
    addReel(segments, TopReel, 0, 5);
    addReel(segments, BackReel, 1, 5);
    return segments;
}

} // namespace

GeometryPtr kxUberCameraUtils::createCameraGeometry(float scale) {
    const Real32 factor = scale / CameraGeometryReferenceScale;
    std::vector<Pnt3f> points;
    std::vector<UInt32> indices;
    for (const Segment& segment : cameraSegments()) {
        for (const Pnt3f& end : segment) {
            indices.push_back(static_cast<UInt32>(points.size()));
            points.push_back(Pnt3f(end[0] * factor, end[1] * factor, end[2] * factor));
        }
    }

    GeometryPtr geometry = Geometry::create();
    if (geometry.isNull())
        return geometry;
    beginEditCP(geometry);
    geometry->setTypes(makeProperty<GeoPTypesUI8Ptr>(std::vector<UInt8>{GeoLinesType}));
    geometry->setLengths(
        makeProperty<GeoPLengthsUI32Ptr>(std::vector<UInt32>{UInt32(points.size())}));
    geometry->setIndices(makeProperty<GeoIndicesUI32Ptr>(indices));
    geometry->setPositions(makeProperty<GeoPositions3fPtr>(points));
    geometry->setMaterial(getDefaultMaterial());
    endEditCP(geometry);
    return geometry;
}
