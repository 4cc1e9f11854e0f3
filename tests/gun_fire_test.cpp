#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/frame_clock.h"
#include "app/main_loop.h"
#include "app/object_list.h"
#include "effects/engine_trail.h"
#include "effects/explosion_effect.h"
#include "effects/gun_fire.h"
#include "scene/scene_object.h"
#include "support/effect_test_support.h"

namespace {

int countNodes(const ObjectListNode<SceneObject>* node) {
    int count = 0;
    for (; node; node = node->next)
        ++count;
    return count;
}

int countNodes(const ObjectListNode<EffectObject>* node) {
    int count = 0;
    for (; node; node = node->next)
        ++count;
    return count;
}

bool listed(const SceneObject* object) {
    for (ObjectListNode<SceneObject>* node = objectList.head; node; node = node->next)
        if (node->object == object)
            return true;
    return false;
}

// A ship at the origin with its nose along -Z and one gun, in the global lists as in the game.
class GunFireTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ship = new SceneObject;
        appendObject(ship);
        gun = new GunFire;
        gun->init("missing-particle.bmp", ship, &objectList);
        ship->attachEffect(gun);
        appendEffect(gun);
    }
    void TearDown() override {
        clearObjectList();
        clearEffectList();
    }

    SceneObject* crateAt(Vec3 position, float radius) {
        auto* crate = new SceneObject;
        crate->position = position;
        crate->hitRadius = radius;
        appendObject(crate);
        return crate;
    }

    QuietMessages quiet;
    SceneObject* ship = nullptr;
    GunFire* gun = nullptr;
};

} // namespace

TEST_F(GunFireTest, FiresAtOnceThenWaitsForItsInterval) {
    EXPECT_EQ(gun->fireInterval, 0.5f);
    EXPECT_EQ(gun->shotSpeed, 50.0f);
    gun->fire();
    gun->fire();
    EXPECT_EQ(countParticles(*gun), 1);

    // Space held, 0.3 s between shots, frames of 0.1 s: a shot on every third frame.
    gun->fireInterval = 0.3f;
    gun->sinceLastShot = 0.3f;
    while (gun->particles)
        gun->removeParticle(gun->particles);
    std::vector<int> shotFrames;
    for (int frame = 0; frame < 10; ++frame) {
        int before = countParticles(*gun);
        gun->fire();
        if (countParticles(*gun) > before)
            shotFrames.push_back(frame);
        gun->update(0.1f);
    }
    EXPECT_EQ(shotFrames, (std::vector<int>{0, 3, 6, 9}));

    // Left idle, the counter stays within ten intervals and the gun is ready.
    for (int i = 0; i < 100; ++i)
        gun->update(1.0f);
    EXPECT_GE(gun->sinceLastShot, gun->fireInterval);
    EXPECT_LE(gun->sinceLastShot, 10.0f * gun->fireInterval);
}

TEST_F(GunFireTest, ShotsLeaveTheMuzzleAlongTheNoseWithTheShipsMotion) {
    EXPECT_EQ(gun->muzzle.z, 0.0f);
    ship->position = Vec3(10.0f, 0.0f, 0.0f);
    gun->muzzleOffset = Vec3(1.0f, -0.5f, 2.0f);
    ship->velocity = Vec3(1.0f, 2.0f, 3.0f);
    gun->update(0.0f);
    // The muzzle the overlay reads lags one tick: it is still the ship's starting position.
    EXPECT_EQ(gun->muzzle.x, 0.0f);
    EXPECT_EQ(gun->origin.x, 11.0f);
    EXPECT_EQ(gun->origin.y, -0.5f);
    EXPECT_EQ(gun->origin.z, -2.0f);

    gun->fire();
    ASSERT_NE(gun->particles, nullptr);
    const Particle& shot = *gun->particles;
    EXPECT_EQ(shot.position.x, 11.0f);
    EXPECT_EQ(shot.velocity.x, 1.0f);
    EXPECT_EQ(shot.velocity.y, 2.0f);
    EXPECT_EQ(shot.velocity.z, 3.0f - 50.0f);
    EXPECT_EQ(shot.life, 1.0f);
    EXPECT_EQ(shot.size, 0.2f);

    gun->update(0.1f);
    EXPECT_EQ(gun->muzzle.x, 11.0f);
    EXPECT_NEAR(shot.position.z, -2.0f + 0.1f * -47.0f, 1e-5f);
    EXPECT_NEAR(shot.life, 0.96f, 1e-6f);

    // With the compensator on, the shot takes the compensated motion.
    ship->compensatorOn = true;
    ship->compensatedVelocity = Vec3(0.0f, 0.0f, -7.0f);
    gun->sinceLastShot = gun->fireInterval;
    gun->fire();
    EXPECT_EQ(gun->particles->next->velocity.z, -57.0f);
    EXPECT_EQ(gun->particles->next->velocity.x, 0.0f);
}

