// SphereObject: the background, a GLU sphere seen from inside that travels with the camera.
#include "scene/sphere_object.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "math/camera.h"

namespace {
constexpr int kSlices = 16;
constexpr int kStacks = 16;
} // namespace

SphereObject::SphereObject() {
    quadric = gluNewQuadric();
    gluQuadricNormals(quadric, GLU_SMOOTH);
    gluQuadricTexture(quadric, GL_TRUE);
}

// The quadric is plain memory (no GL object), so it is freed with the sphere.
SphereObject::~SphereObject() {
    gluDeleteQuadric(quadric);
}

void SphereObject::draw() {
    // Seen from inside, the sphere's outward faces are back faces.
    glDisable(GL_CULL_FACE);
    SceneObject::draw();
    gluSphere(quadric, radius, kSlices, kStacks);
    glEnable(GL_CULL_FACE);
}

// Centred on the eye the wall stays at the same distance however far the camera flies.
void SphereObject::update(float) {
    position = camera.eye;
}
