// SphereObject: the textured background sphere, drawn from inside and kept centred on the camera's
// eye so the camera never reaches its wall.
#pragma once

#include "scene/scene_object.h"

struct GLUquadric;

class SphereObject : public SceneObject {
  public:
    SphereObject();
    ~SphereObject() override;
    void draw() override;
    void update(float dt) override;

    GLUquadric* quadric = nullptr;
    float radius = 1.0f;
};
