#ifndef OSG_SHADER_PARAMETER_CHUNK_H
#define OSG_SHADER_PARAMETER_CHUNK_H

#include "OSGFieldContainer.h"
#include "OSGFieldContainerFields.h"
#include "OSGFieldContainerMacros.h"
#include "OSGMField.h"
#include "OSGMatrix.h"
#include "OSGVector.h"

#include <map>
#include <string>
#include <variant>
#include <vector>

namespace osg {

class ShaderParameterChunk;
using ShaderParameterChunkPtr = FCPtr<FieldContainerPtr, ShaderParameterChunk>;

OSG_DECLARE_PTR_TRAITS(ShaderParameterChunkPtr);

/// The value of one uniform: GLSL bool, int (also a sampler's unit), float,
/// vec2, vec3, mat4 or float array.
using UniformValue =
    std::variant<bool, Int32, Real32, Vec2f, Vec3f, Matrix, std::vector<Real32>>;

/// Named uniform values for a shader program. Setting a name again replaces
/// its value and type. The renderer hands them to the program it draws with.
class ShaderParameterChunk : public FieldContainer {
    OSG_CONTAINER_DECL(ShaderParameterChunkPtr, ShaderParameterChunk)

public:
    using Inherited = FieldContainer;
    using ParameterMap = std::map<std::string, UniformValue>;

    bool setUniformParameter(const char* name, bool value);
    bool setUniformParameter(const char* name, Int32 value);
    bool setUniformParameter(const char* name, Real32 value);
    bool setUniformParameter(const char* name, const Vec2f& value);
    bool setUniformParameter(const char* name, const Vec3f& value);
    bool setUniformParameter(const char* name, const Matrix& value);
    bool setUniformParameter(const char* name, const MField<Real32>& value);

    /// False when `name` is missing or holds another type; `value` is then untouched.
    template <class T> bool getUniformParameter(const char* name, T& value) const {
        auto it = _parameters.find(name);
        if (it == _parameters.end() || !std::holds_alternative<T>(it->second))
            return false;
        value = std::get<T>(it->second);
        return true;
    }
    bool subUniformParameter(const char* name);
    void clearUniformParameters() { _parameters.clear(); }
    const ParameterMap& getParameters() const { return _parameters; }

protected:
    friend class FieldContainer;
    ShaderParameterChunk() = default;
    ShaderParameterChunk(const ShaderParameterChunk& source) = default;

private:
    static FieldContainerType _type;

    ParameterMap _parameters;
};

} // namespace osg

#endif
