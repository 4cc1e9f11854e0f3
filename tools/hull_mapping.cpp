#include "tools/hull_mapping.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "tools/hull_atlas.h"

namespace {

// Half a texel and a bit: linear filtering must never reach into the neighbouring band.
constexpr float kBandInset = 1.5f / kHullTextureSize;

struct Bounds {
    Vec3 low{1e9f, 1e9f, 1e9f};
    Vec3 high{-1e9f, -1e9f, -1e9f};

    void include(const Vec3& p) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
};

float component(const Vec3& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

// Which two body axes a face is projected onto, and with which signs, so that a picture reads the
// right way round from outside: a sign seen on either side of a fin is not mirrored.
struct Projection {
    int axisU, axisV;
    float signU, signV;
};

Projection projectionFor(const Vec3& n) {
    const float ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
    if (ax >= ay && ax >= az)
        return {2, 1, n.x > 0 ? -1.0f : 1.0f, 1.0f};
    if (ay >= az)
        return {2, 0, 1.0f, n.y > 0 ? 1.0f : -1.0f};
    return {0, 1, n.z > 0 ? 1.0f : -1.0f, 1.0f};
}

// Maps a coordinate to 0..1 across the bounds along one axis, in the projection's direction.
float across(const Bounds& b, int axis, float sign, float value) {
    const float low = component(b.low, axis);
    const float extent = std::max(component(b.high, axis) - low, 1e-4f);
    const float t = (value - low) / extent;
    return sign > 0 ? t : 1.0f - t;
}

AtlasRect rectFor(Surface surface) {
    switch (surface) {
    case Surface::Glass:
        return glassRect();
    case Surface::Metal:
        return metalRect();
    case Surface::Marking:
        return markingRect();
    case Surface::Nozzle:
        return nozzleRect();
    case Surface::Muzzle:
        return muzzleRect();
    case Surface::Hull:
        break;
    }
    return shadeBandRect(kShadeBands - 1);
}

void mapHullFace(MeshTriangle& t, const Bounds& ship, float textureSpan) {
    const Vec3 n = t.normal();
    const Projection p = projectionFor(n);
    const AtlasRect band = shadeBandRect(shadeBandFor(n));
    const float v0 = band.v0 + kBandInset;
    const float v1 = band.v1 - kBandInset;
    for (int i = 0; i < 3; ++i) {
        // Along u the plating repeats, so u is plain distance; across, the band is only 32 texels
        // high and is spread over the whole ship.
        t.u[i] = p.signU * component(t.corner[i], p.axisU) / textureSpan;
        t.v[i] = v0 + (v1 - v0) * across(ship, p.axisV, p.signV, component(t.corner[i], p.axisV));
    }
}

void mapRegionFace(MeshTriangle& t, const Bounds& part) {
    const Projection p = projectionFor(t.normal());
    const AtlasRect r = rectFor(t.surface);
    const float inset = kBandInset;
    for (int i = 0; i < 3; ++i) {
        const float a = across(part, p.axisU, p.signU, component(t.corner[i], p.axisU));
        const float b = across(part, p.axisV, p.signV, component(t.corner[i], p.axisV));
        t.u[i] = r.u0 + inset + (r.u1 - r.u0 - 2 * inset) * a;
        t.v[i] = r.v0 + inset + (r.v1 - r.v0 - 2 * inset) * b;
    }
}

} // namespace

int shadeBandFor(const Vec3& normal) {
    // The painted sun stands above, a little ahead and to the left of the ship.
    const Vec3 light = Vec3(-0.35f, 1.0f, -0.45f).normalized();
    const float lit = (normal.dot(light) + 1.0f) * 0.5f;
    return std::clamp(static_cast<int>(lit * kShadeBands), 0, kShadeBands - 1);
}

void mapHullTexture(MeshBuilder& mesh, float textureSpan) {
    Bounds ship;
    std::map<int, Bounds> parts;
    for (const MeshTriangle& t : mesh.triangles())
        for (const Vec3& c : t.corner) {
            ship.include(c);
            parts[t.part].include(c);
        }
    for (MeshTriangle& t : mesh.triangles()) {
        if (t.mapped)
            continue;
        if (t.surface == Surface::Hull)
            mapHullFace(t, ship, textureSpan);
        else
            mapRegionFace(t, parts[t.part]);
        t.mapped = true;
    }
}
