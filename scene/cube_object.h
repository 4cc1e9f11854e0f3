// CubeObject: a textured cube from -1 to +1, compiled once into a display list that every crate
// shares.
#pragma once

#include "scene/scene_object.h"

class CubeObject : public SceneObject {
  public:
    void buildDisplayList() override;
    void draw() override;
};
