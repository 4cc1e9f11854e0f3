#include "scene/scene_object.h"
SceneObject::SceneObject() = default;
SceneObject::~SceneObject() = default;
bool SceneObject::loadTexture(const char*) { return false; }
void SceneObject::draw() {}
void SceneObject::update(float) {}
void SceneObject::applyTurn() {}
void SceneObject::attachEffect(EffectObject*) {}
