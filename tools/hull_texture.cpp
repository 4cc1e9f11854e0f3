// The hull skins: riveted plating in six brightness bands, and the small surfaces above them.
#include <algorithm>
#include <cmath>

#include "tools/hull_atlas.h"
#include "tools/noise.h"
#include "tools/shape_coverage.h"
#include "tools/texture_painters.h"

namespace {

constexpr int kPanelLength = 64; // pixels along a band (along the ship) between transverse seams
constexpr int kRivetSpacing = 8;
constexpr float kPi = 3.14159265f;

struct PixelRect {
    int x0, y0, x1, y1;
};

PixelRect toPixels(const AtlasRect& rect) {
    const float size = static_cast<float>(kHullTextureSize);
    return {static_cast<int>(std::lround(rect.u0 * size)),
            static_cast<int>(std::lround(rect.v0 * size)),
            static_cast<int>(std::lround(rect.u1 * size)),
            static_cast<int>(std::lround(rect.v1 * size))};
}

// Grime and wear: a few percent of darkening that breaks up the flat colour. Periodic along the
// band, because the meshes let u run past 1 and the texture repeats.
float grime(int x, int y, std::uint32_t seed) {
    const float cells = 16.0f;
    const float n = fractalNoise(x * cells / kHullTextureSize, y * cells / kHullTextureSize, 4,
                                 static_cast<int>(cells), seed);
    return 0.86f + 0.2f * n;
}

// One pixel of plating at band-local row `row` (0..31), before the band's brightness.
Color platingPixel(const HullPalette& palette, int x, int row, int band) {
    const bool upperHalf = row >= kShadeBandHeight / 2;
    // The halves are staggered like brickwork so that transverse seams do not line up.
    const int shifted = upperHalf ? x + kPanelLength / 2 : x;
    const int panel = (shifted / kPanelLength) % (kHullTextureSize / kPanelLength);
    const int along = shifted % kPanelLength;
    const int across = upperHalf ? row - kShadeBandHeight / 2 : row;

    const float tint = 0.92f + 0.12f * hashUnit(panel, upperHalf, palette.seed + 7);
    Color c = palette.plating * (tint * grime(x, row + band * kShadeBandHeight, palette.seed));

    const bool transverseSeam = along == 0;
    const bool seamHighlight = along == 1;
    const bool longitudinalSeam = row == kShadeBandHeight / 2;
    if (transverseSeam || longitudinalSeam)
        c = palette.seam;
    else if (seamHighlight)
        c = c * 1.12f;

    const bool rivetRow = across == 3 || across == kShadeBandHeight / 2 - 3;
    const bool rivetColumn = along % kRivetSpacing == 4;
    if (rivetRow && rivetColumn)
        c = mix(c, palette.seam, 0.55f);
    const bool rivetColumnNearSeam = along == 4 || along == kPanelLength - 4;
    if (rivetColumnNearSeam && across % kRivetSpacing == 4)
        c = mix(c, palette.seam, 0.55f);

    // Two thin lengthwise stripes: racing lines on the top, belt lines on the sides.
    if (row == 7 || row == 8 || row == 24 || row == 25)
        c = mix(c, palette.stripe, 0.8f);
    return c;
}

void paintShadeBands(Image& image, const HullPalette& palette) {
    for (int band = 0; band < kShadeBands; ++band) {
        const float brightness = shadeBandBrightness(band);
        // Faces in full light take a slightly warm tint, faces in shadow a cool one: it reads as
        // sunlight and sky light without any lighting in the renderer.
        const Color light = mix(Color{0.85f, 0.92f, 1.1f}, Color{1.05f, 1.0f, 0.94f},
                                band / float(kShadeBands - 1));
        for (int row = 0; row < kShadeBandHeight; ++row)
            for (int x = 0; x < kHullTextureSize; ++x)
                image.at(x, band * kShadeBandHeight + row) =
                    platingPixel(palette, x, row, band) * light * brightness;
    }
}

void paintGlass(Image& image, const HullPalette& palette) {
    const PixelRect r = toPixels(glassRect());
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            const float u = (x - r.x0 + 0.5f) / (r.x1 - r.x0);
            const float v = (y - r.y0 + 0.5f) / (r.y1 - r.y0);
            Color c = mix(palette.glassDeep, palette.glassSky, v * v);
            // A diagonal sheen, the reflection that tells glass from paint.
            const float streak = std::fabs((u + v) - 1.05f);
            if (streak < 0.09f)
                c = mix(c, Color{0.9f, 0.95f, 1.0f}, 0.55f * (1.0f - streak / 0.09f));
            const bool frame = u < 0.04f || u > 0.96f || v < 0.04f || v > 0.96f;
            image.at(x, y) = frame ? palette.seam : c;
        }
}

void paintMetal(Image& image, const HullPalette& palette) {
    const PixelRect r = toPixels(metalRect());
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            const float v = (y - r.y0 + 0.5f) / (r.y1 - r.y0);
            // Brushed along u, and a soft highlight along the middle as on a round barrel.
            const float brushed = 0.85f + 0.15f * hashUnit(0, y, palette.seed + 31);
            const float sheen = 0.55f + 0.45f * std::sin(v * kPi);
            image.at(x, y) = Color{0.30f, 0.31f, 0.34f} * (brushed * sheen);
        }
}

