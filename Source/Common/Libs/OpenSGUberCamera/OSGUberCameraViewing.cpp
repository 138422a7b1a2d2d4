// Placement of the camera core: which parent node carries it, its part in the
// scene's matrices and volumes, and the viewing matrix.

#include "OSGUberCamera.h"

#include "OSGNode.h"
#include "OSGUberCameraLog.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace osg {

namespace {

constexpr Real32 IdentityTolerance = 1e-6f;
constexpr Real32 DegreesToRadians = Pi / 180.0f;

bool isIdentity(const Matrix& m) {
    return m.equals(Matrix(), IdentityTolerance);
}

UInt32 bitsOf(Real32 value) {
    return std::bit_cast<UInt32>(value);
}

bool isUnitScale(const Vec3f& scale) {
    // Equal to 1 means the same bits as 1: no other float is.
    constexpr UInt32 One = std::bit_cast<UInt32>(1.0f);
    return ((bitsOf(scale[0]) ^ One) | (bitsOf(scale[1]) ^ One) | (bitsOf(scale[2]) ^ One)) == 0;
}

// m := m * R with R the rotation about z whose columns are (c, s, 0, 0), (-s, c, 0, 0),
// (0, 0, 1, 0) and (0, 0, 0, 1): the same products and sums, in the same order, as
// Matrix::mult with R (the zero terms too, for NaNs, infinities and signed zeros), but
// with R's entries in registers rather than a matrix in memory.
void multRoll(Matrix& m, Real32 c, Real32 s) {
    const Vec4f a0 = m[0], a1 = m[1], a2 = m[2], a3 = m[3];
    for (UInt32 r = 0; r < 4; ++r) {
        m[0][r] = a0[r] * c + a1[r] * s + a2[r] * 0.0f + a3[r] * 0.0f;
        m[1][r] = a0[r] * -s + a1[r] * c + a2[r] * 0.0f + a3[r] * 0.0f;
        m[2][r] = a0[r] * 0.0f + a1[r] * 0.0f + a2[r] * 1.0f + a3[r] * 0.0f;
        m[3][r] = a0[r] * 0.0f + a1[r] * 0.0f + a2[r] * 0.0f + a3[r] * 1.0f;
    }
}

bool hasNaN(const Matrix& m) {
    for (UInt32 i = 0; i < 16; ++i) {
        if (std::isnan(m.getValues()[i]))
            return true;
    }
    return false;
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
        if (!isUnitScale(scale)) {
            for (UInt32 axis = 0; axis < 3; ++axis)
                result[axis] *= 1.0f / scale[axis];
        }
    } else {
        result = _depthOfFieldOverride;
    }

    const Real32 rollDegrees = getRoll();
    if (!m_hmdMode && rollDegrees != 0.0f) {
        // The angle rarely changes between frames; its cosine and sine are kept with it.
        if (std::bit_cast<UInt32>(rollDegrees) != std::bit_cast<UInt32>(_rollMemo.degrees)) {
            const Real32 angle = rollDegrees * DegreesToRadians;
            _rollMemo = {rollDegrees, std::cos(angle), std::sin(angle)};
        }
        multRoll(result, _rollMemo.cos, _rollMemo.sin);
    }

    if (_viewChangeCallbacks && !_viewChangeCallbacks->empty()) {
        // An unchanged view is the rule, and the same bits without a NaN are the same
        // matrix: one comparison of the bits settles it.
        const bool unchanged =
            (!_lastViewingHasNaN &&
             std::memcmp(result.getValues(), _lastViewing.getValues(), sizeof(Matrix)) == 0) ||
            sameMatrix(result, _lastViewing);
        if (!unchanged) {
            _lastViewing = result;
            _lastViewingHasNaN = hasNaN(result);
            viewChanged();
        }
    }

    if (!result.invert())
        result.setIdentity();
}

} // namespace osg
