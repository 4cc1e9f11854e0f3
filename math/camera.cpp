// Camera: the follow modes that keep the selected ship in view, the free-camera turns, and the
// view handed to OpenGL.
#include "math/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "game/game_state.h"
#include "scene/model_object.h"

Camera camera;

namespace {

// The free camera turns 100 degrees per second while a key is held.
constexpr float kTurnDegreesPerSecond = 100.0f;
// The leash steps close a fraction dt of the gap each; a tiny dt against a far target (or an eye
// so far out that a step no longer changes its floats) would otherwise loop for a very long time.
constexpr int kMaxLeashSteps = 10000;

// Offsets scale with the size of the ship being followed.
float offsetScaleForShipType(std::uint8_t type) {
    switch (type) {
    case 2:
        return 3.0f;
    case 3:
        return 2.0f;
    default:
        return 1.0f;
    }
}

Vec3 desiredPoint(const Camera& cam, const SceneObject& target) {
    return target.position + target.forward * cam.offsetForward + target.up * cam.offsetUp +
           target.right * cam.offsetRight;
}

// Closes the fraction dt of the gap to the desired point, and keeps stepping while the eye is
// farther than the leash. The stepping only converges for 0 < dt < 2 (from 1 on it overshoots and
// closes in from alternating sides); for any other dt, or when the steps do not close the gap, the
// eye is put on the line from its old place to the desired point, at the leash distance.
void pullOnLeash(Camera& cam, const Vec3& desired, float dt) {
    const Vec3 startGap = desired - cam.eye;
    if (startGap.length() == 0.0f)
        return;
    if (dt > 0.0f && dt < 2.0f) {
        Vec3 gap = startGap;
        int steps = 0;
        do {
            cam.eye += gap * dt;
            gap = desired - cam.eye;
            ++steps;
        } while (gap.length() > cam.leash && steps < kMaxLeashSteps);
    }
    if ((desired - cam.eye).length() > cam.leash)
        cam.eye = desired - startGap.normalized() * cam.leash;
}

void orientCamera(Camera& cam, const SceneObject& target) {
    switch (cam.orientationMode) {
    case 1:
        cam.direction = target.forward;
        cam.up = target.up;
        cam.right = target.right;
        break;
    case 2:
        // Re-orthonormalise around the new direction, keeping the target's up as the reference.
        cam.direction = (target.position - cam.eye).normalized();
        cam.up = target.up;
        cam.right = cam.direction.cross(cam.up);
        cam.right.normalize();
        cam.up = cam.right.cross(cam.direction);
        break;
    case 3:
        cam.direction = -target.forward;
        cam.up = target.up;
        cam.right = -target.right;
        break;
    default:
        break;
    }
}

} // namespace

void Camera::yaw(float amount) {
    const float degrees = amount * lastDt * kTurnDegreesPerSecond;
    direction = direction.rotatedAbout(up, degrees);
    right = right.rotatedAbout(up, degrees);
}

void Camera::pitch(float amount) {
    const float degrees = amount * lastDt * kTurnDegreesPerSecond;
    direction = direction.rotatedAbout(right, degrees);
    up = up.rotatedAbout(right, degrees);
}

void Camera::roll(float amount) {
    const float degrees = amount * lastDt * kTurnDegreesPerSecond;
    right = right.rotatedAbout(direction, degrees);
    up = up.rotatedAbout(direction, degrees);
}

void Camera::applyLookAt() const {
    glLoadIdentity();
    const Vec3 centre = eye + direction;
    gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
}

void setCameraMode(std::uint8_t mode) {
    // A selection slot whose ship is gone counts as no selection: there is nothing to follow.
    ShipObject* ship = currentSelectedShip();
    if (!ship) {
        camera.following = false;
        camera.target = nullptr;
        return;
    }
    const float scale = offsetScaleForShipType(shipType);
    cameraMode = mode;
    if (mode == 0 || mode > 4)
        return;

    camera.following = true;
    camera.target = ship;
    const Vec3 position = ship->position;
    const Vec3 forward = ship->forward;
    switch (mode) {
    case 1: // follow ship
        camera.positionMode = 1;
        camera.orientationMode = 1;
        camera.offsetForward = -4.0f * scale;
        camera.offsetUp = scale;
        camera.offsetRight = 0.0f;
        camera.leash = 1.0f;
        break;
    case 2: // fixed camera (rear)
        camera.positionMode = 2;
        camera.orientationMode = 3;
        camera.offsetForward = 3.0f * scale;
        camera.offsetUp = 0.8f * scale;
        camera.offsetRight = 0.0f;
        break;
    case 3: // drop camera behind ship
        camera.positionMode = 0;
        camera.orientationMode = 2;
        camera.offsetForward = 0.0f;
        camera.offsetUp = 0.0f;
        camera.offsetRight = 0.0f;
        camera.eye = position - forward * (2.0f * scale);
        break;
    case 4: // follow behind ship
        camera.positionMode = 1;
        camera.orientationMode = 2;
        camera.offsetForward = -4.0f * scale;
        camera.offsetUp = 0.7f * scale;
        camera.offsetRight = 0.0f;
        camera.leash = 2.0f;
        camera.eye = position - forward * 2.0f;
        break;
    }
}

void updateCamera(float dt) {
    camera.lastDt = dt;
    if (!camera.following || !camera.target)
        return;
    const SceneObject& target = *camera.target;

    if (camera.positionMode == 1)
        pullOnLeash(camera, desiredPoint(camera, target), dt);
    else if (camera.positionMode == 2)
        camera.eye = desiredPoint(camera, target);

    orientCamera(camera, target);
}
