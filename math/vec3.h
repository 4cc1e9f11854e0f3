// Vec3: the three-float vector used for every position, direction and velocity.
// Beside the four named operations it has the small arithmetic helpers (sum, difference,
// scaling, dot product, length) that the rest of the code would otherwise write out by hand.
#pragma once

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vec3() = default;
    Vec3(float xValue, float yValue, float zValue) : x(xValue), y(yValue), z(zValue) {}

    Vec3 cross(const Vec3& other) const;
    // Unit length in place; a vector shorter than 1e-6 becomes (1, 0, 0) instead of dividing by ~0.
    void normalize();
    Vec3 normalized() const;
    // The direction turned about `axis` by `degrees`, as a unit vector. Only a true rotation when
    // this vector is perpendicular to the axis: the component along the axis is not kept.
    Vec3 rotatedAbout(const Vec3& axis, float degrees) const;

    float dot(const Vec3& other) const { return x * other.x + y * other.y + z * other.z; }
    float length() const;

    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator-() const { return {-x, -y, -z}; }
    Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
    Vec3& operator+=(const Vec3& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    Vec3& operator-=(const Vec3& o) {
        x -= o.x;
        y -= o.y;
        z -= o.z;
        return *this;
    }
};

inline Vec3 operator*(float s, const Vec3& v) {
    return v * s;
}

// Degrees to radians, with the single-precision constant every angle of the program goes through.
constexpr float kDegreesToRadians = 0.01745328f;
