// Building blocks of the ship shapes: solids lofted through cross-sections (fuselages, wings,
// fins), tubes along the body's z axis (engines, gun barrels) and mirror images for the other
// side of the ship. All in body coordinates: x right, y up, the nose towards -z.
#pragma once

#include <utility>
#include <vector>

#include "tools/mesh_builder.h"

// A cross-section's outline: points (a, b) in units of the section's `across` and `up` vectors.
using Profile = std::vector<std::pair<float, float>>;

struct Section {
    Vec3 centre;
    Vec3 across; // the profile's a axis, scaled to the section's half size
    Vec3 up;     // the profile's b axis, scaled likewise
};

// Outlines used by the ships.
Profile octagonProfile(); // round-ish fuselage, flatter underneath
Profile boxyProfile();    // a box with chamfered edges
Profile canopyProfile();  // a dome over a flat base
Profile airfoilProfile(); // a lens, blunt nose towards -a
Profile diamondProfile(); // thin fins

// A fuselage section across the body: centred at (x, y, z), half width and half height.
Section bodySection(float z, float y, float halfWidth, float halfHeight, float x = 0.0f);
// A point: where a loft closes to a nose or a tip.
Section pointSection(const Vec3& point);
// A wing section: chord along z, thickness along y.
Section wingSection(const Vec3& centre, float chord, float thickness);
// A fin section: chord along z, thickness along x.
Section finSection(const Vec3& centre, float chord, float thickness);
// The same section on the other side of the ship (x negated).
Section mirrored(const Section& section);
std::vector<Section> mirrored(const std::vector<Section>& sections);

void addSectionLoft(MeshBuilder& mesh, Surface surface, const Profile& profile,
                    const std::vector<Section>& sections, const Cap& first, const Cap& last);
// A round tube along z from `front` (its forward end) backwards by `length`, radius changing from
// `frontRadius` to `backRadius`.
void addTube(MeshBuilder& mesh, Surface surface, const Vec3& front, float length, float frontRadius,
             float backRadius, const Cap& frontCap, const Cap& backCap);
