// CubeObject: the crate, a cube from -1 to +1 whose six faces each show the whole texture.
#include "scene/cube_object.h"

#include <GL/gl.h>

namespace {

struct CubeCorner {
    float s, t;
    float x, y, z;
};

struct CubeFace {
    float normal[3];
    CubeCorner corners[4];
};

// Every face winds counter-clockwise seen from outside, so back-face culling hides the inside.
const CubeFace kCubeFaces[6] = {
    {{0, 0, 1}, {{0, 0, -1, -1, 1}, {1, 0, 1, -1, 1}, {1, 1, 1, 1, 1}, {0, 1, -1, 1, 1}}},
    {{0, 0, -1}, {{1, 0, -1, -1, -1}, {1, 1, -1, 1, -1}, {0, 1, 1, 1, -1}, {0, 0, 1, -1, -1}}},
    {{0, 1, 0}, {{0, 1, -1, 1, -1}, {0, 0, -1, 1, 1}, {1, 0, 1, 1, 1}, {1, 1, 1, 1, -1}}},
    {{0, -1, 0}, {{1, 1, -1, -1, -1}, {0, 1, 1, -1, -1}, {0, 0, 1, -1, 1}, {1, 0, -1, -1, 1}}},
    {{1, 0, 0}, {{1, 0, 1, -1, -1}, {1, 1, 1, 1, -1}, {0, 1, 1, 1, 1}, {0, 0, 1, -1, 1}}},
    {{-1, 0, 0}, {{0, 0, -1, -1, -1}, {1, 0, -1, -1, 1}, {1, 1, -1, 1, 1}, {0, 1, -1, 1, -1}}},
};

} // namespace

void CubeObject::buildDisplayList() {
    displayList = glGenLists(1);
    glNewList(displayList, GL_COMPILE);
    // White, so an untextured crate is plain white and a textured one shows its texture unchanged.
    glColor3ub(255, 255, 255);
    glBegin(GL_QUADS);
    for (const CubeFace& face : kCubeFaces) {
        glNormal3fv(face.normal);
        for (const CubeCorner& corner : face.corners) {
            glTexCoord2f(corner.s, corner.t);
            glVertex3f(corner.x, corner.y, corner.z);
        }
    }
    glEnd();
    glEndList();
}

void CubeObject::draw() {
    SceneObject::draw();
    glCallList(displayList);
}
