// World setup: the 61 crates, the three ships with their trails and guns, the transport's cargo,
// the optional background sphere and the overlay; and the enemy's (re)spawn.
#pragma once

void buildWorld();
void spawnEnemyShip();
// identity x scale(s) x Rx(-90) [x Rz(180) when turnAboutZ], column-major.
void makeModelTransform(float scale, bool turnAboutZ, float out[16]);
