#include "tools/model_frame.h"

Vec3 modelToBody(const ModelFrame& frame, const Vec3& m) {
    const float s = frame.scale;
    if (frame.turnedAboutZ)
        return {-s * m.x, s * m.z, s * m.y};
    return {s * m.x, s * m.z, -s * m.y};
}

Vec3 bodyToModel(const ModelFrame& frame, const Vec3& b) {
    const float s = frame.scale;
    if (frame.turnedAboutZ)
        return {-b.x / s, b.z / s, b.y / s};
    return {b.x / s, -b.z / s, b.y / s};
}
