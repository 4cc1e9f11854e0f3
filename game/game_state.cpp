// The game state shared by world setup, the controls, the camera and the overlay.
#include "game/game_state.h"

#include <cstring>

#include "app/app_window.h"
#include "math/camera.h"

ShipObject* mainShip = nullptr;
ShipObject* transportShip = nullptr;
ShipObject* enemyShip = nullptr;
bool enemyAlive = false;
ShipObject** selectedShip = nullptr;
std::uint8_t shipType = 1;
std::uint8_t cameraMode = 1;
bool helpVisible = false;

ShipObject* currentSelectedShip() {
    return selectedShip ? *selectedShip : nullptr;
}

void resetGameState() {
    mainShip = nullptr;
    transportShip = nullptr;
    enemyShip = nullptr;
    enemyAlive = false;
    selectedShip = nullptr;
    shipType = 1;
    cameraMode = 1;
    helpVisible = false;
    camera = Camera();
    std::memset(keyState, 0, sizeof keyState);
}
