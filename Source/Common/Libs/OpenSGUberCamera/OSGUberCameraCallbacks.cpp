// View-change callbacks of the camera core, and the ray-tracing visibility of
// its own geometry.

#include "OSGUberCamera.h"

#include "OSGRaytracingGeoAttachment.h"

#include <algorithm>

namespace osg {

namespace {

// An entry matches when its weak reference yields the same function object; an
// expired entry yields null and so matches a null callback.
bool matches(const UberCamera::ViewChangeEntry& entry,
             const UberCamera::ViewChangeCallbackPtr& callback) {
    return entry.first.lock() == callback;
}

} // namespace

void UberCamera::initCameraCallbacks() {
    if (!_viewChangeCallbacks)
        _viewChangeCallbacks = std::make_shared<ViewChangeCallbackList>();
}

void UberCamera::deleteCameraCallbacks() {
    _viewChangeCallbacks.reset();
}

void UberCamera::registerViewChangeCallback(const ViewChangeCallbackPtr& callback,
                                            bool singleCall) {
    initCameraCallbacks();
    ViewChangeCallbackList& list = *_viewChangeCallbacks;
    auto match = [&](const ViewChangeEntry& entry) { return matches(entry, callback); };
    if (std::any_of(list.begin(), list.end(), match))
        return;
    list.emplace_back(callback, singleCall);
}

void UberCamera::unregisterViewChangeCallback(const ViewChangeCallbackPtr& callback) {
    if (!_viewChangeCallbacks)
        return;
    ViewChangeCallbackList& list = *_viewChangeCallbacks;
    auto match = [&](const ViewChangeEntry& entry) { return matches(entry, callback); };
    auto it = std::find_if(list.begin(), list.end(), match);
    if (it != list.end())
        list.erase(it);
}

void UberCamera::unregisterViewChangeCallbacks() {
    if (_viewChangeCallbacks)
        _viewChangeCallbacks->clear();
}

void UberCamera::unregisterSingleCallViewChangeCallbacks() {
    if (!_viewChangeCallbacks)
        return;
    ViewChangeCallbackList& list = *_viewChangeCallbacks;
    auto singleCall = [](const ViewChangeEntry& entry) { return entry.second; };
    list.erase(std::remove_if(list.begin(), list.end(), singleCall), list.end());
}

void UberCamera::viewChanged() {
    if (!_viewChangeCallbacks)
        return;
    // Hold the list: a callback may drop the last camera that shares it.
    std::shared_ptr<ViewChangeCallbackList> hold = _viewChangeCallbacks;
    ViewChangeCallbackList& list = *hold;
    const UInt32 id = getId();
    std::size_t position = 0;
    while (position < list.size()) {
        ViewChangeCallbackPtr callback = list[position].first.lock();
        if (!callback || !*callback) {
            list.erase(list.begin() + std::ptrdiff_t(position));
            continue;
        }
        const bool singleCall = list[position].second;
        (*callback)(id);
        if (singleCall && position < list.size())
            list.erase(list.begin() + std::ptrdiff_t(position));
        else
            ++position;
    }
}

void UberCamera::updateVisibilityFlags() {
    GeometryPtr geometry = getVisualization();
    if (geometry.isNull())
        return;

    const UInt32 group = RaytracingGeoAttachment::getClassType().getGroupId();
    RaytracingGeoAttachmentPtr attachment =
        RaytracingGeoAttachmentPtr::dcast(geometry->findAttachment(group));
    if (attachment.isNull()) {
        attachment = RaytracingGeoAttachment::create();
        if (attachment.isNull())
            return;
        beginEditCP(geometry, AttachmentContainer::AttachmentsFieldMask);
        geometry->addAttachment(attachment);
        endEditCP(geometry, AttachmentContainer::AttachmentsFieldMask);
    }

    if (attachment->getPrimaryVisibility() && !attachment->getVisibleInReflections() &&
        !attachment->getVisibleInRefractions() && !attachment->getVisibleInGlossyReflections() &&
        !attachment->getVisibleInPhotons() && !attachment->getCastShadows())
        return;

    beginEditCP(attachment);
    attachment->setPrimaryVisibility(true);
    attachment->setVisibleInReflections(false);
    attachment->setVisibleInRefractions(false);
    attachment->setVisibleInGlossyReflections(false);
    attachment->setVisibleInPhotons(false);
    attachment->setCastShadows(false);
    endEditCP(attachment);
}

} // namespace osg
