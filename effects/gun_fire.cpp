#include "effects/gun_fire.h"
void GunFire::update(float) {}
void GunFire::init(const char*, SceneObject*, ObjectList<SceneObject>*) {}
void GunFire::fire() {}
void GunFire::advance(float) {}
void GunFire::onHit(SceneObject*) {}
