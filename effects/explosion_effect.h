// ExplosionEffect: the burst left where an object is destroyed: 15 particles in a widening flat
// ring that grow, fade and drift with the dead object's velocity; switches itself off when empty.
#pragma once

#include <cstdint>

#include "effects/effect_object.h"

class SceneObject;

class ExplosionEffect : public EffectObject {
  public:
    void draw() override;
    void update(float dt) override;
    virtual void init(const char* textureFile, const SceneObject* object);

    std::uint32_t particleCount = 0;
    float frameTime = 0.0f;
    Vec3 drift{0.0f, 0.0f, 0.0f};
    float startColor[3] = {1.0f, 1.0f, 0.0f};
    float colorDelta[3] = {0.9f, 0.45f, 0.2f}; // the end colour until init makes it a difference
    float sizeScale = 2.0f;
};
