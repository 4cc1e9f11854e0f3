#include "tools/mesh_builder.h"

#include <cmath>
#include <utility>

#include "tools/hull_atlas.h"

namespace {

// Faces smaller than this (in square body units) are slivers left where a loft closes to a point.
constexpr float kSmallestArea = 1e-8f;

Vec3 ringCentroid(const Ring& ring) {
    Vec3 sum;
    for (const Vec3& p : ring)
        sum += p;
    return sum * (1.0f / static_cast<float>(ring.size()));
}

bool isPoint(const Ring& ring) {
    for (const Vec3& p : ring)
        if ((p - ring.front()).length() > 1e-6f)
            return false;
    return true;
}

} // namespace

Vec3 MeshTriangle::normal() const {
    return (corner[1] - corner[0]).cross(corner[2] - corner[0]).normalized();
}

Vec3 MeshTriangle::centre() const {
    return (corner[0] + corner[1] + corner[2]) * (1.0f / 3.0f);
}

void MeshBuilder::beginPart(Surface surface) {
    partSurface_ = surface;
    partStart_ = triangles_.size();
}

void MeshBuilder::endPart() {
    orientPartOutwards();
    ++partCount_;
}

void MeshBuilder::addTriangle(const Vec3& a, const Vec3& b, const Vec3& c) {
    if ((b - a).cross(c - a).length() * 0.5f < kSmallestArea)
        return;
    MeshTriangle t;
    t.corner[0] = a;
    t.corner[1] = b;
    t.corner[2] = c;
    t.surface = partSurface_;
    t.part = partCount_;
    triangles_.push_back(t);
}

void MeshBuilder::addQuad(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d) {
    addTriangle(a, b, c);
    addTriangle(a, c, d);
}

void MeshBuilder::addLoft(const std::vector<Ring>& rings, const Cap& first, const Cap& last) {
    for (std::size_t i = 0; i + 1 < rings.size(); ++i) {
        const Ring& near = rings[i];
        const Ring& far = rings[i + 1];
        const std::size_t n = near.size();
        for (std::size_t j = 0; j < n; ++j) {
            const std::size_t k = (j + 1) % n;
            addQuad(near[j], near[k], far[k], far[j]);
        }
    }
    addCap(rings.front(), first, true);
    addCap(rings.back(), last, false);
}

void MeshBuilder::addBox(const Vec3& low, const Vec3& high) {
    const Vec3 c[8] = {{low.x, low.y, low.z},    {high.x, low.y, low.z}, {high.x, high.y, low.z},
                       {low.x, high.y, low.z},   {low.x, low.y, high.z}, {high.x, low.y, high.z},
                       {high.x, high.y, high.z}, {low.x, high.y, high.z}};
    addQuad(c[0], c[3], c[2], c[1]); // -z
    addQuad(c[4], c[5], c[6], c[7]); // +z
    addQuad(c[0], c[1], c[5], c[4]); // -y
    addQuad(c[3], c[7], c[6], c[2]); // +y
    addQuad(c[0], c[4], c[7], c[3]); // -x
    addQuad(c[1], c[2], c[6], c[5]); // +x
}

// The loft's side quads run near[j] -> near[j+1] -> far[j+1]; a cap continues that winding when
// it closes the last ring and reverses it on the first, so the whole solid winds one way.
void MeshBuilder::addCap(const Ring& ring, const Cap& cap, bool reversed) {
    if (cap.kind == Cap::Kind::None || isPoint(ring))
        return;
    const Vec3 centre = cap.hasCentre ? cap.centre : ringCentroid(ring);
    const std::size_t n = ring.size();
    if (cap.kind == Cap::Kind::Flat) {
        for (std::size_t j = 0; j < n; ++j) {
            const Vec3& a = ring[j];
            const Vec3& b = ring[(j + 1) % n];
            if (reversed)
                addTriangle(centre, b, a);
            else
                addTriangle(centre, a, b);
        }
        return;
    }
    float radius = 0.0f;
    for (const Vec3& p : ring)
        radius = std::fmax(radius, (p - centre).length());
    const Vec3 axisA = (ring.front() - centre).normalized();
    Vec3 axisB = (ring[n / 4] - centre);
    axisB = (axisB - axisA * axisB.dot(axisA)).normalized();
    for (std::size_t j = 0; j < n; ++j) {
        const Vec3& a = ring[j];
        const Vec3& b = ring[(j + 1) % n];
        if (reversed)
            addRoundCapTriangle(centre, b, a, cap.surface, axisA, axisB, radius);
        else
            addRoundCapTriangle(centre, a, b, cap.surface, axisA, axisB, radius);
    }
}

