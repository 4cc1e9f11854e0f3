// The layout shared by the two hull skins ("ship_tex.bmp", "enemy_tex.bmp") and the texture
// coordinates of the ship meshes. The program draws the ships without lighting, so their shading
// is painted in: the lower three quarters of the texture hold the same hull plating at six
// brightness levels, and each face of a mesh is mapped into the band that matches how much light
// its normal would catch. The top quarter holds the small surfaces: canopy glass, dark metal,
// paint markings, engine nozzles and gun muzzles.
#pragma once

constexpr int kHullTextureSize = 256;
constexpr int kShadeBands = 6;
constexpr int kShadeBandHeight = 32; // pixels; six bands fill rows 0..191

// A rectangle of the texture in texture coordinates (0..1, t = 0 at the bottom row).
struct AtlasRect {
    float u0, v0, u1, v1;
};

// Band 0 is the darkest (faces turned away from the light), band kShadeBands - 1 the brightest.
AtlasRect shadeBandRect(int band);
AtlasRect glassRect();
AtlasRect metalRect();
AtlasRect markingRect();
// Round pictures, mapped onto end caps centre to centre.
AtlasRect nozzleRect();
AtlasRect muzzleRect();

// How bright the plating of each band is painted, 0..1.
float shadeBandBrightness(int band);
