// The seven textures of the program, each painted by our own code from noise and simple shapes.
// Every painter returns a new picture of a fixed power-of-two size.
#pragma once

#include <cstdint>

#include "tools/image.h"

// Colours and the seed of one hull skin; both skins share the layout of hull_atlas.h.
struct HullPalette {
    Color plating;     // the panels in full light
    Color seam;        // panel joints
    Color stripe;      // the thin lengthwise stripes on the plating
    Color markingBase; // the painted surfaces (fins, tails)
    Color markingSign; // the sign painted on them
    Color glassDeep;   // canopy glass, lower edge
    Color glassSky;    // canopy glass, upper edge (reflected sky)
    Color engineGlow;  // the hot centre of a nozzle
    std::uint32_t seed;
    bool chevronSign; // the enemy's angular chevrons instead of our round "K" badge
};

HullPalette kavoHullPalette();
HullPalette enemyHullPalette();

// 256 x 256: six shade bands of plating, then glass, metal, marking, nozzle and muzzle.
Image paintHullTexture(const HullPalette& palette);
// 256 x 256: one face of a steel crate with our "K" emblem.
Image paintCrateTexture();
// 1024 x 512: stars and nebulae around a sphere, u around it, v from pole to pole.
Image paintStarField();
// 64 x 64: a soft white glow, black at the edges (particles blend additively).
Image paintParticleGlow();
// 128 x 128: a fireball, white core through orange and red flames to black.
Image paintFireball();
// 64 x 64: a bright aiming ring with cross marks on black.
Image paintReticle();
