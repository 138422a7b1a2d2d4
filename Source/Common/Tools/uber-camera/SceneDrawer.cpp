#include "SceneDrawer.h"

#include "OSGAction.h"
#include "OSGGeometry.h"
#include "OSGMatrixUtility.h"
#include "kxGLInfo.h"
#include "kxUberCameraUtils.h"

#include <algorithm>

using namespace osg;

namespace render {
namespace {

constexpr UInt8 LinesType = 1;     // GL_LINES
constexpr UInt8 TrianglesType = 4; // GL_TRIANGLES

const char* const VertexSource = R"(#version 330 core
layout(location = 0) in vec3 position;
uniform mat4 model;
uniform mat4 viewProjection;
out vec3 worldPosition;
void main() {
    vec4 world = model * vec4(position, 1.0);
    worldPosition = world.xyz;
    gl_Position = viewProjection * world;
})";

// Alpha 1 marks covered pixels; the clear colour's alpha 0 marks the background.
const char* const FragmentSource = R"(#version 330 core
in vec3 worldPosition;
uniform vec3 color;
uniform bool lit;
uniform vec3 sunDirection;
uniform mat4 lightViewProjection;
uniform sampler2DShadow shadowMap;
out vec4 fragColor;
const vec3 sunRadiance = vec3(1.3, 1.2, 1.05);
const vec3 skyRadiance = vec3(0.2, 0.24, 0.32);
const float normalOffset = 12.0; // mm, about two shadow-map texels: no self-shadowing

// The share of the sun that reaches the point: the comparisons with the four nearest
// texels, filtered (nine such lookups cost a third of the frame on llvmpipe).
float sunVisibility(vec3 n) {
    vec4 p = lightViewProjection * vec4(worldPosition + n * normalOffset, 1.0);
    vec3 s = p.xyz / p.w * 0.5 + 0.5;
    if (any(lessThan(s, vec3(0.0))) || any(greaterThan(s, vec3(1.0))))
        return 1.0;
    return texture(shadowMap, s);
}

void main() {
    vec3 c = color;
    if (lit) {
        // Flat shading: the face normal from the position's screen derivatives, facing the eye.
        vec3 n = normalize(cross(dFdx(worldPosition), dFdy(worldPosition)));
        float sun = max(dot(n, sunDirection), 0.0);
        if (sun > 0.0)
            sun *= sunVisibility(n);
        c *= sunRadiance * sun + skyRadiance * (0.5 + 0.5 * n.y);
    }
    fragColor = vec4(c, 1.0);
})";

// The shadow pass writes depth only.
const char* const DepthOnlySource = R"(#version 330 core
void main() {})";

struct Appender {
    std::vector<Pnt3f>& vertices;

    // The vertices of `geometry`'s triangles and lines, in batches of one mode.
    template <class AddBatch> void append(const GeometryPtr& geometry, AddBatch addBatch) {
        const GeoPositions3fPtr positions = geometry->getPositions();
        if (positions.isNull())
            return;
        const GeoIndicesUI32Ptr indices = geometry->getIndices();
        const GeoPTypesUI8Ptr types = geometry->getTypes();
        const GeoPLengthsUI32Ptr lengths = geometry->getLengths();
        const UInt32 available = indices.isNull() ? positions->size() : indices->size();
        const UInt32 primitives = types.isNull() ? 0 : types->size();

        UInt32 next = 0;
        for (UInt32 i = 0; i < primitives && next < available; ++i) {
            const UInt32 length = lengths.isNull() || i >= lengths->size()
                                      ? available - next
                                      : std::min(lengths->getValue(i), available - next);
            const UInt8 type = types->getValue(i);
            if (type == TrianglesType || type == LinesType) {
                // Whole triangles or lines only: one with an index out of range is left out,
                // so that those after it keep their own vertices.
                const UInt32 corners = type == TrianglesType ? 3 : 2;
                const GLint first = GLint(vertices.size());
                for (UInt32 k = next; k + corners <= next + length; k += corners) {
                    Pnt3f corner[3];
                    UInt32 valid = 0;
                    for (; valid < corners; ++valid) {
                        const UInt32 index =
                            indices.isNull() ? k + valid : indices->getValue(k + valid);
                        if (index >= positions->size())
                            break;
                        corner[valid] = positions->getValue(index);
                    }
                    if (valid == corners)
                        vertices.insert(vertices.end(), corner, corner + corners);
                }
                const GLsizei count = GLsizei(vertices.size()) - first;
                if (count > 0)
                    addBatch(type == TrianglesType ? GL_TRIANGLES : GL_LINES, first, count);
            }
            next += length;
        }
    }
};

} // namespace

