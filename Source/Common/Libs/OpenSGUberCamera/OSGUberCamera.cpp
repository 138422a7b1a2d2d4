#include "OSGUberCamera.h"

#include "OSGInit.h"

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
} // namespace

void UberCamera::initMethod() {}

UberCamera::UberCamera() = default;

// The copy starts with identity matrices and shares the source's view-change callbacks.
UberCamera::UberCamera(const UberCamera& source)
    : UberCameraBase(source), _viewChangeCallbacks(source._viewChangeCallbacks) {}

UberCamera::~UberCamera() = default;

void UberCamera::onCreate(const UberCamera*) {
    // The prototype is made while the scene graph starts; it gets nothing.
    if (GlobalSystemState == Startup)
        return;
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
    for (FieldContainerPtr* slot :
         {static_cast<FieldContainerPtr*>(&editVisualization()),
          static_cast<FieldContainerPtr*>(&editLeftEyeDistortionMap()),
          static_cast<FieldContainerPtr*>(&editRightEyeDistortionMap()),
          static_cast<FieldContainerPtr*>(&editTonemappingSettings()),
          static_cast<FieldContainerPtr*>(&editFogSettings()),
          static_cast<FieldContainerPtr*>(&editPerspectiveMatch()),
          static_cast<FieldContainerPtr*>(&editAnimationRoot())}) {
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