float markingSignDistance(const HullPalette& palette, float x, float y, float size) {
    if (palette.chevronSign) {
        // Two stacked chevrons pointing at the nose.
        const float c = size * 0.5f;
        float d = 1e9f;
        for (float offset : {-0.16f * size, 0.12f * size}) {
            d = std::min(d, segmentDistance(x, y, c - 0.3f * size, c + offset, c,
                                            c + offset + 0.2f * size, 0.06f * size));
            d = std::min(d, segmentDistance(x, y, c, c + offset + 0.2f * size, c + 0.3f * size,
                                            c + offset, 0.06f * size));
        }
        return d;
    }
    const float ring = ringDistance(x, y, size * 0.5f, size * 0.5f, size * 0.36f, size * 0.05f);
    const float letter =
        letterKDistance(x, y, size * 0.3f, size * 0.26f, size * 0.72f, size * 0.74f);
    return std::min(ring, letter);
}

void paintMarking(Image& image, const HullPalette& palette) {
    const PixelRect r = toPixels(markingRect());
    const float size = static_cast<float>(r.x1 - r.x0);
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            const float lx = x - r.x0 + 0.5f;
            const float ly = y - r.y0 + 0.5f;
            const Color base = palette.markingBase * grime(x, y, palette.seed + 3);
            const float sign = coverageFromDistance(markingSignDistance(palette, lx, ly, size));
            image.at(x, y) = mix(base, palette.markingSign, sign);
        }
}

// A round picture for an end cap: the fan of a cap maps its rim to a circle of 0.45 of the
// rectangle's size around the centre, so `radius` 1 is the rim.
template <typename Shade> void paintRound(Image& image, const AtlasRect& rect, Shade shade) {
    const PixelRect r = toPixels(rect);
    const float half = (r.x1 - r.x0) * 0.5f;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            const float dx = x + 0.5f - (r.x0 + half);
            const float dy = y + 0.5f - (r.y0 + half);
            image.at(x, y) = shade(std::hypot(dx, dy) / (0.45f * 2.0f * half));
        }
}

void paintNozzle(Image& image, const HullPalette& palette) {
    paintRound(image, nozzleRect(), [&](float radius) {
        const Color rim{0.38f, 0.38f, 0.42f};
        const Color throat{0.12f, 0.03f, 0.02f};
        const Color core = mix(palette.engineGlow, Color{1.0f, 1.0f, 0.9f}, 0.5f);
        if (radius < 0.3f)
            return mix(core, palette.engineGlow, radius / 0.3f);
        if (radius < 0.72f)
            return mix(palette.engineGlow, throat, (radius - 0.3f) / 0.42f);
        if (radius < 0.8f)
            return throat;
        return rim * (radius < 0.86f ? 1.25f : 1.0f);
    });
}

void paintMuzzle(Image& image) {
    paintRound(image, muzzleRect(), [](float radius) {
        if (radius < 0.5f)
            return Color{0.02f, 0.02f, 0.03f};
        if (radius < 0.62f)
            return Color{0.55f, 0.56f, 0.6f}; // the bright lip of the bore
        return Color{0.3f, 0.31f, 0.34f};
    });
}

} // namespace

HullPalette kavoHullPalette() {
    HullPalette p;
    p.plating = {0.74f, 0.78f, 0.82f};
    p.seam = {0.16f, 0.17f, 0.2f};
    p.stripe = {0.2f, 0.75f, 0.45f};
    p.markingBase = {0.16f, 0.55f, 0.36f};
    p.markingSign = {0.95f, 0.95f, 0.88f};
    p.glassDeep = {0.04f, 0.1f, 0.2f};
    p.glassSky = {0.35f, 0.62f, 0.85f};
    p.engineGlow = {1.0f, 0.62f, 0.15f};
    p.seed = 1;
    p.chevronSign = false;
    return p;
}

HullPalette enemyHullPalette() {
    HullPalette p;
    p.plating = {0.72f, 0.22f, 0.18f};
    p.seam = {0.12f, 0.05f, 0.05f};
    p.stripe = {0.1f, 0.08f, 0.08f};
    p.markingBase = {0.12f, 0.1f, 0.1f};
    p.markingSign = {0.95f, 0.75f, 0.1f};
    p.glassDeep = {0.2f, 0.06f, 0.02f};
    p.glassSky = {0.95f, 0.6f, 0.2f};
    p.engineGlow = {1.0f, 0.35f, 0.45f};
    p.seed = 2;
    p.chevronSign = true;
    return p;
}

Image paintHullTexture(const HullPalette& palette) {
    Image image(kHullTextureSize, kHullTextureSize);
    paintShadeBands(image, palette);
    paintGlass(image, palette);
    paintMetal(image, palette);
    paintMarking(image, palette);
    paintNozzle(image, palette);
    paintMuzzle(image);
    return image;
}
