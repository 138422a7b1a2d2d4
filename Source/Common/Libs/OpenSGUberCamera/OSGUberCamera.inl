// Inline part of UberCamera: the combined masks.

namespace osg {

inline BitVector UberCamera::getCombinedViewingAttributesMask() {
    return Transform3D::getCombinedTransformAttributesMask() | CameraBase::NearFieldMask |
           CameraBase::FarFieldMask;
}

inline BitVector UberCamera::getCombinedCameraAttributesMask() {
    return PerspectiveCameraBase::FovFieldMask | ProjectionModeFieldMask |
           PerspectiveCameraBase::FovModeFieldMask | SensorSizeFieldMask |
           PrincipalPointOffsetFieldMask | Transform3DBase::ShearFieldMask | FrustumSidesFieldMask |
           ApertureDiameterFieldMask | FocusDistanceFieldMask | ShutterSpeedFieldMask;
}

} // namespace osg
