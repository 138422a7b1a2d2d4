#ifndef OSG_TRANSFORM_H
#define OSG_TRANSFORM_H

#include "OSGGroup.h"

namespace osg {

class Transform;
using TransformPtr = FCPtr<GroupPtr, Transform>;

OSG_DECLARE_PTR_TRAITS(TransformPtr);

/// A group core that places its node's subtree by a matrix.
class Transform : public Group {
    OSG_CONTAINER_DECL(TransformPtr, Transform)

public:
    using Inherited = Group;
    OSG_FIELD_ID(Matrix, Inherited::NextFieldId)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 1;

    OSG_SFIELD_ACCESS(Matrix, Matrix)

    void accumulateMatrix(Matrix& matrix) override;
    void adjustVolume(Volume& volume) override;
    void changed(BitVector whichField, UInt32 origin) override;

protected:
    friend class FieldContainer;
    Transform() = default;
    Transform(const Transform& source) = default;

private:
    static FieldContainerType _type;

    SFMatrix _sfMatrix;
};

} // namespace osg

#endif
