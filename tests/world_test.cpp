#include <GL/gl.h>

#include <cmath>

#include "app/app_window.h"
#include "app/main_loop.h"
#include "effects/engine_trail.h"
#include "effects/gun_fire.h"
#include "game/game_state.h"
#include "game/overlay.h"
#include "game/world.h"
#include "math/camera.h"
#include "platform/display.h"
#include "scene/cube_object.h"
#include "scene/model_object.h"
#include "scene/sphere_object.h"
#include "support/game_world.h"

namespace {

void expectVec(const Vec3& actual, float x, float y, float z, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
    EXPECT_NEAR(actual.z, z, tolerance);
}

void expectMatrix(const float* actual, const float (&expected)[16]) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-6f) << "element " << i;
}

GunFire* gunOf(ShipObject* ship, int index) {
    return static_cast<GunFire*>(ship->guns[index]);
}

} // namespace

using WorldTest = GameWorldTest;

TEST_F(WorldTest, ModelTransformsMapTheModelAxesAndLeaveTheStackAlone) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    GLint depthBefore = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);

    float ship[16];
    makeModelTransform(0.01f, true, ship);
    expectMatrix(ship, {-0.01f, 0, 0, 0, 0, 0, 0.01f, 0, 0, 0.01f, 0, 0, 0, 0, 0, 1});
    float transport[16];
    makeModelTransform(0.07f, false, transport);
    expectMatrix(transport, {0.07f, 0, 0, 0, 0, 0, -0.07f, 0, 0, 0.07f, 0, 0, 0, 0, 0, 1});

    GLint depthAfter = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
    EXPECT_EQ(depthAfter, depthBefore);
    float current[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, current);
    EXPECT_FLOAT_EQ(current[12], 1.0f);
    EXPECT_FLOAT_EQ(current[13], 2.0f);
    EXPECT_FLOAT_EQ(current[14], 3.0f);
}

TEST_F(WorldTest, ObjectListHoldsCratesThenShipsThenBackground) {
    buildStartingWorld();

    ASSERT_EQ(listLength(objectList), 65);
    SceneObject* firstCrate = listEntry(objectList, 0);
    expectVec(firstCrate->position, 6.0f, 0.0f, -6.0f, 0.0f);
    EXPECT_NE(firstCrate->displayList, 0u);
    bool scattered = false;
    for (int i = 0; i < 61; ++i) {
        SceneObject* crate = listEntry(objectList, i);
        EXPECT_FLOAT_EQ(crate->hitRadius, 1.41f);
        EXPECT_EQ(crate->displayList, firstCrate->displayList) << "crate " << i;
        EXPECT_EQ(crate->texture, firstCrate->texture) << "crate " << i;
        if (i == 0)
            continue;
        for (float c : {crate->position.x, crate->position.y, crate->position.z}) {
            EXPECT_EQ(c, std::floor(c)) << "crate " << i;
            EXPECT_GE(c, -50.0f);
            EXPECT_LE(c, 49.0f);
        }
        scattered |= crate->position.x != listEntry(objectList, 1)->position.x;
    }
    EXPECT_TRUE(scattered) << "crates all stacked in one column";

    EXPECT_EQ(listEntry(objectList, 61), mainShip);
    EXPECT_EQ(listEntry(objectList, 62), transportShip);
    EXPECT_EQ(listEntry(objectList, 63), enemyShip);
    auto* background = static_cast<SphereObject*>(listEntry(objectList, 64));
    ASSERT_NE(background, nullptr);
    EXPECT_FLOAT_EQ(background->radius, 10000.0f);
    expectVec(background->position, 0.0f, 0.0f, 0.0f, 0.0f);
}

TEST_F(WorldTest, WithoutBackgroundTheListEndsWithTheEnemy) {
    buildStartingWorld(false);
    EXPECT_EQ(listLength(objectList), 64);
    EXPECT_EQ(listEntry(objectList, 63), enemyShip);
}