SceneDrawer::~SceneDrawer() {
    releaseBuffers();
    if (!kxGLInfo::getNoOpenGL()) {
        if (_shadowFramebuffer != 0)
            glDeleteFramebuffers(1, &_shadowFramebuffer);
        if (_shadowTexture != 0)
            glDeleteTextures(1, &_shadowTexture);
    }
}

bool SceneDrawer::init(std::string* error) {
    if (!_program.build(VertexSource, FragmentSource, error) ||
        !_shadowProgram.build(VertexSource, DepthOnlySource, error))
        return false;
    const GLuint program = _program.getProgram();
    _viewProjectionLocation = glGetUniformLocation(program, "viewProjection");
    _lightViewProjectionLocation = glGetUniformLocation(program, "lightViewProjection");
    _modelLocation = glGetUniformLocation(program, "model");
    _colorLocation = glGetUniformLocation(program, "color");
    _litLocation = glGetUniformLocation(program, "lit");
    glUseProgram(program);
    glUniform3f(glGetUniformLocation(program, "sunDirection"), SunDirection[0], SunDirection[1],
                SunDirection[2]);
    glUniform1i(glGetUniformLocation(program, "shadowMap"), ShadowMapUnit);
    glUseProgram(0);

    // Depth compared in the lookup, filtered between the four nearest results.
    glGenTextures(1, &_shadowTexture);
    glBindTexture(GL_TEXTURE_2D, _shadowTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, ShadowMapSize, ShadowMapSize, 0,
                 GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffers(1, &_shadowFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, _shadowFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, _shadowTexture, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete)
        *error = "cannot make the shadow map";
    return complete;
}

void SceneDrawer::load(const NodePtr& root, const UberCameraPtr& viewer) {
    releaseBuffers();
    std::vector<Pnt3f> vertices;
    Appender appender{vertices};

    BoxVolume bounds; // of everything that casts a shadow
    traverse(root, [&](NodePtr& node) {
        if (node.isNull() || node->getCore().isNull())
            return Action::Continue;
        GeometryPtr geometry = GeometryPtr::dcast(node->getCore());
        Vec3f color = CameraWireColor;
        bool lit = false;
        if (geometry.isNull()) {
            // A shown camera other than the viewer draws its wireframe.
            const UberCameraPtr camera = UberCameraPtr::dcast(node->getCore());
            if (camera.isNull() || camera == viewer ||
                !kxUberCameraUtils::getRenderVisualization(camera))
                return Action::Continue;
            geometry = camera->getVisualization();
            if (geometry.isNull())
                return Action::Continue;
        } else {
            const MaterialPtr material =
                geometry->getMaterial().isNull() ? getDefaultMaterial() : geometry->getMaterial();
            color = material->getDiffuse();
            lit = material->getLit();
        }
        const Matrix model = node->getToWorld();
        appender.append(geometry, [&](GLenum mode, GLint first, GLsizei count) {
            // Lines have no surface to light, and cast no shadow.
            _batches.push_back({mode, first, count, model, color, lit && mode == GL_TRIANGLES});
            for (GLint i = first; mode == GL_TRIANGLES && i < first + count; ++i) {
                Pnt3f world;
                model.multFullMatrixPnt(vertices[std::size_t(i)], world);
                bounds.extendBy(world);
            }
        });
        return Action::Continue;
    });

    _vertexCount = vertices.size();
    glGenVertexArrays(1, &_vertexArray);
    glBindVertexArray(_vertexArray);
    glGenBuffers(1, &_buffer);
    glBindBuffer(GL_ARRAY_BUFFER, _buffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(Pnt3f)), vertices.data(),
                 GL_STATIC_DRAW);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(Pnt3f), nullptr);
    glEnableVertexAttribArray(0);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    drawShadowMap(bounds);
}

