// SceneObject: the common draw step (placement, direction vectors, texture state) and the flight
// model shared by every body of the world.
#include "scene/scene_object.h"

#include <GL/gl.h>

#include <cmath>

#include "effects/effect_object.h"
#include "scene/texture.h"

namespace {

// A held turn key (input 1) turns the body by this many degrees per second at mass 1.
constexpr float kTurnDegreesPerSecond = 200.0f;
// Below this correction the compensator counts as idle (the overlay shows it).
constexpr float kCompensatingThreshold = 0.1f;
constexpr double kPi = 3.14159265358979323846;

// Column-major 4x4 product a x b, the way OpenGL multiplies onto its matrix stack.
void multiplyMatrix(const float a[16], const float b[16], float out[16]) {
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a[k * 4 + row] * b[column * 4 + k];
            out[column * 4 + row] = sum;
        }
}

// The rotation glRotatef builds about a unit axis. Converted with the exact pi/180 rather than the
// program's usual single-precision constant, so that the accumulated orientation matches what the
// GL stack would produce (a 180 degree turn really reverses the axis).
void rotationMatrix(float degrees, float ax, float ay, float az, float out[16]) {
    const double radians = double(degrees) * kPi / 180.0;
    const float s = float(std::sin(radians));
    const float c = float(std::cos(radians));
    const float k = 1.0f - c;
    out[0] = ax * ax * k + c;
    out[1] = ay * ax * k + az * s;
    out[2] = ax * az * k - ay * s;
    out[3] = 0.0f;
    out[4] = ax * ay * k - az * s;
    out[5] = ay * ay * k + c;
    out[6] = ay * az * k + ax * s;
    out[7] = 0.0f;
    out[8] = ax * az * k + ay * s;
    out[9] = ay * az * k - ax * s;
    out[10] = az * az * k + c;
    out[11] = 0.0f;
    out[12] = 0.0f;
    out[13] = 0.0f;
    out[14] = 0.0f;
    out[15] = 1.0f;
}

// matrix = matrix x R(degrees about the unit axis); a zero angle leaves it bit for bit alone.
void turnMatrix(float matrix[16], float degrees, float ax, float ay, float az) {
    if (degrees == 0.0f)
        return;
    float rotation[16];
    float product[16];
    rotationMatrix(degrees, ax, ay, az, rotation);
    multiplyMatrix(matrix, rotation, product);
    for (int i = 0; i < 16; ++i)
        matrix[i] = product[i];
}

} // namespace

SceneObject::SceneObject() = default;

SceneObject::~SceneObject() {
    if (carrier)
        carrier->releaseCargo(this);
    // The effects belong to effectList; switching them off keeps them from reading this body again.
    ObjectListNode<EffectObject>* node = attachedEffects.head;
    while (node) {
        ObjectListNode<EffectObject>* next = node->next;
        node->object->active = false;
        delete node;
        node = next;
    }
    attachedEffects.head = nullptr;
}

bool SceneObject::loadTexture(const char* fileName) {
    return loadBmpTexture(fileName, texture);
}

void SceneObject::applyTurn() {
    if (turnInput.x == 0.0f && turnInput.y == 0.0f && turnInput.z == 0.0f)
        return;
    // Each turn is about the body's own axis as already turned by the previous one.
    turnMatrix(orientation, turnInput.x, 1.0f, 0.0f, 0.0f);
    turnMatrix(orientation, turnInput.y, 0.0f, 1.0f, 0.0f);
    turnMatrix(orientation, turnInput.z, 0.0f, 0.0f, 1.0f);
}

void SceneObject::attachEffect(EffectObject* effect) {
    appendToList(attachedEffects, effect);
}

void SceneObject::draw() {
    glTranslatef(position.x, position.y, position.z);
    glMultMatrixf(orientation);

    // The orientation applied to the body points (0, 0, -1) and (0, 1, 0); the translation column
    // is zero, so these are the nose and up directions.
    const float* m = orientation;
    forward = Vec3(m[12] - m[8], m[13] - m[9], m[14] - m[10]);
    up = Vec3(m[4] + m[12], m[5] + m[13], m[6] + m[14]);
    right = forward.cross(up);

    if (texture != 0) {
        glColor3ub(255, 255, 255);
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_COLOR_MATERIAL);
        glBindTexture(GL_TEXTURE_2D, texture);
    } else {
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_COLOR_MATERIAL);
    }

    // The controls write the request again each frame while a key is held.
    turnInput = Vec3(0.0f, 0.0f, 0.0f);
}

void SceneObject::update(float dt) {
    if (mass == 0.0f)
        return;
    const float t = dt / mass;

    enginePower += dt * powerChange;
    if (enginePower > maxEnginePower)
        enginePower = maxEnginePower;
    if (enginePower < minEnginePower)
        enginePower = minEnginePower;

    turnInput = turnInput * (t * kTurnDegreesPerSecond);
    applyTurn();

    // Switching hands the current motion over, so the body does not jump in speed.
    if (compensatorEngaged && !compensatorOn) {
        velocity = compensatedVelocity;
        compensatorEngaged = false;
    }
    if (!compensatorEngaged && compensatorOn) {
        compensatedVelocity = velocity;
        compensatorEngaged = true;
    }

    Vec3 step;
    if (compensatorOn) {
        const Vec3 nose = forward.normalized();
        const Vec3 thrust = nose * (t * enginePower);
        float referenceSpeed = velocity.length();
        if (referenceSpeed == 0.0f)
            referenceSpeed = compensatedVelocity.length();
        const Vec3 correction = nose * referenceSpeed - compensatedVelocity;
        compensating = correction.length() > kCompensatingThreshold;
        // The motion relaxes towards the nose at a rate of one per second. A tick longer than a
        // second (the first one after the window was in the background) would overshoot and throw
        // the ship backwards, so it completes the correction instead.
        const float relaxation = dt < 1.0f ? dt : 1.0f;
        compensatedVelocity += correction * relaxation;
        compensatedVelocity += thrust;
        step = compensatedVelocity * dt;
    } else {
        compensating = false;
        if (enginePower != 0.0f)
            velocity += forward.normalized() * (t * enginePower);
        step = velocity * dt;
    }
    position += step;
}
