// The background: stars and a band of nebula around a sphere. The sphere maps u once around its
// axis and v from pole to pole, so the picture must join itself at u = 0 and u = 1 (everything
// here is periodic in x) and must thin its stars towards the poles, where a whole row of pixels
// shrinks to a point.
#include <algorithm>
#include <cmath>

#include "tools/noise.h"
#include "tools/texture_painters.h"

namespace {

constexpr int kSkyWidth = 1024;
constexpr int kSkyHeight = 512;
constexpr std::uint32_t kSkySeed = 21;
constexpr float kPi = 3.14159265f;
// Expected stars per pixel at the equator.
constexpr float kStarDensity = 0.012f;
// Rows closer to a pole than this are treated as this wide, which bounds how far a star spreads.
constexpr float kNarrowestRow = 0.02f;
// The background sphere is drawn with 16 stacks from pole to pole.
constexpr int kPoleCapRows = kSkyHeight / 16;

const Color kDeepSpace{0.006f, 0.008f, 0.018f};

int wrapX(int x) {
    return ((x % kSkyWidth) + kSkyWidth) % kSkyWidth;
}

// Where the nebula band crosses each meridian: a wave that returns to its start after one turn.
float bandCentre(float u) {
    return 0.5f + 0.11f * std::sin(2.0f * kPi * u) + 0.04f * std::sin(6.0f * kPi * u + 1.0f);
}

Color nebulaPixel(int x, int y) {
    const float u = (x + 0.5f) / kSkyWidth;
    const float v = (y + 0.5f) / kSkyHeight;
    const float offset = (v - bandCentre(u)) / 0.16f;
    const float band = std::exp(-offset * offset);
    const int cells = 8;
    const float nx = u * cells;
    const float ny = v * cells * 0.5f;
    const float clouds = fractalNoise(nx, ny, 5, cells, kSkySeed);
    const float density = std::clamp((clouds - 0.3f) * 2.6f, 0.0f, 1.0f) * band;
    const float hue = fractalNoise(nx * 0.5f, ny * 0.5f, 3, cells / 2, kSkySeed + 9);
    const Color violet{0.34f, 0.1f, 0.42f};
    const Color teal{0.06f, 0.26f, 0.38f};
    const Color rose{0.45f, 0.12f, 0.2f};
    const Color tint =
        hue < 0.5f ? mix(teal, violet, hue * 2.0f) : mix(violet, rose, hue * 2.0f - 1.0f);
    return tint * (density * 0.9f) + tint * (band * 0.12f);
}

Color starColor(float temperature) {
    const Color cool{1.0f, 0.82f, 0.62f};
    const Color hot{0.7f, 0.82f, 1.0f};
    return mix(cool, hot, temperature);
}

// Adds a star of one texel (the brightest with a soft halo around it), as it will look on the
// sphere: a row at polar angle theta is sin(theta) times shorter there than at the equator, so
// the star is drawn 1 / sin(theta) times wider in u to stay round instead of a streak towards the
// pole. Wraps around in x.
void addStar(Image& image, int x, int y, float brightness, const Color& colour) {
    const float rowScale = std::max(std::sin(kPi * (y + 0.5f) / kSkyHeight), kNarrowestRow);
    const int reach = brightness > 0.7f ? 1 : 0;
    const int reachU = static_cast<int>(std::ceil((reach + 0.5f) / rowScale));
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reachU; dx <= reachU; ++dx) {
            const int sy = y + dy;
            if (sy < 0 || sy >= kSkyHeight)
                continue;
            const float across = dx * rowScale;
            const float falloff = std::exp(-(across * across + dy * dy) * 1.6f);
            Color& pixel = image.at(wrapX(x + dx), sy);
            pixel = pixel + colour * (brightness * falloff);
        }
}

} // namespace

Image paintStarField() {
    Image image(kSkyWidth, kSkyHeight);
    for (int y = 0; y < kSkyHeight; ++y)
        for (int x = 0; x < kSkyWidth; ++x)
            image.at(x, y) = kDeepSpace + nebulaPixel(x, y);

    for (int y = 0; y < kSkyHeight; ++y) {
        // A row's share of the sphere's surface is proportional to the sine of its polar angle.
        // The sphere's first and last stacks are fans of triangles meeting at the pole, which
        // smear whatever lies there; those rows stay dark.
        const float rowArea = std::sin(kPi * (y + 0.5f) / kSkyHeight);
        if (y < kPoleCapRows || y >= kSkyHeight - kPoleCapRows)
            continue;
        for (int x = 0; x < kSkyWidth; ++x) {
            if (hashUnit(x, y, kSkySeed + 1) >= kStarDensity * rowArea)
                continue;
            // Most stars faint, a few bright: a steep power of a uniform number.
            const float brightness = 0.15f + 0.95f * std::pow(hashUnit(x, y, kSkySeed + 2), 6.0f);
            addStar(image, x, y, brightness, starColor(hashUnit(x, y, kSkySeed + 3)));
        }
    }
    return image;
}
