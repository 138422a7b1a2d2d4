// `uber-camera convert`: a scene as older versions stored its cameras, its
// conversion, and what the conversion made of it, read back from the scene.

#include "Convert.h"
#include "Report.h"

#include "NodeUtils.h"
#include "OSGCameraSetting.h"
#include "OSGCameraTrack.h"
#include "OSGGroup.h"
#include "OSGMaterialPool.h"
#include "OSGTransform.h"
#include "OSGValuePair.h"
#include "kxConstraintManager.h"
#include "kxSceneData.h"
#include "kxUberCameraPool.h"
#include "kxUberCameraUtils.h"

#include <algorithm>
#include <functional>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

using namespace osg;

namespace {

// ---- the legacy scene ---------------------------------------------------------------------

// A legacy camera looking from `from` at `at`, with `configure` applied inside one edit.
CameraSettingPtr newSetting(const Pnt3f& from, const Pnt3f& at,
                            const std::function<void(CameraSetting&)>& configure) {
    const CameraSettingPtr setting = CameraSetting::create();
    beginEditCP(setting);
    setting->setFrom(from);
    setting->setAt(at);
    configure(*setting);
    endEditCP(setting);
    return setting;
}

void attach(const NodePtr& node, const AttachmentPtr& attachment) {
    beginEditCP(node, AttachmentContainer::AttachmentsFieldMask);
    node->addAttachment(attachment);
    endEditCP(node, AttachmentContainer::AttachmentsFieldMask);
}

CameraAttachmentPtr newAttachment(const std::function<void(CameraAttachment&)>& configure) {
    const CameraAttachmentPtr attachment = CameraAttachment::create();
    beginEditCP(attachment);
    configure(*attachment);
    endEditCP(attachment);
    return attachment;
}

NodePtr addTranslated(const NodePtr& parent, const char* name, Real32 x, Real32 y, Real32 z) {
    const TransformPtr transform = Transform::create();
    Matrix matrix;
    matrix.setTranslate(x, y, z);
    beginEditCP(transform, Transform::MatrixFieldMask);
    transform->setMatrix(matrix);
    endEditCP(transform, Transform::MatrixFieldMask);
    return NodeUtils::createNodeWithCore(transform, parent, name);
}

// Scene 0 gets a material pool and a root "Scene" holding, as an older version
// stored them: a perspective camera marked as the basic perspective view and
// the initial camera, with a camera track "Tour" of three viewpoints below it
// (one with its own timing); a front default camera; an orthographic camera
// with a lens shader; and a camera aimed by an aim and an up beacon.
void buildLegacyScene() {
    kxSceneData* scene = kxSceneDataManager::getSceneData(0);
    scene->setMaterialPool(MaterialPool::create());
    const NodePtr root = NodeUtils::createNodeWithCore(Group::create(), NodePtr(), "Scene");
    scene->setRootNode(root);

    const TextureSettingsPtr lensMap = TextureSettings::create();
    const NodePtr main =
        NodeUtils::createNodeWithCore(newSetting(Pnt3f(0, 2, 12), Pnt3f(0, 1, 0),
                                                 [&](CameraSetting& s) {
                                                     s.setFieldOfView(0.6981317f); // 40 degrees
                                                     s.setLeftEyeDistortionMap(lensMap);
                                                 }),
                                      root, "Main");
    attach(main, newAttachment([](CameraAttachment& a) {
               a.setBasicCamera(true);
               a.setView("perspective");
               a.setInitialCamera(true);
           }));

    const NodePtr tour = NodeUtils::createNodeWithCore(Group::create(), main, "Tour");
    const ValuePairPtr marks = ValuePair::create();
    marks->set(kxUberCameraUtils::CameraTrackKey, kxUberCameraUtils::CameraTrackKey);
    marks->set(kxUberCameraUtils::PauseDurationKey, "2.5");
    attach(tour, marks);
    const auto viewpoint = [](CameraSetting& s) {
        s.setIsViewpoint(true);
        s.setFieldOfView(0.8726646f); // 50 degrees
    };
    NodeUtils::createNodeWithCore(newSetting(Pnt3f(0, 1.7f, 20), Pnt3f(0, 1.7f, 0), viewpoint),
                                  tour, "Entrance");
    const NodePtr hall = NodeUtils::createNodeWithCore(
        newSetting(Pnt3f(4, 1.7f, 3), Pnt3f(0, 1.7f, 0),
                   [&](CameraSetting& s) {
                       viewpoint(s);
                       s.setCameraChangeDuration(3.0f);
                       s.setFlags(kxUberCameraUtils::LegacySettingTransitionFlag);
                   }),
        tour, "Hall");
    attach(hall, newAttachment([](CameraAttachment& a) {
               a.setFadeInDuration(1.5f);
               a.setPauseDuration(4.0f);
           }));
    NodeUtils::createNodeWithCore(newSetting(Pnt3f(-6, 1.7f, -8), Pnt3f(0, 0, 0), viewpoint), tour,
                                  "Garden");

    NodeUtils::createNodeWithCore(newSetting(Pnt3f(0, 0, 50), Pnt3f(0, 0, 0),
                                             [](CameraSetting& s) {
                                                 s.setIsDefaultFront(true);
                                                 s.setOrthographic(true);
                                                 s.setLeft(-40);
                                                 s.setRight(40);
                                                 s.setBottom(25); // stored upside down
                                                 s.setTop(-25);
                                             }),
                                  root, "Front");
    NodeUtils::createNodeWithCore(newSetting(Pnt3f(0, 80, 0), Pnt3f(0, 0, 0),
                                             [](CameraSetting& s) {
                                                 s.setUp(Vec3f(0, 0, -1));
                                                 s.setOrthographic(true);
                                                 s.setLensShaderId(3);
                                                 s.setLeft(-60);
                                                 s.setRight(60);
                                                 s.setBottom(45);
                                                 s.setTop(-45);
                                             }),
                                  root, "Plan");

    const NodePtr target = addTranslated(root, "Target", 3, 1, -2);
    const NodePtr sky = addTranslated(root, "Sky", 0, 100, 0);
    NodeUtils::createNodeWithCore(newSetting(Pnt3f(10, 3, 10), Pnt3f(0, 0, 0),
                                             [&](CameraSetting& s) {
                                                 s.setUseAimBeacon(true);
                                                 s.setAimBeacon(target);
                                                 s.setUseUpBeacon(true);
                                                 s.setUpBeacon(sky);
                                                 s.setDepthOfField(true);
                                                 s.setFlags(
                                                     kxUberCameraUtils::LegacySettingCameraFlag);
                                             }),
                                  root, "Follow");
}

void releaseScene() {
    for (const UberCameraPtr& camera : kxUberCameraPool::getContentPtrs(false, false)) {
        const AimConstraintPtr constraint =
            kxConstraintManager::the()->findAimConstraintForTarget(camera);
        if (!constraint.isNull())
            kxConstraintManager::the()->removeConstraint(constraint);
    }
    kxSceneDataManager::getSceneData(0)->clear();
}

// ---- reading it back ----------------------------------------------------------------------

std::string number(Real32 value) {
    std::ostringstream text;
    text << std::setprecision(4) << value;
    return text.str();
}

std::string vector4(const Vec4f& value) {
    return "(" + number(value[0]) + ", " + number(value[1]) + ", " + number(value[2]) + ", " +
           number(value[3]) + ")";
}

std::string inQuotes(const std::string& text) {
    return "\"" + text + "\"";
}

// What an older version kept on the node: its core, camera attachment and marks.
std::string legacyKind(const NodePtr& node) {
    std::string kind = report::nodeKind(node);
    if (const CameraAttachmentPtr a = kxUberCameraUtils::getCameraAttachment(node); !a.isNull()) {
        kind += "; attachment:";
        if (a->getBasicCamera())
            kind += " basic view " + inQuotes(a->getView());
        if (a->getInitialCamera())
            kind += " initial";
        kind += " fade-in " + number(a->getFadeInDuration()) + " s, pause " +
                number(a->getPauseDuration()) + " s";
    }
    const ValuePairPtr marks =
        ValuePairPtr::dcast(node->findAttachment(ValuePair::getClassType().getGroupId()));
    if (!marks.isNull()) {
        kind += "; marks:";
        for (UInt32 i = 0; i < marks->getSize(); ++i)
            kind += " " + marks->getKeys()[i] + "=" + inQuotes(marks->getValues()[i]);
    }
    return kind;
}

std::string projectionName(UInt32 mode) {
    switch (mode) {
    case UberCamera::PerspectiveProjection:
        return "perspective";
    case UberCamera::OrthographicProjection:
        return "orthographic";
    case UberCamera::CustomProjection:
        return "custom";
    default:
        return "lens shader " + std::to_string(mode);
    }
}

std::string containerLabel(const FieldContainerPtr& container) {
    return container.isNull() ? "-" : "#" + std::to_string(container.getFieldContainerId());
}

std::string aimLabel(const UberCameraPtr& camera, const NodePtr& cameraRoot) {
    const NodePtr aim = camera->getAimNode();
    const NodePtr up = camera->getUpVectorNode();
    if (aim.isNull() && up.isNull())
        return "-";
    return (aim.isNull() ? "-" : report::nodeLabel(aim, cameraRoot)) + " / " +
           (up.isNull() ? "-" : report::nodeLabel(up, cameraRoot));
}

void printConvertedCameras(std::ostream& out, const NodePtr& cameraRoot) {
    std::vector<UberCameraPtr> cameras;
    for (const UberCameraPtr& camera : kxUberCameraPool::getContentPtrs(false, false)) {
        if (camera->hasFlag(UberCamera::LegacyConversionFlag))
            cameras.push_back(camera);
    }
    std::sort(cameras.begin(), cameras.end(), [](const UberCameraPtr& a, const UberCameraPtr& b) {
        return a->getId() < b->getId();
    });

    using Row = std::vector<std::string>;
    std::vector<Row> rows{{"name", "kind", "projection", "fov", "frustum sides", "default",
                           "track overrides", "left map", "aim / up", "flags"}};
    for (const UberCameraPtr& camera : cameras) {
        rows.push_back({kxUberCameraUtils::getName(camera),
                        camera->isViewpoint() ? "viewpoint" : "camera",
                        projectionName(camera->getProjectionMode()), number(camera->getFov()),
                        vector4(camera->getFrustumSides()),
                        report::defaultIdName(camera->getDefaultCameraId()),
                        vector4(camera->getTrackOverrides()),
                        containerLabel(camera->getLeftEyeDistortionMap()),
                        aimLabel(camera, cameraRoot), report::flagNames(camera->getFlags())});
    }
    std::vector<size_t> width(rows.front().size(), 0);
    for (const Row& row : rows) {
        for (size_t i = 0; i < row.size(); ++i)
            width[i] = std::max(width[i], row[i].size());
    }
    out << "\nConverted cameras (" << cameras.size() << ")\n";
    for (const Row& row : rows) {
        out << " ";
        for (size_t i = 0; i + 1 < row.size(); ++i)
            out << " " << std::left << std::setw(int(width[i])) << row[i] << " ";
        out << " " << row.back() << "\n";
    }
}

void printTracks(std::ostream& out) {
    out << "\nCamera tracks\n";
    for (const NodePtr& track : kxUberCameraPool::the()->getCameraTrackNodes()) {
        const CameraTrackPtr core = CameraTrackPtr::dcast(track->getCore());
        out << "  " << NodeUtils::getName(track) << ": pause " << number(core->getPauseDuration())
            << " s, node flags 0x" << std::hex << track->getFlags() << std::dec << ", "
            << track->getNChildren() << " viewpoints, below "
            << report::nodeLabel(track->getParent(), kxUberCameraPool::getRoot()) << "\n";
    }
}

// Every node of the scene whose core is a legacy camera, parents first.
std::vector<NodePtr> legacyCameraNodes(const NodePtr& node) {
    std::vector<NodePtr> found;
    if (node.isNull())
        return found;
    if (!CameraSettingPtr::dcast(node->getCore()).isNull())
        found.push_back(node);
    for (UInt32 i = 0; i < node->getNChildren(); ++i) {
        for (const NodePtr& below : legacyCameraNodes(node->getChild(i)))
            found.push_back(below);
    }
    return found;
}

} // namespace