TEST_F(GunFireTest, ShotAtExactlyTheHitRadiusDestroysTheCrate) {
    // After half a second a shot is 25 units ahead: exactly 1.5 from this crate.
    SceneObject* crate = crateAt(Vec3(0.0f, 0.0f, -26.5f), 1.5f);
    SceneObject* justOutOfReach = crateAt(Vec3(0.0f, 0.0f, 26.5f), 1.5f);
    gun->update(0.0f);
    gun->fire();
    gun->update(0.5f);

    EXPECT_FALSE(listed(crate));
    EXPECT_TRUE(listed(justOutOfReach));
    EXPECT_EQ(gun->particles, nullptr);
    ASSERT_EQ(countNodes(effectList.head), 2);
    auto* explosion = static_cast<ExplosionEffect*>(effectList.head->next->object);
    EXPECT_EQ(explosion->sizeScale, 3.0f);
    EXPECT_EQ(explosion->origin.z, -26.5f);
    EXPECT_EQ(countParticles(*explosion), 15);
}

TEST_F(GunFireTest, EachShotDestroysOnlyTheFirstCrateItReaches) {
    // Three crates on the same spot, and two shots that arrive there in the same tick.
    SceneObject* first = crateAt(Vec3(0.0f, 0.0f, -25.0f), 1.41f);
    SceneObject* second = crateAt(Vec3(0.0f, 0.0f, -25.0f), 1.41f);
    SceneObject* third = crateAt(Vec3(0.0f, 0.0f, -25.0f), 1.41f);
    gun->fireInterval = 0.0f;
    gun->update(0.0f);
    gun->fire();
    gun->fire();
    ASSERT_EQ(countParticles(*gun), 2);
    gun->update(0.5f);

    EXPECT_FALSE(listed(first));
    EXPECT_FALSE(listed(second));
    EXPECT_TRUE(listed(third));
    EXPECT_EQ(countNodes(effectList.head), 3);
    EXPECT_EQ(gun->particles, nullptr);

    // With one crate and two shots, the second finds it gone and flies on.
    SceneObject* lone = crateAt(Vec3(0.0f, 0.0f, -50.0f), 1.41f);
    removeObject(third);
    gun->fire();
    gun->fire();
    gun->update(1.0f);
    EXPECT_FALSE(listed(lone));
    ASSERT_EQ(countParticles(*gun), 1);
    EXPECT_EQ(gun->particles->position.z, -50.0f);
    EXPECT_EQ(countNodes(objectList.head), 1); // the ship, untouched at the origin
}

TEST_F(GunFireTest, NotANumberIsNeverAHit) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    SceneObject* lostCrate = crateAt(Vec3(nan, 0.0f, -25.0f), 1.41f);
    SceneObject* oddCrate = crateAt(Vec3(0.0f, 0.0f, -25.0f), nan);
    gun->update(0.0f);
    gun->fire();
    gun->update(0.5f);
    EXPECT_TRUE(listed(lostCrate));
    EXPECT_TRUE(listed(oddCrate));
    EXPECT_EQ(countParticles(*gun), 1);
}

