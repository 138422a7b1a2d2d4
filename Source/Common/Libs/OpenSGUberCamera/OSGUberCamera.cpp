#include "OSGUberCamera.h"

#include "OSGInit.h"
#include "OSGUberCameraLog.h"
#include "kxUberCameraPool.h"

namespace osg {

// Class-wide state, set up at load time before the type registers.
bool UberCamera::m_hmdMode = false;
bool UberCamera::m_initialViewDirty = true;
Pnt3f UberCamera::m_initialFrom(0.0f, 0.0f, 0.0f);
Pnt3f UberCamera::m_initialAt(0.0f, 0.0f, 0.0f);
Vec3f UberCamera::m_initialUp(0.0f, 0.0f, 0.0f);
Real32 UberCamera::m_initialFov = 45.0f;
Real32 UberCamera::m_initialRoll = 0.0f;
UberCamera::CreateDestroyCallback UberCamera::m_CreateDestroyCallback;

namespace {
// The identity the camera's own matrices start from.
const Matrix IdentityMatrix;

// The containers every camera made while the scene graph runs gets of its own.
constexpr BitVector OwnedSettingsMask =
    UberCamera::LeftEyeDistortionMapFieldMask | UberCamera::RightEyeDistortionMapFieldMask |
    UberCamera::TonemappingSettingsFieldMask | UberCamera::FogSettingsFieldMask |
    UberCamera::PerspectiveMatchFieldMask;
} // namespace

void UberCamera::initMethod() {}

UberCamera::UberCamera()
    : _storedView(IdentityMatrix), _depthOfFieldOverride(IdentityMatrix),
      _lastViewing(IdentityMatrix) {}

// The copy starts with identity matrices and shares the source's view-change callbacks.
// It holds its own reference on each container it copied a pointer to, so that its
// creation hook can release what it replaces.
UberCamera::UberCamera(const UberCamera& source)
    : UberCameraBase(source), _storedView(IdentityMatrix), _depthOfFieldOverride(IdentityMatrix),
      _lastViewing(IdentityMatrix), _viewChangeCallbacks(source._viewChangeCallbacks) {
    for (const FieldContainerPtr* held : ownedContainers())
        held->addRef();
}

std::array<FieldContainerPtr*, 7> UberCamera::ownedContainers() {
    // In the order the destruction hook releases them.
    return {&editVisualization(),       &editLeftEyeDistortionMap(), &editRightEyeDistortionMap(),
            &editTonemappingSettings(), &editFogSettings(),          &editPerspectiveMatch(),
            &editAnimationRoot()};
}

UberCamera::~UberCamera() = default;

void UberCamera::onCreate(const UberCamera*) {
    // The prototype is made while the scene graph starts; it gets nothing.
    if (GlobalSystemState == Startup)
        return;

    TonemappingSettingsPtr tonemapping = TonemappingSettings::create();
    FogSettingsPtr fog = FogSettings::create();
    PerspectiveMatchPtr perspectiveMatch = PerspectiveMatch::create();
    UberCameraPtr self(this);
    beginEditCP(self, OwnedSettingsMask);
    setLeftEyeDistortionMap(TextureSettings::create());
    setRightEyeDistortionMap(TextureSettings::create());
    setTonemappingSettings(tonemapping);
    setFogSettings(fog);
    setPerspectiveMatch(perspectiveMatch);
    endEditCP(self, OwnedSettingsMask);

    updateVisualization();

    kxUberCameraPool::registerCamera(getId(), self);
    if (m_CreateDestroyCallback)
        m_CreateDestroyCallback(getId(), true);
}

void UberCamera::setCreateDestroyCallback(const CreateDestroyCallback& callback) {
    m_CreateDestroyCallback = callback;
}

void UberCamera::onDeepClone() {
    UberCameraPtr self(this);
    const BitVector mask = Transform3DBase::FlagsFieldMask | DefaultCameraIdFieldMask;
    beginEditCP(self, mask);
    if (hasFlag(InitialFlag))
        subFlag(InitialFlag);
    setDefaultCameraId(NoDefaultCamera);
    endEditCP(self, mask);
}

void UberCamera::dump(UInt32, const BitVector) const {
    logCameraMessage(LOG_LOG, __LINE__, "Dump UberCamera NI");
}

void UberCamera::changed(BitVector whichField, UInt32 origin) {
    if (whichField & VisualizationFieldMask)
        invalidateVolume();
    if (whichField & (Transform3DBase::FlagsFieldMask | VisualizationScaleFieldMask))
        updateVisualization();
    // An edit of every field (a copy, a sync) is no request to move the camera.
    if (whichField != FieldBits_AllFields && (whichField & TurntableParameterFieldMask))
        updateViewByTurntable();
    Inherited::changed(whichField, origin);
}

void UberCamera::onDestroy() {
    const UInt32 id = getId();
    kxUberCameraPool::m_cameras.erase(id);
    if (m_CreateDestroyCallback)
        m_CreateDestroyCallback(id, false);
    for (FieldContainerPtr* slot : ownedContainers()) {
        FieldContainerPtr held = *slot;
        *slot = NullFC;
        held.subRef();
    }
    Inherited::onDestroy();
}

void UberCamera::setVisualization(const GeometryPtr& value) {
    setRefdCP(editVisualization(), value);
}

void UberCamera::setLeftEyeDistortionMap(const TextureSettingsPtr& value) {
    setRefdCP(editLeftEyeDistortionMap(), value);
}

void UberCamera::setRightEyeDistortionMap(const TextureSettingsPtr& value) {
    setRefdCP(editRightEyeDistortionMap(), value);
}

void UberCamera::setTonemappingSettings(const TonemappingSettingsPtr& value) {
    setRefdCP(editTonemappingSettings(), value);
}

void UberCamera::setFogSettings(const FogSettingsPtr& value) {
    setRefdCP(editFogSettings(), value);
}

void UberCamera::setAnimationRoot(const AnimNodePtr& value) {
    setRefdCP(editAnimationRoot(), value);
}

void UberCamera::setPerspectiveMatch(const PerspectiveMatchPtr& value) {
    setRefdCP(editPerspectiveMatch(), value);
}

} // namespace osg
