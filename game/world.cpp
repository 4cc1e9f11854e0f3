// World setup: builds, once, everything that exists when the first frame is drawn (the crate field,
// the three ships with their exhaust trails and guns, the transport's cargo, the background sphere
// and the overlay), and builds the enemy again when the player respawns it.
// Depends on the scene objects, the effects, the camera and the shell's lists and settings.
#include "game/world.h"

#include <GL/gl.h>

#include "app/app_window.h"
#include "app/display_settings.h"
#include "app/main_loop.h"
#include "app/object_list.h"
#include "effects/engine_trail.h"
#include "effects/gun_fire.h"
#include "game/game_state.h"
#include "game/overlay.h"
#include "math/camera.h"
#include "math/random.h"
#include "scene/cube_object.h"
#include "scene/model_object.h"
#include "scene/sphere_object.h"

namespace {

// Everything that tells one kind of ship from another at creation time.
struct ShipKind {
    const char* modelFile;
    const char* textureFile;
    float modelScale;
    bool turnModelAboutZ; // the model was authored facing the other way
    Vec3 position;
    Vec3 setupTurn; // degrees about X, Y, Z applied once to the orientation
    float mass;
    float hudColor[3];
};

struct TrailMount {
    Vec3 emitterOffset;
    bool hasReverseEmitter;
    Vec3 reverseEmitterOffset;
};

struct GunMount {
    Vec3 muzzleOffset;
    // false keeps the interval, colour and size the gun gives itself
    bool customShots;
    float fireInterval;
    float shotColor[3];
    float shotSize;
};

// clang-format off
// Columns: model, texture, scale, turned about Z, position, setup turn, mass, HUD colour.
const ShipKind kMainShipKind = {"ship.3ds", "ship_tex.bmp", 0.01f, true,
    {0.0f, -1.0f, -10.0f}, {0.0f, 0.0f, 0.0f}, 10.0f, {0.3f, 1.0f, 0.3f}};
const ShipKind kTransportKind = {"transp.3ds", "ship_tex.bmp", 0.07f, false,
    {0.0f, 0.0f, -40.0f}, {0.0f, 180.0f, 0.0f}, 20.0f, {0.3f, 1.0f, 0.3f}};
const ShipKind kEnemyKind = {"enemy.3ds", "enemy_tex.bmp", 0.05f, true,
    {0.0f, 40.0f, -10.0f}, {90.0f, 180.0f, 0.0f}, 5.0f, {1.0f, 0.3f, 0.3f}};
// clang-format on

const TrailMount kMainShipTrails[2] = {
    {{-0.1f, 0.0f, -0.6f}, false, {}},
    {{0.1f, 0.0f, -0.6f}, false, {}},
};
const TrailMount kTransportTrails[2] = {
    {{-1.95f, -0.17f, -2.55f}, true, {-1.95f, -0.17f, -1.0f}},
    {{1.95f, -0.17f, -2.55f}, true, {1.95f, -0.17f, -1.0f}},
};
const TrailMount kEnemyTrails[2] = {
    {{-0.45f, 0.52f, -1.5f}, false, {}},
    {{0.45f, 0.52f, -1.5f}, false, {}},
};

const GunMount kMainShipGuns[2] = {
    {{-0.9f, -0.09f, 0.0f}, true, 0.3f, {0.3f, 0.3f, 1.0f}, 0.1f},
    {{0.9f, -0.09f, 0.0f}, true, 0.3f, {0.3f, 0.3f, 1.0f}, 0.1f},
};
const GunMount kEnemyGuns[2] = {
    {{-0.1f, 0.7f, -0.4f}, false, 0.0f, {0.0f, 0.0f, 0.0f}, 0.0f},
    {{0.1f, 0.7f, -0.4f}, false, 0.0f, {0.0f, 0.0f, 0.0f}, 0.0f},
};

constexpr int kScatteredCrates = 60;
constexpr float kCrateHitRadius = 1.41f; // about half a face diagonal, so shots at the edges count
constexpr float kBackgroundRadius = 10000.0f;
const char* const kEffectTexture = "particle.bmp";

// Builds the ship's geometry, texture and starting placement and hands it to objectList.
ShipObject* createShip(const ShipKind& kind) {
    ShipObject* ship =
        createShipModel(kind.modelFile, kind.textureFile, kind.modelScale, kind.turnModelAboutZ);

    ship->position = kind.position;
    ship->mass = kind.mass;
    for (int i = 0; i < 3; ++i)
        ship->hudColor[i] = kind.hudColor[i];
    // The angles stay in turnInput until the first draw clears them, so the ship starts exactly
    // in this orientation.
    ship->turnInput = kind.setupTurn;
    ship->applyTurn();

    appendObject(ship);
    return ship;
}

void addEngineTrails(ShipObject* ship, const TrailMount (&mounts)[2]) {
    for (const TrailMount& mount : mounts) {
        auto* trail = new EngineTrail;
        trail->hasReverseEmitter = mount.hasReverseEmitter;
        trail->init(kEffectTexture, ship);
        trail->emitterOffset = mount.emitterOffset;
        if (mount.hasReverseEmitter)
            trail->reverseEmitterOffset = mount.reverseEmitterOffset;
        appendEffect(trail);
        ship->attachEffect(trail);
    }
}

void addGuns(ShipObject* ship, const GunMount (&mounts)[2]) {
    for (int i = 0; i < 2; ++i) {
        const GunMount& mount = mounts[i];
        auto* gun = new GunFire;
        ship->guns[i] = gun;
        gun->init(kEffectTexture, ship, &objectList);
        gun->muzzleOffset = mount.muzzleOffset;
        if (mount.customShots) {
            gun->fireInterval = mount.fireInterval;
            for (int c = 0; c < 3; ++c)
                gun->shotColor[c] = mount.shotColor[c];
            gun->shotSize = mount.shotSize;
        }
        ship->attachEffect(gun);
        appendEffect(gun);
    }
}

// The first crate builds the cube and loads the logo; the rest share both.
CubeObject* createCrateField() {
    auto* firstCrate = new CubeObject;
    firstCrate->position = Vec3(6.0f, 0.0f, -6.0f);
    firstCrate->hitRadius = kCrateHitRadius;
    firstCrate->buildDisplayList();
    firstCrate->loadTexture("tzlogo.bmp");
    appendObject(firstCrate);

    CubeObject* previous = firstCrate;
    for (int i = 0; i < kScatteredCrates; ++i) {
        auto* crate = new CubeObject;
        crate->displayList = previous->displayList;
        crate->texture = previous->texture;
        // Three separate draws keep the x, y, z order of the generator's sequence.
        const int x = randomNumber() % 100 - 50;
        const int y = randomNumber() % 100 - 50;
        const int z = randomNumber() % 100 - 50;
        crate->position = Vec3(float(x), float(y), float(z));
        crate->hitRadius = kCrateHitRadius;
        appendObject(crate);
        previous = crate;
    }
    return firstCrate;
}

void createMainShip() {
    ShipObject* ship = createShip(kMainShipKind);
    addEngineTrails(ship, kMainShipTrails);
    addGuns(ship, kMainShipGuns);
    mainShip = ship;
}

void createTransport(CubeObject* cargoCrate) {
    ShipObject* ship = createShip(kTransportKind);
    ship->carryingCargo = true;
    ship->cargo = cargoCrate;
    cargoCrate->carrier = ship;
    // The heavy transport can reverse as hard as it pushes forward.
    ship->minEnginePower = -1.0f * ship->maxEnginePower;
    ship->cargoOffset = Vec3(0.0f, -0.4f, -1.0f);
    addEngineTrails(ship, kTransportTrails);
    transportShip = ship;
}

void createBackground() {
    auto* sphere = new SphereObject;
    appendObject(sphere);
    sphere->loadTexture("bckgr.bmp");
    sphere->radius = kBackgroundRadius;
}

void createOverlay() {
    auto* created = new Overlay;
    created->reticleSize = 0.2f;
    created->color[0] = created->color[1] = created->color[2] = 1.0f;
    overlay = created;
    overlay->loadTexture("reticle.bmp");
}

} // namespace

