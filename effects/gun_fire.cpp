// One gun of a ship and its shots in flight. Shots are hit-tested every tick against the target
// list; a hit leaves an explosion and removes the object. Depends on the owner's placement and
// motion, the object lists and the explosion effect.
#include "effects/gun_fire.h"

#include "effects/explosion_effect.h"
#include "effects/owner_axes.h"
#include "scene/scene_object.h"
#include "scene/texture.h"

namespace {

// An idle gun stops counting after this many intervals, so it is always ready without the
// counter growing without bound.
constexpr float kCooldownIntervals = 10.0f;

// The first object of `targets`, from the head, within its hit radius of `point`. A NaN distance
// or radius fails the comparison and so never hits. The gun's own carrier is never a target: a
// shot fired before the gun's first update has no aim yet and sits at the carrier's centre, where
// even a radius of 0 would count as a hit and the ship would destroy itself under everyone who
// still points at it.
SceneObject* firstObjectHitAt(const ObjectList<SceneObject>* targets, const Vec3& point,
                              const SceneObject* carrier) {
    if (!targets)
        return nullptr;
    for (ObjectListNode<SceneObject>* node = targets->head; node; node = node->next) {
        SceneObject* object = node->object;
        if (!object || object == carrier)
            continue;
        if ((point - object->position).length() <= object->hitRadius)
            return object;
    }
    return nullptr;
}

} // namespace

void GunFire::init(const char* textureFile, SceneObject* gunOwner,
                   ObjectList<SceneObject>* targetList) {
    targets = targetList;
    owner = gunOwner;
    active = true;
    loadBmpTexture(textureFile, texture);
    while (particles)
        removeParticle(particles);
    shotColor[0] = 1.0f;
    shotColor[1] = 0.2f;
    shotColor[2] = 0.2f;
    shotSpeed = 50.0f;
    shotFadeRate = 0.4f;
    shotSize = 0.2f;
    fireInterval = 0.5f;
    sinceLastShot = fireInterval; // ready to fire at once
    origin = pointInOwnerAxes(*owner, muzzleOffset);
}

void GunFire::fire() {
    if (!active)
        return;
    if (sinceLastShot < fireInterval)
        return;
    sinceLastShot = 0.0f;
    auto* shot = new Particle;
    shot->life = 1.0f;
    shot->fadeRate = shotFadeRate;
    shot->position = origin;
    for (int k = 0; k < 3; ++k)
        shot->color[k] = shotColor[k];
    shot->size = shotSize;
    shot->sizeRate = 0.0f;
    // Shots inherit the ship's motion, so they leave the barrel at the same speed however fast
    // the ship flies.
    shot->velocity = owner->currentVelocity() + aimDirection * shotSpeed;
    appendParticle(shot);
}

void GunFire::advance(float dt) {
    sinceLastShot += dt;
    if (sinceLastShot > kCooldownIntervals * fireInterval)
        sinceLastShot = fireInterval;
    // The overlay aims with the muzzle as it was drawn, one tick behind the re-anchoring below.
    muzzle = origin;
    frameTime = dt;
}

void GunFire::update(float dt) {
    // Switched off when the owner was destroyed: the owner must not be read again.
    if (!active)
        return;
    GunFire::advance(dt);
    origin = pointInOwnerAxes(*owner, muzzleOffset);
    aimDirection = owner->forward;

    Particle* shot = particles;
    while (shot) {
        shot->position += shot->velocity * dt;
        shot->life -= shot->fadeRate * dt;
        if (SceneObject* hit = firstObjectHitAt(targets, shot->position, owner)) {
            shot->life = 0.0f;
            // Destroys `hit` and frees its node, so the walk over the targets stops here. The
            // destruction may also switch this gun off, when it is attached to the object hit.
            static_cast<Weapon*>(this)->onHit(hit);
        }
        if (shot->life <= 0.0f)
            shot = removeParticle(shot);
        else
            shot = shot->next;
        // A gun switched off by that hit (it was attached to the object destroyed) neither moves
        // nor tests its remaining shots: they stay frozen, and nothing freed is read again.
        if (!active)
            break;
    }
}

void GunFire::onHit(SceneObject* object) {
    auto* explosion = new ExplosionEffect;
    explosion->sizeScale = object->hitRadius != 0.0f ? 2.0f * object->hitRadius : 2.0f;
    explosion->init("expl.bmp", object);
    appendEffect(explosion);
    removeObject(object);
}
