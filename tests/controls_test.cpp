#include <cmath>

#include "app/app_window.h"
#include "app/main_loop.h"
#include "effects/effect_object.h"
#include "effects/gun_fire.h"
#include "game/controls.h"
#include "game/game_state.h"
#include "game/overlay.h"
#include "math/camera.h"
#include "platform/events.h"
#include "scene/model_object.h"
#include "support/game_world.h"

namespace vk = platform::vk;

namespace {

void press(std::uint32_t key) {
    keyState[key] = 1;
}
void release(std::uint32_t key) {
    keyState[key] = 0;
}

float distance(const Vec3& a, const Vec3& b) {
    return (a - b).length();
}

bool holdsObject(SceneObject* object) {
    for (ObjectListNode<SceneObject>* node = objectList.head; node; node = node->next)
        if (node->object == object)
            return true;
    return false;
}

} // namespace

class ControlsTest : public GameWorldTest {
  protected:
    void SetUp() override {
        GameWorldTest::SetUp();
        buildStartingWorld(false);
        // The first draw settles every body in its setup orientation, as at start-up.
        drawScene();
    }
};

TEST_F(ControlsTest, HelpKeyTogglesOncePerKeyDown) {
    press(vk::F1);
    runControls();
    EXPECT_TRUE(helpVisible);
    EXPECT_EQ(keyState[vk::F1], 0);
    runControls();
    EXPECT_TRUE(helpVisible) << "a key-down message acts only once";
    press(vk::F1);
    runControls();
    EXPECT_FALSE(helpVisible);
}

TEST_F(ControlsTest, ShipKeysInOneFrameEndOnTheLastAndOtherKeysActOnTheOldShip) {
    press(vk::F2);
    press(vk::F3);
    press('Q');
    runControls();
    EXPECT_EQ(selectedShip, &transportShip);
    EXPECT_EQ(shipType, 2);
    EXPECT_EQ(cameraMode, 1);
    EXPECT_EQ(camera.target, transportShip);
    EXPECT_EQ(keyState[vk::F2], 0);
    EXPECT_EQ(keyState[vk::F3], 0);
    // The pass belongs to the ship selected when it began.
    EXPECT_FLOAT_EQ(mainShip->powerChange, 1.0f);
    EXPECT_FLOAT_EQ(transportShip->powerChange, 0.0f);

    release('Q');
    runControls();
    EXPECT_FLOAT_EQ(transportShip->powerChange, 0.0f);
    // The deselected ship keeps its last request and goes on speeding up.
    EXPECT_FLOAT_EQ(mainShip->powerChange, 1.0f);
}

TEST_F(ControlsTest, HeldEnemyKeyWaitsForARespawn) {
    press('E');
    runControls();
    release('E');
    ASSERT_FALSE(enemyAlive);

    press(vk::F4);
    runControls();
    EXPECT_EQ(selectedShip, &mainShip);
    EXPECT_EQ(keyState[vk::F4], 1) << "kept for when an enemy exists";

    press('R');
    runControls();
    EXPECT_TRUE(enemyAlive);
    ASSERT_NE(enemyShip, nullptr);
    EXPECT_EQ(selectedShip, &mainShip) << "the key was handled before the respawn";
    SceneObject* respawned = enemyShip;
    runControls();
    EXPECT_EQ(enemyShip, respawned) << "a held R spawns only while no enemy exists";
    EXPECT_EQ(selectedShip, &enemyShip);
    EXPECT_EQ(shipType, 3);
    EXPECT_EQ(camera.target, enemyShip);
    EXPECT_EQ(keyState[vk::F4], 0);
}

