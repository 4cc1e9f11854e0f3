#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "effects/effect_object.h"
#include "scene/scene_object.h"
#include "support/gl_test.h"

namespace {

void expectNear(const Vec3& actual, const Vec3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void expectMatrixNear(const float* actual, const float* expected, float tolerance = 1e-5f) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
}

bool isIdentity(const float* m) {
    for (int i = 0; i < 16; ++i)
        if (m[i] != (i % 5 == 0 ? 1.0f : 0.0f))
            return false;
    return true;
}

float degreesToRadians(float degrees) {
    return degrees * 3.14159265f / 180.0f;
}

// Records the releaseCargo call that a carried object's destruction makes.
class RecordingCarrier : public SceneObject {
  public:
    void releaseCargo(SceneObject* object) override {
        released = object;
        ++calls;
    }
    SceneObject* released = nullptr;
    int calls = 0;
};

} // namespace

TEST(SceneObjectFlight, MassZeroFreezesTheBody) {
    SceneObject body;
    body.mass = 0.0f;
    body.turnInput = Vec3(1.0f, 1.0f, 1.0f);
    body.powerChange = 1.0f;
    body.enginePower = 5.0f;
    body.velocity = Vec3(1.0f, 0.0f, 0.0f);
    body.compensatorOn = true;
    for (int i = 0; i < 10; ++i)
        body.update(0.1f);
    expectNear(body.position, Vec3(0.0f, 0.0f, 0.0f), 0.0f);
    EXPECT_TRUE(isIdentity(body.orientation));
    EXPECT_EQ(body.enginePower, 5.0f);
    EXPECT_FALSE(body.compensatorEngaged);
    expectNear(body.turnInput, Vec3(1.0f, 1.0f, 1.0f), 0.0f);
}

TEST(SceneObjectFlight, PowerChangeIsClampedToMaxThenMin) {
    SceneObject body;
    body.enginePower = 9.5f;
    body.powerChange = 1.0f;
    body.mass = 4.0f; // the power change uses dt, not dt / mass
    body.update(0.25f);
    EXPECT_FLOAT_EQ(body.enginePower, 9.75f);
    body.update(0.75f);
    EXPECT_FLOAT_EQ(body.enginePower, 10.0f);

    // When the limits cross, the lower limit wins.
    SceneObject crossed;
    crossed.enginePower = 4.0f;
    crossed.minEnginePower = 5.0f;
    crossed.maxEnginePower = 3.0f;
    crossed.update(0.1f);
    EXPECT_FLOAT_EQ(crossed.enginePower, 5.0f);
}

TEST(SceneObjectFlight, FreeFlightThrustsAlongTheNoseAndDriftsWithoutDrag) {
    SceneObject body;
    body.mass = 2.0f;
    body.enginePower = 4.0f;
    body.forward = Vec3(0.0f, 0.0f, -3.0f); // not unit: thrust uses its direction only
    body.update(0.5f);
    // t = 0.25, thrust 0.25 x 4 = 1 along the nose; the step uses the new velocity.
    expectNear(body.velocity, Vec3(0.0f, 0.0f, -1.0f));
    expectNear(body.position, Vec3(0.0f, 0.0f, -0.5f));
    EXPECT_FALSE(body.compensating);

    body.enginePower = 0.0f;
    for (int i = 0; i < 10; ++i)
        body.update(0.1f);
    expectNear(body.velocity, Vec3(0.0f, 0.0f, -1.0f));
    expectNear(body.position, Vec3(0.0f, 0.0f, -1.5f));
}

TEST(SceneObjectFlight, CompensatorSettlesAtTheFrozenSpeedAlongTheNose) {
    SceneObject body;
    body.velocity = Vec3(5.0f, 0.0f, 0.0f);
    body.compensatorOn = true;
    body.update(0.05f);
    EXPECT_TRUE(body.compensatorEngaged);
    EXPECT_TRUE(body.compensating);
    for (int i = 0; i < 300; ++i)
        body.update(0.05f);
    expectNear(body.compensatedVelocity, Vec3(0.0f, 0.0f, -5.0f), 1e-3f);
    expectNear(body.velocity, Vec3(5.0f, 0.0f, 0.0f), 0.0f); // frozen at switch-on
    EXPECT_FALSE(body.compensating);
    expectNear(body.currentVelocity(), body.compensatedVelocity, 0.0f);

    // Under constant power the speed settles at the reference speed plus power / mass.
    body.mass = 2.0f;
    body.enginePower = 1.0f;
    for (int i = 0; i < 400; ++i)
        body.update(0.05f);
    expectNear(body.compensatedVelocity, Vec3(0.0f, 0.0f, -5.5f), 1e-3f);
}

