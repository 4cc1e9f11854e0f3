#include "tools/shape_parts.h"

namespace {
constexpr int kTubeSides = 10;
}

Profile octagonProfile() {
    return {{1.0f, 0.0f},  {0.72f, 0.7f},    {0.0f, 1.0f},   {-0.72f, 0.7f},
            {-1.0f, 0.0f}, {-0.72f, -0.62f}, {0.0f, -0.85f}, {0.72f, -0.62f}};
}

Profile boxyProfile() {
    return {{1.0f, 0.6f},   {0.6f, 1.0f},   {-0.6f, 1.0f}, {-1.0f, 0.6f},
            {-1.0f, -0.6f}, {-0.6f, -1.0f}, {0.6f, -1.0f}, {1.0f, -0.6f}};
}

Profile canopyProfile() {
    return {{1.0f, 0.0f},   {0.7f, 0.72f}, {0.0f, 1.0f},
            {-0.7f, 0.72f}, {-1.0f, 0.0f}, {0.0f, -0.4f}};
}

Profile airfoilProfile() {
    return {{-0.5f, 0.0f}, {-0.25f, 0.5f}, {0.2f, 0.4f},
            {0.5f, 0.0f},  {0.2f, -0.35f}, {-0.25f, -0.4f}};
}

Profile diamondProfile() {
    return {{-0.5f, 0.0f}, {0.0f, 0.5f}, {0.5f, 0.0f}, {0.0f, -0.5f}};
}

Section bodySection(float z, float y, float halfWidth, float halfHeight, float x) {
    return {{x, y, z}, {halfWidth, 0.0f, 0.0f}, {0.0f, halfHeight, 0.0f}};
}

Section pointSection(const Vec3& point) {
    return {point, {}, {}};
}

Section wingSection(const Vec3& centre, float chord, float thickness) {
    return {centre, {0.0f, 0.0f, chord}, {0.0f, thickness, 0.0f}};
}

Section finSection(const Vec3& centre, float chord, float thickness) {
    return {centre, {0.0f, 0.0f, chord}, {thickness, 0.0f, 0.0f}};
}

Section mirrored(const Section& s) {
    return {{-s.centre.x, s.centre.y, s.centre.z},
            {-s.across.x, s.across.y, s.across.z},
            {-s.up.x, s.up.y, s.up.z}};
}

std::vector<Section> mirrored(const std::vector<Section>& sections) {
    std::vector<Section> result;
    for (const Section& s : sections)
        result.push_back(mirrored(s));
    return result;
}

void addSectionLoft(MeshBuilder& mesh, Surface surface, const Profile& profile,
                    const std::vector<Section>& sections, const Cap& first, const Cap& last) {
    std::vector<Ring> rings;
    for (const Section& s : sections)
        rings.push_back(sectionRing(s.centre, s.across, s.up, profile));
    mesh.beginPart(surface);
    mesh.addLoft(rings, first, last);
    mesh.endPart();
}

void addTube(MeshBuilder& mesh, Surface surface, const Vec3& front, float length, float frontRadius,
             float backRadius, const Cap& frontCap, const Cap& backCap) {
    const Vec3 across{1.0f, 0.0f, 0.0f};
    const Vec3 up{0.0f, 1.0f, 0.0f};
    const Vec3 back = front + Vec3(0.0f, 0.0f, length);
    mesh.beginPart(surface);
    mesh.addLoft({polygonRing(front, across, up, frontRadius, frontRadius, kTubeSides),
                  polygonRing(back, across, up, backRadius, backRadius, kTubeSides)},
                 frontCap, backCap);
    mesh.endPart();
}