TEST_F(ControlsTest, TurnKeysForAShipTakeTheLastKeyPerAxis) {
    press(vk::Numpad4);
    press(vk::Numpad6);
    press(vk::Numpad8);
    press(vk::Numpad7);
    runControls();
    EXPECT_FLOAT_EQ(mainShip->turnInput.y, -1.0f);
    EXPECT_FLOAT_EQ(mainShip->turnInput.x, 1.0f);
    EXPECT_FLOAT_EQ(mainShip->turnInput.z, 1.0f);

    // 200 / mass degrees per second: one tenth of a second turns the main ship by 2 degrees.
    release(vk::Numpad6);
    release(vk::Numpad8);
    release(vk::Numpad7);
    drawScene();
    const Vec3 before = mainShip->forward;
    runControls();
    finishPass(0.1f);
    const float degrees = std::acos(std::fmin(1.0f, before.dot(mainShip->forward))) / 0.0174533f;
    EXPECT_NEAR(degrees, 2.0f, 0.05f);
    EXPECT_LT(mainShip->forward.x, 0.0f) << "numpad 4 turns to the left";
}

TEST_F(ControlsTest, FreeCameraTurnsCancelAndQFliesAlongTheView) {
    press('C');
    runControls();
    release('C');
    ASSERT_EQ(selectedShip, nullptr);
    EXPECT_FALSE(camera.following);

    camera.lastDt = 0.1f;
    const Vec3 direction = camera.direction;
    press(vk::Numpad4);
    press(vk::Numpad6);
    runControls();
    EXPECT_LT(distance(camera.direction, direction), 1e-4f);
    release(vk::Numpad6);
    runControls();
    EXPECT_NEAR(std::acos(camera.direction.dot(direction)) / 0.0174533f, 10.0f, 0.05f);
    release(vk::Numpad4);

    const Vec3 eye = camera.eye;
    press('Q');
    runControls();
    EXPECT_LT(distance(camera.eye, eye + camera.direction * 1.0f), 1e-4f);
    const Vec3 moved = camera.eye;
    press('A');
    runControls();
    EXPECT_LT(distance(camera.eye, moved), 1e-4f) << "Q and A held together cancel";
    EXPECT_FLOAT_EQ(mainShip->powerChange, 0.0f) << "no ship is flown in free camera";
}

TEST_F(ControlsTest, EngineAndCompensatorKeys) {
    press('Q');
    press('A');
    runControls();
    EXPECT_FLOAT_EQ(mainShip->powerChange, -1.0f) << "A wins over Q";

    release('A');
    mainShip->enginePower = 5.0f;
    press('S');
    runControls();
    EXPECT_FLOAT_EQ(mainShip->enginePower, 0.0f);
    finishPass(0.5f);
    EXPECT_FLOAT_EQ(mainShip->enginePower, 0.5f) << "S stops, then Q raises it in the tick";
    release('S');
    release('Q');

    press('W');
    runControls();
    EXPECT_TRUE(mainShip->compensatorOn);
    EXPECT_EQ(keyState['W'], 0);
    runControls();
    EXPECT_TRUE(mainShip->compensatorOn);

    // Without a ship the key waits for one.
    press('C');
    runControls();
    release('C');
    press('W');
    runControls();
    EXPECT_EQ(keyState['W'], 1);
    press(vk::F2);
    runControls();
    EXPECT_TRUE(mainShip->compensatorOn) << "selection changes in the same pass do not count";
    runControls();
    EXPECT_FALSE(mainShip->compensatorOn);
}

TEST_F(ControlsTest, SpaceFiresBothGunsOfTheSelectedShipOnly) {
    press(vk::Space);
    runControls();
    auto* left = static_cast<GunFire*>(mainShip->guns[0]);
    auto* right = static_cast<GunFire*>(mainShip->guns[1]);
    EXPECT_NE(left->particles, nullptr);
    EXPECT_NE(right->particles, nullptr);
    EXPECT_EQ(static_cast<GunFire*>(enemyShip->guns[0])->particles, nullptr);
}

