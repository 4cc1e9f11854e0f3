// "Kavo Transport": a boxy forward hull with a slanted bridge window, a spine that runs back over
// the cargo bay, clamps that hold the crate at its sides, and two engine nacelles far out on
// drooping pylons. Each nacelle has a nozzle at the back and a reverse-thrust outlet at the front.
#include "tools/hull_mapping.h"
#include "tools/shape_parts.h"
#include "tools/ship_shapes.h"

namespace {

const Vec3 kNozzle = shipAxesToBody(1.95f, -0.17f, -2.55f);
const Vec3 kReverseOutlet = shipAxesToBody(1.95f, -0.17f, -1.0f);

// The carried 2 x 2 x 2 crate sits with its centre at (0, -0.4, -1.0) in the ship's axes: the
// body box x -1..1, y -1.4..0.6, z 0..2. Nothing of the hull may enter it.
constexpr float kBayTop = 0.6f;
constexpr float kBaySide = 1.0f;
constexpr float kBayBottom = -1.4f;

Vec3 mirror(const Vec3& p) {
    return {-p.x, p.y, p.z};
}

void addForwardHull(MeshBuilder& mesh) {
    addSectionLoft(mesh, Surface::Hull, boxyProfile(),
                   {bodySection(-3.3f, -0.2f, 0.3f, 0.25f), bodySection(-3.0f, -0.12f, 0.7f, 0.5f),
                    bodySection(-2.4f, -0.1f, 0.92f, 0.7f), bodySection(-0.8f, -0.1f, 0.95f, 0.72f),
                    bodySection(-0.1f, -0.1f, 0.85f, 0.65f)},
                   Cap::flat(), Cap::flat());
}

// The bridge sits on top of the nose: a wedge of glass in front of a low superstructure.
void addBridge(MeshBuilder& mesh) {
    addSectionLoft(
        mesh, Surface::Glass, boxyProfile(),
        {bodySection(-2.95f, 0.5f, 0.3f, 0.08f), bodySection(-2.55f, 0.7f, 0.56f, 0.24f)},
        Cap::flat(), Cap::flat());
    addSectionLoft(mesh, Surface::Hull, boxyProfile(),
                   {bodySection(-2.56f, 0.7f, 0.56f, 0.24f), bodySection(-1.6f, 0.7f, 0.56f, 0.24f),
                    bodySection(-1.2f, 0.62f, 0.4f, 0.12f)},
                   Cap::flat(), Cap::flat());
}

void addSpine(MeshBuilder& mesh) {
    addSectionLoft(mesh, Surface::Hull, boxyProfile(),
                   {bodySection(-0.5f, 0.9f, 0.5f, 0.2f), bodySection(2.2f, 0.9f, 0.5f, 0.2f),
                    bodySection(2.5f, 0.9f, 0.34f, 0.14f)},
                   Cap::flat(), Cap::flat());
}

// The cradle: a beam across above the crate and an arm with a hook down each side.
void addCargoClamps(MeshBuilder& mesh) {
    const float front = 0.78f, back = 1.22f;
    mesh.beginPart(Surface::Metal);
    mesh.addBox({-1.24f, kBayTop + 0.04f, front}, {1.24f, kBayTop + 0.2f, back});
    mesh.endPart();
    for (float side : {1.0f, -1.0f}) {
        const float inner = kBaySide + 0.05f, outer = kBaySide + 0.22f;
        mesh.beginPart(Surface::Metal);
        mesh.addBox({side > 0 ? inner : -outer, kBayBottom - 0.12f, front},
                    {side > 0 ? outer : -inner, kBayTop + 0.2f, back});
        mesh.endPart();
        mesh.beginPart(Surface::Metal);
        mesh.addBox({side > 0 ? 0.75f : -outer, kBayBottom - 0.12f, front},
                    {side > 0 ? outer : -0.75f, kBayBottom - 0.03f, back});
        mesh.endPart();
    }
}

std::vector<Section> rightPylon() {
    return {wingSection({0.4f, 0.9f, 1.3f}, 1.5f, 0.12f),
            wingSection({1.3f, 0.84f, 1.5f}, 1.3f, 0.1f),
            wingSection({1.95f, 0.12f, 1.75f}, 1.1f, 0.1f)};
}

void addNacelle(MeshBuilder& mesh, const Vec3& outlet, const Vec3& nozzle) {
    const float x = nozzle.x, y = nozzle.y;
    addSectionLoft(mesh, Surface::Hull, octagonProfile(),
                   {bodySection(outlet.z, y, 0.26f, 0.26f, x),
                    bodySection(1.12f, y, 0.36f, 0.36f, x), bodySection(1.3f, y, 0.4f, 0.4f, x),
                    bodySection(2.3f, y, 0.4f, 0.4f, x), bodySection(2.45f, y, 0.36f, 0.36f, x),
                    bodySection(nozzle.z, y, 0.33f, 0.33f, x)},
                   Cap::round(Surface::Nozzle, outlet), Cap::round(Surface::Nozzle, nozzle));
}

std::vector<Section> rightStabiliser() {
    return {wingSection({2.3f, -0.17f, 1.9f}, 0.9f, 0.07f),
            wingSection({2.6f, -0.22f, 2.15f}, 0.45f, 0.04f)};
}

std::vector<Section> tailFin() {
    return {finSection({0.0f, 1.0f, 1.9f}, 1.1f, 0.1f),
            finSection({0.0f, 1.6f, 2.25f}, 0.5f, 0.05f)};
}

} // namespace

ShipShape buildTransportShape() {
    ShipShape shape{"Transp", {0.07f, false}, {}, {}};
    MeshBuilder& mesh = shape.mesh;
    addForwardHull(mesh);
    addBridge(mesh);
    addSpine(mesh);
    addCargoClamps(mesh);
    addSectionLoft(mesh, Surface::Hull, airfoilProfile(), rightPylon(), Cap::flat(), Cap::flat());
    addSectionLoft(mesh, Surface::Hull, airfoilProfile(), mirrored(rightPylon()), Cap::flat(),
                   Cap::flat());
    addSectionLoft(mesh, Surface::Marking, airfoilProfile(), rightStabiliser(), Cap::flat(),
                   Cap::flat());
    addSectionLoft(mesh, Surface::Marking, airfoilProfile(), mirrored(rightStabiliser()),
                   Cap::flat(), Cap::flat());
    addSectionLoft(mesh, Surface::Marking, diamondProfile(), tailFin(), Cap::flat(), Cap::flat());
    addNacelle(mesh, kReverseOutlet, kNozzle);
    addNacelle(mesh, mirror(kReverseOutlet), mirror(kNozzle));
    shape.hardpoints = {kNozzle, mirror(kNozzle), kReverseOutlet, mirror(kReverseOutlet)};
    mapHullTexture(mesh, 3.0f);
    return shape;
}
