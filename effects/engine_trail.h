// EngineTrail: the exhaust of one engine, a stream of fading yellow-to-red billboards whose rate
// and fading follow the owner's engine power; optionally a second exhaust point for reverse thrust.
#pragma once

#include "effects/effect_object.h"

class SceneObject;

class EngineTrail : public EffectObject {
  public:
    void update(float dt) override;
    virtual void init(const char* textureFile, SceneObject* trailOwner);

    void emitParticle(float power);

    bool hasReverseEmitter = false;
    SceneObject* owner = nullptr; // not owned
    Vec3 emitDirection{0.0f, 0.0f, 0.0f};
    Vec3 emitterOffset{0.0f, 0.0f, 0.0f}; // x along right, y along up, z along forward
    Vec3 reverseEmitterOffset{0.0f, 0.0f, 0.0f};
    float emitAccumulator = 0.0f;
};
