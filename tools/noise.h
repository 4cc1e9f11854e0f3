// Deterministic noise for the texture painters. Everything is a pure function of its coordinates
// and a seed, so the generated files are the same on every build and every machine, and a painter
// never depends on the order in which it visits pixels.
#pragma once

#include <cstdint>

// A well-mixed 32-bit hash of two integers and a seed.
std::uint32_t hashCell(int x, int y, std::uint32_t seed);
// The same hash as a number in [0, 1).
float hashUnit(int x, int y, std::uint32_t seed);
// Smooth value noise in [0, 1) on a unit lattice. With period > 0 the lattice repeats every
// `period` cells along x, so a picture built from it wraps around without a seam.
float valueNoise(float x, float y, int period, std::uint32_t seed);
// Sum of `octaves` layers of value noise, each twice the frequency and half the weight of the one
// before; normalised to [0, 1). The period doubles with the frequency, so it stays seamless.
float fractalNoise(float x, float y, int octaves, int period, std::uint32_t seed);
