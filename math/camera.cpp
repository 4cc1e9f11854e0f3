#include "math/camera.h"
Camera camera;
void Camera::yaw(float) {}
void Camera::pitch(float) {}
void Camera::roll(float) {}
void Camera::applyLookAt() const {}
void setCameraMode(std::uint8_t) {}
void updateCamera(float) {}
