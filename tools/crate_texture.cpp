// The crate face: a steel frame with bolts around a brushed panel, and our round "K" emblem.
#include <algorithm>
#include <cmath>

#include "tools/noise.h"
#include "tools/shape_coverage.h"
#include "tools/texture_painters.h"

namespace {

constexpr int kCrateSize = 256;
constexpr float kFrameWidth = 22.0f;
constexpr std::uint32_t kCrateSeed = 11;

const Color kFrameSteel{0.42f, 0.45f, 0.5f};
const Color kPanelSteel{0.58f, 0.6f, 0.62f};
const Color kDarkEdge{0.1f, 0.1f, 0.12f};
const Color kEmblemPaint{0.96f, 0.62f, 0.1f};
const Color kHazardYellow{0.92f, 0.76f, 0.12f};

float distanceToBorder(float x, float y) {
    return std::min({x, y, kCrateSize - x, kCrateSize - y});
}

Color framePixel(float x, float y) {
    const float border = distanceToBorder(x, y);
    Color c = kFrameSteel * (0.9f + 0.2f * fractalNoise(x / 32.0f, y / 32.0f, 3, 0, kCrateSeed));
    // Bevels: light on the outer edge, dark where the frame meets the panel.
    if (border < 2.0f)
        c = c * 1.35f;
    else if (border > kFrameWidth - 3.0f)
        c = mix(c, kDarkEdge, 0.7f);
    // Hazard stripes along the bottom rail, as on cargo that a hauler picks up by crane.
    const bool bottomRail = y < kFrameWidth && x > kFrameWidth && x < kCrateSize - kFrameWidth;
    if (bottomRail && border > 3.0f && border < kFrameWidth - 4.0f) {
        const bool yellow = static_cast<int>(std::floor((x + y) / 12.0f)) % 2 == 0;
        c = yellow ? kHazardYellow * 0.9f : kDarkEdge;
    }
    return c;
}

Color panelPixel(float x, float y) {
    // Brushed steel: fine horizontal streaks over a soft cloudy wear pattern.
    const float streaks = 0.9f + 0.1f * valueNoise(x / 40.0f, y * 1.3f, 0, kCrateSeed + 1);
    const float wear = 0.9f + 0.15f * fractalNoise(x / 48.0f, y / 48.0f, 4, 0, kCrateSeed + 2);
    return kPanelSteel * (streaks * wear);
}

float boltDistance(float x, float y) {
    float d = 1e9f;
    const float inset = kFrameWidth * 0.5f;
    for (float bx : {inset, kCrateSize - inset})
        for (float by : {inset, kCrateSize - inset})
            d = std::min(d, std::hypot(x - bx, y - by) - 5.0f);
    return d;
}

} // namespace

Image paintCrateTexture() {
    Image image(kCrateSize, kCrateSize);
    const float centre = kCrateSize * 0.5f;
    for (int py = 0; py < kCrateSize; ++py)
        for (int px = 0; px < kCrateSize; ++px) {
            const float x = px + 0.5f;
            const float y = py + 0.5f;
            Color c = distanceToBorder(x, y) < kFrameWidth ? framePixel(x, y) : panelPixel(x, y);

            const float bolt = coverageFromDistance(boltDistance(x, y));
            c = mix(c, Color{0.75f, 0.77f, 0.8f}, bolt);

            // The emblem: a dark disc, an orange ring and a bold K.
            const float disc = coverageFromDistance(std::hypot(x - centre, y - centre) - 78.0f);
            c = mix(c, kDarkEdge * 1.5f, disc * 0.85f);
            const float ring =
                coverageFromDistance(ringDistance(x, y, centre, centre, 70.0f, 6.0f));
            const float letter =
                coverageFromDistance(letterKDistance(x, y, 84.0f, 78.0f, 182.0f, 178.0f));
            c = mix(c, kEmblemPaint, std::max(ring, letter));
            image.at(px, py) = c;
        }
    return image;
}
