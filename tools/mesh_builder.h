// MeshBuilder: a ship's surface as a list of flat triangles in body coordinates (x right, y up,
// the nose towards -z), built from closed solids: lofts through cross-sections, boxes, end caps.
// Each triangle keeps its own three corners, so every face is flat-shaded and carries its own
// texture coordinates. Every solid is turned outwards by the sign of its enclosed volume, so the
// shape code never has to think about winding: all faces end up counter-clockwise seen from
// outside, which is what the renderer's back-face culling keeps.
#pragma once

#include <vector>

#include "math/vec3.h"

// What a face is made of: picks the region of the hull texture it is mapped into.
enum class Surface { Hull, Glass, Metal, Marking, Nozzle, Muzzle };

struct MeshTriangle {
    Vec3 corner[3];
    float u[3] = {0, 0, 0};
    float v[3] = {0, 0, 0};
    Surface surface = Surface::Hull;
    int part = 0;
    bool mapped = false; // texture coordinates already set (round caps)

    Vec3 normal() const; // unit face normal from the winding
    Vec3 centre() const;
};

// A closed polygon, one cross-section of a loft.
using Ring = std::vector<Vec3>;

// How a loft closes an end ring.
struct Cap {
    enum class Kind { None, Flat, Round };
    Kind kind = Kind::Flat;
    Surface surface = Surface::Hull;
    bool hasCentre = false;
    Vec3 centre;

    // No cap: the end ring is a single point (a nose or a tip).
    static Cap none() { return {Kind::None, Surface::Hull, false, {}}; }
    // A fan in the part's own surface around the ring's centroid.
    static Cap flat() { return {Kind::Flat, Surface::Hull, false, {}}; }
    // A fan around `centre` mapped onto a round picture (nozzle, muzzle), centre to centre; the
    // centre is a vertex of the mesh, so it marks the exhaust or the barrel's mouth exactly.
    static Cap round(Surface surface, const Vec3& centre) {
        return {Kind::Round, surface, true, centre};
    }
};

class MeshBuilder {
  public:
    // Every triangle added until endPart belongs to one closed solid of the given surface.
    void beginPart(Surface surface);
    void endPart();

    void addTriangle(const Vec3& a, const Vec3& b, const Vec3& c);
    void addQuad(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d);
    // A closed solid through the rings (all of the same size), capped at both ends.
    void addLoft(const std::vector<Ring>& rings, const Cap& first, const Cap& last);
    // An axis-aligned box between two corners.
    void addBox(const Vec3& low, const Vec3& high);

    std::vector<MeshTriangle>& triangles() { return triangles_; }
    const std::vector<MeshTriangle>& triangles() const { return triangles_; }
    int partCount() const { return partCount_; }

  private:
    void addCap(const Ring& ring, const Cap& cap, bool reversed);
    void addRoundCapTriangle(const Vec3& centre, const Vec3& a, const Vec3& b, Surface surface,
                             const Vec3& axisA, const Vec3& axisB, float radius);
    void orientPartOutwards();

    std::vector<MeshTriangle> triangles_;
    Surface partSurface_ = Surface::Hull;
    int partCount_ = 0;
    std::size_t partStart_ = 0;
};

// A cross-section: `profile` points (a, b) placed at centre + a * axisA + b * axisB.
Ring sectionRing(const Vec3& centre, const Vec3& axisA, const Vec3& axisB,
                 const std::vector<std::pair<float, float>>& profile);
// A regular polygon of `sides` corners and the given radii across (axisA) and up (axisB); the
// first corner sits on axisA, so with an even count the section has corners left and right.
Ring polygonRing(const Vec3& centre, const Vec3& axisA, const Vec3& axisB, float radiusA,
                 float radiusB, int sides);
// A ring of `count` copies of one point: the pointed end of a loft.
Ring pointRing(const Vec3& point, int count);
