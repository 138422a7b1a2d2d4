// Placement of the camera core: which parent node carries it, its part in the
// scene's matrices and volumes, and the viewing matrix.

#include "OSGUberCamera.h"

#include "OSGNode.h"
#include "OSGUberCameraLog.h"

#include <cmath>

namespace osg {

namespace {

constexpr Real32 IdentityTolerance = 1e-6f;
constexpr Real32 DegreesToRadians = Pi / 180.0f;

bool isIdentity(const Matrix& m) {
    return m.equals(Matrix(), IdentityTolerance);
}

// Entry-wise comparison that counts a NaN as a difference.
bool sameMatrix(const Matrix& a, const Matrix& b) {
    if (a == b)
        return true;
    const Real32* x = a.getValues();
    const Real32* y = b.getValues();
    for (UInt32 i = 0; i < 16; ++i) {
        if (!(x[i] - y[i] <= IdentityTolerance && y[i] - x[i] <= IdentityTolerance))
            return false;
    }
    return true;
}

} // namespace

// ---- parents ------------------------------------------------------------------

bool UberCamera::isInternalNode(const NodePtr& node) const {
    return !node.isNull() && (node->getExternalFlags() & InternalNodeFlag) != 0;
}

bool UberCamera::isOrdinaryParent(const NodePtr& node) const {
    return !node.isNull() && !isInternalNode(node);
}

bool UberCamera::validActiveParentIndex(const UInt32& index) const {
    const MFNodePtr& parents = getParents();
    return index < parents.size() && isOrdinaryParent(parents[index]);
}

bool UberCamera::updateActiveParentIndex() {
    if (isViewpoint())
        return false;
    const MFNodePtr& parents = getParents();
    for (UInt32 i = 0; i < parents.size(); ++i) {
        if (isOrdinaryParent(parents[i])) {
            editActiveParentIndex() = i;
            return true;
        }
    }
    if (!hasFlag(InternalCameraFlag))
        logCameraMessage(LOG_FATAL, __LINE__,
                         "Camera::updateActiveParentIndex : no valid parent found!");
    return false;
}

void UberCamera::setActiveParentIndex(const UInt32& index) {
    if (!validActiveParentIndex(index)) {
        logCameraMessage(LOG_FATAL, __LINE__, "UberCamera::setActiveParentIndex : index invalid!");
        return;
    }
    editActiveParentIndex() = index;
}

UInt32& UberCamera::getActiveParentIndex() {
    if (!validActiveParentIndex(_sfActiveParentIndex.getValue()))
        updateActiveParentIndex();
    return _sfActiveParentIndex.getValue();
}

NodePtr UberCamera::getActiveParentNode() {
    if (validActiveParentIndex(_sfActiveParentIndex.getValue()) || updateActiveParentIndex())
        return getParents()[_sfActiveParentIndex.getValue()];
    return NodePtr();
}

const NodePtr* UberCamera::firstInternalParent() const {
    for (const NodePtr& parent : getParents()) {
        if (isInternalNode(parent))
            return &parent;
    }
    return nullptr;
}

NodePtr UberCamera::getInternalParentNode() const {
    const NodePtr* internal = firstInternalParent();
    return internal ? *internal : NodePtr();
}

const NodePtr& UberCamera::fallbackBeacon() const {
    const MFNodePtr& parents = getParents();
    for (const NodePtr& parent : parents) {
        if (isOrdinaryParent(parent))
            return parent;
    }
    return parents[0];
}

NodePtr& UberCamera::getBeacon() {
    return const_cast<NodePtr&>(resolveBeacon(true));
}

const NodePtr& UberCamera::getBeacon() const {
    // Without repair the resolution changes nothing.
    return const_cast<UberCamera*>(this)->resolveBeacon(false);
}

const NodePtr& UberCamera::resolveBeacon(bool repairIndex) {
    const MFNodePtr& parents = getParents();
    if (parents.empty())
        return getBeaconField();

    if (isViewpoint()) {
        if (const NodePtr* internal = firstInternalParent())
            return *internal;
        logCameraMessage(LOG_WARNING, __LINE__,
                         "UberCamera::getBeacon : couldn't find internal viewpoint parent node.");
        return fallbackBeacon();
    }
    const UInt32& index = _sfActiveParentIndex.getValue();
    if (validActiveParentIndex(index) || (repairIndex && updateActiveParentIndex()))
        return parents[index];
    logCameraMessage(LOG_WARNING, __LINE__,
                     "UberCamera::getBeacon : couldn't find active parent node.");
    return fallbackBeacon();
}

// ---- matrices and volumes --------------------------------------------------------

void UberCamera::accumulateMatrix(Matrix& matrix) {
    Transform::accumulateMatrix(matrix);
    if (!isIdentity(getTrackingMatrix()))
        matrix.mult(getTrackingMatrix());
}

void UberCamera::adjustVolume(Volume& volume) {
    Transform::adjustVolume(volume);
    if (!isIdentity(getTrackingMatrix()))
        volume.transform(getTrackingMatrix());
}

void UberCamera::setTransform(const Matrix& matrix, CameraSpace space) {
    Camera::setTransform(matrix, isViewpoint() ? LocalSpace : space);
}

void UberCamera::getTransform(Matrix& result, CameraSpace space) const {
    Camera::getTransform(result, isViewpoint() ? LocalSpace : space);
}

void UberCamera::getViewing(Matrix& result, UInt32, UInt32, Int32) {
    if (!_depthOfFieldActive) {
        getTransform(result, WorldSpace);
        // The node's scale is not the camera's: divide it out of the axes.
        const Vec3f& scale = getScale();
        if (scale != Vec3f(1, 1, 1)) {
            for (UInt32 axis = 0; axis < 3; ++axis)
                result[axis] *= 1.0f / scale[axis];
        }
    } else {
        result = _depthOfFieldOverride;
    }

    if (!m_hmdMode && getRoll() != 0.0f) {
        const Real32 angle = getRoll() * DegreesToRadians;
        const Real32 c = std::cos(angle);
        const Real32 s = std::sin(angle);
        Matrix roll;
        roll.setValue(c, -s, 0, 0, //
                      s, c, 0, 0,  //
                      0, 0, 1, 0,  //
                      0, 0, 0, 1);
        result.mult(roll);
    }

    if (_viewChangeCallbacks && !_viewChangeCallbacks->empty() &&
        !sameMatrix(result, _lastViewing)) {
        _lastViewing = result;
        viewChanged();
    }

    if (!result.invert())
        result.setIdentity();
}

} // namespace osg