TEST_F(ControlsTest, DroppedCargoKeepsTheShipsVelocityOfThatMoment) {
    press(vk::F3);
    runControls();
    release(vk::F3);
    SceneObject* crate = transportShip->cargo;
    ASSERT_NE(crate, nullptr);
    transportShip->velocity = Vec3(1.0f, 2.0f, 3.0f);

    press('D');
    runControls();
    EXPECT_EQ(transportShip->cargo, nullptr);
    EXPECT_FALSE(transportShip->carryingCargo);
    EXPECT_FLOAT_EQ(crate->velocity.z, 3.0f);
    EXPECT_EQ(crate->carrier, transportShip);

    transportShip->velocity = Vec3(9.0f, 9.0f, 9.0f);
    runControls();
    EXPECT_FLOAT_EQ(crate->velocity.z, 3.0f) << "D acts once per run";
    const Vec3 start = crate->position;
    finishPass(1.0f);
    EXPECT_LT(distance(crate->position, start + Vec3(1.0f, 2.0f, 3.0f)), 1e-4f);
    // Destroying it later leaves the former carrier alone.
    removeObject(crate);
    EXPECT_FALSE(transportShip->carryingCargo);
}

TEST_F(ControlsTest, ExplodingTheEnemyRemovesItAndItsEffects) {
    ShipObject* enemy = enemyShip;
    EffectObject* enemyTrail = enemy->attachedEffects.head->object;
    const int effectsBefore = listLength(effectList);
    press('E');
    runControls();
    EXPECT_FALSE(enemyAlive);
    EXPECT_EQ(enemyShip, nullptr);
    EXPECT_FALSE(holdsObject(enemy));
    EXPECT_FALSE(enemyTrail->active);
    EXPECT_EQ(listLength(effectList), effectsBefore + 1);
    EXPECT_TRUE(listEntry(effectList, effectsBefore)->active);
    EXPECT_EQ(selectedShip, &mainShip) << "another ship keeps the selection";
    EXPECT_TRUE(camera.following);
    finishPass(0.016f);
}

TEST_F(ControlsTest, ExplodingTheSelectedEnemyFreesTheCamera) {
    press(vk::F4);
    runControls();
    release(vk::F4);
    ASSERT_EQ(selectedShip, &enemyShip);
    finishPass(0.016f);

    press('E');
    press('2');
    runControls();
    EXPECT_EQ(selectedShip, nullptr);
    EXPECT_FALSE(camera.following);
    EXPECT_EQ(cameraMode, 1) << "the mode key found no ship";
    release('E');
    release('2');
    // The frames that follow never reach the destroyed ship.
    finishPass(0.016f);
    runControls();
    overlay->update(0.016f);
    finishPass(0.016f);
    EXPECT_FLOAT_EQ(overlay->color[1], 1.0f);
    EXPECT_FLOAT_EQ(overlay->color[0], 1.0f);
}

TEST_F(ControlsTest, ExplodeAndRespawnHeldTogetherRepeatEveryFrame) {
    press('E');
    press('R');
    runControls();
    EXPECT_FALSE(enemyAlive);
    const int objects = listLength(objectList);
    const int effects = listLength(effectList);
    for (int frame = 1; frame <= 3; ++frame) {
        finishPass(0.016f);
        runControls();
        EXPECT_FALSE(enemyAlive);
        EXPECT_EQ(listLength(objectList), objects);
        EXPECT_EQ(listLength(effectList), effects + 5 * frame);
    }
    // E does nothing without a selected ship; R still works.
    release('E');
    press('C');
    runControls();
    EXPECT_TRUE(enemyAlive);
    press('E');
    runControls();
    EXPECT_TRUE(enemyAlive);
}

TEST_F(ControlsTest, CameraModeKeys) {
    press('2');
    press('3');
    runControls();
    EXPECT_EQ(cameraMode, 3) << "the highest key wins";
    release('2');
    release('3');

    // C together with a mode key ends in the free camera with the mode unchanged.
    press('C');
    press('4');
    runControls();
    EXPECT_EQ(selectedShip, nullptr);
    EXPECT_FALSE(camera.following);
    EXPECT_EQ(cameraMode, 3);
    release('C');

    runControls();
    EXPECT_EQ(cameraMode, 3) << "mode keys do nothing for the free camera";
    release('4');
    press(vk::F3);
    runControls();
    EXPECT_EQ(cameraMode, 3) << "the stored mode returns with the next ship";
    EXPECT_TRUE(camera.following);
    EXPECT_EQ(camera.target, transportShip);
}
