#ifndef OSG_TRANSFORM3D_H
#define OSG_TRANSFORM3D_H

#include "OSGTransform3DBase.h"

namespace osg {

/// A transform built from translation, rotation, scale, rotate pivot and shear:
///   matrix = T(translation) * T(pivot) * R * Shear * S * T(-pivot).
/// The inherited matrix field is derived: every edit of a component rebuilds it.
class Transform3D : public Transform3DBase {
public:
    using Inherited = Transform3DBase;

    /// Mask of every field that places the transform.
    static BitVector getCombinedTransformAttributesMask();

    bool hasFlag(UInt64 flag) const { return (getFlags() & flag) == flag; }
    void addFlag(UInt64 flag) { editFlags() |= flag; }
    void subFlag(UInt64 flag) { editFlags() &= ~flag; }

    /// The matrix the components give.
    Matrix computeMatrix() const;
    /// Rewrites the matrix field from the components.
    void updateMatrix();

    /// Sets translation and rotation so the matrix becomes (as near as the kept
    /// scale, shear and pivot allow) `matrix`.
    void setTranslationRotationFrom(const Matrix& matrix);

    void changed(BitVector whichField, UInt32 origin) override;

protected:
    friend class FieldContainer;
    friend class Transform3DBase;
    Transform3D() = default;
    Transform3D(const Transform3D& source) = default;
};

} // namespace osg

#endif
