// World setup: the 61 crates, the three ships with their trails and guns, the transport's cargo,
// the optional background sphere and the overlay; and the enemy's (re)spawn.
#pragma once

class ShipObject;

void buildWorld();
void spawnEnemyShip();
// A ship's model read, turned into geometry (vertex buffers when supported, else a display list)
// and textured; not yet placed, listed or armed.
ShipObject* createShipModel(const char* modelFile, const char* textureFile, float scale,
                            bool turnAboutZ);
// identity x scale(s) x Rx(-90) [x Rz(180) when turnAboutZ], column-major.
void makeModelTransform(float scale, bool turnAboutZ, float out[16]);
