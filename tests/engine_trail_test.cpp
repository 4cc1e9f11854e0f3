#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/object_list.h"
#include "effects/engine_trail.h"
#include "math/random.h"
#include "scene/scene_object.h"
#include "support/effect_test_support.h"

namespace {

class EngineTrailTest : public ::testing::Test {
  protected:
    void SetUp() override {
        seedRandom(1);
        ship.position = Vec3(1.0f, 2.0f, 3.0f);
        trail.init("missing-particle.bmp", &ship);
        trail.emitterOffset = Vec3(0.0f, 0.0f, -2.0f); // behind the ship
    }
    // A frame at full frame rate; returns how many particles the tick emitted.
    int tick(float dt) {
        int before = countParticles(trail);
        int died = 0;
        for (const Particle* p = trail.particles; p; p = p->next)
            if (p->life - dt * p->fadeRate <= 0.0f)
                ++died;
        trail.update(dt);
        return countParticles(trail) - before + died;
    }

    QuietMessages quiet;
    SceneObject ship;
    EngineTrail trail;
};

} // namespace

TEST_F(EngineTrailTest, EmissionCarriesTheRemainderOverToTheNextTick) {
    ship.enginePower = 10.0f;
    EXPECT_EQ(tick(0.016f), 1); // 0.16 gathered, 0.06 left
    EXPECT_EQ(tick(0.016f), 2); // 0.22 gathered
    EXPECT_NEAR(trail.emitAccumulator, 0.02f, 1e-5f);

    // Power falling to idle drops the gathered fraction at once.
    trail.emitAccumulator = 0.09f;
    ship.enginePower = 1.0f;
    EXPECT_EQ(tick(0.016f), 0);
    EXPECT_EQ(trail.emitAccumulator, 0.0f);

    // Just above idle: about ten particles a second.
    ship.enginePower = 1.01f;
    int emitted = 0;
    for (int i = 0; i < 100; ++i)
        emitted += tick(0.01f);
    EXPECT_GE(emitted, 9);
    EXPECT_LE(emitted, 10);
}

TEST_F(EngineTrailTest, NewParticleStartsAtTheExhaustAndAgesFromTheNextTick) {
    ship.enginePower = 10.0f;
    trail.update(0.016f);
    ASSERT_EQ(countParticles(trail), 1);
    const Particle& p = *trail.particles;
    // The offset is in the ship's axes: z along forward (-Z), so 2 units behind is +2 in Z.
    EXPECT_EQ(trail.origin.x, 1.0f);
    EXPECT_EQ(trail.origin.z, 5.0f);
    EXPECT_EQ(p.position.z, 5.0f);
    EXPECT_EQ(p.life, 1.0f);
    EXPECT_EQ(p.velocity.z, 1.0f); // out of the exhaust at 1 unit per second
    EXPECT_EQ(p.color[1], 1.0f);
    EXPECT_EQ(p.size, 0.3f);
    EXPECT_GE(p.fadeRate, 2.0f);
    EXPECT_LE(p.fadeRate, 3.99f + 1e-5f);
}

TEST_F(EngineTrailTest, AgeingReddensShrinksToAFloorAndRemovesSpentParticles) {
    ship.enginePower = 2.0f;
    trail.update(0.1f);
    ASSERT_GT(countParticles(trail), 0);
    ship.enginePower = 0.0f;
    float previousSize = 0.3f;
    for (int i = 0; i < 100 && trail.particles; ++i) {
        trail.update(0.05f);
        for (const Particle* p = trail.particles; p; p = p->next) {
            EXPECT_LE(p->size, previousSize);
            EXPECT_GT(p->size, 0.14f); // stops shrinking once at or below 0.15
            EXPECT_GE(p->color[1], 0.0f);
            EXPECT_LE(p->color[1], 0.5f);
            if (p->life <= 0.75f) {
                EXPECT_EQ(p->color[1], 0.0f);
            }
            EXPECT_GT(p->life, 0.0f);
            previousSize = p->size;
        }
    }
    EXPECT_EQ(trail.particles, nullptr);
}