TEST(SceneObjectFlight, CompensatorWithoutFrozenSpeedOnlyTurnsTheMotion) {
    // Switched on while standing still: the reference speed comes from compensatedVelocity.
    SceneObject body;
    body.compensatorOn = true;
    body.enginePower = 2.0f;
    for (int i = 0; i < 50; ++i)
        body.update(0.1f);
    // Thrust keeps adding 0.2 per tick; nothing holds the speed at a set value.
    expectNear(body.compensatedVelocity, Vec3(0.0f, 0.0f, -10.0f), 1e-3f);

    // Moving sideways with no frozen speed: the motion swings round to the nose, not to a stop.
    SceneObject drifting;
    drifting.compensatorOn = true;
    drifting.compensatorEngaged = true;
    drifting.compensatedVelocity = Vec3(3.0f, 0.0f, 0.0f);
    for (int i = 0; i < 100; ++i)
        drifting.update(0.1f);
    const float speed = drifting.compensatedVelocity.length();
    EXPECT_GT(speed, 1.0f);
    EXPECT_LE(speed, 3.0f);
    EXPECT_LT(std::fabs(drifting.compensatedVelocity.x), 0.01f * speed);
    EXPECT_LT(drifting.compensatedVelocity.z, 0.0f);
}

TEST(SceneObjectFlight, CompensatorHandsTheVelocityOverWhenSwitched) {
    SceneObject body;
    body.compensatorOn = true;
    body.compensatorEngaged = true;
    body.compensatedVelocity = Vec3(0.0f, 0.0f, -4.0f);
    body.velocity = Vec3(9.0f, 0.0f, 0.0f);

    body.compensatorOn = false;
    body.update(0.5f);
    EXPECT_FALSE(body.compensatorEngaged);
    expectNear(body.velocity, Vec3(0.0f, 0.0f, -4.0f), 0.0f);
    expectNear(body.position, Vec3(0.0f, 0.0f, -2.0f));

    body.velocity = Vec3(1.0f, 2.0f, 3.0f);
    body.compensatorOn = true;
    body.update(0.0f);
    EXPECT_TRUE(body.compensatorEngaged);
    expectNear(body.compensatedVelocity, Vec3(1.0f, 2.0f, 3.0f), 0.0f);
}

TEST(SceneObjectFlight, LongTickDoesNotThrowTheCompensatedMotionBackwards) {
    // The first tick after the window returns from the background can last many seconds.
    SceneObject body;
    body.compensatorOn = true;
    body.compensatorEngaged = true;
    body.velocity = Vec3(5.0f, 0.0f, 0.0f);
    body.compensatedVelocity = Vec3(5.0f, 0.0f, 0.0f);
    body.update(30.0f);
    expectNear(body.compensatedVelocity, Vec3(0.0f, 0.0f, -5.0f));
    expectNear(body.position, Vec3(0.0f, 0.0f, -150.0f), 1e-3f);

    // Exactly one second is still the plain relaxation step.
    SceneObject second;
    second.compensatorOn = true;
    second.compensatorEngaged = true;
    second.velocity = Vec3(5.0f, 0.0f, 0.0f);
    second.compensatedVelocity = Vec3(5.0f, 0.0f, 0.0f);
    second.update(1.0f);
    expectNear(second.compensatedVelocity, Vec3(0.0f, 0.0f, -5.0f));
}

TEST(SceneObjectFlight, TurningIsScaledByMassAndAppliedOnce) {
    SceneObject body;
    body.mass = 10.0f;
    body.turnInput = Vec3(0.0f, 1.0f, 0.0f);
    body.update(0.05f);
    // 0.05 / 10 x 200 = 1 degree of yaw, left in turnInput until the next draw.
    expectNear(body.turnInput, Vec3(0.0f, 1.0f, 0.0f));
    const float angle = degreesToRadians(1.0f);
    EXPECT_NEAR(body.orientation[0], std::cos(angle), 1e-6f);
    EXPECT_NEAR(body.orientation[8], std::sin(angle), 1e-6f);
    EXPECT_NEAR(body.orientation[2], -std::sin(angle), 1e-6f);
    // The nose direction is refreshed only by a draw; thrust uses the last one.
    expectNear(body.forward, Vec3(0.0f, 0.0f, -1.0f), 0.0f);
}

