// Particles and the effect base: every visual effect (exhaust, explosions, shots) is an
// EffectObject owning an intrusive list of Particles, each drawn as an additive, camera-facing
// textured square.
#pragma once

#include "math/vec3.h"

struct Particle {
    Particle* next = nullptr;
    Particle* prev = nullptr;
    float life = 0.0f; // also the alpha it is drawn with; drawn only while above 0
    float fadeRate = 0.0f;
    float color[3] = {0.0f, 0.0f, 0.0f};
    float size = 0.0f; // half the side of the square
    float sizeRate = 0.0f;
    Vec3 position{0.0f, 0.0f, 0.0f};
    Vec3 velocity{0.0f, 0.0f, 0.0f};
};

class EffectObject {
  public:
    EffectObject() = default;
    // Effects are destroyed through this base, which frees the particles; the derived classes own
    // nothing else, but the destructor is virtual so the right size is released.
    virtual ~EffectObject();
    EffectObject(const EffectObject&) = delete;
    EffectObject& operator=(const EffectObject&) = delete;

    virtual void prepare() {}
    virtual void draw();
    virtual void update(float) {}

    void appendParticle(Particle* particle);
    // Unlinks and frees `particle`; returns the particle that followed it.
    Particle* removeParticle(Particle* particle);

    bool active = true;
    Particle* particles = nullptr;
    unsigned int texture = 0;
    Vec3 origin{0.0f, 0.0f, 0.0f};
};