TEST_F(EngineTrailTest, ReverseThrustMovesTheExhaustToTheReverseEmitter) {
    trail.hasReverseEmitter = true;
    trail.reverseEmitterOffset = Vec3(0.0f, 0.0f, 3.0f); // ahead of the ship
    ship.enginePower = -5.0f;
    EXPECT_GE(tick(0.1f), 4); // the size of the power drives the rate
    EXPECT_EQ(trail.origin.z, 0.0f);
    EXPECT_EQ(trail.emitDirection.z, -1.0f);
    EXPECT_EQ(trail.particles->velocity.z, -1.0f);
    EXPECT_EQ(trail.particles->life, 1.0f);
    EXPECT_EQ(ship.enginePower, -5.0f);

    // Without a reverse exhaust point nothing comes out, from the normal point.
    trail.hasReverseEmitter = false;
    EXPECT_EQ(tick(0.1f), 0);
    EXPECT_EQ(trail.origin.z, 5.0f);
    EXPECT_EQ(trail.emitAccumulator, 0.0f);
}

TEST_F(EngineTrailTest, CompensatedFlightDrivesTheRateBySpeed) {
    ship.enginePower = 0.0f;
    ship.compensating = true;
    ship.compensatorOn = true;
    ship.compensatedVelocity = Vec3(0.0f, 3.0f, -4.0f); // speed 5
    EXPECT_GE(tick(0.1f), 4);
    EXPECT_EQ(trail.particles->life, 1.0f); // the compensator is on: no keeping pace

    ship.enginePower = 10.0f;
    ship.compensatedVelocity = Vec3(0.0f, 0.0f, 0.0f);
    EXPECT_EQ(tick(0.1f), 0);
}

namespace {

// The first particle a fresh trail emits behind a ship at power 2 moving at `velocity`.
Particle firstParticleAtVelocity(Vec3 velocity) {
    QuietMessages quiet;
    SceneObject ship;
    ship.enginePower = 2.0f;
    ship.velocity = velocity;
    EngineTrail trail;
    trail.init("missing-particle.bmp", &ship);
    trail.update(0.1f);
    Particle first;
    if (trail.particles)
        first = *trail.particles;
    return first;
}

} // namespace

TEST(EngineTrailSpeed, ExhaustAlongTheDriftKeepsPaceAndFastShipsFadeSooner) {
    // Drifting backwards at 4, the way the exhaust points: half life, 1 % faster than the ship.
    Particle drifting = firstParticleAtVelocity(Vec3(0.0f, 0.0f, 4.0f));
    EXPECT_EQ(drifting.life, 0.5f);
    EXPECT_NEAR(drifting.velocity.z, 4.04f, 1e-5f);
    EXPECT_EQ(drifting.velocity.x, 0.0f);

    // Forward at 20: the exhaust points away from the motion, the speed halves the life.
    Particle fast = firstParticleAtVelocity(Vec3(0.0f, 0.0f, -20.0f));
    EXPECT_EQ(fast.life, 0.5f);
    EXPECT_EQ(fast.velocity.z, 1.0f);

    // Backwards at 20: half life for keeping pace, halved again for the speed.
    Particle fastBackwards = firstParticleAtVelocity(Vec3(0.0f, 0.0f, 20.0f));
    EXPECT_EQ(fastBackwards.life, 0.25f);
}

// A tick that spans a long stay in the background, or a runaway power, must not stall the frame.
TEST_F(EngineTrailTest, HugeTicksEmitABoundedBurst) {
    ship.enginePower = 10.0f;
    EXPECT_LE(tick(3600.0f), 1000);
    EXPECT_GT(countParticles(trail), 0);

    ship.enginePower = std::numeric_limits<float>::infinity();
    EXPECT_LE(tick(0.016f), 1000);

    ship.enginePower = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(tick(0.016f), 0);
    EXPECT_EQ(trail.emitAccumulator, 0.0f);
}

// Once its ship is gone the trail is switched off and must never look at the freed ship again.
TEST(EngineTrailOwner, TrailOfADestroyedShipFreezes) {
    QuietMessages quiet;
    auto* ship = new SceneObject;
    ship->enginePower = 10.0f;
    EngineTrail trail;
    trail.init("missing-particle.bmp", ship);
    ship->attachEffect(&trail);
    trail.update(0.05f);
    ASSERT_GT(countParticles(trail), 0);
    Vec3 frozenAt = trail.particles->position;
    float frozenLife = trail.particles->life;

    delete ship;
    EXPECT_FALSE(trail.active);
    trail.update(0.05f);
    EXPECT_EQ(trail.particles->position.z, frozenAt.z);
    EXPECT_EQ(trail.particles->life, frozenLife);
}
