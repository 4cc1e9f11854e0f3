#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "math/vec3.h"

namespace {
void expectVec(const Vec3& v, float x, float y, float z, float tolerance = 1e-6f) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}
} // namespace

TEST(Vec3, CrossFollowsTheRightHandRule) {
    expectVec(Vec3(1, 0, 0).cross(Vec3(0, 1, 0)), 0, 0, 1);
    expectVec(Vec3(0, 1, 0).cross(Vec3(1, 0, 0)), 0, 0, -1);
    expectVec(Vec3(2, 3, 4).cross(Vec3(5, 6, 7)), -3, 6, -3);
}

TEST(Vec3, NormalizeScalesToUnitLength) {
    Vec3 v(3, 0, 4);
    v.normalize();
    expectVec(v, 0.6f, 0.0f, 0.8f);
    const Vec3 original(0, -2, 0);
    expectVec(original.normalized(), 0, -1, 0);
    expectVec(original, 0, -2, 0); // normalized leaves its source alone
}

TEST(Vec3, NormalizeTurnsTinyVectorsIntoTheXAxis) {
    Vec3 zero;
    zero.normalize();
    expectVec(zero, 1, 0, 0, 0.0f);
    Vec3 tiny(5e-7f, 0, 0);
    tiny.normalize();
    expectVec(tiny, 1, 0, 0, 0.0f);
    Vec3 negativeTiny(0, -9e-7f, 0);
    negativeTiny.normalize();
    expectVec(negativeTiny, 1, 0, 0, 0.0f);
    // Exactly at the limit the vector is still divided by its own length.
    Vec3 atLimit(0, 0, 1e-6f);
    atLimit.normalize();
    expectVec(atLimit, 0, 0, 1, 1e-6f);
}

TEST(Vec3, NormalizeOfNanDividesInsteadOfPickingTheXAxis) {
    Vec3 v(std::numeric_limits<float>::quiet_NaN(), 0, 0);
    v.normalize();
    EXPECT_TRUE(std::isnan(v.x));
}

TEST(Vec3, RotatedAboutTurnsPerpendicularVectors) {
    const Vec3 ahead(0, 0, -1);
    const Vec3 up(0, 1, 0);
    expectVec(ahead.rotatedAbout(up, 90.0f), -1, 0, 0, 1e-5f);
    expectVec(ahead.rotatedAbout(up, -90.0f), 1, 0, 0, 1e-5f);
    expectVec(ahead.rotatedAbout(up, 180.0f), 0, 0, 1, 1e-5f);
    // The axis is normalized first, and the input's length is dropped.
    expectVec(Vec3(0, 0, -5).rotatedAbout(Vec3(0, 2, 0), 0.0f), 0, 0, -1);
    const Vec3 turned = Vec3(3, 0, 0).rotatedAbout(Vec3(0, 0, 7), 37.0f);
    EXPECT_NEAR(turned.length(), 1.0f, 1e-6f);
}

TEST(Vec3, RotatedAboutAParallelAxisOnlyScalesByCosine) {
    const float c = std::cos(60.0f * kDegreesToRadians);
    expectVec(Vec3(0, 4, 0).rotatedAbout(Vec3(0, 1, 0), 60.0f), 0, c, 0);
}
