#include "OSGShaderParameterChunk.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(ShaderParameterChunkPtr, "ShaderParameterChunkPtr", "FieldContainerPtr")

// The parameters are the renderer's working set, rebuilt from the settings
// whenever they change, so they are neither fields nor streamed.
OSG_CONTAINER_TYPE_DEF_NO_FIELDS(ShaderParameterChunk, "ShaderParameterChunk", "FieldContainer",
                                 nullptr, &ShaderParameterChunk::createEmpty)
OSG_CONTAINER_DEF(ShaderParameterChunk, ShaderParameterChunk)

namespace {
bool store(ShaderParameterChunk::ParameterMap& parameters, const char* name, UniformValue value) {
    if (name == nullptr || *name == '\0')
        return false;
    parameters.insert_or_assign(name, std::move(value));
    return true;
}
} // namespace

bool ShaderParameterChunk::setUniformParameter(const char* name, bool value) {
    return store(_parameters, name, value);
}

bool ShaderParameterChunk::setUniformParameter(const char* name, Int32 value) {
    return store(_parameters, name, value);
}

bool ShaderParameterChunk::setUniformParameter(const char* name, Real32 value) {
    return store(_parameters, name, value);
}

bool ShaderParameterChunk::setUniformParameter(const char* name, const Vec2f& value) {
    return store(_parameters, name, value);
}

bool ShaderParameterChunk::setUniformParameter(const char* name, const Vec3f& value) {
    return store(_parameters, name, value);
}

bool ShaderParameterChunk::setUniformParameter(const char* name, const Matrix& value) {
    return store(_parameters, name, value);
}

bool ShaderParameterChunk::setUniformParameter(const char* name, const MField<Real32>& value) {
    return store(_parameters, name, value.getValues());
}

bool ShaderParameterChunk::subUniformParameter(const char* name) {
    return name != nullptr && _parameters.erase(name) > 0;
}

} // namespace osg
