// Texture coordinates for a ship mesh on the hull atlas (hull_atlas.h). Hull faces are projected
// onto the plane they face most and placed in the shade band that matches the light they would
// catch from a sun above and ahead; glass, metal and markings are projected onto their own
// rectangle, spread over the solid they belong to. Round caps keep the coordinates they got when
// they were built.
#pragma once

#include "tools/mesh_builder.h"

// `textureSpan`: body units of hull length covered by one repeat of the plating.
void mapHullTexture(MeshBuilder& mesh, float textureSpan);
// The shade band a face with this unit normal is mapped into.
int shadeBandFor(const Vec3& normal);
