// The additive-blended pictures: particle glow, fireball and reticle. The renderer adds each
// texel times the particle's colour to the frame, so black is invisible and every edge must be
// pure black or the square of the billboard shows.
#include <algorithm>
#include <cmath>

#include "tools/noise.h"
#include "tools/shape_coverage.h"
#include "tools/texture_painters.h"

namespace {

constexpr float kPi = 3.14159265f;

// Distance of a pixel centre from the picture's centre, in pixels.
float centreDistance(int x, int y, int size) {
    const float half = size * 0.5f;
    return std::hypot(x + 0.5f - half, y + 0.5f - half);
}

} // namespace

Image paintParticleGlow() {
    const int size = 64;
    // The glow reaches zero two pixels inside the edge, so the border rows round to pure black.
    const float radius = size * 0.5f - 2.0f;
    const float floor = std::exp(-4.0f);
    Image image(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float r = centreDistance(x, y, size) / radius;
            const float glow =
                r >= 1.0f ? 0.0f : (std::exp(-4.0f * r * r) - floor) / (1.0f - floor);
            image.at(x, y) = Color{1.0f, 1.0f, 1.0f} * glow;
        }
    return image;
}

Image paintFireball() {
    const int size = 128;
    const float half = size * 0.5f;
    const std::uint32_t seed = 41;
    Image image(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float dx = x + 0.5f - half;
            const float dy = y + 0.5f - half;
            // A ragged edge: the outline's radius wanders with the angle (periodic, no seam at
            // the angle's wrap-around).
            const float turn = (std::atan2(dy, dx) + kPi) / (2.0f * kPi);
            const float edge =
                half * (0.62f + 0.3f * fractalNoise(turn * 12.0f, 0.5f, 3, 12, seed));
            const float t = std::hypot(dx, dy) / edge;
            if (t >= 1.0f) {
                image.at(x, y) = Color{};
                continue;
            }
            const float flames = 0.7f + 0.5f * fractalNoise(x / 14.0f, y / 14.0f, 4, 0, seed + 1);
            const Color white{1.0f, 0.98f, 0.85f};
            const Color yellow{1.0f, 0.8f, 0.25f};
            const Color orange{1.0f, 0.45f, 0.06f};
            const Color red{0.6f, 0.08f, 0.02f};
            Color c;
            if (t < 0.2f)
                c = mix(white, yellow, t / 0.2f);
            else if (t < 0.5f)
                c = mix(yellow, orange, (t - 0.2f) / 0.3f) * flames;
            else
                c = mix(orange, red, (t - 0.5f) / 0.5f) * flames;
            // Fade to black over the outer fifth.
            const float fade = std::clamp((1.0f - t) / 0.25f, 0.0f, 1.0f);
            image.at(x, y) = c * fade;
        }
    return image;
}

Image paintReticle() {
    const int size = 64;
    const float c = size * 0.5f;
    Image image(size, size);
    for (int py = 0; py < size; ++py)
        for (int px = 0; px < size; ++px) {
            const float x = px + 0.5f;
            const float y = py + 0.5f;
            float d = ringDistance(x, y, c, c, 17.0f, 1.6f);
            // Four marks pointing inwards, with a gap at the centre to aim through.
            d = std::min(d, segmentDistance(x, y, c, c + 8.0f, c, c + 24.0f, 1.4f));
            d = std::min(d, segmentDistance(x, y, c, c - 8.0f, c, c - 24.0f, 1.4f));
            d = std::min(d, segmentDistance(x, y, c + 8.0f, c, c + 24.0f, c, 1.4f));
            d = std::min(d, segmentDistance(x, y, c - 8.0f, c, c - 24.0f, c, 1.4f));
            d = std::min(d, std::hypot(x - c, y - c) - 1.8f);
            const float line = coverageFromDistance(d);
            // A faint halo makes the thin lines glow instead of looking printed.
            const float halo = 0.25f * std::exp(-std::max(d, 0.0f) * 0.5f);
            const float level = std::max(line, d < 6.0f ? halo : 0.0f);
            image.at(px, py) = Color{1.0f, 1.0f, 1.0f} * level;
        }
    return image;
}
