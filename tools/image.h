// Image: a picture the texture painters draw into, in linear RGB floats (0 = black, 1 = full).
// Row 0 is the bottom row, as bitmaps and OpenGL textures store it, so a painter thinks in
// texture coordinates: x grows with s, y grows with t.
#pragma once

#include <vector>

struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

inline Color operator+(const Color& a, const Color& b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Color operator*(const Color& c, float s) {
    return {c.r * s, c.g * s, c.b * s};
}
inline Color operator*(const Color& a, const Color& b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
// Linear blend: t = 0 gives a, t = 1 gives b.
inline Color mix(const Color& a, const Color& b, float t) {
    return a * (1.0f - t) + b * t;
}

class Image {
  public:
    Image(int width, int height) : width_(width), height_(height), pixels_(width * height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Color& at(int x, int y) { return pixels_[y * width_ + x]; }
    const Color& at(int x, int y) const { return pixels_[y * width_ + x]; }

  private:
    int width_;
    int height_;
    std::vector<Color> pixels_;
};