TEST_F(GunFireTest, GunOfADestroyedShipFreezesItsShots) {
    gun->update(0.0f);
    gun->fire();
    gun->update(0.1f);
    Vec3 frozenAt = gun->particles->position;

    removeObject(ship);
    EXPECT_FALSE(gun->active);
    gun->update(0.1f);
    gun->fire();
    EXPECT_EQ(countParticles(*gun), 1);
    EXPECT_EQ(gun->particles->position.z, frozenAt.z);
}

// A gun attached to the very crate it destroys (the attachment need not be its owner): the
// crate's destruction switches the gun off in the middle of its own update. The rest of that update
// must leave the gun's other shots where they are.
TEST_F(GunFireTest, GunSwitchedOffByItsOwnHitStopsAtOnce) {
    SceneObject* crate = crateAt(Vec3(0.0f, 0.0f, -25.0f), 1.41f);
    auto* crateGun = new GunFire;
    crateGun->init("missing-particle.bmp", ship, &objectList);
    crate->attachEffect(crateGun);
    appendEffect(crateGun);
    crateGun->fireInterval = 0.0f;
    crateGun->update(0.0f);
    crateGun->fire();
    crateGun->fire();
    ASSERT_EQ(countParticles(*crateGun), 2);

    crateGun->update(0.5f);
    EXPECT_FALSE(listed(crate));
    EXPECT_FALSE(crateGun->active);
    ASSERT_EQ(countParticles(*crateGun), 1);
    EXPECT_EQ(crateGun->particles->position.z, 0.0f); // never moved
    EXPECT_EQ(crateGun->particles->life, 1.0f);
    EXPECT_EQ(countNodes(effectList.head), 3); // the ship's gun, this one, the explosion

    crateGun->update(0.1f);
    crateGun->fire();
    EXPECT_EQ(crateGun->particles->position.z, 0.0f);
    EXPECT_EQ(countParticles(*crateGun), 1);
}

// A shot fired before the gun's first update has no aim: it sits at the centre of a ship at rest.
// Ships have a hit radius of 0, which a shot exactly at the centre would still meet; the ship
// must not destroy itself (the game keeps pointers to its ships).
TEST_F(GunFireTest, ShotFiredBeforeAnyAimNeverHitsItsOwnShip) {
    gun->fire();
    gun->update(0.016f);
    gun->update(0.016f);
    EXPECT_TRUE(listed(ship));
    EXPECT_TRUE(gun->active);
    ASSERT_EQ(countParticles(*gun), 1);
    EXPECT_EQ(gun->particles->position.z, 0.0f);

    // Another ship at that very spot is still hit.
    auto* other = new SceneObject;
    appendObject(other);
    gun->update(0.016f);
    EXPECT_FALSE(listed(other));
    EXPECT_EQ(gun->particles, nullptr);
}

// The whole hit as the main loop runs it: the gun's update destroys a crate while the loop walks
// the effect list; the crate takes an effect attached to it down with it, and the new explosion at
// the tail is reached and aged in the same tick.
TEST_F(GunFireTest, HitDuringTheMainLoopTick) {
    FixedTickClock clock(1000u);
    startFrameClock();
    SceneObject* crate = crateAt(Vec3(0.0f, 0.0f, -25.0f), 1.41f);
    auto* crateTrail = new EngineTrail;
    crateTrail->init("missing-particle.bmp", crate);
    appendEffect(crateTrail);
    crate->attachEffect(crateTrail);

    gun->update(0.0f);
    gun->fire();
    clock.ticks += 500;
    tickFrame();

    EXPECT_FALSE(listed(crate));
    EXPECT_FALSE(crateTrail->active);
    ASSERT_EQ(countNodes(effectList.head), 3);
    auto* explosion = static_cast<ExplosionEffect*>(effectList.head->next->next->object);
    EXPECT_TRUE(explosion->active);
    EXPECT_EQ(countParticles(*explosion), 14);
    EXPECT_EQ(explosion->frameTime, 0.5f);

    clock.ticks += 500;
    tickFrame();
    EXPECT_TRUE(gun->active);
}
