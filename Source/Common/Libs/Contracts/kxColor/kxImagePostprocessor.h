#ifndef KX_IMAGE_POSTPROCESSOR_H
#define KX_IMAGE_POSTPROCESSOR_H

#include "OSGMatrix.h"
#include "OSGVector.h"
#include "kxColorMatrix.h"

class kxLumivex;

/// The process-wide receiver of the tonemapping values the renderer works
/// with (for CPU-side image processing: snapshots, exports). Plain data,
/// written by the tonemapping state every frame.
class kxImagePostprocessor {
public:
    static kxImagePostprocessor* getImagePostprocessor();

    const kxLumivex* m_lumivex = nullptr;
    int m_tonemapperId = 0;
    unsigned m_sensorResponse = 0;
    float m_displayNits = 80.0f;
    bool m_tonemapHDR = false;
    kxColorMatrix m_whitebalanceMatrix;
    osg::Matrix m_hueShiftMatrix;
    osg::Vec4f m_saturation{1, 1, 1, 1};
    osg::Vec4f m_brightness{1, 1, 1, 1};
    osg::Vec4f m_colorCorrectionContrast{1, 1, 1, 1};
    bool m_colorCorrectionActive = false;
    bool m_applyToBackground = false;
    bool m_applyToForeground = false;
    float m_invDisplayLuminance = 1.0f;
    float m_relativeWhitepoint = 1.0f;
    float m_invSquaredRelativeWhitepoint = 1.0f;
    float m_contrast = 1.0f;
    osg::Vec4f m_invGamma{1, 1, 1, 1};
    unsigned m_candelaMappingMode = 0;
    unsigned m_tonemappingColorspace = 0;
    float m_candelaRangeLow = 0.0f;
    float m_candelaRangeHigh = 0.0f;
    float m_scaledLuminousExposure = 100.0f;
    /// 1024 RGB float triples, or null.
    const float* m_responseCurveData = nullptr;
    float m_exposure = 1.0f;
    float m_sensitivity = 100.0f;
    float m_fStop = 2.8f;
    float m_shutterSpeed = 125.0f;
    float m_filmicA = 0.8f;
    float m_filmicD = 0.25f;
    unsigned m_displayProfileMode = 1;
};

#endif
