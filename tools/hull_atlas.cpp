#include "tools/hull_atlas.h"

namespace {

AtlasRect pixelRect(int x0, int y0, int x1, int y1) {
    const float size = static_cast<float>(kHullTextureSize);
    return {x0 / size, y0 / size, x1 / size, y1 / size};
}

constexpr int kSmallTop = kShadeBands * kShadeBandHeight; // 192: first row of the small surfaces

} // namespace

AtlasRect shadeBandRect(int band) {
    return pixelRect(0, band * kShadeBandHeight, kHullTextureSize, (band + 1) * kShadeBandHeight);
}

AtlasRect glassRect() {
    return pixelRect(0, kSmallTop, 64, kHullTextureSize);
}
AtlasRect metalRect() {
    return pixelRect(64, kSmallTop, 128, kHullTextureSize);
}
AtlasRect markingRect() {
    return pixelRect(128, kSmallTop, 192, kHullTextureSize);
}
AtlasRect nozzleRect() {
    return pixelRect(192, kSmallTop, 224, kSmallTop + 32);
}
AtlasRect muzzleRect() {
    return pixelRect(224, kSmallTop, 256, kSmallTop + 32);
}

float shadeBandBrightness(int band) {
    static const float brightness[kShadeBands] = {0.28f, 0.40f, 0.53f, 0.67f, 0.82f, 1.0f};
    return brightness[band];
}
