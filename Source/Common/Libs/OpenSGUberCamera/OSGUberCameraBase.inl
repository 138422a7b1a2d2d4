// Inline accessors of UberCameraBase, one group per field in id order.

namespace osg {

inline UInt32 UberCameraBase::getClassTypeId() {
    return _type.getId();
}

inline SFPerspectiveMatchPtr* UberCameraBase::getSFPerspectiveMatch() {
    return &_sfPerspectiveMatch;
}
inline const SFPerspectiveMatchPtr* UberCameraBase::getSFPerspectiveMatch() const {
    return &_sfPerspectiveMatch;
}
inline SFPerspectiveMatchPtr* UberCameraBase::editSFPerspectiveMatch() {
    return &_sfPerspectiveMatch;
}
inline PerspectiveMatchPtr& UberCameraBase::getPerspectiveMatch() {
    return _sfPerspectiveMatch.getValue();
}
inline const PerspectiveMatchPtr& UberCameraBase::getPerspectiveMatch() const {
    return _sfPerspectiveMatch.getValue();
}
inline PerspectiveMatchPtr& UberCameraBase::editPerspectiveMatch() {
    return _sfPerspectiveMatch.getValue();
}
inline void UberCameraBase::setPerspectiveMatch(const PerspectiveMatchPtr& value) {
    _sfPerspectiveMatch.setValue(value);
}

inline SFGeometryPtr* UberCameraBase::getSFVisualization() {
    return &_sfVisualization;
}
inline const SFGeometryPtr* UberCameraBase::getSFVisualization() const {
    return &_sfVisualization;
}
inline SFGeometryPtr* UberCameraBase::editSFVisualization() {
    return &_sfVisualization;
}
inline GeometryPtr& UberCameraBase::getVisualization() {
    return _sfVisualization.getValue();
}
inline const GeometryPtr& UberCameraBase::getVisualization() const {
    return _sfVisualization.getValue();
}
inline GeometryPtr& UberCameraBase::editVisualization() {
    return _sfVisualization.getValue();
}
inline void UberCameraBase::setVisualization(const GeometryPtr& value) {
    _sfVisualization.setValue(value);
}

inline SFUInt32* UberCameraBase::getSFProjectionMode() {
    return &_sfProjectionMode;
}
inline const SFUInt32* UberCameraBase::getSFProjectionMode() const {
    return &_sfProjectionMode;
}
inline SFUInt32* UberCameraBase::editSFProjectionMode() {
    return &_sfProjectionMode;
}
inline UInt32& UberCameraBase::getProjectionMode() {
    return _sfProjectionMode.getValue();
}
inline const UInt32& UberCameraBase::getProjectionMode() const {
    return _sfProjectionMode.getValue();
}
inline UInt32& UberCameraBase::editProjectionMode() {
    return _sfProjectionMode.getValue();
}
inline void UberCameraBase::setProjectionMode(const UInt32& value) {
    _sfProjectionMode.setValue(value);
}

inline SFVec3f* UberCameraBase::getSFProjectionScale() {
    return &_sfProjectionScale;
}
inline const SFVec3f* UberCameraBase::getSFProjectionScale() const {
    return &_sfProjectionScale;
}
inline SFVec3f* UberCameraBase::editSFProjectionScale() {
    return &_sfProjectionScale;
}
inline Vec3f& UberCameraBase::getProjectionScale() {
    return _sfProjectionScale.getValue();
}
inline const Vec3f& UberCameraBase::getProjectionScale() const {
    return _sfProjectionScale.getValue();
}
inline Vec3f& UberCameraBase::editProjectionScale() {
    return _sfProjectionScale.getValue();
}
inline void UberCameraBase::setProjectionScale(const Vec3f& value) {
    _sfProjectionScale.setValue(value);
}

inline SFReal32* UberCameraBase::getSFFocusDistance() {
    return &_sfFocusDistance;
}
inline const SFReal32* UberCameraBase::getSFFocusDistance() const {
    return &_sfFocusDistance;
}
inline SFReal32* UberCameraBase::editSFFocusDistance() {
    return &_sfFocusDistance;
}
inline Real32& UberCameraBase::getFocusDistance() {
    return _sfFocusDistance.getValue();
}
inline const Real32& UberCameraBase::getFocusDistance() const {
    return _sfFocusDistance.getValue();
}
inline Real32& UberCameraBase::editFocusDistance() {
    return _sfFocusDistance.getValue();
}
inline void UberCameraBase::setFocusDistance(const Real32& value) {
    _sfFocusDistance.setValue(value);
}

inline SFVec2f* UberCameraBase::getSFSensorSize() {
    return &_sfSensorSize;
}
inline const SFVec2f* UberCameraBase::getSFSensorSize() const {
    return &_sfSensorSize;
}
inline SFVec2f* UberCameraBase::editSFSensorSize() {
    return &_sfSensorSize;
}
inline Vec2f& UberCameraBase::getSensorSize() {
    return _sfSensorSize.getValue();
}
inline const Vec2f& UberCameraBase::getSensorSize() const {
    return _sfSensorSize.getValue();
}
inline Vec2f& UberCameraBase::editSensorSize() {
    return _sfSensorSize.getValue();
}
inline void UberCameraBase::setSensorSize(const Vec2f& value) {
    _sfSensorSize.setValue(value);
}

inline SFVec4f* UberCameraBase::getSFFrustumSides() {
    return &_sfFrustumSides;
}
inline const SFVec4f* UberCameraBase::getSFFrustumSides() const {
    return &_sfFrustumSides;
}
inline SFVec4f* UberCameraBase::editSFFrustumSides() {
    return &_sfFrustumSides;
}
inline Vec4f& UberCameraBase::getFrustumSides() {
    return _sfFrustumSides.getValue();
}
inline const Vec4f& UberCameraBase::getFrustumSides() const {
    return _sfFrustumSides.getValue();
}
inline Vec4f& UberCameraBase::editFrustumSides() {
    return _sfFrustumSides.getValue();
}
inline void UberCameraBase::setFrustumSides(const Vec4f& value) {
    _sfFrustumSides.setValue(value);
}

inline SFReal32* UberCameraBase::getSFShutterSpeed() {
    return &_sfShutterSpeed;
}
inline const SFReal32* UberCameraBase::getSFShutterSpeed() const {
    return &_sfShutterSpeed;
}
inline SFReal32* UberCameraBase::editSFShutterSpeed() {
    return &_sfShutterSpeed;
}
inline Real32& UberCameraBase::getShutterSpeed() {
    return _sfShutterSpeed.getValue();
}
inline const Real32& UberCameraBase::getShutterSpeed() const {
    return _sfShutterSpeed.getValue();
}
inline Real32& UberCameraBase::editShutterSpeed() {
    return _sfShutterSpeed.getValue();
}
inline void UberCameraBase::setShutterSpeed(const Real32& value) {
    _sfShutterSpeed.setValue(value);
}

inline SFReal32* UberCameraBase::getSFApertureDiameter() {
    return &_sfApertureDiameter;
}
inline const SFReal32* UberCameraBase::getSFApertureDiameter() const {
    return &_sfApertureDiameter;
}
inline SFReal32* UberCameraBase::editSFApertureDiameter() {
    return &_sfApertureDiameter;
}
inline Real32& UberCameraBase::getApertureDiameter() {
    return _sfApertureDiameter.getValue();
}
inline const Real32& UberCameraBase::getApertureDiameter() const {
    return _sfApertureDiameter.getValue();
}
inline Real32& UberCameraBase::editApertureDiameter() {
    return _sfApertureDiameter.getValue();
}
inline void UberCameraBase::setApertureDiameter(const Real32& value) {
    _sfApertureDiameter.setValue(value);
}

inline SFVec2f* UberCameraBase::getSFPrincipalPointOffset() {
    return &_sfPrincipalPointOffset;
}
inline const SFVec2f* UberCameraBase::getSFPrincipalPointOffset() const {
    return &_sfPrincipalPointOffset;
}
inline SFVec2f* UberCameraBase::editSFPrincipalPointOffset() {
    return &_sfPrincipalPointOffset;
}
inline Vec2f& UberCameraBase::getPrincipalPointOffset() {
    return _sfPrincipalPointOffset.getValue();
}
inline const Vec2f& UberCameraBase::getPrincipalPointOffset() const {
    return _sfPrincipalPointOffset.getValue();
}
inline Vec2f& UberCameraBase::editPrincipalPointOffset() {
    return _sfPrincipalPointOffset.getValue();
}
inline void UberCameraBase::setPrincipalPointOffset(const Vec2f& value) {
    _sfPrincipalPointOffset.setValue(value);
}

inline SFReal32* UberCameraBase::getSFSkewFactor() {
    return &_sfSkewFactor;
}
inline const SFReal32* UberCameraBase::getSFSkewFactor() const {
    return &_sfSkewFactor;
}
inline SFReal32* UberCameraBase::editSFSkewFactor() {
    return &_sfSkewFactor;
}
inline Real32& UberCameraBase::getSkewFactor() {
    return _sfSkewFactor.getValue();
}
inline const Real32& UberCameraBase::getSkewFactor() const {
    return _sfSkewFactor.getValue();
}
inline Real32& UberCameraBase::editSkewFactor() {
    return _sfSkewFactor.getValue();
}
inline void UberCameraBase::setSkewFactor(const Real32& value) {
    _sfSkewFactor.setValue(value);
}

inline SFReal32* UberCameraBase::getSFRoll() {
    return &_sfRoll;
}
inline const SFReal32* UberCameraBase::getSFRoll() const {
    return &_sfRoll;
}
inline SFReal32* UberCameraBase::editSFRoll() {
    return &_sfRoll;
}
inline Real32& UberCameraBase::getRoll() {
    return _sfRoll.getValue();
}
inline const Real32& UberCameraBase::getRoll() const {
    return _sfRoll.getValue();
}
inline Real32& UberCameraBase::editRoll() {
    return _sfRoll.getValue();
}
inline void UberCameraBase::setRoll(const Real32& value) {
    _sfRoll.setValue(value);
}

inline SFInt32* UberCameraBase::getSFDefaultCameraId() {
    return &_sfDefaultCameraId;
}
inline const SFInt32* UberCameraBase::getSFDefaultCameraId() const {
    return &_sfDefaultCameraId;
}
inline SFInt32* UberCameraBase::editSFDefaultCameraId() {
    return &_sfDefaultCameraId;
}
inline Int32& UberCameraBase::getDefaultCameraId() {
    return _sfDefaultCameraId.getValue();
}
inline const Int32& UberCameraBase::getDefaultCameraId() const {
    return _sfDefaultCameraId.getValue();
}
inline Int32& UberCameraBase::editDefaultCameraId() {
    return _sfDefaultCameraId.getValue();
}
inline void UberCameraBase::setDefaultCameraId(const Int32& value) {
    _sfDefaultCameraId.setValue(value);
}

inline SFMatrix* UberCameraBase::getSFHmdMatrix() {
    return &_sfHmdMatrix;
}
inline const SFMatrix* UberCameraBase::getSFHmdMatrix() const {
    return &_sfHmdMatrix;
}
inline SFMatrix* UberCameraBase::editSFHmdMatrix() {
    return &_sfHmdMatrix;
}
inline Matrix& UberCameraBase::getHmdMatrix() {
    return _sfHmdMatrix.getValue();
}
inline const Matrix& UberCameraBase::getHmdMatrix() const {
    return _sfHmdMatrix.getValue();
}
inline Matrix& UberCameraBase::editHmdMatrix() {
    return _sfHmdMatrix.getValue();
}
inline void UberCameraBase::setHmdMatrix(const Matrix& value) {
    _sfHmdMatrix.setValue(value);
}

inline SFTextureSettingsPtr* UberCameraBase::getSFLeftEyeDistortionMap() {
    return &_sfLeftEyeDistortionMap;
}
inline const SFTextureSettingsPtr* UberCameraBase::getSFLeftEyeDistortionMap() const {
    return &_sfLeftEyeDistortionMap;
}
inline SFTextureSettingsPtr* UberCameraBase::editSFLeftEyeDistortionMap() {
    return &_sfLeftEyeDistortionMap;
}
inline TextureSettingsPtr& UberCameraBase::getLeftEyeDistortionMap() {
    return _sfLeftEyeDistortionMap.getValue();
}
inline const TextureSettingsPtr& UberCameraBase::getLeftEyeDistortionMap() const {
    return _sfLeftEyeDistortionMap.getValue();
}
inline TextureSettingsPtr& UberCameraBase::editLeftEyeDistortionMap() {
    return _sfLeftEyeDistortionMap.getValue();
}
inline void UberCameraBase::setLeftEyeDistortionMap(const TextureSettingsPtr& value) {
    _sfLeftEyeDistortionMap.setValue(value);
}

inline SFTextureSettingsPtr* UberCameraBase::getSFRightEyeDistortionMap() {
    return &_sfRightEyeDistortionMap;
}
inline const SFTextureSettingsPtr* UberCameraBase::getSFRightEyeDistortionMap() const {
    return &_sfRightEyeDistortionMap;
}
inline SFTextureSettingsPtr* UberCameraBase::editSFRightEyeDistortionMap() {
    return &_sfRightEyeDistortionMap;
}
inline TextureSettingsPtr& UberCameraBase::getRightEyeDistortionMap() {
    return _sfRightEyeDistortionMap.getValue();
}
inline const TextureSettingsPtr& UberCameraBase::getRightEyeDistortionMap() const {
    return _sfRightEyeDistortionMap.getValue();
}
inline TextureSettingsPtr& UberCameraBase::editRightEyeDistortionMap() {
    return _sfRightEyeDistortionMap.getValue();
}
inline void UberCameraBase::setRightEyeDistortionMap(const TextureSettingsPtr& value) {
    _sfRightEyeDistortionMap.setValue(value);
}

inline SFTonemappingSettingsPtr* UberCameraBase::getSFTonemappingSettings() {
    return &_sfTonemappingSettings;
}
inline const SFTonemappingSettingsPtr* UberCameraBase::getSFTonemappingSettings() const {
    return &_sfTonemappingSettings;
}
inline SFTonemappingSettingsPtr* UberCameraBase::editSFTonemappingSettings() {
    return &_sfTonemappingSettings;
}
inline TonemappingSettingsPtr& UberCameraBase::getTonemappingSettings() {
    return _sfTonemappingSettings.getValue();
}
inline const TonemappingSettingsPtr& UberCameraBase::getTonemappingSettings() const {
    return _sfTonemappingSettings.getValue();
}
inline TonemappingSettingsPtr& UberCameraBase::editTonemappingSettings() {
    return _sfTonemappingSettings.getValue();
}
inline void UberCameraBase::setTonemappingSettings(const TonemappingSettingsPtr& value) {
    _sfTonemappingSettings.setValue(value);
}

inline SFAnimNodePtr* UberCameraBase::getSFAnimationRoot() {
    return &_sfAnimationRoot;
}
inline const SFAnimNodePtr* UberCameraBase::getSFAnimationRoot() const {
    return &_sfAnimationRoot;
}
inline SFAnimNodePtr* UberCameraBase::editSFAnimationRoot() {
    return &_sfAnimationRoot;
}
inline AnimNodePtr& UberCameraBase::getAnimationRoot() {
    return _sfAnimationRoot.getValue();
}
inline const AnimNodePtr& UberCameraBase::getAnimationRoot() const {
    return _sfAnimationRoot.getValue();
}
inline AnimNodePtr& UberCameraBase::editAnimationRoot() {
    return _sfAnimationRoot.getValue();
}
inline void UberCameraBase::setAnimationRoot(const AnimNodePtr& value) {
    _sfAnimationRoot.setValue(value);
}

inline SFReal32* UberCameraBase::getSFViewpointTransitionDuration() {
    return &_sfViewpointTransitionDuration;
}
inline const SFReal32* UberCameraBase::getSFViewpointTransitionDuration() const {
    return &_sfViewpointTransitionDuration;
}
inline SFReal32* UberCameraBase::editSFViewpointTransitionDuration() {
    return &_sfViewpointTransitionDuration;
}
inline Real32& UberCameraBase::getViewpointTransitionDuration() {
    return _sfViewpointTransitionDuration.getValue();
}
inline const Real32& UberCameraBase::getViewpointTransitionDuration() const {
    return _sfViewpointTransitionDuration.getValue();
}
inline Real32& UberCameraBase::editViewpointTransitionDuration() {
    return _sfViewpointTransitionDuration.getValue();
}
inline void UberCameraBase::setViewpointTransitionDuration(const Real32& value) {
    _sfViewpointTransitionDuration.setValue(value);
}

inline SFVec4f* UberCameraBase::getSFTrackOverrides() {
    return &_sfTrackOverrides;
}
inline const SFVec4f* UberCameraBase::getSFTrackOverrides() const {
    return &_sfTrackOverrides;
}
inline SFVec4f* UberCameraBase::editSFTrackOverrides() {
    return &_sfTrackOverrides;
}
inline Vec4f& UberCameraBase::getTrackOverrides() {
    return _sfTrackOverrides.getValue();
}
inline const Vec4f& UberCameraBase::getTrackOverrides() const {
    return _sfTrackOverrides.getValue();
}
inline Vec4f& UberCameraBase::editTrackOverrides() {
    return _sfTrackOverrides.getValue();
}
inline void UberCameraBase::setTrackOverrides(const Vec4f& value) {
    _sfTrackOverrides.setValue(value);
}

inline SFMatrix* UberCameraBase::getSFCustomProjectionMatrix() {
    return &_sfCustomProjectionMatrix;
}
inline const SFMatrix* UberCameraBase::getSFCustomProjectionMatrix() const {
    return &_sfCustomProjectionMatrix;
}
inline SFMatrix* UberCameraBase::editSFCustomProjectionMatrix() {
    return &_sfCustomProjectionMatrix;
}
inline Matrix& UberCameraBase::getCustomProjectionMatrix() {
    return _sfCustomProjectionMatrix.getValue();
}
inline const Matrix& UberCameraBase::getCustomProjectionMatrix() const {
    return _sfCustomProjectionMatrix.getValue();
}
inline Matrix& UberCameraBase::editCustomProjectionMatrix() {
    return _sfCustomProjectionMatrix.getValue();
}
inline void UberCameraBase::setCustomProjectionMatrix(const Matrix& value) {
    _sfCustomProjectionMatrix.setValue(value);
}

inline MFPnt3f* UberCameraBase::getMFPbarProjectionPlanePoints() {
    return &_mfPbarProjectionPlanePoints;
}
inline const MFPnt3f* UberCameraBase::getMFPbarProjectionPlanePoints() const {
    return &_mfPbarProjectionPlanePoints;
}
inline MFPnt3f* UberCameraBase::editMFPbarProjectionPlanePoints() {
    return &_mfPbarProjectionPlanePoints;
}
inline MFPnt3f& UberCameraBase::getPbarProjectionPlanePoints() {
    return _mfPbarProjectionPlanePoints;
}
inline const MFPnt3f& UberCameraBase::getPbarProjectionPlanePoints() const {
    return _mfPbarProjectionPlanePoints;
}
inline Pnt3f& UberCameraBase::getPbarProjectionPlanePoints(UInt32 index) {
    return _mfPbarProjectionPlanePoints[index];
}
inline const Pnt3f& UberCameraBase::getPbarProjectionPlanePoints(UInt32 index) const {
    return _mfPbarProjectionPlanePoints[index];
}
inline Pnt3f& UberCameraBase::editPbarProjectionPlanePoints(UInt32 index) {
    return _mfPbarProjectionPlanePoints[index];
}

inline SFReal32* UberCameraBase::getSFAtDistance() {
    return &_sfAtDistance;
}
inline const SFReal32* UberCameraBase::getSFAtDistance() const {
    return &_sfAtDistance;
}
inline SFReal32* UberCameraBase::editSFAtDistance() {
    return &_sfAtDistance;
}
inline Real32& UberCameraBase::getAtDistance() {
    return _sfAtDistance.getValue();
}
inline const Real32& UberCameraBase::getAtDistance() const {
    return _sfAtDistance.getValue();
}
inline Real32& UberCameraBase::editAtDistance() {
    return _sfAtDistance.getValue();
}
inline void UberCameraBase::setAtDistance(const Real32& value) {
    _sfAtDistance.setValue(value);
}

inline SFVec3f* UberCameraBase::getSFTurntableParameter() {
    return &_sfTurntableParameter;
}
inline const SFVec3f* UberCameraBase::getSFTurntableParameter() const {
    return &_sfTurntableParameter;
}
inline SFVec3f* UberCameraBase::editSFTurntableParameter() {
    return &_sfTurntableParameter;
}
inline Vec3f& UberCameraBase::getTurntableParameter() {
    return _sfTurntableParameter.getValue();
}
inline const Vec3f& UberCameraBase::getTurntableParameter() const {
    return _sfTurntableParameter.getValue();
}
inline Vec3f& UberCameraBase::editTurntableParameter() {
    return _sfTurntableParameter.getValue();
}
inline void UberCameraBase::setTurntableParameter(const Vec3f& value) {
    _sfTurntableParameter.setValue(value);
}

inline SFReal32* UberCameraBase::getSFTurntableAnimationDuration() {
    return &_sfTurntableAnimationDuration;
}
inline const SFReal32* UberCameraBase::getSFTurntableAnimationDuration() const {
    return &_sfTurntableAnimationDuration;
}
inline SFReal32* UberCameraBase::editSFTurntableAnimationDuration() {
    return &_sfTurntableAnimationDuration;
}
inline Real32& UberCameraBase::getTurntableAnimationDuration() {
    return _sfTurntableAnimationDuration.getValue();
}
inline const Real32& UberCameraBase::getTurntableAnimationDuration() const {
    return _sfTurntableAnimationDuration.getValue();
}
inline Real32& UberCameraBase::editTurntableAnimationDuration() {
    return _sfTurntableAnimationDuration.getValue();
}
inline void UberCameraBase::setTurntableAnimationDuration(const Real32& value) {
    _sfTurntableAnimationDuration.setValue(value);
}

inline SFUInt32* UberCameraBase::getSFActiveParentIndex() {
    return &_sfActiveParentIndex;
}
inline const SFUInt32* UberCameraBase::getSFActiveParentIndex() const {
    return &_sfActiveParentIndex;
}
inline SFUInt32* UberCameraBase::editSFActiveParentIndex() {
    return &_sfActiveParentIndex;
}
inline UInt32& UberCameraBase::getActiveParentIndex() {
    return _sfActiveParentIndex.getValue();
}
inline const UInt32& UberCameraBase::getActiveParentIndex() const {
    return _sfActiveParentIndex.getValue();
}
inline UInt32& UberCameraBase::editActiveParentIndex() {
    return _sfActiveParentIndex.getValue();
}
inline void UberCameraBase::setActiveParentIndex(const UInt32& value) {
    _sfActiveParentIndex.setValue(value);
}

inline SFReal32* UberCameraBase::getSFVisualizationScale() {
    return &_sfVisualizationScale;
}
inline const SFReal32* UberCameraBase::getSFVisualizationScale() const {
    return &_sfVisualizationScale;
}
inline SFReal32* UberCameraBase::editSFVisualizationScale() {
    return &_sfVisualizationScale;
}
inline Real32& UberCameraBase::getVisualizationScale() {
    return _sfVisualizationScale.getValue();
}
inline const Real32& UberCameraBase::getVisualizationScale() const {
    return _sfVisualizationScale.getValue();
}
inline Real32& UberCameraBase::editVisualizationScale() {
    return _sfVisualizationScale.getValue();
}
inline void UberCameraBase::setVisualizationScale(const Real32& value) {
    _sfVisualizationScale.setValue(value);
}

inline SFFogSettingsPtr* UberCameraBase::getSFFogSettings() {
    return &_sfFogSettings;
}
inline const SFFogSettingsPtr* UberCameraBase::getSFFogSettings() const {
    return &_sfFogSettings;
}
inline SFFogSettingsPtr* UberCameraBase::editSFFogSettings() {
    return &_sfFogSettings;
}
inline FogSettingsPtr& UberCameraBase::getFogSettings() {
    return _sfFogSettings.getValue();
}
inline const FogSettingsPtr& UberCameraBase::getFogSettings() const {
    return _sfFogSettings.getValue();
}
inline FogSettingsPtr& UberCameraBase::editFogSettings() {
    return _sfFogSettings.getValue();
}
inline void UberCameraBase::setFogSettings(const FogSettingsPtr& value) {
    _sfFogSettings.setValue(value);
}

} // namespace osg
