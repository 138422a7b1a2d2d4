#ifndef KX_SHADER_SOURCES_H
#define KX_SHADER_SOURCES_H

// The post-processing sources in their stored form, embedded at build time
// from Shaders/<name>.glsl. `kxUtils::decryptShader` gives the plain text.

#include <string>

namespace kxShaderSources {

extern const std::string colorTransformSource;
extern const std::string colorCorrectionSource;
extern const std::string colorCorrectionPlainSource;
extern const std::string tonemapCommonSource;
extern const std::string tonemapCommonAltSource;
extern const std::string tonemapSource0;
extern const std::string tonemapSource1;
extern const std::string tonemapSource2;
extern const std::string tonemapSource3;
extern const std::string tonemapSource4;
extern const std::string tonemapCurveSource;
extern const std::string tonemapLumivexSource;
extern const std::string tonemapSource6;
extern const std::string tonemapSource7;
extern const std::string tonemapSource8;
extern const std::string tonemapSource9;
extern const std::string profileSource0;
extern const std::string profileSource1;
extern const std::string profileSource2;
extern const std::string profileIccSource;
extern const std::string profileSource5;
extern const std::string blendNoneSource;
extern const std::string blendVignetteSource;
extern const std::string blendMapSource;

} // namespace kxShaderSources

#endif
