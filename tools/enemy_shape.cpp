// "Kavo Enemy": a dagger-like fuselage between two blades that curve forward like claws, engine
// pods raised on pylons behind, a twin gun on a dorsal turret and a ventral fin.
#include "tools/hull_mapping.h"
#include "tools/shape_parts.h"
#include "tools/ship_shapes.h"

namespace {

const Vec3 kNozzle = shipAxesToBody(0.45f, 0.52f, -1.5f);
const Vec3 kMuzzle = shipAxesToBody(0.1f, 0.7f, -0.4f);

Vec3 mirror(const Vec3& p) {
    return {-p.x, p.y, p.z};
}

void addFuselage(MeshBuilder& mesh) {
    const Profile hexagon{{1.0f, 0.0f},  {0.5f, 0.8f},   {-0.5f, 0.8f},
                          {-1.0f, 0.0f}, {-0.5f, -0.7f}, {0.5f, -0.7f}};
    addSectionLoft(mesh, Surface::Hull, hexagon,
                   {pointSection({0.0f, 0.22f, -1.5f}), bodySection(-1.1f, 0.24f, 0.09f, 0.07f),
                    bodySection(-0.5f, 0.28f, 0.18f, 0.13f), bodySection(0.2f, 0.32f, 0.24f, 0.18f),
                    bodySection(0.9f, 0.34f, 0.22f, 0.17f), bodySection(1.3f, 0.34f, 0.15f, 0.12f)},
                   Cap::none(), Cap::flat());
}

void addCanopy(MeshBuilder& mesh) {
    addSectionLoft(mesh, Surface::Glass, canopyProfile(),
                   {pointSection({0.0f, 0.33f, -0.95f}), bodySection(-0.6f, 0.35f, 0.08f, 0.07f),
                    bodySection(-0.3f, 0.37f, 0.09f, 0.08f), pointSection({0.0f, 0.4f, -0.05f})},
                   Cap::none(), Cap::none());
}

void addTurret(MeshBuilder& mesh) {
    addSectionLoft(mesh, Surface::Hull, octagonProfile(),
                   {bodySection(0.3f, 0.5f, 0.1f, 0.05f), bodySection(0.5f, 0.56f, 0.2f, 0.1f),
                    bodySection(0.95f, 0.56f, 0.18f, 0.1f), pointSection({0.0f, 0.5f, 1.08f})},
                   Cap::flat(), Cap::none());
}

void addBarrel(MeshBuilder& mesh, const Vec3& muzzle) {
    addTube(mesh, Surface::Metal, muzzle, 0.55f, 0.035f, 0.035f,
            Cap::round(Surface::Muzzle, muzzle), Cap::flat());
}

void addEnginePod(MeshBuilder& mesh, const Vec3& nozzle) {
    const float x = nozzle.x, y = nozzle.y;
    addSectionLoft(mesh, Surface::Hull, octagonProfile(),
                   {pointSection({x, y, 0.45f}), bodySection(0.6f, y, 0.07f, 0.07f, x),
                    bodySection(0.75f, y, 0.12f, 0.12f, x), bodySection(1.35f, y, 0.13f, 0.13f, x),
                    bodySection(nozzle.z, y, 0.11f, 0.11f, x)},
                   Cap::none(), Cap::round(Surface::Nozzle, nozzle));
}

std::vector<Section> rightPylon() {
    return {wingSection({0.15f, 0.38f, 1.0f}, 0.5f, 0.06f),
            wingSection({0.45f, 0.52f, 1.05f}, 0.45f, 0.05f)};
}

// A blade section across the blade's path: `heading` is the direction the blade runs (in the
// horizontal plane), `width` its extent across that direction.
Section bladeSection(const Vec3& centre, const Vec3& heading, float width, float thickness) {
    const Vec3 h = heading.normalized();
    const Vec3 across{-h.z, 0.0f, h.x};
    return {centre, across * width, {0.0f, thickness, 0.0f}};
}

// Out from the fuselage, then bending forward into a point beside the nose.
std::vector<Section> rightBlade() {
    return {bladeSection({0.15f, 0.26f, 0.45f}, {1.0f, 0.0f, 0.0f}, 1.0f, 0.08f),
            bladeSection({0.48f, 0.22f, 0.55f}, {1.0f, 0.0f, -0.3f}, 0.62f, 0.06f),
            bladeSection({0.64f, 0.18f, 0.15f}, {0.3f, 0.0f, -1.0f}, 0.28f, 0.05f),
            bladeSection({0.6f, 0.15f, -0.4f}, {-0.3f, 0.0f, -1.0f}, 0.18f, 0.04f),
            pointSection({0.4f, 0.12f, -1.0f})};
}

std::vector<Section> ventralFin() {
    return {finSection({0.0f, 0.22f, 0.85f}, 0.7f, 0.06f),
            finSection({0.0f, -0.2f, 1.15f}, 0.35f, 0.03f)};
}

} // namespace

ShipShape buildEnemyShape() {
    ShipShape shape{"Enemy", {0.05f, true}, {}, {}};
    MeshBuilder& mesh = shape.mesh;
    addFuselage(mesh);
    addCanopy(mesh);
    addTurret(mesh);
    addSectionLoft(mesh, Surface::Hull, airfoilProfile(), rightBlade(), Cap::flat(), Cap::none());
    addSectionLoft(mesh, Surface::Hull, airfoilProfile(), mirrored(rightBlade()), Cap::flat(),
                   Cap::none());
    addSectionLoft(mesh, Surface::Hull, airfoilProfile(), rightPylon(), Cap::flat(), Cap::flat());
    addSectionLoft(mesh, Surface::Hull, airfoilProfile(), mirrored(rightPylon()), Cap::flat(),
                   Cap::flat());
    addSectionLoft(mesh, Surface::Marking, diamondProfile(), ventralFin(), Cap::flat(),
                   Cap::flat());
    for (const Vec3& nozzle : {kNozzle, mirror(kNozzle)}) {
        addEnginePod(mesh, nozzle);
        shape.hardpoints.push_back(nozzle);
    }
    for (const Vec3& muzzle : {kMuzzle, mirror(kMuzzle)}) {
        addBarrel(mesh, muzzle);
        shape.hardpoints.push_back(muzzle);
    }
    mapHullTexture(mesh, 1.5f);
    return shape;
}
