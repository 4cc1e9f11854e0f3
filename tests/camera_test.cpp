#include <gtest/gtest.h>

#include <cmath>

#include "game/game_state.h"
#include "math/camera.h"
#include "scene/model_object.h"

namespace {

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

void expectNear(const Vec3& actual, const Vec3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

float distance(const Vec3& a, const Vec3& b) {
    return (a - b).length();
}

// Each test starts from a fresh camera and game state, with a ship in the main slot whose model
// file does not exist (it still flies, it only draws nothing).
class CameraTest : public ::testing::Test {
  protected:
    void SetUp() override {
        camera = Camera();
        ship = new ShipObject("no-such-model.3ds", kIdentity, false);
        mainShip = ship;
        selectedShip = &mainShip;
        shipType = 1;
        cameraMode = 1;
    }
    void TearDown() override {
        camera = Camera();
        mainShip = nullptr;
        enemyShip = nullptr;
        selectedShip = nullptr;
        shipType = 1;
        cameraMode = 1;
        delete ship;
    }
    // Follows a still target in leash mode with the desired point on the target itself.
    void followOnLeash(SceneObject& target, float leash) {
        camera.following = true;
        camera.target = &target;
        camera.positionMode = 1;
        camera.orientationMode = 0;
        camera.leash = leash;
    }
    ShipObject* ship = nullptr;
};

} // namespace

TEST_F(CameraTest, ModesScaleOffsetsByShipType) {
    shipType = 2;
    setCameraMode(1);
    EXPECT_EQ(cameraMode, 1);
    EXPECT_TRUE(camera.following);
    EXPECT_EQ(camera.target, ship);
    EXPECT_EQ(camera.positionMode, 1);
    EXPECT_EQ(camera.orientationMode, 1);
    EXPECT_FLOAT_EQ(camera.offsetForward, -12.0f);
    EXPECT_FLOAT_EQ(camera.offsetUp, 3.0f);
    EXPECT_FLOAT_EQ(camera.leash, 1.0f);

    shipType = 3;
    ship->position = Vec3(10.0f, 0.0f, 0.0f);
    setCameraMode(4);
    EXPECT_EQ(camera.positionMode, 1);
    EXPECT_EQ(camera.orientationMode, 2);
    EXPECT_FLOAT_EQ(camera.offsetForward, -8.0f);
    EXPECT_FLOAT_EQ(camera.offsetUp, 1.4f);
    EXPECT_FLOAT_EQ(camera.leash, 2.0f);
    expectNear(camera.eye, Vec3(10.0f, 0.0f, 2.0f)); // 2 behind, not scaled

    // Mode 2 keeps the leash of the previous mode; unknown ship types scale by 1.
    shipType = 7;
    setCameraMode(2);
    EXPECT_EQ(camera.positionMode, 2);
    EXPECT_EQ(camera.orientationMode, 3);
    EXPECT_FLOAT_EQ(camera.offsetForward, 3.0f);
    EXPECT_FLOAT_EQ(camera.offsetUp, 0.8f);
    EXPECT_FLOAT_EQ(camera.leash, 2.0f);

    // A mode number out of range is stored but changes nothing else.
    setCameraMode(9);
    EXPECT_EQ(cameraMode, 9);
    EXPECT_EQ(camera.positionMode, 2);
    EXPECT_FLOAT_EQ(camera.offsetForward, 3.0f);
}

TEST_F(CameraTest, NoSelectionFreesTheCameraAndKeepsTheMode) {
    setCameraMode(1);
    cameraMode = 3;
    selectedShip = nullptr;
    setCameraMode(2);
    EXPECT_FALSE(camera.following);
    EXPECT_EQ(camera.target, nullptr);
    EXPECT_EQ(cameraMode, 3);

    // An empty slot (the enemy after its explosion) counts as no selection: no ship to place by.
    selectedShip = &mainShip;
    setCameraMode(1);
    EXPECT_TRUE(camera.following);
    selectedShip = &enemyShip;
    camera.eye = Vec3(1.0f, 2.0f, 3.0f);
    setCameraMode(4);
    EXPECT_FALSE(camera.following);
    EXPECT_EQ(camera.target, nullptr);
    EXPECT_EQ(cameraMode, 1);
    expectNear(camera.eye, Vec3(1.0f, 2.0f, 3.0f), 0.0f);
    updateCamera(0.1f);
    EXPECT_FLOAT_EQ(camera.lastDt, 0.1f);
    expectNear(camera.eye, Vec3(1.0f, 2.0f, 3.0f), 0.0f);
}

TEST_F(CameraTest, LeashClosesTheFractionDtOfTheGap) {
    SceneObject target;
    followOnLeash(target, 1.0f);
    camera.eye = Vec3(0.5f, 0.0f, 0.0f);
    updateCamera(0.1f);
    EXPECT_NEAR(distance(camera.eye, target.position), 0.45f, 1e-6f);

    // A wide gap is pulled in by repeated steps, ending just inside the leash on the same line.
    camera.eye = Vec3(6.0f, 0.0f, 8.0f);
    updateCamera(0.01f);
    const float gap = distance(camera.eye, target.position);
    EXPECT_GE(gap, 0.99f);
    EXPECT_LE(gap, 1.0f);
    expectNear(camera.eye.normalized(), Vec3(0.6f, 0.0f, 0.8f));

    // A standing target with the eye on the desired point: nothing moves.
    camera.eye = target.position;
    updateCamera(0.1f);
    expectNear(camera.eye, target.position, 0.0f);
}

TEST_F(CameraTest, LeashNeitherHangsNorDivergesOutsideTheStableSteps) {
    SceneObject target;
    target.position = Vec3(0.0f, 0.0f, -10.0f);
    followOnLeash(target, 1.0f);

    const float unstable[] = {0.0f, -0.5f, 2.0f, 5.0f, 1000.0f};
    for (float dt : unstable) {
        SCOPED_TRACE(dt);
        camera.eye = Vec3(0.0f, 0.0f, 0.0f);
        updateCamera(dt);
        EXPECT_NEAR(distance(camera.eye, target.position), 1.0f, 1e-5f);
        expectNear(camera.eye, Vec3(0.0f, 0.0f, -9.0f)); // on the line, on the old side

        // Already inside the leash: the eye is not thrown away from the target.
        camera.eye = Vec3(0.0f, 0.5f, -10.0f);
        updateCamera(dt);
        EXPECT_LE(distance(camera.eye, target.position), 1.0f);
    }

    // Between 1 and 2 the steps overshoot but still converge.
    camera.eye = Vec3(0.0f, 0.0f, 0.0f);
    updateCamera(1.5f);
    EXPECT_LE(distance(camera.eye, target.position), 1.0f);

    // Steps too small to close a huge gap in reasonable time fall back to the leash distance.
    target.position = Vec3(0.0f, 0.0f, -100000.0f);
    camera.eye = Vec3(0.0f, 0.0f, 0.0f);
    updateCamera(1e-6f);
    EXPECT_NEAR(distance(camera.eye, target.position), 1.0f, 0.05f);
    EXPECT_NEAR(camera.eye.x, 0.0f, 1e-6f);
}

TEST_F(CameraTest, RigidModeSitsOnTheDesiredPointLookingBack) {
    // A ship turned to fly along +x.
    ship->forward = Vec3(1.0f, 0.0f, 0.0f);
    ship->up = Vec3(0.0f, 1.0f, 0.0f);
    ship->right = Vec3(0.0f, 0.0f, 1.0f);
    ship->position = Vec3(5.0f, 1.0f, 0.0f);
    setCameraMode(2);
    for (int tick = 0; tick < 3; ++tick) {
        ship->position += Vec3(2.0f, 0.0f, 0.0f);
        updateCamera(0.1f);
        expectNear(camera.eye, ship->position + Vec3(3.0f, 0.8f, 0.0f), 0.0f);
        expectNear(camera.direction, Vec3(-1.0f, 0.0f, 0.0f), 0.0f);
        expectNear(camera.right, Vec3(0.0f, 0.0f, -1.0f), 0.0f);
        expectNear(camera.up, Vec3(0.0f, 1.0f, 0.0f), 0.0f);
    }

    // Mode 1 copies the ship's frame.
    setCameraMode(1);
    updateCamera(0.1f);
    expectNear(camera.direction, ship->forward, 0.0f);
    expectNear(camera.right, ship->right, 0.0f);
}

TEST_F(CameraTest, DropModeStaysWhereDroppedAndWatchesTheShip) {
    shipType = 2;
    ship->position = Vec3(0.0f, 0.0f, -20.0f);
    setCameraMode(3);
    const Vec3 dropped(0.0f, 0.0f, -14.0f); // 2 x 3 behind the nose
    expectNear(camera.eye, dropped);

    ship->position = Vec3(10.0f, 0.0f, -14.0f);
    updateCamera(0.1f);
    expectNear(camera.eye, dropped, 0.0f);
    expectNear(camera.direction, Vec3(1.0f, 0.0f, 0.0f));
    expectNear(camera.up, Vec3(0.0f, 1.0f, 0.0f));
    expectNear(camera.right, Vec3(0.0f, 0.0f, 1.0f));
}

TEST_F(CameraTest, FreeTurnsUseTheLastTick) {
    selectedShip = nullptr;
    setCameraMode(1);
    updateCamera(0.1f);
    camera.yaw(1.0f);
    const float angle = 10.0f * 3.14159265f / 180.0f;
    expectNear(camera.direction, Vec3(-std::sin(angle), 0.0f, -std::cos(angle)), 1e-4f);
    expectNear(camera.right, Vec3(std::cos(angle), 0.0f, -std::sin(angle)), 1e-4f);
    expectNear(camera.up, Vec3(0.0f, 1.0f, 0.0f), 0.0f);

    camera.yaw(-1.0f);
    camera.pitch(0.5f);
    expectNear(camera.direction, Vec3(0.0f, std::sin(angle / 2), -std::cos(angle / 2)), 1e-4f);
    expectNear(camera.right, Vec3(1.0f, 0.0f, 0.0f), 1e-4f);

    camera.pitch(-0.5f);
    camera.roll(1.0f);
    expectNear(camera.direction, Vec3(0.0f, 0.0f, -1.0f), 1e-4f);
    expectNear(camera.up, Vec3(std::sin(angle), std::cos(angle), 0.0f), 1e-4f);
}
