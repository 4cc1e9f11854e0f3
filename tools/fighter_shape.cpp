// "Kavo Ship": a slim fuselage with a bubble canopy, swept wings carrying a gun pod under each
// tip, twin canted tail fins and two engines side by side in the tail.
#include "tools/hull_mapping.h"
#include "tools/shape_parts.h"
#include "tools/ship_shapes.h"

namespace {

// Where the program's engine trails start and its shots leave, in the ship's axes.
const Vec3 kNozzle = shipAxesToBody(0.1f, 0.0f, -0.6f);
const Vec3 kMuzzle = shipAxesToBody(0.9f, -0.09f, 0.0f);

void addFuselage(MeshBuilder& mesh) {
    addSectionLoft(mesh, Surface::Hull, octagonProfile(),
                   {pointSection({0.0f, -0.01f, -0.92f}), bodySection(-0.74f, 0.0f, 0.07f, 0.05f),
                    bodySection(-0.45f, 0.01f, 0.13f, 0.1f),
                    bodySection(-0.15f, 0.02f, 0.18f, 0.13f),
                    bodySection(0.25f, 0.02f, 0.21f, 0.13f), bodySection(0.5f, 0.01f, 0.19f, 0.11f),
                    bodySection(0.56f, 0.0f, 0.17f, 0.09f)},
                   Cap::none(), Cap::flat());
}

void addCanopy(MeshBuilder& mesh) {
    addSectionLoft(mesh, Surface::Glass, canopyProfile(),
                   {pointSection({0.0f, 0.1f, -0.52f}), bodySection(-0.36f, 0.1f, 0.07f, 0.065f),
                    bodySection(-0.15f, 0.12f, 0.1f, 0.09f),
                    bodySection(0.05f, 0.12f, 0.08f, 0.07f), pointSection({0.0f, 0.14f, 0.2f})},
                   Cap::none(), Cap::none());
}

std::vector<Section> rightWing() {
    return {wingSection({0.12f, -0.02f, 0.12f}, 0.75f, 0.06f),
            wingSection({0.5f, -0.04f, 0.2f}, 0.55f, 0.045f),
            wingSection({0.92f, -0.06f, 0.27f}, 0.36f, 0.035f)};
}

// A gun pod under the wingtip and the barrel that sticks out of its front; the barrel's front
// cap is centred on the muzzle.
void addGun(MeshBuilder& mesh, const Vec3& muzzle) {
    addTube(mesh, Surface::Metal, muzzle, 0.16f, 0.026f, 0.026f,
            Cap::round(Surface::Muzzle, muzzle), Cap::flat());
    const Vec3 axis{muzzle.x, muzzle.y, 0.0f};
    addSectionLoft(mesh, Surface::Hull, octagonProfile(),
                   {bodySection(0.07f, axis.y, 0.038f, 0.038f, axis.x),
                    bodySection(0.13f, axis.y, 0.06f, 0.06f, axis.x),
                    bodySection(0.42f, axis.y, 0.06f, 0.06f, axis.x),
                    pointSection({axis.x, axis.y, 0.55f})},
                   Cap::flat(), Cap::none());
}

std::vector<Section> rightFin() {
    return {finSection({0.1f, 0.06f, 0.38f}, 0.36f, 0.03f),
            finSection({0.27f, 0.34f, 0.5f}, 0.16f, 0.015f)};
}

void addEngine(MeshBuilder& mesh, const Vec3& nozzle) {
    addTube(mesh, Surface::Metal, nozzle - Vec3(0.0f, 0.0f, 0.16f), 0.16f, 0.06f, 0.07f,
            Cap::flat(), Cap::round(Surface::Nozzle, nozzle));
}

} // namespace

ShipShape buildFighterShape() {
    ShipShape shape{"Ship", {0.01f, true}, {}, {}};
    MeshBuilder& mesh = shape.mesh;
    addFuselage(mesh);
    addCanopy(mesh);
    addSectionLoft(mesh, Surface::Hull, airfoilProfile(), rightWing(), Cap::flat(), Cap::flat());
    addSectionLoft(mesh, Surface::Hull, airfoilProfile(), mirrored(rightWing()), Cap::flat(),
                   Cap::flat());
    addSectionLoft(mesh, Surface::Marking, diamondProfile(), rightFin(), Cap::flat(), Cap::flat());
    addSectionLoft(mesh, Surface::Marking, diamondProfile(), mirrored(rightFin()), Cap::flat(),
                   Cap::flat());
    for (const Vec3& nozzle : {kNozzle, Vec3(-kNozzle.x, kNozzle.y, kNozzle.z)}) {
        addEngine(mesh, nozzle);
        shape.hardpoints.push_back(nozzle);
    }
    for (const Vec3& muzzle : {kMuzzle, Vec3(-kMuzzle.x, kMuzzle.y, kMuzzle.z)}) {
        addGun(mesh, muzzle);
        shape.hardpoints.push_back(muzzle);
    }
    mapHullTexture(mesh, 1.5f);
    return shape;
}
