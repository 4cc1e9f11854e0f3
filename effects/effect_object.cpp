// The effect base: the particle list every effect keeps, and the one billboard drawing they share.
// Depends on the camera (view and billboard axes) and on OpenGL immediate mode.
#include "effects/effect_object.h"

#include <GL/gl.h>

#include "math/camera.h"

EffectObject::~EffectObject() {
    Particle* particle = particles;
    while (particle) {
        Particle* following = particle->next;
        delete particle;
        particle = following;
    }
    particles = nullptr;
}

// No tail pointer: lists stay short (tens of particles), so walking to the end is cheap enough.
void EffectObject::appendParticle(Particle* particle) {
    particle->next = nullptr;
    if (!particles) {
        particle->prev = nullptr;
        particles = particle;
        return;
    }
    Particle* last = particles;
    while (last->next)
        last = last->next;
    last->next = particle;
    particle->prev = last;
}

Particle* EffectObject::removeParticle(Particle* particle) {
    Particle* following = particle->next;
    if (following)
        following->prev = particle->prev;
    if (particle->prev)
        particle->prev->next = following;
    else
        particles = following;
    delete particle;
    return following;
}

namespace {

// One square of side 2 x size facing the camera. The first triangle winds counter-clockwise as
// seen from the eye (right = direction x up), so back-face culling keeps it.
void drawBillboard(const Particle& particle) {
    const Vec3 u = camera.up * particle.size;
    const Vec3 r = camera.right * particle.size;
    const Vec3& centre = particle.position;
    glColor4f(particle.color[0], particle.color[1], particle.color[2], particle.life);
    glBegin(GL_TRIANGLE_STRIP);
    const Vec3 corners[4] = {centre + u + r, centre + u - r, centre - u + r, centre - u - r};
    const double texCoords[4][2] = {{1.0, 1.0}, {0.0, 1.0}, {1.0, 0.0}, {0.0, 0.0}};
    for (int i = 0; i < 4; ++i) {
        glTexCoord2d(texCoords[i][0], texCoords[i][1]);
        glVertex3f(corners[i].x, corners[i].y, corners[i].z);
    }
    glEnd();
}

} // namespace

void EffectObject::draw() {
    // A switched-off effect leaves the GL state exactly as it found it.
    if (!active)
        return;
    camera.applyLookAt();
    glEnable(GL_TEXTURE_2D);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Additive glow; solid geometry still hides particles through the depth test, but particles
    // write no depth so they never hide one another whatever order they are drawn in.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDepthMask(GL_FALSE);
    glBindTexture(GL_TEXTURE_2D, texture);
    for (const Particle* particle = particles; particle; particle = particle->next) {
        // Written so that a NaN life is skipped too: life is the alpha, and only a live particle
        // is drawn.
        if (!(particle->life > 0.0f))
            continue;
        drawBillboard(*particle);
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
