// ModelObject and ShipObject: the ships, meshes read from .3ds files through lib3ds and drawn from
// a display list or from vertex buffers through a fixed model transform. A ship adds one piece of
// cargo, two gun slots and the overlay colour used while it is selected.
#pragma once

#include <cstdint>

#include "scene/scene_object.h"

struct Lib3dsFile;
class Weapon;

class ModelObject : public SceneObject {
  public:
    ~ModelObject() override;
    void buildDisplayList() override;
    void buildVertexBuffer() override;
    void draw() override;

    Lib3dsFile* model = nullptr; // owned; null when the file could not be read
    float modelTransform[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::uint32_t vertexBuffer = 0;
    std::uint32_t texCoordBuffer = 0;
    std::uint32_t indexCount = 0;
    std::uint32_t* indices = nullptr; // owned, 3 per face

  protected:
    ModelObject() = default;
};

class ShipObject : public ModelObject {
  public:
    ShipObject(const char* modelFile, const float transform[16], bool useVertexBuffers);
    void update(float dt) override;
    void releaseCargo(SceneObject* object) override;

    bool carryingCargo = false;
    SceneObject* cargo = nullptr;         // not owned; stays in objectList
    Vec3 cargoOffset{0.0f, 0.0f, 0.0f};   // x along right, y along up, z along forward
    Weapon* guns[2] = {nullptr, nullptr}; // left, right; not owned
    float hudColor[3] = {1.0f, 1.0f, 1.0f};
};
