// The per-frame controls: one fixed pass over the key state that flies the selected ship (or the
// free camera), switches ships and camera modes, fires, drops the cargo, and explodes or respawns
// the enemy. Runs after the frame is drawn and before the tick, so the tick moves what it changes.
// Depends on the shell's key state, the camera, the ships, the explosion effect and world setup.
#include "game/controls.h"

#include <cstdint>

#include "app/app_window.h"
#include "app/object_list.h"
#include "effects/explosion_effect.h"
#include "effects/gun_fire.h"
#include "game/game_state.h"
#include "game/world.h"
#include "math/camera.h"
#include "platform/events.h"
#include "scene/model_object.h"

namespace {

namespace vk = platform::vk;

constexpr float kFreeCameraSpeed = 10.0f; // world units per second along the view

bool isDown(std::uint32_t key) {
    return keyState[key] != 0;
}

// Once keys act per key-down message: clearing the byte waits for the next (auto-repeated) one.
bool takeOnceKey(std::uint32_t key) {
    if (!isDown(key))
        return false;
    keyState[key] = 0;
    return true;
}

// The selection at the start of the pass governs the whole pass, even if a key below changes it.
ShipObject* takeSelectedShip() {
    ShipObject* ship = currentSelectedShip();
    // Without a ship nothing may follow one; this also covers a slot whose ship is gone, so the
    // camera never keeps following a destroyed target.
    if (!ship)
        camera.following = false;
    return ship;
}

void handleHelpKey() {
    if (takeOnceKey(vk::F1))
        helpVisible = !helpVisible;
}

// The camera keeps its mode and takes up the new ship at the distance its kind needs.
void selectShip(std::uint8_t type, ShipObject** slot) {
    shipType = type;
    selectedShip = slot;
    setCameraMode(cameraMode);
}

void handleShipSelectionKeys() {
    if (takeOnceKey(vk::F2))
        selectShip(1, &mainShip);
    if (takeOnceKey(vk::F3))
        selectShip(2, &transportShip);
    // While there is no enemy the key stays set, so a held F4 selects the next one to appear.
    if (enemyAlive && takeOnceKey(vk::F4))
        selectShip(3, &enemyShip);
}

// A ship takes the last key per axis; the free camera turns for each key, so opposites cancel.
void handleTurnKeys(ShipObject* ship) {
    if (ship) {
        if (isDown(vk::Numpad4))
            ship->turnInput.y = 1.0f;
        if (isDown(vk::Numpad6))
            ship->turnInput.y = -1.0f;
        if (isDown(vk::Numpad8))
            ship->turnInput.x = 1.0f;
        if (isDown(vk::Numpad2))
            ship->turnInput.x = -1.0f;
        if (isDown(vk::Numpad7))
            ship->turnInput.z = 1.0f;
        if (isDown(vk::Numpad9))
            ship->turnInput.z = -1.0f;
        return;
    }
    if (isDown(vk::Numpad4))
        camera.yaw(1.0f);
    if (isDown(vk::Numpad6))
        camera.yaw(-1.0f);
    if (isDown(vk::Numpad8))
        camera.pitch(1.0f);
    if (isDown(vk::Numpad2))
        camera.pitch(-1.0f);
    if (isDown(vk::Numpad7))
        camera.roll(-1.0f);
    if (isDown(vk::Numpad9))
        camera.roll(1.0f);
}

// Each gun keeps its own interval, so holding the key fires at the gun's rate.
void handleFireKey(ShipObject* ship) {
    if (!ship || !isDown(vk::Space))
        return;
    for (Weapon* gun : ship->guns)
        if (gun)
            gun->fire();
}

// Not cleared: enemyAlive keeps a held key from spawning again.
void handleRespawnKey() {
    if (isDown('R') && !enemyAlive)
        spawnEnemyShip();
}

void flyFreeCamera() {
    if (isDown('Q'))
        camera.eye += camera.direction * (kFreeCameraSpeed * camera.lastDt);
    if (isDown('A'))
        camera.eye += camera.direction * (-kFreeCameraSpeed * camera.lastDt);
}

void handleEngineKeys(ShipObject* ship) {
    ship->powerChange = 0.0f;
    if (isDown('Q'))
        ship->powerChange = 1.0f;
    if (isDown('A'))
        ship->powerChange = -1.0f;
    if (isDown('S'))
        ship->enginePower = 0.0f;
}

void handleCompensatorKey(ShipObject* ship) {
    if (takeOnceKey('W'))
        ship->compensatorOn = !ship->compensatorOn;
}

// The crate leaves with the ship's motion of this moment and then drifts on its own.
void handleDropCargoKey(ShipObject* ship) {
    if (!isDown('D') || !ship->carryingCargo || !ship->cargo)
        return;
    ship->cargo->velocity = ship->currentVelocity();
    ship->cargo = nullptr;
    ship->carryingCargo = false;
}

void explodeEnemy() {
    auto* explosion = new ExplosionEffect;
    // The explosion copies what it needs now: the enemy is destroyed right below.
    explosion->init("expl.bmp", enemyShip);
    appendEffect(explosion);
    enemyAlive = false;
    if (selectedShip && *selectedShip == enemyShip) {
        camera.following = false;
        selectedShip = nullptr;
    }
    removeObject(enemyShip);
    enemyShip = nullptr;
}

void handleExplodeKey() {
    if (isDown('E') && enemyAlive)
        explodeEnemy();
}

// The camera stays where it is and is flown by hand from the next frame on.
void handleFreeCameraKey() {
    if (!isDown('C'))
        return;
    camera.following = false;
    selectedShip = nullptr;
}

// The highest-numbered key held wins; holding it changes the mode only once.
void handleCameraModeKeys() {
    std::uint8_t mode = 0;
    for (std::uint8_t m = 1; m <= 4; ++m)
        if (isDown('0' + m))
            mode = m;
    if (mode != 0 && mode != cameraMode)
        setCameraMode(mode);
}

} // namespace

void runControls() {
    ShipObject* ship = takeSelectedShip();

    handleHelpKey();
    handleShipSelectionKeys();
    handleTurnKeys(ship);
    handleFireKey(ship);
    handleRespawnKey();

    if (!ship) {
        flyFreeCamera();
        return;
    }
    handleEngineKeys(ship);
    handleCompensatorKey(ship);
    handleDropCargoKey(ship);
    handleExplodeKey();
    handleFreeCameraKey();
    handleCameraModeKeys();
}
