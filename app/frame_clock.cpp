// The frame clock: dt of each frame and the FPS count. Prefers the high-resolution counter; the
// millisecond clock is the fallback on machines without one.
#include "app/frame_clock.h"

#include "platform/clock.h"

FrameClock frameClock;

namespace {

// The FPS figure is the number of frames in a window of at least this length; it is not scaled to
// one second, so at 60 frames per second it reads 36 or 37.
constexpr double kFpsWindowMs = 600.0;
constexpr std::uint32_t kFpsWindowWholeMs = 600;
constexpr float kSecondsPerMs = 0.001f;

void closeFpsWindow() {
    frameClock.fps = frameClock.framesInWindow;
    frameClock.framesInWindow = 0;
}

float advanceByCounter() {
    platform::clock().queryPerformanceCounter(&frameClock.nowCount);
    const std::int64_t elapsedCounts = frameClock.nowCount - frameClock.lastCount;
    // Formed in double so that a long frame keeps its precision before the final rounding.
    const double seconds =
        double(elapsedCounts) * double(frameClock.msPerCount) * double(kSecondsPerMs);
    frameClock.lastCount = frameClock.nowCount;
    const double windowMs =
        double(frameClock.nowCount - frameClock.windowStartCount) * double(frameClock.msPerCount);
    if (windowMs >= kFpsWindowMs) {
        frameClock.windowStartCount = frameClock.nowCount;
        closeFpsWindow();
    }
    return float(seconds);
}

float advanceByMilliseconds() {
    frameClock.nowMs = platform::clock().timeGetTime();
    // Unsigned differences stay right across the wrap of the 32-bit millisecond count.
    const std::uint32_t elapsedMs = frameClock.nowMs - frameClock.lastMs;
    const double seconds = double(elapsedMs) * 0.001;
    frameClock.lastMs = frameClock.nowMs;
    if (std::uint32_t(frameClock.nowMs - frameClock.windowStartMs) >= kFpsWindowWholeMs) {
        frameClock.windowStartMs = frameClock.nowMs;
        closeFpsWindow();
    }
    return float(seconds);
}

} // namespace

void startFrameClock() {
    frameClock = FrameClock{};
    platform::ClockSource& source = platform::clock();
    // A counter that claims to exist but reports no frequency would make every dt infinite;
    // the millisecond clock is the better choice then.
    frameClock.usePerfCounter = source.queryPerformanceFrequency(&frameClock.countsPerSecond) &&
                                frameClock.countsPerSecond > 0;
    if (frameClock.usePerfCounter) {
        source.queryPerformanceCounter(&frameClock.lastCount);
        frameClock.windowStartCount = frameClock.lastCount;
        frameClock.msPerCount = float(1000.0 / double(frameClock.countsPerSecond));
    } else {
        frameClock.lastMs = source.timeGetTime();
        frameClock.windowStartMs = frameClock.lastMs;
    }
}

float advanceFrameClock() {
    ++frameClock.framesInWindow;
    return frameClock.usePerfCounter ? advanceByCounter() : advanceByMilliseconds();
}
