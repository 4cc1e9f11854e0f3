// kavo-bench: the cost of one game frame (render + controls + tick) over a scripted replay, and of
// the bare scene (the same meshes at the same places, nothing else), frame by frame in turns so
// that both see the same load on a shared machine. The last line is the ratio of the two medians.
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "bench/replay.h"
#include "game/controls.h"

namespace {

constexpr int kDefaultFrames = 2400;

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void printSummary(const char* name, const replay::CostSummary& summary) {
    std::printf("%-34s median %7.3f ms   99th percentile %7.3f ms\n", name, summary.median,
                summary.percentile99);
}

// Where a game frame's time goes: the same replay again, with the GL pipeline drained after each
// stage so that each gets its own cost. The stages together cost more than a frame measured whole,
// because draining stops the rasteriser overlapping one stage with the next.
struct StageCosts {
    std::vector<double> sceneObjects, effects, overlay, logic;
};

StageCosts measureStages(int frames) {
    StageCosts costs;
    replay::startWorld();
    for (int frame = 0; frame < frames; ++frame) {
        replay::applyScriptedKeys(frame);
        replay::advanceClock();
        auto start = std::chrono::steady_clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawSceneObjects();
        glFinish();
        costs.sceneObjects.push_back(millisecondsSince(start));
        start = std::chrono::steady_clock::now();
        drawEffects();
        glFinish();
        costs.effects.push_back(millisecondsSince(start));
        start = std::chrono::steady_clock::now();
        drawOverlay();
        glFinish();
        costs.overlay.push_back(millisecondsSince(start));
        start = std::chrono::steady_clock::now();
        runControls();
        tickFrame();
        costs.logic.push_back(millisecondsSince(start));
    }
    replay::clearWorld();
    return costs;
}

void printStages(const StageCosts& costs) {
    printSummary("  stage: clear + scene objects", replay::summarise(costs.sceneObjects));
    printSummary("  stage: effects (particles)", replay::summarise(costs.effects));
    printSummary("  stage: overlay (HUD, help)", replay::summarise(costs.overlay));
    printSummary("  stage: controls + tick", replay::summarise(costs.logic));
}

} // namespace

int main(int argc, char** argv) {
    const std::string dataDirectory = argc > 1 ? argv[1] : KAVO_DATA_DIR;
    const int frames = argc > 2 ? std::atoi(argv[2]) : kDefaultFrames;
    std::string error;
    if (frames <= 0 || !replay::setUp(dataDirectory, &error)) {
        std::fprintf(stderr, "kavo-bench: %s\n", frames <= 0 ? "bad frame count" : error.c_str());
        replay::tearDown();
        return 1;
    }

    std::vector<double> gameCosts;
    std::vector<double> bareCosts;
    gameCosts.reserve(frames);
    bareCosts.reserve(frames);
    {
        replay::BareScene bare;
        replay::startWorld();
        for (int frame = 0; frame < frames; ++frame) {
            replay::applyScriptedKeys(frame);
            const replay::FrameView view = replay::captureView();
            replay::advanceClock();

            auto start = std::chrono::steady_clock::now();
            renderFrame();
            runControls();
            tickFrame();
            glFinish();
            gameCosts.push_back(millisecondsSince(start));

            start = std::chrono::steady_clock::now();
            bare.draw(view);
            glFinish();
            bareCosts.push_back(millisecondsSince(start));
        }
    }
    replay::clearWorld();
    const StageCosts stages = measureStages(frames);
    const bool quiet = replay::messagesShown().empty();
    replay::tearDown();

    const replay::CostSummary game = replay::summarise(gameCosts);
    const replay::CostSummary bareScene = replay::summarise(bareCosts);
    std::printf("frames: %d at %dx%d, dt 1/%d s\n", frames, replay::kSurfaceWidth,
                replay::kSurfaceHeight, replay::kFramesPerSecond);
    printSummary("game frame (render+controls+tick)", game);
    printSummary("bare scene", bareScene);
    printStages(stages);
    if (!quiet)
        std::printf("warning: the game showed messages during the replay (see above)\n");
    std::printf("game/bare frame cost ratio: %.2f\n", game.median / bareScene.median);
    return quiet ? 0 : 1;
}
