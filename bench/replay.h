// The replay harness: the real world in an offscreen context, driven by a fixed key script and a
// fake clock so that every run plays the same frames. Used by the frame-cost benchmark, the game
// logic benchmark and the soak run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "math/vec3.h"

class SceneObject;

namespace replay {

constexpr int kSurfaceWidth = 1024;
constexpr int kSurfaceHeight = 768;
constexpr unsigned int kSeed = 1;
constexpr int kFramesPerSecond = 60;

// Creates the offscreen context at kSurfaceWidth x kSurfaceHeight, moves into `dataDirectory`
// (where the generated models and textures are), installs the fake clock and sets the GL state
// and capabilities the program's start-up would set with the default res.cfg. False, with a reason
// in `error`, when any of that fails.
bool setUp(const std::string& dataDirectory, std::string* error);
// Messages the program would have shown in a box since setUp.
const std::vector<std::string>& messagesShown();
// Empties the world, deletes the font and the context and restores the real clock.
void tearDown();

// Builds the world from the fixed seed and starts the frame clock, as start-up does.
void startWorld();
// Empties the object and effect lists and deletes the overlay; the game state starts over.
void clearWorld();

// Writes the key state the window procedure would have written before pass `frame`.
void applyScriptedKeys(int frame);
// Moves the fake clock on by exactly one frame (1/60 s).
void advanceClock();

// One placed body as a frame drew it: which mesh, where, turned how.
enum class Mesh : std::uint8_t { Crate, Background, MainShip, Transport, Enemy, Other };
struct PlacedBody {
    Mesh mesh = Mesh::Other;
    Vec3 position;
    float orientation[16];
};
// What one frame showed: the camera and every scene object in drawing order.
struct FrameView {
    Vec3 eye;
    Vec3 direction;
    Vec3 up;
    std::vector<PlacedBody> bodies;
};
// The view renderFrame is about to draw.
FrameView captureView();

// The scene alone: the same meshes, textures and GL state as the world, drawn at recorded
// placements with no logic, effects or overlay. It owns one object per mesh, outside the object
// list, so it can draw between the game's frames. Needs the context and the data folder.
class BareScene {
  public:
    BareScene();
    ~BareScene();
    BareScene(const BareScene&) = delete;
    BareScene& operator=(const BareScene&) = delete;
    // Clears the frame and draws every recorded body; no buffer swap.
    void draw(const FrameView& view);

  private:
    SceneObject* meshes[int(Mesh::Other) + 1] = {};
};

// Frame-cost figures in milliseconds.
struct CostSummary {
    double median = 0.0;
    double percentile99 = 0.0;
};
CostSummary summarise(std::vector<double> costs);

} // namespace replay
