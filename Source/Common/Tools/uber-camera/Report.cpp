#include "Report.h"

#include "NodeUtils.h"
#include "kxUberCameraUtils.h"

#include <sstream>

using namespace osg;

namespace report {

namespace {

struct FlagName {
    UInt64 flag;
    const char* name;
};

constexpr FlagName CameraFlagNames[] = {
    {UberCamera::InternalCameraFlag, "internal"},
    {UberCamera::ViewpointFlag, "viewpoint"},
    {UberCamera::LegacyTransitionFlag, "legacy-transition"},
    {UberCamera::TrackOverrideFlag, "track-override"},
    {UberCamera::InitialFlag, "initial"},
    {UberCamera::ExplicitFrustumFlag, "explicit-frustum"},
    {UberCamera::LegacyCameraFlag, "legacy"},
    {UberCamera::DepthOfFieldFlag, "depth-of-field"},
    {UberCamera::MotionBlurFlag, "motion-blur"},
    {UberCamera::DollyZoomFlag, "dolly-zoom"},
    {UberCamera::RenderVisualizationFlag, "render-visualization"},
    {UberCamera::RegistryCameraFlag, "registry"},
    {UberCamera::LegacyConversionFlag, "legacy-conversion"},
};

} // namespace

std::string flagNames(UInt64 flags) {
    std::string names;
    for (const FlagName& entry : CameraFlagNames) {
        if ((flags & entry.flag) == 0)
            continue;
        names += names.empty() ? "" : " ";
        names += entry.name;
        flags &= ~entry.flag;
    }
    if (flags != 0) {
        std::ostringstream rest;
        rest << "0x" << std::hex << flags;
        names += (names.empty() ? "" : " ") + rest.str();
    }
    return names.empty() ? "-" : names;
}

std::string defaultIdName(Int32 id) {
    switch (id) {
    case UberCamera::NoDefaultCamera:
        return "-";
    case UberCamera::PerspectiveView:
        return "perspective";
    case UberCamera::FrontView:
        return "front";
    case UberCamera::SideView:
        return "side";
    case UberCamera::TopView:
        return "top";
    default:
        return std::to_string(id);
    }
}

std::string nodeLabel(const NodePtr& node, const NodePtr& cameraRoot) {
    if (node == cameraRoot)
        return "(camera root)";
    const std::string name = NodeUtils::getName(node);
    return name.empty() ? "(unnamed)" : name;
}

std::string nodeKind(const NodePtr& node) {
    const UberCameraPtr camera = kxUberCameraUtils::getUberCamera(node);
    if (!camera.isNull()) {
        std::string kind = camera->isViewpoint() ? "viewpoint #" : "camera #";
        kind += std::to_string(camera->getId());
        if (kxUberCameraUtils::isInternalCameraNode(node))
            kind += ", internal node";
        return kind;
    }
    if (kxUberCameraUtils::isCameraTrackNode(node))
        return "camera track";
    return node->getCore().isNull() ? "no core" : node->getCore()->getType().getName();
}

void printTree(std::ostream& out, const NodePtr& node, const NodePtr& cameraRoot, int depth,
               const Describe& describe) {
    if (node.isNull())
        return;
    out << std::string(2 + 2 * depth, ' ') << nodeLabel(node, cameraRoot) << "  [" << describe(node)
        << "]\n";
    for (UInt32 i = 0; i < node->getNChildren(); ++i)
        printTree(out, node->getChild(i), cameraRoot, depth + 1, describe);
}

} // namespace report