void MeshBuilder::addRoundCapTriangle(const Vec3& centre, const Vec3& a, const Vec3& b,
                                      Surface surface, const Vec3& axisA, const Vec3& axisB,
                                      float radius) {
    const std::size_t before = triangles_.size();
    addTriangle(centre, a, b);
    if (triangles_.size() == before)
        return;
    MeshTriangle& t = triangles_.back();
    t.surface = surface;
    t.mapped = true;
    const AtlasRect rect = surface == Surface::Nozzle ? nozzleRect() : muzzleRect();
    const float midU = (rect.u0 + rect.u1) * 0.5f;
    const float midV = (rect.v0 + rect.v1) * 0.5f;
    // The painters put the rim of the round picture at 0.45 of the rectangle's size.
    const float reachU = 0.45f * (rect.u1 - rect.u0) / radius;
    const float reachV = 0.45f * (rect.v1 - rect.v0) / radius;
    for (int i = 0; i < 3; ++i) {
        const Vec3 offset = t.corner[i] - centre;
        t.u[i] = midU + offset.dot(axisA) * reachU;
        t.v[i] = midV + offset.dot(axisB) * reachV;
    }
}

// Signed volume of the part's triangles (sum of tetrahedra against the part's centre): positive
// when they wind counter-clockwise seen from outside. A solid built the other way round is turned.
void MeshBuilder::orientPartOutwards() {
    if (partStart_ >= triangles_.size())
        return;
    Vec3 centre;
    for (std::size_t i = partStart_; i < triangles_.size(); ++i)
        centre += triangles_[i].centre();
    centre = centre * (1.0f / static_cast<float>(triangles_.size() - partStart_));
    double volume = 0.0;
    for (std::size_t i = partStart_; i < triangles_.size(); ++i) {
        const MeshTriangle& t = triangles_[i];
        const Vec3 a = t.corner[0] - centre;
        const Vec3 b = t.corner[1] - centre;
        const Vec3 c = t.corner[2] - centre;
        volume += a.dot(b.cross(c));
    }
    if (volume >= 0.0)
        return;
    for (std::size_t i = partStart_; i < triangles_.size(); ++i) {
        MeshTriangle& t = triangles_[i];
        std::swap(t.corner[1], t.corner[2]);
        std::swap(t.u[1], t.u[2]);
        std::swap(t.v[1], t.v[2]);
    }
}

Ring sectionRing(const Vec3& centre, const Vec3& axisA, const Vec3& axisB,
                 const std::vector<std::pair<float, float>>& profile) {
    Ring ring;
    ring.reserve(profile.size());
    for (const auto& [a, b] : profile)
        ring.push_back(centre + axisA * a + axisB * b);
    return ring;
}

Ring polygonRing(const Vec3& centre, const Vec3& axisA, const Vec3& axisB, float radiusA,
                 float radiusB, int sides) {
    Ring ring;
    ring.reserve(static_cast<std::size_t>(sides));
    for (int i = 0; i < sides; ++i) {
        const float angle = 6.2831853f * static_cast<float>(i) / static_cast<float>(sides);
        ring.push_back(centre + axisA * (radiusA * std::cos(angle)) +
                       axisB * (radiusB * std::sin(angle)));
    }
    return ring;
}

Ring pointRing(const Vec3& point, int count) {
    return Ring(static_cast<std::size_t>(count), point);
}