void SceneDrawer::drawShadowMap(const BoxVolume& bounds) {
    // An orthographic view along the sun's rays that just holds the bounds' sphere.
    Pnt3f low, high, centre;
    bounds.getBounds(low, high);
    bounds.getCenter(centre);
    const Real32 radius = std::max((high - low).length() / 2, 1.0f);
    Matrix lightToWorld, projection;
    if (bounds.isEmpty() ||
        !MatrixLookAt(lightToWorld, centre + SunDirection * (2 * radius), centre, Vec3f(0, 1, 0)) ||
        !lightToWorld.invert() ||
        !MatrixOrthogonal(projection, -radius, radius, -radius, radius, radius, 3 * radius)) {
        _lightViewProjection.setIdentity();
        return;
    }
    _lightViewProjection = projection;
    _lightViewProjection.mult(lightToWorld);

    glBindFramebuffer(GL_FRAMEBUFFER, _shadowFramebuffer);
    glViewport(0, 0, ShadowMapSize, ShadowMapSize);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    const GLuint program = _shadowProgram.getProgram();
    glUseProgram(program);
    glUniformMatrix4fv(glGetUniformLocation(program, "viewProjection"), 1, GL_FALSE,
                       _lightViewProjection.getValues());
    const GLint modelLocation = glGetUniformLocation(program, "model");
    glBindVertexArray(_vertexArray);
    for (const Batch& batch : _batches) {
        if (batch.mode != GL_TRIANGLES)
            continue;
        glUniformMatrix4fv(modelLocation, 1, GL_FALSE, batch.model.getValues());
        glDrawArrays(batch.mode, batch.first, batch.count);
    }
    glBindVertexArray(0);
    glUseProgram(0);
    glDisable(GL_DEPTH_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void SceneDrawer::draw(const Matrix& projection, const Matrix& viewing) const {
    if (_program.getProgram() == 0 || _vertexArray == 0)
        return;
    Matrix viewProjection = projection;
    viewProjection.mult(viewing);

    const GLuint program = _program.getProgram();
    glUseProgram(program);
    glUniformMatrix4fv(_viewProjectionLocation, 1, GL_FALSE, viewProjection.getValues());
    glUniformMatrix4fv(_lightViewProjectionLocation, 1, GL_FALSE, _lightViewProjection.getValues());
    glActiveTexture(GL_TEXTURE0 + ShadowMapUnit);
    glBindTexture(GL_TEXTURE_2D, _shadowTexture);
    glBindVertexArray(_vertexArray);
    for (const Batch& batch : _batches) {
        glUniformMatrix4fv(_modelLocation, 1, GL_FALSE, batch.model.getValues());
        glUniform3f(_colorLocation, batch.color[0], batch.color[1], batch.color[2]);
        glUniform1i(_litLocation, batch.lit ? 1 : 0);
        glDrawArrays(batch.mode, batch.first, batch.count);
    }
    glBindVertexArray(0);
    glUseProgram(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
}

void SceneDrawer::releaseBuffers() {
    _batches.clear();
    _vertexCount = 0;
    // Without a context the names went with it.
    if (!kxGLInfo::getNoOpenGL()) {
        if (_buffer != 0)
            glDeleteBuffers(1, &_buffer);
        if (_vertexArray != 0)
            glDeleteVertexArrays(1, &_vertexArray);
    }
    _buffer = 0;
    _vertexArray = 0;
}

} // namespace render
