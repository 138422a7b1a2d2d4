#include "PostProcess.h"

using namespace osg;

namespace render {

namespace {
constexpr int CurveUnit = kxTonemappingSettings::ResponseCurveUnit;
constexpr int LumivexUnit = kxTonemappingSettings::LumivexUnit;
} // namespace

PostProcess::PostProcess() : _chunk(SHLChunk::create()) {
    addRefCP(_chunk);
}

PostProcess::~PostProcess() {
    subRefCP(_chunk);
}

bool PostProcess::prepare(Camera* camera, std::string* error) {
    bool rebuildShaders = _program.getProgram() == 0;
    bool updateUniforms = rebuildShaders;
    _state.requiresUpdate(camera, rebuildShaders, updateUniforms, false);
    if (rebuildShaders && !rebuild(error))
        return false;
    if (updateUniforms)
        writeUniforms();
    return true;
}

bool PostProcess::rebuild(std::string* error) {
    std::string source;
    _state.setupColorTransformShader(source);
    _state.setupColorCorrectionShader(source);
    _state.setupTonemappingShader(source);
    _state.setupColorProfileShader(source, false, false);
    _state.setupBlendShader(source);
    _chunk->setVertexProgram(kxShaderProgram::FullScreenVertexSource);
    _chunk->setFragmentProgram(source);
    ++_buildCount;

    _program.release();
    if (!_program.build(_chunk->getVertexProgram(), _chunk->getFragmentProgram(), error))
        return false;
    // The display's table the new program may sample.
    _state.updateMonitorProfile(false);
    return true;
}

void PostProcess::setChunkUniforms() {
    _chunk->clearUniformParameters();
    _state.setTonemapperUniforms(_chunk);
    _state.setColorCorrectionUniforms(_chunk);
    _state.setBlendUniforms(_chunk, BlendingMapUnit, true);
    _state.setColorProfileUniforms(_chunk, ProfileUnit);
    _state.setDitheringUniforms(_chunk);
    _chunk->setUniformParameter("hdrImage", Int32(HdrImageUnit));
}

void PostProcess::writeUniforms() {
    setChunkUniforms();
    // Uploaded only when the curve's checksum changed.
    _state.updateSensorResponseCurve();
    _program.applyUniforms(*_chunk);
}

void PostProcess::apply(const kxTexture& hdrImage) const {
    hdrImage.bindTexture(GL_TEXTURE0 + HdrImageUnit);
    _state.bindTextures(ProfileUnit, CurveUnit, LumivexUnit);
    _program.drawFullScreenTriangle();
    _state.unbindTextures(ProfileUnit, CurveUnit, LumivexUnit);
    hdrImage.unbindTexture(GL_TEXTURE0 + HdrImageUnit);
}

} // namespace render
