// ModelObject and ShipObject: the mesh of a ship's .3ds file turned once into OpenGL geometry
// (a display list of triangles, or vertex buffers with an index array), the cargo a ship carries,
// and its release when the cargo is destroyed.
#include "scene/model_object.h"

#include <GL/gl.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>

#include <cmath>
#include <cstring>
#include <new>

#include "app/app_window.h"
#include "scene/model_loader.h"

namespace {

// A held turn key turns the cargo as far as the ship: 200 degrees per second at mass 1.
constexpr float kTurnDegreesPerSecond = 200.0f;

bool bufferEntryPointsPresent() {
    return vboSupported && glGenBuffersARB && glBindBufferARB && glBufferDataARB;
}

// A new static buffer holding `bytes` of `data`.
std::uint32_t uploadBuffer(const void* data, std::size_t bytes) {
    GLuint name = 0;
    glGenBuffersARB(1, &name);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, name);
    glBufferDataARB(GL_ARRAY_BUFFER_ARB, GLsizeiptrARB(bytes), data, GL_STATIC_DRAW_ARB);
    return name;
}

// Points the vertex or texture-coordinate array at `buffer`, or at client memory when no buffer
// could be made; a buffer left bound by the last draw would otherwise turn the client pointer
// into an offset.
const void* arraySource(std::uint32_t buffer, const void* clientArray) {
    if (glBindBufferARB)
        glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffer);
    return buffer != 0 ? nullptr : clientArray;
}

// Places the cargo where it rides in the ship's axes and turns it with the ship.
void carryCargo(ShipObject& ship, float dt) {
    SceneObject& cargo = *ship.cargo;
    // The ship's axes from its last draw and its position before this tick's motion.
    cargo.position = ship.position + ship.cargoOffset.z * ship.forward +
                     ship.cargoOffset.y * ship.up + ship.cargoOffset.x * ship.right;
    // A massless ship never turns, and dt / 0 would fill the cargo's orientation with infinities.
    const float t = dt / ship.mass;
    if (!std::isfinite(t))
        return;
    // The cargo sits turned 180 degrees about up: its pitch and roll run the other way.
    const Vec3& input = ship.turnInput;
    cargo.turnInput =
        Vec3(t * input.x * -kTurnDegreesPerSecond, t * input.y * kTurnDegreesPerSecond,
             t * input.z * -kTurnDegreesPerSecond);
    cargo.applyTurn();
    cargo.turnInput = Vec3(0.0f, 0.0f, 0.0f);
}

} // namespace

ModelObject::~ModelObject() {
    if (model)
        lib3ds_file_free(model);
    delete[] indices;
}

void ModelObject::buildDisplayList() {
    Lib3dsMesh* mesh = firstNodeMesh(model);
    if (!mesh)
        return;
    displayList = glGenLists(1);
    glNewList(displayList, GL_COMPILE);
    glMultMatrixf(modelTransform);
    for (Lib3dsDword i = 0; i < mesh->faces; ++i) {
        const Lib3dsFace& face = mesh->faceL[i];
        glBegin(GL_TRIANGLES);
        glNormal3fv(face.normal);
        for (Lib3dsWord point : face.points) {
            glTexCoord2fv(mesh->texelL[point]);
            glVertex3fv(mesh->pointL[point].pos);
        }
        glEnd();
    }
    glEndList();
}

void ModelObject::buildVertexBuffer() {
    Lib3dsMesh* mesh = firstNodeMesh(model);
    if (!mesh)
        return;
    delete[] indices;
    indexCount = 0;
    indices = new (std::nothrow) std::uint32_t[std::size_t(mesh->faces) * 3];
    if (!indices)
        return; // no geometry, as for a model that could not be read
    for (Lib3dsDword i = 0; i < mesh->faces; ++i)
        for (Lib3dsWord point : mesh->faceL[i].points)
            indices[indexCount++] = point;
    if (bufferEntryPointsPresent()) {
        vertexBuffer = uploadBuffer(mesh->pointL, std::size_t(mesh->points) * 12);
        texCoordBuffer = uploadBuffer(mesh->texelL, std::size_t(mesh->points) * 8);
    }
    useVertexBuffer = true;
}

void ModelObject::draw() {
    SceneObject::draw();
    if (!useVertexBuffer) {
        // No list was made when the model could not be read; calling list 0 is a GL error.
        if (displayList != 0)
            glCallList(displayList);
        return;
    }
    // Without buffers (no extension when the geometry was built) the arrays come from the model.
    const Lib3dsMesh* mesh = vertexBuffer == 0 ? firstNodeMesh(model) : nullptr;
    if (!indices || (vertexBuffer == 0 && !mesh))
        return; // nothing was built
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, white);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, arraySource(vertexBuffer, mesh ? mesh->pointL : nullptr));
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, arraySource(texCoordBuffer, mesh ? mesh->texelL : nullptr));
    glMultMatrixf(modelTransform);
    glDrawElements(GL_TRIANGLES, GLsizei(indexCount), GL_UNSIGNED_INT, indices);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

ShipObject::ShipObject(const char* modelFile, const float transform[16], bool useVertexBuffers) {
    // A file that cannot be read is not reported: the ship flies on, invisible.
    model = loadModelFile(modelFile);
    std::memcpy(modelTransform, transform, sizeof modelTransform);
    indices = nullptr;
    if (useVertexBuffers)
        useVertexBuffer = true;
}

void ShipObject::update(float dt) {
    if (carryingCargo && cargo)
        carryCargo(*this, dt);
    SceneObject::update(dt);
}

void ShipObject::releaseCargo(SceneObject* object) {
    if (!object || object != cargo)
        return;
    cargo = nullptr;
    carryingCargo = false;
}
