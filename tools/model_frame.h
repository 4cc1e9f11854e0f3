// The program draws a ship's file coordinates through a fixed model transform: a scale, a turn of
// -90 degrees about x and, for two of the kinds, 180 degrees about z. Our ships are designed in
// body coordinates (x right, y up, nose towards -z) and written through the inverse, so that after
// the program's transform every point lands exactly where it was designed.
#pragma once

#include "math/vec3.h"

struct ModelFrame {
    float scale;
    bool turnedAboutZ;
};

// The program's transform: turned (x, y, z) -> (-s x, s z, s y); not turned (s x, s z, -s y).
Vec3 modelToBody(const ModelFrame& frame, const Vec3& model);
Vec3 bodyToModel(const ModelFrame& frame, const Vec3& body);
