#include "OSGCameraDecorator.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(CameraDecoratorPtr, "CameraDecoratorPtr", "CameraPtr")

namespace {
FieldDescription* cameraDecoratorDescs[] = {
    OSG_SFIELD_DESC(CameraDecorator, CameraPtr, "decoratee", Decoratee, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(CameraDecorator, "CameraDecorator", "Camera", nullptr,
                       &CameraDecorator::createEmpty, cameraDecoratorDescs)
OSG_CONTAINER_DEF(CameraDecorator, CameraDecorator)

CameraDecorator::CameraDecorator(const CameraDecorator& source)
    : Camera(source), _sfDecoratee(source._sfDecoratee) {
    addRefCP(getDecoratee());
}

bool CameraDecorator::setDecoratee(const CameraPtr& camera) {
    // Walk the chain below `camera`: meeting this decorator would make a cycle.
    for (CameraPtr link = camera; !link.isNull();) {
        if (link.getCPtr() == this)
            return false;
        CameraDecoratorPtr decorator = CameraDecoratorPtr::dcast(link);
        link = decorator.isNull() ? CameraPtr() : decorator->getDecoratee();
    }
    setRefdCP(_sfDecoratee.getValue(), camera);
    return true;
}

void CameraDecorator::getProjection(Matrix& result, UInt32 width, UInt32 height, Int32 eye) {
    if (getDecoratee().isNull()) {
        result.setIdentity();
        return;
    }
    getDecoratee()->getProjection(result, width, height, eye);
}

CameraPtr CameraDecorator::getNonDecoratorCamera() {
    return getDecoratee().isNull() ? CameraPtr() : getDecoratee()->getNonDecoratorCamera();
}

void CameraDecorator::onDestroy() {
    setRefdCP(_sfDecoratee.getValue(), CameraPtr());
    Inherited::onDestroy();
}

} // namespace osg
