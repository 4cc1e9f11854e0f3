// The three ships, each designed in body coordinates around the points where the program puts
// their engine exhaust and their shots: every nozzle and every gun barrel ends in a cap whose
// centre vertex is exactly such a point. An offset (x, y, z) in a ship's axes (z along the nose)
// is the body point (x, y, -z), because the nose is the body's -z axis.
#pragma once

#include <vector>

#include "tools/mesh_builder.h"
#include "tools/model_frame.h"

struct ShipShape {
    const char* meshName; // also the name of the file's one object node
    ModelFrame frame;     // the program's model transform for this kind of ship
    MeshBuilder mesh;     // body coordinates, texture-mapped onto the hull atlas
    // Nozzle and muzzle centres in body coordinates, as the shape placed them.
    std::vector<Vec3> hardpoints;
};

// "Kavo Ship": a small fighter, about 2 wide and 1.5 long, with a gun under each wingtip.
ShipShape buildFighterShape();
// "Kavo Transport": about 5 wide and 6 long, engines far apart, a crate slung under its spine.
ShipShape buildTransportShape();
// "Kavo Enemy": about 1.5 wide and 3 long, two claw-like blades and a dorsal twin gun.
ShipShape buildEnemyShape();

// A point given in a ship's axes (x right, y up, z along the nose) as a body point.
inline Vec3 shipAxesToBody(float x, float y, float z) {
    return {x, y, -z};
}
