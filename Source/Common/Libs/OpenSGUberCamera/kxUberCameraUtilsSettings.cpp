// A camera's exposure and rendering settings, its name and its marks, seen
// through any camera the renderer holds (decorators included).

#include "kxUberCameraUtils.h"

#include "OSGName.h"
#include "kxUberCameraPool.h"

using namespace osg;

namespace {

void editFlag(const UberCameraPtr& camera, UInt64 flag, bool on) {
    beginEditCP(camera, Transform3DBase::FlagsFieldMask);
    if (on)
        camera->addFlag(flag);
    else
        camera->subFlag(flag);
    endEditCP(camera, Transform3DBase::FlagsFieldMask);
}

float luminousExposure(const UberCameraPtr& camera) {
    const TonemappingSettingsPtr& settings = camera->getTonemappingSettings();
    const float numerator = settings.isNull() ? kxUberCameraUtils::DefaultExposureNumerator
                                              : settings->getSensitivity() *
                                                    kxUberCameraUtils::ExposureCalibration *
                                                    kxUberCameraUtils::ExposureMidGrey;
    const float fStop = camera->getFStop();
    const float denominator =
        camera->getShutterSpeed() * kxUberCameraUtils::ExposureScale * fStop * fStop;
    return numerator / denominator;
}

// A raw camera as the typed pointer the other overloads take; null stays null.
CameraPtr asPtr(Camera* camera) {
    return camera == nullptr ? CameraPtr() : CameraPtr(camera);
}

} // namespace

TonemappingSettingsPtr kxUberCameraUtils::getTonemappingSettings(const CameraPtr& camera) {
    const UberCameraPtr uber = getNonDecoratedUberCamera(camera);
    return uber.isNull() ? TonemappingSettingsPtr() : uber->getTonemappingSettings();
}

TonemappingSettingsPtr kxUberCameraUtils::getTonemappingSettings(Camera* camera) {
    return getTonemappingSettings(asPtr(camera));
}

FogSettingsPtr kxUberCameraUtils::getFogSettings(Camera* camera) {
    const UberCameraPtr uber = getNonDecoratedUberCamera(asPtr(camera));
    return uber.isNull() ? FogSettingsPtr() : uber->getFogSettings();
}

float kxUberCameraUtils::getFStop(const CameraPtr& camera) {
    const UberCameraPtr uber = getNonDecoratedUberCamera(camera);
    return uber.isNull() ? FallbackFStop : uber->getFStop();
}

float kxUberCameraUtils::getFStop(Camera* camera) {
    return getFStop(asPtr(camera));
}

float kxUberCameraUtils::getShutterSpeed(const CameraPtr& camera) {
    const UberCameraPtr uber = getNonDecoratedUberCamera(camera);
    return uber.isNull() ? FallbackShutterSpeed : uber->getShutterSpeed();
}

float kxUberCameraUtils::getShutterSpeed(Camera* camera) {
    return getShutterSpeed(asPtr(camera));
}

float kxUberCameraUtils::getLuminousExposure(const CameraPtr& camera) {
    const UberCameraPtr uber = getNonDecoratedUberCamera(camera);
    return uber.isNull() ? FallbackLuminousExposure : luminousExposure(uber);
}

float kxUberCameraUtils::getLuminousExposure(Camera* camera) {
    return getLuminousExposure(asPtr(camera));
}

CameraAttachmentPtr kxUberCameraUtils::getCameraAttachment(const NodePtr& node) {
    if (node.isNull())
        return CameraAttachmentPtr();
    return CameraAttachmentPtr::dcast(
        node->findAttachment(CameraAttachment::getClassType().getGroupId()));
}

void kxUberCameraUtils::setName(const CameraPtr& camera, const std::string& name, bool allowEmpty) {
    if (camera.isNull() || (name.empty() && !allowEmpty))
        return;
    NamePtr attachment = getNameAttachment(camera);
    if (attachment.isNull()) {
        attachment = Name::create();
        if (attachment.isNull())
            return;
        beginEditCP(camera, AttachmentContainer::AttachmentsFieldMask);
        camera->addAttachment(attachment);
        endEditCP(camera, AttachmentContainer::AttachmentsFieldMask);
    }
    beginEditCP(attachment, Name::NameFieldMask | Name::EncodingFieldMask);
    attachment->setName(name);
    attachment->setEncoding(Name::Latin1);
    endEditCP(attachment, Name::NameFieldMask | Name::EncodingFieldMask);
}

std::string kxUberCameraUtils::getName(const CameraPtr& camera) {
    const char* name = osg::getName(camera);
    return name == nullptr ? std::string("unknown") : std::string(name);
}

void kxUberCameraUtils::setInitialCamera(const UberCameraPtr& camera) {
    if (camera.isNull())
        return;
    for (const auto& [id, registered] : kxUberCameraPool::m_cameras) {
        if (!registered.isNull())
            editFlag(registered, UberCamera::InitialFlag, registered == camera);
    }
}

void kxUberCameraUtils::setRenderVisualization(const UberCameraPtr& camera, bool on) {
    if (!camera.isNull())
        editFlag(camera, UberCamera::RenderVisualizationFlag, on);
}

bool kxUberCameraUtils::getRenderVisualization(const UberCameraPtr& camera) {
    return !camera.isNull() && camera->hasFlag(UberCamera::RenderVisualizationFlag);
}
