#include <gtest/gtest.h>

#include <cstdint>

#include "app/frame_clock.h"
#include "platform/clock.h"

namespace {

// Time moved by hand: the counter, the millisecond clock, or neither.
class FakeClock : public platform::ClockSource {
  public:
    bool queryPerformanceFrequency(std::int64_t* countsPerSecond) override {
        *countsPerSecond = frequency;
        return hasCounter;
    }
    bool queryPerformanceCounter(std::int64_t* value) override {
        *value = count;
        return hasCounter;
    }
    std::uint32_t tickCount() override { return ms; }
    std::uint32_t timeGetTime() override { return ms; }

    bool hasCounter = true;
    std::int64_t frequency = 1000000;
    std::int64_t count = 0;
    std::uint32_t ms = 0;
};

class AppFrameClock : public ::testing::Test {
  protected:
    void SetUp() override { platform::setClockSource(&fake); }
    void TearDown() override { platform::setClockSource(nullptr); }
    FakeClock fake;
};

} // namespace

TEST_F(AppFrameClock, CounterModeMeasuresDtFromTheCounter) {
    fake.count = 5000000;
    startFrameClock();
    EXPECT_TRUE(frameClock.usePerfCounter);
    EXPECT_FLOAT_EQ(frameClock.msPerCount, 0.001f);
    fake.count += 16667;
    EXPECT_NEAR(advanceFrameClock(), 0.016667f, 1e-6f);
    EXPECT_EQ(frameClock.lastCount, 5016667);
    // A long pause is measured in full: there is no clamp.
    fake.count += 3 * 1000000;
    EXPECT_NEAR(advanceFrameClock(), 3.0f, 1e-4f);
}

TEST_F(AppFrameClock, StartForgetsTheEarlierRun) {
    startFrameClock();
    for (int i = 0; i < 50; ++i) {
        fake.count += 20000;
        advanceFrameClock();
    }
    ASSERT_GT(frameClock.fps, 0u);
    startFrameClock();
    EXPECT_EQ(frameClock.fps, 0u);
    EXPECT_EQ(frameClock.framesInWindow, 0u);
}

TEST_F(AppFrameClock, FpsIsFramesPerWindowOfAtLeast600Ms) {
    startFrameClock();
    std::int64_t start = fake.count;
    std::uint32_t lastFps = 0;
    // 60 frames per second for six seconds, the counter at a microsecond.
    for (int frame = 1; frame <= 360; ++frame) {
        fake.count = start + frame * 1000000LL / 60;
        advanceFrameClock();
        const double elapsedMs = double(fake.count - start) / 1000.0;
        if (elapsedMs < 600.0) {
            EXPECT_EQ(frameClock.fps, 0u) << "frame " << frame;
        }
        // The figure changes only as a window closes.
        if (frameClock.fps != lastFps) {
            EXPECT_EQ(frameClock.framesInWindow, 0u) << "frame " << frame;
        }
        lastFps = frameClock.fps;
        if (elapsedMs >= 600.0) {
            EXPECT_GE(frameClock.fps, 36u);
            EXPECT_LE(frameClock.fps, 37u);
        }
    }
}

TEST_F(AppFrameClock, MillisecondModeWhenThereIsNoCounter) {
    fake.hasCounter = false;
    fake.ms = 1000;
    startFrameClock();
    EXPECT_FALSE(frameClock.usePerfCounter);
    EXPECT_EQ(frameClock.lastMs, 1000u);
    fake.ms = 1017;
    EXPECT_NEAR(advanceFrameClock(), 0.017f, 1e-6f);
    // A counter that claims to exist with no frequency would give infinite frames.
    fake.hasCounter = true;
    fake.frequency = 0;
    startFrameClock();
    EXPECT_FALSE(frameClock.usePerfCounter);
    fake.ms += 20;
    EXPECT_NEAR(advanceFrameClock(), 0.020f, 1e-6f);
}

TEST_F(AppFrameClock, MillisecondModeSurvivesTheWrapOfThe32BitCount) {
    fake.hasCounter = false;
    fake.ms = 0xFFFFFFF0u;
    startFrameClock();
    fake.ms += 32; // wraps to 16
    EXPECT_EQ(fake.ms, 16u);
    EXPECT_NEAR(advanceFrameClock(), 0.032f, 1e-6f);
    // The FPS window is timed across the wrap too.
    std::uint32_t frames = 1;
    while (frameClock.fps == 0 && frames < 100) {
        fake.ms += 16;
        advanceFrameClock();
        ++frames;
    }
    // 600 ms at 16 ms a frame (the first one 32): closed by the 37th frame, not at once.
    EXPECT_EQ(frames, 37u);
    EXPECT_EQ(frameClock.fps, 37u);
}

TEST_F(AppFrameClock, MillisecondModeFpsWindowsAt60Fps) {
    fake.hasCounter = false;
    fake.ms = 500;
    startFrameClock();
    const std::uint32_t start = fake.ms;
    for (int frame = 1; frame <= 360; ++frame) {
        fake.ms = start + std::uint32_t(frame * 1000 / 60);
        advanceFrameClock();
        if (fake.ms - start < 600) {
            EXPECT_EQ(frameClock.fps, 0u);
        } else {
            EXPECT_TRUE(frameClock.fps == 36u || frameClock.fps == 37u) << frameClock.fps;
        }
    }
}
