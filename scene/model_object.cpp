#include "scene/model_object.h"
ModelObject::~ModelObject() = default;
void ModelObject::buildDisplayList() {}
void ModelObject::buildVertexBuffer() {}
void ModelObject::draw() {}
ShipObject::ShipObject(const char*, const float*, bool) {}
void ShipObject::update(float) {}
void ShipObject::releaseCargo(SceneObject*) {}
