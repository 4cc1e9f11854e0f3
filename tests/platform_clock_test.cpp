// The clocks: the real ones are monotonic nanoseconds and milliseconds, and a test source
// replaces them until it is taken away again.
#include <gtest/gtest.h>

#include "platform/clock.h"

namespace {

class FixedClock : public platform::ClockSource {
  public:
    bool queryPerformanceFrequency(std::int64_t*) override { return false; }
    bool queryPerformanceCounter(std::int64_t*) override { return false; }
    std::uint32_t tickCount() override { return 0xFFFFFFF0u; }
    std::uint32_t timeGetTime() override { return 7; }
};

} // namespace

TEST(PlatformClock, RealCounterIsNanosecondsAndMillisecondsFollowIt) {
    platform::ClockSource& real = platform::clock();
    std::int64_t frequency = 0, before = 0, after = 0;
    ASSERT_TRUE(real.queryPerformanceFrequency(&frequency));
    EXPECT_EQ(frequency, 1000000000);
    ASSERT_TRUE(real.queryPerformanceCounter(&before));
    std::uint32_t ticks = real.tickCount();
    std::uint32_t multimedia = real.timeGetTime();
    ASSERT_TRUE(real.queryPerformanceCounter(&after));
    EXPECT_GE(after, before);
    // The millisecond clocks are the same monotonic count, cut to 32 bits.
    std::uint32_t beforeMs = std::uint32_t(std::uint64_t(before / 1000000));
    std::uint32_t afterMs = std::uint32_t(std::uint64_t(after / 1000000));
    EXPECT_LE(ticks - beforeMs, afterMs - beforeMs);
    EXPECT_LE(multimedia - beforeMs, afterMs - beforeMs);
}

TEST(PlatformClock, ReplacementSourceServesUntilRemoved) {
    FixedClock fixed;
    platform::setClockSource(&fixed);
    std::int64_t frequency = 0;
    EXPECT_FALSE(platform::clock().queryPerformanceFrequency(&frequency));
    EXPECT_EQ(platform::clock().tickCount(), 0xFFFFFFF0u);
    EXPECT_EQ(platform::clock().timeGetTime(), 7u);
    platform::setClockSource(nullptr);
    EXPECT_TRUE(platform::clock().queryPerformanceFrequency(&frequency));
    EXPECT_EQ(frequency, 1000000000);
}
