#include "RenderScene.h"
#include "SampleScene.h"

#include "NodeUtils.h"
#include "OSGGeometry.h"
#include "OSGGroup.h"
#include "OSGTransform.h"
#include "kxGeoPropertyBuilder.h"
#include "kxUberCameraPool.h"
#include "kxUberCameraUtils.h"

#include <algorithm>
#include <cctype>
#include <cmath>

using namespace osg;
using kxGeoPropertyBuilder::makeProperty;

namespace render {
namespace {

constexpr UInt8 TrianglesType = 4; // GL_TRIANGLES
constexpr Real32 Pi = 3.14159265f;

constexpr Real32 GroundSize = 8000.0f;
constexpr int GroundTiles = 16;
constexpr Real32 AimCrossSize = 150.0f;
// User cameras' wireframes at several times their designed size, to be seen across the scene.
constexpr Real32 UserCameraWireScale = 200.0f;
const Vec3f AimCrossColor{1.0f, 0.15f, 0.1f};

// ---- geometry --------------------------------------------------------------------------

} // namespace

MaterialPtr makeMaterial(const Vec3f& color, bool lit) {
    const MaterialPtr material = Material::create();
    beginEditCP(material);
    material->setDiffuse(color);
    material->setLit(lit);
    endEditCP(material);
    return material;
}

GeometryPtr makeTriangles(const std::vector<Pnt3f>& points, const MaterialPtr& material) {
    const GeometryPtr geometry = Geometry::create();
    beginEditCP(geometry);
    geometry->setTypes(makeProperty<GeoPTypesUI8Ptr>(std::vector<UInt8>{TrianglesType}));
    geometry->setLengths(
        makeProperty<GeoPLengthsUI32Ptr>(std::vector<UInt32>{UInt32(points.size())}));
    geometry->setPositions(makeProperty<GeoPositions3fPtr>(points));
    geometry->setMaterial(material);
    endEditCP(geometry);
    return geometry;
}

namespace {

void addQuad(std::vector<Pnt3f>& out, const Pnt3f& a, const Pnt3f& b, const Pnt3f& c,
             const Pnt3f& d) {
    out.insert(out.end(), {a, b, c, a, c, d});
}

} // namespace

std::vector<Pnt3f> boxTriangles(const Vec3f& size) {
    const Real32 x = size[0] / 2, y = size[1] / 2, z = size[2] / 2;
    const Pnt3f p[8] = {{-x, -y, -z}, {x, -y, -z}, {x, y, -z}, {-x, y, -z},
                        {-x, -y, z},  {x, -y, z},  {x, y, z},  {-x, y, z}};
    std::vector<Pnt3f> out;
    addQuad(out, p[4], p[5], p[6], p[7]); // +z
    addQuad(out, p[1], p[0], p[3], p[2]); // -z
    addQuad(out, p[5], p[1], p[2], p[6]); // +x
    addQuad(out, p[0], p[4], p[7], p[3]); // -x
    addQuad(out, p[7], p[6], p[2], p[3]); // +y
    addQuad(out, p[0], p[1], p[5], p[4]); // -y
    return out;
}

std::vector<Pnt3f> sphereTriangles(Real32 radius, int rings, int segments) {
    auto at = [&](int ring, int segment) {
        const Real32 theta = Pi * Real32(ring) / Real32(rings);
        const Real32 phi = 2 * Pi * Real32(segment) / Real32(segments);
        return Pnt3f(radius * std::sin(theta) * std::cos(phi), radius * std::cos(theta),
                     radius * std::sin(theta) * std::sin(phi));
    };
    std::vector<Pnt3f> out;
    for (int ring = 0; ring < rings; ++ring) {
        for (int segment = 0; segment < segments; ++segment)
            addQuad(out, at(ring, segment), at(ring, segment + 1), at(ring + 1, segment + 1),
                    at(ring + 1, segment));
    }
    return out;
}

std::vector<Pnt3f> checkerTriangles(Real32 size, int tiles, bool odd) {
    const Real32 tile = size / Real32(tiles), start = -size / 2;
    std::vector<Pnt3f> out;
    for (int row = 0; row < tiles; ++row) {
        for (int column = 0; column < tiles; ++column) {
            if (((row + column) % 2 == 1) != odd)
                continue;
            const Real32 x = start + column * tile, z = start + row * tile;
            addQuad(out, Pnt3f(x, 0, z), Pnt3f(x, 0, z + tile), Pnt3f(x + tile, 0, z + tile),
                    Pnt3f(x + tile, 0, z));
        }
    }
    return out;
}

NodePtr addObject(const NodePtr& parent, const std::string& name, const GeometryPtr& geometry,
                  const Vec3f& position, Real32 yawDegrees) {
    const TransformPtr placement = Transform::create();
    Matrix matrix;
    matrix.setTransform(position, Quaternion(Vec3f(0, 1, 0), yawDegrees * Pi / 180));
    beginEditCP(placement);
    placement->setMatrix(matrix);
    endEditCP(placement);
    const NodePtr node = NodeUtils::createNodeWithCore(placement, parent, name);
    NodeUtils::createNodeWithCore(geometry, node, name + " shape");
    return node;
}

namespace {

// ---- cameras ----------------------------------------------------------------------------

void placeCamera(const UberCameraPtr& camera, const Pnt3f& from, const Pnt3f& at) {
    camera->setViewByFromAtUp(from, at, Vec3f(0, 1, 0), UberCamera::WorldSpace);
    camera->setFocusDistanceToPoint(at);
}

} // namespace

void focusOnTarget(const UberCameraPtr& camera) {
    camera->setFocusDistanceToPoint(camera->getAt(UberCamera::WorldSpace));
}

namespace {

void frameDefaultView(const UberCameraPtr& camera, UberCamera::DefaultCameraId id,
                      const BoxVolume& bounds) {
    Pnt3f from, at;
    Vec3f up(0, 1, 0);
    UberCamera::getInitialDefaultView(from, at, up, id);
    camera->setViewByFromAtUp(from, at, up, UberCamera::WorldSpace);
    if (id != UberCamera::PerspectiveView) {
        beginEditCP(camera, UberCameraBase::ProjectionModeFieldMask);
        camera->setProjectionMode(UberCamera::OrthographicProjection);
        endEditCP(camera, UberCameraBase::ProjectionModeFieldMask);
        camera->show(bounds, true);
    } else {
        camera->updateNearFar(bounds);
    }
    focusOnTarget(camera);
}

UberCameraPtr addUserCamera(const NodePtr& parent, const char* name, const Pnt3f& from,
                            const Pnt3f& at, Real32 focalLength, const BoxVolume& bounds) {
    const UberCameraPtr camera = kxUberCameraUtils::getUberCamera(
        kxUberCameraPool::the()->createCameraNode(name, parent, kxUberCameraPool::getRoot()));
    placeCamera(camera, from, at);
    camera->setFocalLength(focalLength);
    camera->updateNearFar(bounds);
    beginEditCP(camera, UberCameraBase::VisualizationScaleFieldMask);
    camera->setVisualizationScale(UserCameraWireScale);
    endEditCP(camera, UberCameraBase::VisualizationScaleFieldMask);

    // The aim cross stands at the camera's target.
    const TransformPtr placement = Transform::create();
    Matrix matrix;
    matrix.setTranslate(at[0], at[1], at[2]);
    beginEditCP(placement);
    placement->setMatrix(matrix);
    endEditCP(placement);
    const NodePtr target =
        NodeUtils::createNodeWithCore(placement, parent, std::string(name) + " target");
    const NodePtr cross = kxUberCameraUtils::createAimGeometryNode(AimCrossSize, target);
    const GeometryPtr lines = GeometryPtr::dcast(cross->getCore());
    if (!lines.isNull()) {
        beginEditCP(lines, Geometry::MaterialFieldMask);
        lines->setMaterial(makeMaterial(AimCrossColor, false));
        endEditCP(lines, Geometry::MaterialFieldMask);
    }
    return camera;
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

} // namespace

RenderScene::RenderScene() {
    _root = sample::startScene();
    const NodePtr ground = NodeUtils::createNodeWithCore(Group::create(), _root, "Ground");
    NodeUtils::createNodeWithCore(makeTriangles(checkerTriangles(GroundSize, GroundTiles, false),
                                                makeMaterial({0.5f, 0.5f, 0.5f}, true)),
                                  ground, "Ground light");
    NodeUtils::createNodeWithCore(makeTriangles(checkerTriangles(GroundSize, GroundTiles, true),
                                                makeMaterial({0.22f, 0.22f, 0.24f}, true)),
                                  ground, "Ground dark");
    const NodePtr objects = NodeUtils::createNodeWithCore(Group::create(), _root, "Objects");
    addObject(
        objects, "Plinth",
        makeTriangles(boxTriangles({1200, 400, 1200}), makeMaterial({0.6f, 0.6f, 0.62f}, true)),
        {0, 200, 0}, 0);
    addObject(objects, "Ball",
              makeTriangles(sphereTriangles(350, 24, 48), makeMaterial({0.8f, 0.22f, 0.12f}, true)),
              {0, 750, 0}, 0);
    addObject(
        objects, "Tower",
        makeTriangles(boxTriangles({400, 1800, 400}), makeMaterial({0.25f, 0.45f, 0.75f}, true)),
        {-1500, 900, -1100}, 20);
    addObject(
        objects, "Block",
        makeTriangles(boxTriangles({800, 600, 800}), makeMaterial({0.75f, 0.68f, 0.38f}, true)),
        {1400, 300, -900}, 35);
    addObject(objects, "Lamp",
              makeTriangles(sphereTriangles(160, 16, 32), makeMaterial(LampRadiance, false)),
              {-900, 1300, 700}, 0);
    addObject(objects, "Neon",
              makeTriangles(boxTriangles({1800, 50, 50}), makeMaterial(NeonRadiance, false)),
              {300, 60, 1500}, -10);
    objects->getWorldVolume(_objectBounds);

    const NodePtr views = NodeUtils::createNodeWithCore(Group::create(), _root, "Views");
    const auto defaults = sample::addDefaultViews(views);
    for (size_t i = 0; i < defaults.size(); ++i)
        frameDefaultView(defaults[i], sample::DefaultViews[i].id, _objectBounds);

    const NodePtr cameras = NodeUtils::createNodeWithCore(Group::create(), _root, "Cameras");
    addUserCamera(cameras, OrbitCamera, {-2300, 1700, 2600}, {-700, 350, 400}, 28, _objectBounds);
    addUserCamera(cameras, CloseupCamera, {1700, 1500, 200}, {0, 750, 0}, 60, _objectBounds);
}

RenderScene::~RenderScene() {
    sample::clearScene();
}

bool RenderScene::knowsCamera(const std::string& name) {
    const std::string wanted = lowered(name);
    for (const std::string& known : getCameraNames()) {
        if (lowered(known) == wanted)
            return true;
    }
    return false;
}

UberCameraPtr RenderScene::findCamera(const std::string& name) const {
    const std::string wanted = lowered(name);
    for (const UberCameraPtr& camera : kxUberCameraPool::getContentPtrs(false, false)) {
        if (lowered(kxUberCameraUtils::getName(camera)) == wanted)
            return camera;
    }
    return UberCameraPtr();
}

std::vector<std::string> RenderScene::getCameraNames() {
    std::vector<std::string> names;
    for (const sample::DefaultView& view : sample::DefaultViews)
        names.push_back(lowered(view.name));
    names.insert(names.end(), {OrbitCamera, CloseupCamera});
    return names;
}

} // namespace render
