// Camera tracks of older scenes taken into the camera tree: their legacy
// cameras become viewpoints whose internal nodes are the track's children.

#include "kxUberCameraPool.h"

#include "NodeUtils.h"
#include "OSGClone.h"
#include "OSGName.h"
#include "kxUberCameraUtils.h"

#include <string>

using namespace osg;

namespace {

// A deep copy of `source` sharing its images, or null when the copy is not a
// PtrT; a copy of another type is freed at once.
template <class PtrT> PtrT deepCloneAs(const FieldContainerPtr& source) {
    const FieldContainerPtr copy = deepClone(source, "Image");
    const PtrT typed = PtrT::dcast(copy);
    if (typed.isNull() && !copy.isNull()) {
        addRefCP(copy);
        subRefCP(copy);
    }
    return typed;
}

// The child becomes the internal node of `viewpoint`, which takes over its name.
void makeViewpointNode(const NodePtr& child, const UberCameraPtr& viewpoint) {
    const std::string name = NodeUtils::getName(child);
    const BitVector mask = Node::ExternalFlagsFieldMask | Node::CoreFieldMask;
    beginEditCP(child, mask);
    child->setCore(viewpoint);
    child->setExternalFlags(child->getExternalFlags() | UberCamera::InternalNodeFlag);
    endEditCP(child, mask);

    const NamePtr ownName = getNameAttachment(child);
    if (!ownName.isNull()) {
        beginEditCP(child, AttachmentContainer::AttachmentsFieldMask);
        child->subAttachment(ownName);
        endEditCP(child, AttachmentContainer::AttachmentsFieldMask);
    }
    kxUberCameraUtils::setName(viewpoint, name, false);
}

// The legacy attachment's track timing becomes the viewpoint's track overrides.
void takeOverTrackTiming(const NodePtr& child, const UberCameraPtr& viewpoint) {
    const CameraAttachmentPtr attachment = kxUberCameraUtils::getCameraAttachment(child);
    if (attachment.isNull())
        return;
    if (attachment->getOverrideTrackSettings()) {
        beginEditCP(viewpoint, Transform3DBase::FlagsFieldMask);
        viewpoint->addFlag(UberCamera::TrackOverrideFlag);
        endEditCP(viewpoint, Transform3DBase::FlagsFieldMask);
    }
    // The viewpoint's own transition counts only where the older scene said so.
    const Real32 transition = viewpoint->hasFlag(UberCamera::LegacyTransitionFlag)
                                  ? viewpoint->getViewpointTransitionDuration()
                                  : 0.0f;
    beginEditCP(viewpoint, UberCameraBase::TrackOverridesFieldMask);
    viewpoint->setTrackOverrides(
        Vec4f(attachment->getFadeInDuration(), transition, attachment->getPauseDuration(), 0.0f));
    endEditCP(viewpoint, UberCameraBase::TrackOverridesFieldMask);

    beginEditCP(child, AttachmentContainer::AttachmentsFieldMask);
    child->subAttachment(attachment);
    endEditCP(child, AttachmentContainer::AttachmentsFieldMask);
}

// A viewpoint shows through the owner camera's lens: copies of its distortion
// and blending maps, so that editing one leaves the other alone.
void copyOwnerMaps(const UberCameraPtr& owner, const UberCameraPtr& viewpoint) {
    const BitVector mask = UberCameraBase::LeftEyeDistortionMapFieldMask |
                           UberCameraBase::RightEyeDistortionMapFieldMask;
    beginEditCP(viewpoint, mask);
    viewpoint->setLeftEyeDistortionMap(
        deepCloneAs<TextureSettingsPtr>(owner->getLeftEyeDistortionMap()));
    viewpoint->setRightEyeDistortionMap(
        deepCloneAs<TextureSettingsPtr>(owner->getRightEyeDistortionMap()));
    endEditCP(viewpoint, mask);

    const TonemappingSettingsPtr& from = owner->getTonemappingSettings();
    const TonemappingSettingsPtr& to = viewpoint->getTonemappingSettings();
    if (from.isNull() || to.isNull())
        return;
    const BitVector blendingMask = TonemappingSettingsBase::LeftEyeBlendingMapFieldMask |
                                   TonemappingSettingsBase::RightEyeBlendingMapFieldMask;
    beginEditCP(to, blendingMask);
    to->setLeftEyeBlendingMap(deepCloneAs<TextureSettingsPtr>(from->getLeftEyeBlendingMap()));
    to->setRightEyeBlendingMap(deepCloneAs<TextureSettingsPtr>(from->getRightEyeBlendingMap()));
    endEditCP(to, blendingMask);
}

} // namespace

void kxUberCameraPool::addLegacyCameraTrack(const NodePtr& trackNode, NodePtr parent) {
    if (!kxUberCameraUtils::isCameraTrackNode(trackNode))
        return;
    beginEditCP(trackNode, Node::FlagsFieldMask);
    trackNode->setFlags(trackNode->getFlags() | LegacyTrackNodeFlag);
    endEditCP(trackNode, Node::FlagsFieldMask);
    // Asked before the track moves: below its new parent the answer could differ.
    const UberCameraPtr owner = kxUberCameraUtils::findParentUberCamera(trackNode);

    for (UInt32 i = 0; i < trackNode->getNChildren(); ++i) {
        const NodePtr child = trackNode->getChild(i);
        if (child.isNull())
            continue;
        const UberCameraPtr viewpoint =
            kxUberCameraUtils::convertFromSetting(CameraSettingPtr::dcast(child->getCore()), false);
        if (viewpoint.isNull())
            continue;
        makeViewpointNode(child, viewpoint);
        takeOverTrackTiming(child, viewpoint);
        if (!owner.isNull())
            copyOwnerMaps(owner, viewpoint);
    }

    if (parent.isNull())
        parent = getRoot();
    if (parent.isNull())
        return;
    beginEditCP(parent, Node::ChildrenFieldMask);
    parent->addChild(trackNode);
    endEditCP(parent, Node::ChildrenFieldMask);
}
