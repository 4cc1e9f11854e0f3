#include "scene/sphere_object.h"
SphereObject::SphereObject() = default;
void SphereObject::draw() {}
void SphereObject::update(float) {}
