// SceneObject: base of every body in the world that is drawn and moved (crates, the background
// sphere, the ships). Holds place and orientation, the flight model (engine power, velocities,
// direction compensator), the texture, the carrier that holds it as cargo and the effects that
// follow it.
#pragma once

#include "app/object_list.h"
#include "math/vec3.h"

class SceneObject {
  public:
    SceneObject();
    virtual ~SceneObject();
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;

    virtual void buildDisplayList() {}
    virtual void buildVertexBuffer() {}
    // Loads a .bmp into a new texture; on failure `texture` keeps its value.
    virtual bool loadTexture(const char* fileName);
    // Expects the camera's view in the modelview matrix; leaves the body's placement multiplied in.
    virtual void draw();
    // The flight model, once per tick.
    virtual void update(float dt);
    // Called by a carried object's destructor on its carrier.
    virtual void releaseCargo(SceneObject*) {}

    // orientation = orientation x Rx(turnInput.x) x Ry(turnInput.y) x Rz(turnInput.z), in degrees.
    void applyTurn();
    void attachEffect(EffectObject* effect);
    // The velocity that describes the current motion: compensated while the compensator is on.
    const Vec3& currentVelocity() const { return compensatorOn ? compensatedVelocity : velocity; }

    Vec3 position{0.0f, 0.0f, 0.0f};
    Vec3 forward{0.0f, 0.0f, -1.0f};
    Vec3 right{1.0f, 0.0f, 0.0f};
    Vec3 up{0.0f, 1.0f, 0.0f};
    Vec3 turnInput{0.0f, 0.0f, 0.0f}; // pitch (x), yaw (y), roll (z)
    float orientation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    unsigned int displayList = 0;
    unsigned int texture = 0;
    SceneObject* carrier = nullptr;
    float hitRadius = 0.0f;
    bool compensatorOn = false;
    bool compensatorEngaged = false;
    bool compensating = false;
    Vec3 compensatedVelocity{0.0f, 0.0f, 0.0f};
    float enginePower = 0.0f;
    float maxEnginePower = 10.0f;
    float minEnginePower = -1.0f;
    float mass = 1.0f;
    Vec3 velocity{0.0f, 0.0f, 0.0f};
    float powerChange = 0.0f;
    bool useVertexBuffer = false;
    ObjectList<EffectObject> attachedEffects;
};
