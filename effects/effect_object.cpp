#include "effects/effect_object.h"
EffectObject::~EffectObject() = default;
void EffectObject::draw() {}
void EffectObject::appendParticle(Particle*) {}
Particle* EffectObject::removeParticle(Particle*) { return nullptr; }
