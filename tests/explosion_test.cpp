#include <gtest/gtest.h>

#include <cmath>

#include "effects/explosion_effect.h"
#include "scene/scene_object.h"
#include "support/effect_test_support.h"

namespace {

class ExplosionTest : public ::testing::Test {
  protected:
    QuietMessages quiet;
    FixedTickClock clock{123456u};
    SceneObject object;
};

} // namespace

TEST_F(ExplosionTest, InitReleasesAFlatRingFromTheObject) {
    object.position = Vec3(4.0f, -5.0f, 6.0f);
    object.hitRadius = 1.41f;
    ExplosionEffect explosion;
    explosion.sizeScale = 2.0f * object.hitRadius;
    explosion.init("missing-expl.bmp", &object);

    EXPECT_TRUE(explosion.active);
    EXPECT_EQ(explosion.particleCount, 15u);
    EXPECT_FLOAT_EQ(explosion.colorDelta[0], -0.1f);
    EXPECT_FLOAT_EQ(explosion.colorDelta[1], -0.55f);
    EXPECT_FLOAT_EQ(explosion.colorDelta[2], 0.2f);
    std::vector<const Particle*> list = particleList(explosion);
    ASSERT_EQ(list.size(), 15u);
    for (size_t i = 0; i < list.size(); ++i) {
        const Particle& p = *list[i];
        EXPECT_FLOAT_EQ(p.life, i / 15.0f);
        EXPECT_EQ(p.position.x, 4.0f);
        EXPECT_EQ(p.position.y, -5.0f);
        EXPECT_EQ(p.position.z, 6.0f);
        EXPECT_EQ(p.color[0], 1.0f);
        EXPECT_EQ(p.color[1], 1.0f);
        EXPECT_EQ(p.color[2], 0.0f);
        EXPECT_GE(p.fadeRate, 0.1f);
        EXPECT_LE(p.fadeRate, 0.1995f + 1e-6f);
        // Horizontal, at half a unit per second.
        EXPECT_EQ(p.velocity.y, 0.0f) << "particle " << i;
        EXPECT_NEAR(p.velocity.length(), 0.5f, 1e-6f) << "particle " << i;
        if (i > 0) {
            EXPECT_NEAR(p.size, 14.1f / i, 1e-5f) << "particle " << i;
        }
        EXPECT_TRUE(std::isfinite(p.size));
    }
}

TEST_F(ExplosionTest, SameTickCountGivesTheSameBurst) {
    ExplosionEffect first, second, later;
    first.init("missing-expl.bmp", &object);
    second.init("missing-expl.bmp", &object);
    clock.ticks += 1;
    later.init("missing-expl.bmp", &object);

    std::vector<const Particle*> a = particleList(first), b = particleList(second),
                                 c = particleList(later);
    bool laterDiffers = false;
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i]->velocity.x, b[i]->velocity.x);
        EXPECT_EQ(a[i]->velocity.z, b[i]->velocity.z);
        EXPECT_EQ(a[i]->fadeRate, b[i]->fadeRate);
        laterDiffers |= a[i]->velocity.x != c[i]->velocity.x || a[i]->fadeRate != c[i]->fadeRate;
    }
    EXPECT_TRUE(laterDiffers);
}

TEST_F(ExplosionTest, BurstDriftsGrowsReddensThenSwitchesItselfOff) {
    object.compensatorOn = true;
    object.compensatedVelocity = Vec3(0.0f, 2.0f, 0.0f);
    object.velocity = Vec3(100.0f, 0.0f, 0.0f); // not the current motion
    ExplosionEffect explosion;
    explosion.init("missing-expl.bmp", &object);

    // The dead particle goes at the first update, even one that takes no time.
    explosion.update(0.0f);
    EXPECT_EQ(countParticles(explosion), 14);
    EXPECT_EQ(explosion.particles->life, 1.0f / 15.0f);

    explosion.update(0.25f);
    const Particle& p = *explosion.particles;
    EXPECT_NEAR(p.position.y, 0.5f, 1e-6f); // the object's vertical drift, nothing else
    EXPECT_NEAR(std::hypot(p.position.x, p.position.z), 0.125f, 1e-6f);
    EXPECT_NEAR(p.size, 10.25f, 1e-5f);
    float spent = 1.0f - p.life;
    EXPECT_NEAR(p.color[0], 1.0f - 0.1f * spent, 1e-6f);
    EXPECT_NEAR(p.color[1], 1.0f - 0.55f * spent, 1e-6f);
    EXPECT_NEAR(p.color[2], 0.2f * spent, 1e-6f);

    float elapsed = 0.25f;
    while (explosion.active && elapsed < 20.0f) {
        explosion.update(0.1f);
        elapsed += 0.1f;
    }
    EXPECT_FALSE(explosion.active);
    EXPECT_EQ(explosion.particles, nullptr);
    EXPECT_LE(elapsed, 9.5f);
    EXPECT_GT(elapsed, 4.0f);
    explosion.update(0.1f);
    EXPECT_FALSE(explosion.active);
}
