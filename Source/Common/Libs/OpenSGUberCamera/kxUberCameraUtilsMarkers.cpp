// Small nodes the host hangs around cameras: the aim cross, the tracked user,
// and the stored preview image.

#include "kxUberCameraUtils.h"

#include "NodeUtils.h"
#include "OSGImageAttachment.h"
#include "kxGeoPropertyBuilder.h"

using namespace osg;
using kxGeoPropertyBuilder::makeProperty;

namespace {

constexpr UInt32 AimCrossPointCount = 6;
const char* const AimNodeName = "AimVisualization";
const char* const DefaultTrackingUserName = "TrackingUser";

GeometryPtr makeAimCross(float size) {
    GeometryPtr geometry = Geometry::create();
    if (geometry.isNull())
        return geometry;
    beginEditCP(geometry);
    geometry->setTypes(makeProperty<GeoPTypesUI8Ptr>(std::vector<UInt8>{GeoLinesType}));
    geometry->setLengths(makeProperty<GeoPLengthsUI32Ptr>(std::vector<UInt32>{AimCrossPointCount}));
    geometry->setIndices(makeProperty<GeoIndicesUI32Ptr>(std::vector<UInt32>{0, 1, 2, 3, 4, 5}));
    geometry->setPositions(makeProperty<GeoPositions3fPtr>(
        std::vector<Pnt3f>{Pnt3f(-size, 0, 0), Pnt3f(size, 0, 0), Pnt3f(0, -size, 0),
                           Pnt3f(0, size, 0), Pnt3f(0, 0, -size), Pnt3f(0, 0, size)}));
    geometry->setMaterial(getDefaultMaterial());
    endEditCP(geometry);
    return geometry;
}

ImagePtr imageAttachedTo(const AttachmentContainerPtr& container) {
    const ImageAttachmentPtr attachment = ImageAttachmentPtr::dcast(
        container->findAttachment(ImageAttachment::getClassType().getGroupId()));
    return attachment.isNull() ? ImagePtr() : attachment->getImage();
}

} // namespace

NodePtr kxUberCameraUtils::createAimGeometryNode(float size, const NodePtr& parent) {
    return NodeUtils::createNodeWithCore(makeAimCross(size), parent, AimNodeName);
}

NodePtr kxUberCameraUtils::createTrackingUserNode(const TransformPtr& core, std::string name,
                                                  const NodePtr& parent) {
    if (core.isNull())
        return NodePtr();
    if (name.empty())
        name = DefaultTrackingUserName;
    const NodePtr node = NodeUtils::createNodeWithCore(core, parent, name);
    if (node.isNull())
        return node;
    beginEditCP(node, Node::FlagsFieldMask);
    node->setExternalFlags(node->getExternalFlags() | UberCamera::TrackingUserNodeFlag);
    endEditCP(node, Node::FlagsFieldMask);
    return node;
}

ImagePtr kxUberCameraUtils::getPreview(const CameraPtr& camera) {
    if (camera.isNull())
        return ImagePtr();
    const ImagePtr own = imageAttachedTo(camera);
    if (!own.isNull())
        return own;
    const NodePtr& beacon = camera->getBeacon();
    return beacon.isNull() ? ImagePtr() : imageAttachedTo(beacon);
}
