#include "game/world.h"
void buildWorld() {}
void spawnEnemyShip() {}
void makeModelTransform(float, bool, float*) {}
