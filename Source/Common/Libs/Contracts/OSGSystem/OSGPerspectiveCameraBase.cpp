#include "OSGPerspectiveCameraBase.h"

#include "OSGPerspectiveCamera.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(PerspectiveCameraPtr, "PerspectiveCameraPtr", "CameraPtr")

namespace {
FieldDescription* perspectiveCameraDescs[] = {
    OSG_SFIELD_DESC(PerspectiveCameraBase, Real32, "fov", Fov, false),
    OSG_SFIELD_DESC(PerspectiveCameraBase, UInt32, "fovMode", FovMode, false),
    OSG_SFIELD_DESC(PerspectiveCameraBase, Real32, "aspect", Aspect, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(PerspectiveCameraBase, "PerspectiveCamera", "Camera", nullptr,
                       &PerspectiveCameraBase::createEmpty, perspectiveCameraDescs)
OSG_CONTAINER_DEF(PerspectiveCameraBase, PerspectiveCamera)

UInt64 PerspectiveCameraBase::getBinSize(const BitVector& whichField) {
    return describedBinSize(whichField, PerspectiveCameraBase::getClassType());
}

void PerspectiveCameraBase::copyToBin(BinaryDataHandler& handler, const BitVector& whichField) {
    describedToBin(handler, whichField, PerspectiveCameraBase::getClassType());
}

void PerspectiveCameraBase::copyFromBin(BinaryDataHandler& handler, const BitVector& whichField) {
    describedFromBin(handler, whichField, PerspectiveCameraBase::getClassType());
}

void PerspectiveCameraBase::executeSync(FieldContainer& source, const BitVector& whichField) {
    executeSyncImpl(static_cast<PerspectiveCameraBase*>(&source), whichField);
}

void PerspectiveCameraBase::executeSyncImpl(PerspectiveCameraBase* source,
                                            const BitVector& whichField) {
    copyDescribedFields(*source, whichField, PerspectiveCameraBase::getClassType());
}

} // namespace osg
