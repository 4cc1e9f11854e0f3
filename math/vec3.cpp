#include "math/vec3.h"

#include <cmath>

Vec3 Vec3::cross(const Vec3& b) const { return {y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x}; }
void Vec3::normalize() {}
Vec3 Vec3::normalized() const { return *this; }
Vec3 Vec3::rotatedAbout(const Vec3&, float) const { return *this; }
float Vec3::length() const { return std::sqrt(x * x + y * y + z * z); }
