// Points given in a body's own axes (x along right, y along up, z along forward), turned into
// world coordinates: where a trail's exhaust or a gun's muzzle sits on its ship right now.
#pragma once

#include "math/vec3.h"
#include "scene/scene_object.h"

inline Vec3 pointInOwnerAxes(const SceneObject& owner, const Vec3& offset) {
    return owner.position + offset.x * owner.right + offset.y * owner.up + offset.z * owner.forward;
}
