// kavo-soak: the scripted replay for 20 000 frames (over five minutes of play) under
// AddressSanitizer and LeakSanitizer. Any memory error ends the run; a leak of our own fails it at
// exit; a message the program would have shown fails it too.
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/main_loop.h"
#include "bench/replay.h"
#include "game/controls.h"
#include "support/gl_driver_pin.h"

// Leak suppressions and sanitizer options are those of the test binary
// (tests/support/sanitizer_defaults.cpp), linked in.

namespace {
constexpr int kDefaultFrames = 20000;
constexpr int kReportEvery = 2000;
} // namespace

int main(int argc, char** argv) {
    const std::string dataDirectory = argc > 1 ? argv[1] : KAVO_DATA_DIR;
    const int frames = argc > 2 ? std::atoi(argv[2]) : kDefaultFrames;
    // Progress shows as it happens when the output is a log file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::string error;
    if (frames <= 0 || !replay::setUp(dataDirectory, &error)) {
        std::fprintf(stderr, "kavo-soak: %s\n", frames <= 0 ? "bad frame count" : error.c_str());
        replay::tearDown();
        return 1;
    }
    replay::startWorld();
    for (int frame = 0; frame < frames; ++frame) {
        replay::applyScriptedKeys(frame);
        replay::advanceClock();
        renderFrame();
        runControls();
        tickFrame();
        if ((frame + 1) % kReportEvery == 0)
            std::printf("kavo-soak: %d frames\n", frame + 1);
    }
    glFinish();
    const std::size_t messages = replay::messagesShown().size();
    pinGlDrivers();
    replay::tearDown();
    if (messages != 0) {
        std::printf("kavo-soak: FAILED, %zu messages shown\n", messages);
        return 1;
    }
    std::printf("kavo-soak: %d frames, no message\n", frames);
    return 0;
}
