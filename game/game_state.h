// The game state shared by world setup, the controls, the camera and the overlay.
#pragma once

#include <cstdint>

class ShipObject;

extern ShipObject* mainShip;
extern ShipObject* transportShip;
extern ShipObject* enemyShip; // null while no enemy exists
extern bool enemyAlive;
// Points at the global that holds the selected ship; null, or a null stored pointer, means the
// free camera.
extern ShipObject** selectedShip;
extern std::uint8_t shipType; // 1 "Kavo Ship", 2 "Kavo Transport", 3 "Kavo Enemy"
extern std::uint8_t cameraMode;
extern bool helpVisible;

// The ship the selection currently names, or null.
ShipObject* currentSelectedShip();
// Puts the game state, the camera and the key state back to their values before start-up, so a
// world can be built again in the same process (tests, benchmarks).
void resetGameState();
