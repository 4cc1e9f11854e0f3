// Camera: the single eye of the world. It follows the selected ship in one of four camera modes
// (each a position rule and an orientation rule, with offsets scaled by the kind of ship), or is a
// free camera turned and moved by hand.
#pragma once

#include <cstdint>

#include "math/vec3.h"

class SceneObject;

struct Camera {
    Vec3 eye{0.0f, 0.0f, 0.0f};
    Vec3 direction{0.0f, 0.0f, -1.0f};
    Vec3 right{1.0f, 0.0f, 0.0f};
    Vec3 up{0.0f, 1.0f, 0.0f};
    float lastDt = 0.0f; // dt of the last updateCamera, used by the free-camera turns and moves
    bool following = false;
    SceneObject* target = nullptr; // not owned
    float offsetUp = 0.0f;
    float offsetRight = 0.0f;
    float offsetForward = 0.0f;
    float leash = 1.0f;
    std::uint8_t positionMode = 0;    // 0 none, 1 leash, 2 rigid
    std::uint8_t orientationMode = 0; // 0 none, 1 copy, 2 look at, 3 reversed

    void yaw(float amount);
    void pitch(float amount);
    void roll(float amount);
    // Loads identity and the look-at of this camera into the modelview matrix.
    void applyLookAt() const;
};

extern Camera camera;

void setCameraMode(std::uint8_t mode);
void updateCamera(float dt);
