// Vec3 operations: cross product, normalization and the turn about an axis. All arithmetic stays
// in 32-bit floats, so flight paths and camera frames come out the same on every build.
#include "math/vec3.h"

#include <cmath>

namespace {
// Shorter than this, a direction carries no usable information; it becomes the x axis instead of
// being blown up by a division by almost nothing.
constexpr float kShortestNormalizable = 1e-6f;
} // namespace

Vec3 Vec3::cross(const Vec3& b) const {
    return {y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x};
}

void Vec3::normalize() {
    const float size = length();
    // Written as "below" so that a NaN length still takes the division, as it always has.
    if (size < kShortestNormalizable) {
        x = 1.0f;
        y = 0.0f;
        z = 0.0f;
        return;
    }
    const float factor = 1.0f / size;
    x *= factor;
    y *= factor;
    z *= factor;
}

Vec3 Vec3::normalized() const {
    Vec3 copy = *this;
    copy.normalize();
    return copy;
}

// The two-term turn n cos + (u x n) sin: exact for a vector perpendicular to the axis, which is
// how the camera and the explosions use it; cheaper than a full rotation.
Vec3 Vec3::rotatedAbout(const Vec3& axis, float degrees) const {
    const Vec3 n = normalized();
    const Vec3 u = axis.normalized();
    const float radians = degrees * kDegreesToRadians;
    const float s = std::sin(radians);
    const float c = std::cos(radians);
    const Vec3 w = u.cross(n);
    return {n.x * c + w.x * s, n.y * c + w.y * s, n.z * c + w.z * s};
}

float Vec3::length() const {
    return std::sqrt(x * x + y * y + z * z);
}
