#include "SceneDrawer.h"

#include "OSGAction.h"
#include "OSGGeometry.h"
#include "kxGLInfo.h"
#include "kxUberCameraUtils.h"

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
out vec4 fragColor;
const vec3 sunDirection = normalize(vec3(0.5, 0.8, 0.35));
const vec3 sunRadiance = vec3(1.3, 1.2, 1.05);
const vec3 skyRadiance = vec3(0.2, 0.24, 0.32);
void main() {
    vec3 c = color;
    if (lit) {
        // Flat shading: the face normal from the position's screen derivatives, facing the eye.
        vec3 n = normalize(cross(dFdx(worldPosition), dFdy(worldPosition)));
        c *= sunRadiance * max(dot(n, sunDirection), 0.0) + skyRadiance * (0.5 + 0.5 * n.y);
    }
    fragColor = vec4(c, 1.0);
})";

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
                const GLint first = GLint(vertices.size());
                for (UInt32 k = next; k < next + length; ++k) {
                    const UInt32 index = indices.isNull() ? k : indices->getValue(k);
                    if (index < positions->size())
                        vertices.push_back(positions->getValue(index));
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
}

bool SceneDrawer::init(std::string* error) {
    if (!_program.build(VertexSource, FragmentSource, error))
        return false;
    const GLuint program = _program.getProgram();
    _modelLocation = glGetUniformLocation(program, "model");
    _viewProjectionLocation = glGetUniformLocation(program, "viewProjection");
    _colorLocation = glGetUniformLocation(program, "color");
    _litLocation = glGetUniformLocation(program, "lit");
    return true;
}

void SceneDrawer::load(const NodePtr& root, const UberCameraPtr& viewer) {
    releaseBuffers();
    std::vector<Pnt3f> vertices;
    Appender appender{vertices};

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
            // Lines have no surface to light.
            _batches.push_back({mode, first, count, model, color, lit && mode == GL_TRIANGLES});
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
}

void SceneDrawer::draw(const Matrix& projection, const Matrix& viewing) const {
    if (_program.getProgram() == 0 || _vertexArray == 0)
        return;
    Matrix viewProjection = projection;
    viewProjection.mult(viewing);

    glUseProgram(_program.getProgram());
    glUniformMatrix4fv(_viewProjectionLocation, 1, GL_FALSE, viewProjection.getValues());
    glBindVertexArray(_vertexArray);
    for (const Batch& batch : _batches) {
        glUniformMatrix4fv(_modelLocation, 1, GL_FALSE, batch.model.getValues());
        glUniform3f(_colorLocation, batch.color[0], batch.color[1], batch.color[2]);
        glUniform1i(_litLocation, batch.lit ? 1 : 0);
        glDrawArrays(batch.mode, batch.first, batch.count);
    }
    glBindVertexArray(0);
    glUseProgram(0);
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
