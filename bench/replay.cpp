#include "bench/replay.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/app_window.h"
#include "app/display_settings.h"
#include "app/frame_clock.h"
#include "app/main_loop.h"
#include "app/object_list.h"
#include "effects/effect_object.h"
#include "game/game_state.h"
#include "game/overlay.h"
#include "game/world.h"
#include "math/camera.h"
#include "math/random.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/message_box.h"
#include "platform/offscreen_context.h"
#include "scene/cube_object.h"
#include "scene/model_object.h"
#include "scene/sphere_object.h"

namespace replay {
namespace {

namespace vk = platform::vk;

// Time moves only when the harness says so: exactly one frame per advance, whatever the frame
// really cost. Explosions reseed from the millisecond count, so their bursts repeat too.
class FrameStepClock : public platform::ClockSource {
  public:
    static constexpr std::int64_t kCountsPerFrame = 1000;
    static constexpr std::int64_t kCountsPerSecond = kCountsPerFrame * kFramesPerSecond;

    bool queryPerformanceFrequency(std::int64_t* countsPerSecond) override {
        *countsPerSecond = kCountsPerSecond;
        return true;
    }
    bool queryPerformanceCounter(std::int64_t* count) override {
        *count = counts;
        return true;
    }
    std::uint32_t tickCount() override { return milliseconds(); }
    std::uint32_t timeGetTime() override { return milliseconds(); }

    void step() { counts += kCountsPerFrame; }