bool reportLegacyConversion(std::ostream& out) {
    buildLegacyScene();
    const NodePtr sceneRoot = kxSceneDataManager::getSceneData(0)->getRootNode();
    const NodePtr cameraRoot = kxUberCameraPool::getRoot();
    if (cameraRoot.isNull()) {
        releaseScene();
        return false;
    }
    out << "Legacy scene\n";
    report::printTree(out, sceneRoot, cameraRoot, 0, legacyKind);
    out.flush(); // the conversion reports its tracks on standard output

    // Viewpoints of a track are converted with the camera above them: later
    // calls on them find no legacy camera left.
    out << "\nConverting\n";
    size_t converted = 0;
    for (const NodePtr& node : legacyCameraNodes(sceneRoot)) {
        if (kxUberCameraUtils::convertToUberCamera(node))
            ++converted;
    }
    out << "converted " << converted << " legacy camera nodes\n";

    out << "\nCamera tree\n";
    report::printTree(out, cameraRoot, cameraRoot, 0);
    out << "\nScene\n";
    report::printTree(out, sceneRoot, cameraRoot, 0, legacyKind);
    printConvertedCameras(out, cameraRoot);
    printTracks(out);
    const UberCameraPtr initial = kxUberCameraPool::the()->getInitialCamera();
    out << "\ninitial camera: " << (initial.isNull() ? "-" : kxUberCameraUtils::getName(initial))
        << "\n";
    releaseScene();
    return true;
}
