// The burst left where an object is destroyed. Depends on the shared random generator (reseeded
// from the millisecond clock, so bursts differ), the texture loader and the dead object's motion.
#include "effects/explosion_effect.h"

#include "math/random.h"
#include "platform/clock.h"
#include "scene/scene_object.h"
#include "scene/texture.h"

namespace {

constexpr std::uint32_t kBurstSize = 15;
constexpr float kSpreadSpeed = 0.5f;
constexpr float kGrowthRate = 1.0f;

// A whole-degree direction in the horizontal plane. The second turn is about the direction
// itself, which keeps the line and only flips it for angles whose cosine is negative: the burst
// is a flat ring, not a sphere.
Vec3 randomRingDirection() {
    const float firstAngle = static_cast<float>(randomNumber() % 360);
    const float secondAngle = static_cast<float>(randomNumber() % 360);
    Vec3 direction = Vec3(1.0f, 0.0f, 0.0f).rotatedAbout(Vec3(0.0f, 1.0f, 0.0f), firstAngle);
    direction = direction.rotatedAbout(direction, secondAngle);
    return direction.normalized() * kSpreadSpeed;
}

} // namespace

void ExplosionEffect::init(const char* textureFile, const SceneObject* object) {
    seedRandom(platform::clock().tickCount());
    active = true;
    loadBmpTexture(textureFile, texture);
    while (particles)
        removeParticle(particles);
    for (int k = 0; k < 3; ++k)
        colorDelta[k] = colorDelta[k] - startColor[k];
    // The burst travels on with the object that died; the object itself is gone right after.
    drift = object->currentVelocity();
    origin = object->position;
    particleCount = kBurstSize;

    for (std::uint32_t i = 0; i < particleCount; ++i) {
        auto* particle = new Particle;
        // Large particles are faint and short-lived, small ones bright and long-lived.
        particle->life = static_cast<float>(i) / static_cast<float>(particleCount);
        particle->position = origin;
        for (int k = 0; k < 3; ++k)
            particle->color[k] = startColor[k];
        particle->fadeRate = static_cast<float>(randomNumber() % 200 + 200) * 0.0005f;
        // The first particle starts dead and is never drawn; its size is never used, so it is
        // left at 0 rather than divided by zero.
        particle->size =
            i == 0 ? 0.0f
                   : static_cast<float>(particleCount) * sizeScale / static_cast<float>(3 * i);
        particle->sizeRate = kGrowthRate;
        particle->velocity = randomRingDirection();
        appendParticle(particle);
    }
}

void ExplosionEffect::update(float dt) {
    if (!active)
        return;
    frameTime = dt;
    Particle* particle = particles;
    while (particle) {
        particle->position += dt * drift;
        particle->position += dt * particle->velocity;
        particle->life -= particle->fadeRate * dt;
        particle->size += particle->sizeRate * dt;
        // From yellow at full life towards orange as it fades.
        const float spent = 1.0f - particle->life;
        for (int k = 0; k < 3; ++k)
            particle->color[k] = startColor[k] + spent * colorDelta[k];
        if (particle->life <= 0.0f)
            particle = removeParticle(particle);
        else
            particle = particle->next;
    }
    // Burnt out for good: it stays in the effect list, switched off, until shutdown.
    if (!particles)
        active = false;
}

void ExplosionEffect::draw() {
    if (!active)
        return;
    EffectObject::draw();
}
