#include "effects/explosion_effect.h"
void ExplosionEffect::draw() {}
void ExplosionEffect::update(float) {}
void ExplosionEffect::init(const char*, const SceneObject*) {}
