#include "game/game_state.h"
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