TEST_F(WorldTest, ShipsStartWithTheirKindsValues) {
    buildStartingWorld();
    ASSERT_NE(mainShip, nullptr);
    ASSERT_NE(transportShip, nullptr);
    ASSERT_NE(enemyShip, nullptr);

    expectMatrix(mainShip->modelTransform,
                 {-0.01f, 0, 0, 0, 0, 0, 0.01f, 0, 0, 0.01f, 0, 0, 0, 0, 0, 1});
    expectMatrix(transportShip->modelTransform,
                 {0.07f, 0, 0, 0, 0, 0, -0.07f, 0, 0, 0.07f, 0, 0, 0, 0, 0, 1});
    expectMatrix(enemyShip->modelTransform,
                 {-0.05f, 0, 0, 0, 0, 0, 0.05f, 0, 0, 0.05f, 0, 0, 0, 0, 0, 1});

    expectVec(mainShip->position, 0.0f, -1.0f, -10.0f, 0.0f);
    expectVec(transportShip->position, 0.0f, 0.0f, -40.0f, 0.0f);
    expectVec(enemyShip->position, 0.0f, 40.0f, -10.0f, 0.0f);
    EXPECT_FLOAT_EQ(mainShip->mass, 10.0f);
    EXPECT_FLOAT_EQ(transportShip->mass, 20.0f);
    EXPECT_FLOAT_EQ(enemyShip->mass, 5.0f);
    EXPECT_FLOAT_EQ(transportShip->minEnginePower, -10.0f);
    EXPECT_FLOAT_EQ(transportShip->maxEnginePower, 10.0f);
    EXPECT_FLOAT_EQ(enemyShip->minEnginePower, -1.0f);
    EXPECT_FLOAT_EQ(mainShip->minEnginePower, -1.0f);
    EXPECT_FLOAT_EQ(mainShip->hudColor[0], 0.3f);
    EXPECT_FLOAT_EQ(mainShip->hudColor[1], 1.0f);
    EXPECT_FLOAT_EQ(enemyShip->hudColor[0], 1.0f);
    EXPECT_FLOAT_EQ(enemyShip->hudColor[1], 0.3f);
    EXPECT_FLOAT_EQ(mainShip->hitRadius, 0.0f);

    // The setup turns stay pending until the first draw, which shows the starting noses.
    expectVec(enemyShip->turnInput, 90.0f, 180.0f, 0.0f, 0.0f);
    drawScene();
    expectVec(mainShip->forward, 0.0f, 0.0f, -1.0f);
    expectVec(transportShip->forward, 0.0f, 0.0f, 1.0f);
    expectVec(transportShip->up, 0.0f, 1.0f, 0.0f);
    expectVec(enemyShip->forward, 0.0f, -1.0f, 0.0f);
    expectVec(enemyShip->up, 0.0f, 0.0f, 1.0f);

    ASSERT_NE(mainShip->guns[0], nullptr);
    ASSERT_NE(mainShip->guns[1], nullptr);
    EXPECT_EQ(transportShip->guns[0], nullptr);
    EXPECT_EQ(transportShip->guns[1], nullptr);
    GunFire* left = gunOf(mainShip, 0);
    expectVec(left->muzzleOffset, -0.9f, -0.09f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(left->fireInterval, 0.3f);
    EXPECT_FLOAT_EQ(left->shotSize, 0.1f);
    EXPECT_FLOAT_EQ(left->shotColor[2], 1.0f);
    EXPECT_EQ(left->targets, &objectList);
    EXPECT_EQ(left->owner, mainShip);
    GunFire* enemyRight = gunOf(enemyShip, 1);
    expectVec(enemyRight->muzzleOffset, 0.1f, 0.7f, -0.4f, 0.0f);
    // The enemy keeps the gun's own defaults.
    EXPECT_FLOAT_EQ(enemyRight->fireInterval, 0.5f);
    EXPECT_FLOAT_EQ(enemyRight->shotSize, 0.2f);
}

TEST_F(WorldTest, EffectsFollowTheirShipsInCreationOrder) {
    buildStartingWorld();
    ASSERT_EQ(listLength(effectList), 10);

    // Each ship's attached effects are its trails then its guns, and effectList is the three
    // ships' lists one after the other.
    int index = 0;
    for (ShipObject* ship : {mainShip, transportShip, enemyShip}) {
        for (ObjectListNode<EffectObject>* node = ship->attachedEffects.head; node;
             node = node->next)
            EXPECT_EQ(listEntry(effectList, index++), node->object) << "effect " << index;
    }
    EXPECT_EQ(index, 10);

    EXPECT_EQ(listEntry(effectList, 2), static_cast<EffectObject*>(gunOf(mainShip, 0)));
    EXPECT_EQ(listEntry(effectList, 3), static_cast<EffectObject*>(gunOf(mainShip, 1)));
    EXPECT_EQ(listEntry(effectList, 8), static_cast<EffectObject*>(gunOf(enemyShip, 0)));

    auto* mainTrail = static_cast<EngineTrail*>(listEntry(effectList, 0));
    EXPECT_EQ(mainTrail->owner, mainShip);
    expectVec(mainTrail->emitterOffset, -0.1f, 0.0f, -0.6f, 0.0f);
    EXPECT_FALSE(mainTrail->hasReverseEmitter);
    auto* transportTrail = static_cast<EngineTrail*>(listEntry(effectList, 5));
    EXPECT_EQ(transportTrail->owner, transportShip);
    EXPECT_TRUE(transportTrail->hasReverseEmitter);
    expectVec(transportTrail->emitterOffset, 1.95f, -0.17f, -2.55f, 0.0f);
    expectVec(transportTrail->reverseEmitterOffset, 1.95f, -0.17f, -1.0f, 0.0f);
    auto* enemyTrail = static_cast<EngineTrail*>(listEntry(effectList, 6));
    EXPECT_EQ(enemyTrail->owner, enemyShip);
    EXPECT_FALSE(enemyTrail->hasReverseEmitter);
    expectVec(enemyTrail->emitterOffset, -0.45f, 0.52f, -1.5f, 0.0f);
}

TEST_F(WorldTest, StartsOnTheMainShipInModeOneWithTheOverlayReady) {
    buildStartingWorld();
    EXPECT_EQ(selectedShip, &mainShip);
    EXPECT_EQ(currentSelectedShip(), mainShip);
    EXPECT_EQ(shipType, 1);
    EXPECT_EQ(cameraMode, 1);
    EXPECT_TRUE(enemyAlive);
    EXPECT_FALSE(helpVisible);
    EXPECT_TRUE(camera.following);
    EXPECT_EQ(camera.target, mainShip);
    ASSERT_NE(overlay, nullptr);
    EXPECT_FLOAT_EQ(overlay->reticleSize, 0.2f);
    EXPECT_FLOAT_EQ(overlay->color[1], 1.0f);
}

TEST_F(WorldTest, TransportCarriesTheFirstCrateUnderItsTail) {
    buildStartingWorld();
    SceneObject* firstCrate = listEntry(objectList, 0);
    EXPECT_EQ(transportShip->cargo, firstCrate);
    EXPECT_TRUE(transportShip->carryingCargo);
    EXPECT_EQ(firstCrate->carrier, transportShip);
    expectVec(transportShip->cargoOffset, 0.0f, -0.4f, -1.0f, 0.0f);

    drawScene();
    tickScene(0.016f);
    expectVec(firstCrate->position, 0.0f, -0.4f, -41.0f);

    // Shooting the carried crate makes the transport let go of it.
    removeObject(firstCrate);
    EXPECT_EQ(transportShip->cargo, nullptr);
    EXPECT_FALSE(transportShip->carryingCargo);
}

TEST_F(WorldTest, ShipsUseVertexBuffersOnlyWhenSupported) {
    buildStartingWorld();
    for (ShipObject* ship : {mainShip, transportShip, enemyShip}) {
        EXPECT_FALSE(ship->useVertexBuffer);
        EXPECT_EQ(ship->vertexBuffer, 0u);
    }
    if (!mainShip->model)
        GTEST_SKIP() << "no ship models in " << KAVO_DATA_DIR;
    EXPECT_NE(mainShip->displayList, 0u);

    clearObjectList();
    clearEffectList();
    delete overlay;
    overlay = nullptr;
    resetGameState();
    // The shell fetches these when the driver offers the extension.
    glGenBuffersARB =
        reinterpret_cast<PFNGLGENBUFFERSARBPROC>(platform::getProcAddress("glGenBuffersARB"));
    glBindBufferARB =
        reinterpret_cast<PFNGLBINDBUFFERARBPROC>(platform::getProcAddress("glBindBufferARB"));
    glBufferDataARB =
        reinterpret_cast<PFNGLBUFFERDATAARBPROC>(platform::getProcAddress("glBufferDataARB"));
    ASSERT_NE(glGenBuffersARB, nullptr);
    vboSupported = true;
    buildStartingWorld();
    for (ShipObject* ship : {mainShip, transportShip, enemyShip}) {
        EXPECT_TRUE(ship->useVertexBuffer);
        EXPECT_NE(ship->vertexBuffer, 0u);
        EXPECT_EQ(ship->displayList, 0u);
    }
}
