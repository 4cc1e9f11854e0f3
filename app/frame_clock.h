// FrameClock: measures the time of each frame (dt, seconds) and counts frames for the FPS figure.
// Uses the high-resolution counter, or the millisecond clock when there is no counter.
#pragma once

#include <cstdint>

struct FrameClock {
    bool usePerfCounter = false;
    float msPerCount = 0.0f;
    std::int64_t countsPerSecond = 0;
    std::int64_t lastCount = 0;
    std::int64_t windowStartCount = 0;
    std::int64_t nowCount = 0;
    std::uint32_t lastMs = 0;
    std::uint32_t windowStartMs = 0;
    std::uint32_t nowMs = 0;
    // Frames in the last completed window of at least 600 ms (not scaled to one second).
    std::uint32_t fps = 0;
    std::uint32_t framesInWindow = 0;
};

extern FrameClock frameClock;

void startFrameClock();
// Advances the clock by one frame and returns the frame's dt in seconds.
float advanceFrameClock();
