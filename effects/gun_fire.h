// Weapon and GunFire: one gun of a ship with its shots in flight. Shots fly from the muzzle along
// the nose, fade, and are tested every tick against every scene object; a hit replaces the object
// with an explosion.
#pragma once

#include "app/object_list.h"
#include "effects/effect_object.h"

class SceneObject;

// What a ship points at: the firing interface and the gun's timing and muzzle data.
class Weapon {
  public:
    virtual ~Weapon() = default;
    virtual void fire() {}
    virtual void advance(float) {}
    virtual void onHit(SceneObject*) {}

    ObjectList<SceneObject>* targets = nullptr;
    SceneObject* owner = nullptr; // not owned
    float fireInterval = 0.0f;
    float frameTime = 0.0f;
    float sinceLastShot = 0.0f;
    Vec3 muzzle{0.0f, 0.0f, 0.0f}; // one tick old; read by the overlay's aiming marks
};

class GunFire : public EffectObject, public Weapon {
  public:
    void update(float dt) override;
    virtual void init(const char* textureFile, SceneObject* gunOwner,
                      ObjectList<SceneObject>* targetList);
    void fire() override;
    void advance(float dt) override;
    void onHit(SceneObject* object) override;

    float shotColor[3] = {0.0f, 0.0f, 0.0f};
    float shotFadeRate = 0.0f;
    float shotSpeed = 0.0f;
    float shotSize = 0.0f;
    Vec3 muzzleOffset{0.0f, 0.0f, 0.0f};
    Vec3 aimDirection{0.0f, 0.0f, 0.0f};
};
