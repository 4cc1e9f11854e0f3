#include "scene/cube_object.h"
void CubeObject::buildDisplayList() {}
void CubeObject::draw() {}