  private:
    std::uint32_t milliseconds() const { return std::uint32_t(counts * 1000 / kCountsPerSecond); }
    std::int64_t counts = 1000000;
};

FrameStepClock stepClock;
bool contextMade = false;
bool fontBuilt = false;

// What start-up decides with the default res.cfg (vertex buffers on, background on); the
// offscreen surface has no sample buffers, so multisampling stays off as on a display without it.
void setUpCapabilities() {
    displaySettings = DisplaySettings();
    displaySettings.useVertexBuffers = 1;
    displaySettings.multisampleSamples = 2;
    displaySettings.showBackground = 1;
    multisampleOn = false;
    setUpVertexBuffers();
}

// --- The key script -----------------------------------------------------------------------------
// One cycle is ten seconds of play and repeats; a few actions change from cycle to cycle so that
// every ship, camera mode and the free camera are seen with and without the help page.
constexpr int kCycleFrames = 600;

struct HeldKey {
    std::uint32_t key;
    int from; // first frame of the cycle it is down
    int to;   // first frame it is up again
};

// Keys held over a stretch of the cycle. Space is held throughout: the guns fire at their rate.
const HeldKey kHeldKeys[] = {
    {vk::Space, 0, kCycleFrames}, {'Q', 0, 120},           {vk::Numpad4, 30, 90},
    {vk::Numpad8, 130, 170},      {vk::Numpad6, 200, 260}, {vk::Numpad2, 300, 340},
    {vk::Numpad7, 360, 380},      {vk::Numpad9, 400, 420}, {'A', 480, 500},
};

// Keys pressed for one pass and released before the next, as a tap arrives.
struct TappedKey {
    std::uint32_t key;
    int at;
};

const TappedKey kTappedKeys[] = {
    {'2', 50},     {'W', 60},  {vk::F3, 100}, {'D', 110},    {'3', 150},
    {'E', 180},    {'4', 250}, {vk::F2, 270}, {'1', 350},    {'C', 440},
    {vk::F2, 460}, {'R', 480}, {vk::F4, 520}, {vk::F2, 570}, {'S', 590},
};

bool heldAt(const HeldKey& held, int cycleFrame) {
    return cycleFrame >= held.from && cycleFrame < held.to;
}

std::vector<std::string> capturedMessages;

} // namespace

bool setUp(const std::string& dataDirectory, std::string* error) {
    if (!platform::createOffscreenContext(kSurfaceWidth, kSurfaceHeight)) {
        *error = "no offscreen OpenGL context";
        return false;
    }
    contextMade = true;
    if (chdir(dataDirectory.c_str()) != 0) {
        *error = "no data folder " + dataDirectory;
        return false;
    }
    platform::setMessageCapture([](const char* caption, const char* text) {
        capturedMessages.push_back(std::string(caption) + ": " + text);
        std::fprintf(stderr, "message: %s: %s\n", caption, text);
    });
    platform::setClockSource(&stepClock);
    setUpCapabilities();
    setFixedState();
    setUpViewport();
    buildFont();
    fontBuilt = true;
    return true;
}

void tearDown() {
    clearWorld();
    if (fontBuilt)
        deleteFont();
    fontBuilt = false;
    if (contextMade)
        platform::destroyOffscreenContext();
    contextMade = false;
    platform::setClockSource(nullptr);
    platform::setMessageCapture(nullptr);
}

const std::vector<std::string>& messagesShown() {
    return capturedMessages;
}

void startWorld() {
    resetGameState();
    seedRandom(kSeed);
    buildWorld();
    startFrameClock();
}

void clearWorld() {
    clearObjectList();
    clearEffectList();
    delete overlay;
    overlay = nullptr;
    resetGameState();
}

void applyScriptedKeys(int frame) {
    const int cycle = frame / kCycleFrames;
    const int cycleFrame = frame % kCycleFrames;
    for (const HeldKey& held : kHeldKeys)
        keyState[held.key] = heldAt(held, cycleFrame) ? 1 : 0;
    for (const TappedKey& tap : kTappedKeys)
        keyState[tap.key] = 0;
    for (const TappedKey& tap : kTappedKeys)
        if (tap.at == cycleFrame)
            keyState[tap.key] = 1;
    // Every other cycle the enemy is selected when it explodes, which leaves the free camera.
    if (cycle % 2 == 1 && cycleFrame == 150)
        keyState[vk::F4] = 1;
    // The help page is open for half of every third cycle.
    if (cycle % 3 == 0 && (cycleFrame == 0 || cycleFrame == 300))
        keyState[vk::F1] = 1;
    else
        keyState[vk::F1] = 0;
}

void advanceClock() {
    stepClock.step();
}

namespace {

Mesh meshOf(const SceneObject* object) {
    if (dynamic_cast<const CubeObject*>(object))
        return Mesh::Crate;
    if (dynamic_cast<const SphereObject*>(object))
        return Mesh::Background;
    if (object == mainShip)
        return Mesh::MainShip;
    if (object == transportShip)
        return Mesh::Transport;
    if (object == enemyShip)
        return Mesh::Enemy;
    return Mesh::Other;
}

} // namespace

FrameView captureView() {
    FrameView view;
    view.eye = camera.eye;
    view.direction = camera.direction;
    view.up = camera.up;
    for (ObjectListNode<SceneObject>* node = objectList.head; node; node = node->next) {
        PlacedBody body;
        body.mesh = meshOf(node->object);
        body.position = node->object->position;
        std::memcpy(body.orientation, node->object->orientation, sizeof body.orientation);
        view.bodies.push_back(body);
    }
    return view;
}

namespace {

// The ship meshes as world setup makes them: model file, texture, scale, turned about Z.
struct ShipMesh {
    const char* modelFile;
    const char* textureFile;
    float scale;
    bool turnAboutZ;
};
const ShipMesh kMainShipMesh = {"ship.3ds", "ship_tex.bmp", 0.01f, true};
const ShipMesh kTransportMesh = {"transp.3ds", "ship_tex.bmp", 0.07f, false};
const ShipMesh kEnemyMesh = {"enemy.3ds", "enemy_tex.bmp", 0.05f, true};
constexpr float kBackgroundRadius = 10000.0f;

ShipObject* makeShip(const ShipMesh& kind) {
    return createShipModel(kind.modelFile, kind.textureFile, kind.scale, kind.turnAboutZ);
}

} // namespace

BareScene::BareScene() {
    // Built as world setup builds them; kept out of the object list so the game can run beside.
    auto* crate = new CubeObject;
    crate->buildDisplayList();
    crate->loadTexture("tzlogo.bmp");
    meshes[int(Mesh::Crate)] = crate;

    auto* background = new SphereObject;
    background->loadTexture("bckgr.bmp");
    background->radius = kBackgroundRadius;
    meshes[int(Mesh::Background)] = background;

    meshes[int(Mesh::MainShip)] = makeShip(kMainShipMesh);
    meshes[int(Mesh::Transport)] = makeShip(kTransportMesh);
    meshes[int(Mesh::Enemy)] = makeShip(kEnemyMesh);
}

BareScene::~BareScene() {
    for (SceneObject* mesh : meshes) {
        if (mesh)
            glDeleteTextures(1, &mesh->texture);
        delete mesh;
    }
}

void BareScene::draw(const FrameView& view) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const Vec3 centre = view.eye + view.direction;
    for (const PlacedBody& body : view.bodies) {
        SceneObject* mesh = meshes[int(body.mesh)];
        if (!mesh)
            continue;
        mesh->position = body.position;
        std::memcpy(mesh->orientation, body.orientation, sizeof body.orientation);
        glLoadIdentity();
        gluLookAt(view.eye.x, view.eye.y, view.eye.z, centre.x, centre.y, centre.z, view.up.x,
                  view.up.y, view.up.z);
        mesh->draw();
    }
}

CostSummary summarise(std::vector<double> costs) {
    CostSummary summary;
    if (costs.empty())
        return summary;
    std::sort(costs.begin(), costs.end());
    summary.median = costs[costs.size() / 2];
    // Nearest rank: the smallest cost at or above 99 % of the frames.
    const std::size_t rank = (costs.size() * 99 + 99) / 100;
    summary.percentile99 = costs[std::min(costs.size(), rank) - 1];
    return summary;
}

} // namespace replay
