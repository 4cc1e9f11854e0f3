#include "effects/engine_trail.h"
void EngineTrail::update(float) {}
void EngineTrail::init(const char*, SceneObject*) {}
void EngineTrail::emitParticle(float) {}