ShipObject* createShipModel(const char* modelFile, const char* textureFile, float scale,
                            bool turnAboutZ) {
    float transform[16];
    makeModelTransform(scale, turnAboutZ, transform);
    auto* ship = new ShipObject(modelFile, transform, vboSupported);
    if (ship->useVertexBuffer)
        ship->buildVertexBuffer();
    else
        ship->buildDisplayList();
    ship->loadTexture(textureFile);
    return ship;
}

void makeModelTransform(float scale, bool turnAboutZ, float out[16]) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glScalef(scale, scale, scale);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    if (turnAboutZ)
        glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
    glGetFloatv(GL_MODELVIEW_MATRIX, out);
    glPopMatrix();
}

void spawnEnemyShip() {
    ShipObject* ship = createShip(kEnemyKind);
    ship->maxEnginePower = 10.0f;
    ship->minEnginePower = -1.0f;
    ship->carryingCargo = false;
    ship->cargo = nullptr;
    addEngineTrails(ship, kEnemyTrails);
    addGuns(ship, kEnemyGuns);
    enemyShip = ship;
    enemyAlive = true;
}

void buildWorld() {
    CubeObject* firstCrate = createCrateField();
    createMainShip();
    createTransport(firstCrate);

    selectedShip = &mainShip;
    setCameraMode(1);

    spawnEnemyShip();
    if (displaySettings.showBackground != 0)
        createBackground();
    // Last, so the overlay exists before the first frame draws it.
    createOverlay();
}