TEST(SceneObjectTurn, ZeroTurnLeavesOrientationExactlyAlone) {
    SceneObject body;
    body.turnInput = Vec3(0.0f, 0.0f, 0.0f);
    body.applyTurn();
    EXPECT_TRUE(isIdentity(body.orientation));

    body.turnInput = Vec3(0.0f, 180.0f, 0.0f);
    body.applyTurn();
    expectNear(body.turnInput, Vec3(0.0f, 180.0f, 0.0f), 0.0f); // the request is not consumed
    EXPECT_NEAR(body.orientation[0], -1.0f, 1e-6f);
    EXPECT_NEAR(body.orientation[10], -1.0f, 1e-6f);
}

class SceneObjectGl : public GlTest {
  protected:
    void TearDown() override {
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_COLOR_MATERIAL);
        glLoadIdentity();
    }
};

TEST_F(SceneObjectGl, ApplyTurnEqualsTheGlRotationProduct) {
    const float turns[][3] = {
        {10.0f, 20.0f, 30.0f}, {-45.0f, 90.0f, 12.5f}, {180.0f, -33.0f, 270.0f},
        {0.0f, 0.0f, 45.0f},   {0.25f, 0.0f, 0.0f},    {-720.5f, 359.0f, -1.0f},
    };
    SceneObject body;
    for (const auto& turn : turns) {
        float expected[16];
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(body.orientation);
        glRotatef(turn[0], 1.0f, 0.0f, 0.0f);
        glRotatef(turn[1], 0.0f, 1.0f, 0.0f);
        glRotatef(turn[2], 0.0f, 0.0f, 1.0f);
        glGetFloatv(GL_MODELVIEW_MATRIX, expected);

        body.turnInput = Vec3(turn[0], turn[1], turn[2]);
        body.applyTurn();
        SCOPED_TRACE(testing::Message() << turn[0] << ", " << turn[1] << ", " << turn[2]);
        expectMatrixNear(body.orientation, expected);
    }
}

TEST_F(SceneObjectGl, DrawPlacesTheBodyAndRefreshesItsAxes) {
    SceneObject body;
    body.position = Vec3(1.0f, 2.0f, 3.0f);
    body.turnInput = Vec3(0.0f, 180.0f, 0.0f);
    body.applyTurn();
    body.draw();
    expectNear(body.forward, Vec3(0.0f, 0.0f, 1.0f));
    expectNear(body.up, Vec3(0.0f, 1.0f, 0.0f));
    expectNear(body.right, Vec3(-1.0f, 0.0f, 0.0f));
    expectNear(body.turnInput, Vec3(0.0f, 0.0f, 0.0f), 0.0f);

    float modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    const float placed[16] = {-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 1, 2, 3, 1};
    expectMatrixNear(modelview, placed);

    // A turn followed by a draw: one degree of yaw swings the nose left.
    SceneObject yawed;
    yawed.mass = 10.0f;
    yawed.turnInput = Vec3(0.0f, 1.0f, 0.0f);
    yawed.update(0.05f);
    glLoadIdentity();
    yawed.draw();
    const float angle = degreesToRadians(1.0f);
    expectNear(yawed.forward, Vec3(-std::sin(angle), 0.0f, -std::cos(angle)));
    expectNear(yawed.turnInput, Vec3(0.0f, 0.0f, 0.0f), 0.0f);
}

TEST(SceneObjectLifetime, DestructionReleasesFromCarrierAndSwitchesEffectsOff) {
    RecordingCarrier carrier;
    EffectObject trail;
    EffectObject gun;
    EffectObject unrelated;
    auto* cargo = new SceneObject;
    cargo->carrier = &carrier;
    cargo->attachEffect(&trail);
    cargo->attachEffect(&gun);
    ASSERT_NE(cargo->attachedEffects.head, nullptr);
    EXPECT_EQ(cargo->attachedEffects.head->object, &trail);
    ASSERT_NE(cargo->attachedEffects.head->next, nullptr);
    EXPECT_EQ(cargo->attachedEffects.head->next->object, &gun);
    EXPECT_EQ(cargo->attachedEffects.head->next->prev, cargo->attachedEffects.head);

    SceneObject* const address = cargo;
    delete cargo; // the list nodes are freed here; the sanitizer reports any that leak
    EXPECT_EQ(carrier.calls, 1);
    EXPECT_EQ(carrier.released, address);
    EXPECT_FALSE(trail.active);
    EXPECT_FALSE(gun.active);
    EXPECT_TRUE(unrelated.active);

    // Without a carrier nothing is called.
    auto* loose = new SceneObject;
    delete loose;
    EXPECT_EQ(carrier.calls, 1);
}
