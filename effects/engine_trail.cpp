// The exhaust of one engine: emission rate and fading follow the owner's effective engine power.
// Depends on the owner's flight-model fields, the shared random generator and the texture loader.
#include "effects/engine_trail.h"

#include "effects/owner_axes.h"
#include "math/random.h"
#include "scene/scene_object.h"
#include "scene/texture.h"

namespace {

// Power x seconds that one particle costs: 10 x P particles per second.
constexpr float kEmitStep = 0.1f;
// Power at or below which an engine idles and emits nothing.
constexpr float kIdlePower = 1.0f;
// Upper bound of what one update may emit. Normal ticks gather far less (0.16 at full power and
// 60 frames a second); only a tick that spans many seconds (the window was in the background) or
// a runaway power reaches it. Without it such a tick would append hundreds of thousands of
// particles one list walk at a time, and an infinite or huge backlog would never drop below
// kEmitStep at all: the frame would hang.
constexpr float kMaxBacklog = 1000 * kEmitStep;

constexpr float kStartSize = 0.3f;
constexpr float kShrinkRate = 0.2f;
constexpr float kSmallestShrinkingSize = 0.15f;
// Above this owner speed particles start fainter and die sooner.
constexpr float kFastSpeed = 10.0f;

} // namespace

void EngineTrail::init(const char* textureFile, SceneObject* trailOwner) {
    loadBmpTexture(textureFile, texture);
    owner = trailOwner;
    origin = pointInOwnerAxes(*owner, emitterOffset);
    emitDirection = owner->forward * -1.0f;
    while (particles)
        removeParticle(particles);
}

void EngineTrail::update(float dt) {
    // Switched off when the owner was destroyed: the owner must not be read again.
    if (!active)
        return;

    // While the compensator steers, the exhaust follows the speed it holds, not the throttle.
    float power = owner->compensating ? owner->compensatedVelocity.length() : owner->enginePower;
    if (power < 0.0f && hasReverseEmitter) {
        power = -power;
        origin = pointInOwnerAxes(*owner, reverseEmitterOffset);
        emitDirection = owner->forward;
    } else {
        origin = pointInOwnerAxes(*owner, emitterOffset);
        emitDirection = owner->forward * -1.0f;
    }

    Particle* particle = particles;
    while (particle) {
        particle->position += dt * particle->velocity;
        particle->life -= dt * particle->fadeRate;
        // Orange at full life, pure red from life 0.75 down.
        float green = 0.5f - 2.0f * (1.0f - particle->life);
        particle->color[1] = green < 0.0f ? 0.0f : green;
        if (particle->size > kSmallestShrinkingSize)
            particle->size -= dt * particle->sizeRate;
        if (particle->life <= 0.0f)
            particle = removeParticle(particle);
        else
            particle = particle->next;
    }

    if (!(power > kIdlePower)) {
        // An idling engine drops whatever fraction it had gathered.
        emitAccumulator = 0.0f;
        return;
    }
    emitAccumulator += dt * power;
    if (!(emitAccumulator <= kMaxBacklog))
        emitAccumulator = kMaxBacklog;
    while (emitAccumulator > kEmitStep) {
        emitAccumulator -= kEmitStep;
        emitParticle(power);
    }
}

void EngineTrail::emitParticle(float power) {
    auto* particle = new Particle;
    particle->life = 1.0f;
    particle->position = origin;
    // Harder-running engines burn their exhaust out faster.
    particle->fadeRate = static_cast<float>(randomNumber() % 200 + 200) * 0.001f * power;
    particle->velocity = emitDirection.normalized();

    // Exhaust pointing the way the ship drifts would fall behind the ship at 1 unit per second
    // and smear across the view; instead it keeps pace, a little faster, and lives half as long.
    if (!owner->compensatorOn && owner->velocity.dot(particle->velocity) > 0.0f) {
        particle->life = 0.5f;
        particle->velocity = particle->velocity.normalized() * (owner->velocity.length() * 1.01f);
    }
    const float speed = owner->currentVelocity().length();
    if (speed > kFastSpeed)
        particle->life = particle->life / (speed * 0.1f);

    particle->color[0] = 1.0f;
    particle->color[1] = 1.0f;
    particle->color[2] = 0.0f;
    particle->size = kStartSize;
    particle->sizeRate = kShrinkRate;
    appendParticle(particle);
}
