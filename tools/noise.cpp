#include "tools/noise.h"

#include <cmath>

namespace {

int wrapCell(int cell, int period) {
    if (period <= 0)
        return cell;
    const int wrapped = cell % period;
    return wrapped < 0 ? wrapped + period : wrapped;
}

// Smoothstep weight: the noise has no visible creases along the lattice lines.
float fade(float t) {
    return t * t * (3.0f - 2.0f * t);
}

float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

} // namespace

std::uint32_t hashCell(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hashUnit(int x, int y, std::uint32_t seed) {
    return static_cast<float>(hashCell(x, y, seed) >> 8) / 16777216.0f;
}

float valueNoise(float x, float y, int period, std::uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const float tx = fade(x - fx);
    const float ty = fade(y - fy);
    const int xa = wrapCell(x0, period);
    const int xb = wrapCell(x0 + 1, period);
    const float bottom = lerp(hashUnit(xa, y0, seed), hashUnit(xb, y0, seed), tx);
    const float top = lerp(hashUnit(xa, y0 + 1, seed), hashUnit(xb, y0 + 1, seed), tx);
    return lerp(bottom, top, ty);
}

float fractalNoise(float x, float y, int octaves, int period, std::uint32_t seed) {
    float sum = 0.0f;
    float weight = 1.0f;
    float totalWeight = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * valueNoise(x, y, period, seed + static_cast<std::uint32_t>(octave));
        totalWeight += weight;
        x *= 2.0f;
        y *= 2.0f;
        period *= 2;
        weight *= 0.5f;
    }
    return sum / totalWeight;
}
