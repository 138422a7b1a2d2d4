#ifndef OSG_CAMERA_DECORATOR_H
#define OSG_CAMERA_DECORATOR_H

#include "OSGCamera.h"

namespace osg {

class CameraDecorator;
using CameraDecoratorPtr = FCPtr<CameraPtr, CameraDecorator>;

OSG_DECLARE_PTR_TRAITS(CameraDecoratorPtr);

/// A camera that stands in front of another one (the decoratee) and hands it
/// the work: renderers may be given a decorator wherever a camera is expected.
/// Holds one reference on the decoratee.
class CameraDecorator : public Camera {
    OSG_CONTAINER_DECL(CameraDecoratorPtr, CameraDecorator)

public:
    using Inherited = Camera;
    OSG_FIELD_ID(Decoratee, Inherited::NextFieldId)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 1;

    const CameraPtr& getDecoratee() const { return _sfDecoratee.getValue(); }
    SField<CameraPtr>* editSFDecoratee() { return &_sfDecoratee; }
    /// Counted. A camera that would end up decorating itself is refused (false).
    bool setDecoratee(const CameraPtr& camera);

    /// The decoratee's projection; identity without one.
    void getProjection(Matrix& result, UInt32 width, UInt32 height, Int32 eye = 0) override;
    /// The camera at the end of the decorator chain; null when the chain ends without one.
    CameraPtr getNonDecoratorCamera() override;

protected:
    friend class FieldContainer;
    CameraDecorator() = default;
    CameraDecorator(const CameraDecorator& source);

    void onDestroy() override;

private:
    static FieldContainerType _type;

    SField<CameraPtr> _sfDecoratee;
};

} // namespace osg

#endif
