// The clocks over CLOCK_MONOTONIC: it never jumps with the wall clock, so a frame's time step
// stays true when the user or NTP sets the date.
#include "platform/clock.h"

#include <ctime>

namespace platform {
namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1000000000;

std::int64_t monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

// Milliseconds cut to 32 bits: the count wraps after about 49.7 days, as the callers expect.
std::uint32_t monotonicMilliseconds() {
    return std::uint32_t(std::uint64_t(monotonicNanoseconds() / 1000000));
}

class MonotonicClock : public ClockSource {
  public:
    bool queryPerformanceFrequency(std::int64_t* countsPerSecond) override {
        *countsPerSecond = kNanosecondsPerSecond;
        return true;
    }
    bool queryPerformanceCounter(std::int64_t* count) override {
        *count = monotonicNanoseconds();
        return true;
    }
    std::uint32_t tickCount() override { return monotonicMilliseconds(); }
    std::uint32_t timeGetTime() override { return monotonicMilliseconds(); }
};

MonotonicClock realClock;
ClockSource* currentSource = &realClock;

} // namespace

ClockSource& clock() {
    return *currentSource;
}

void setClockSource(ClockSource* source) {
    currentSource = source ? source : &realClock;
}

} // namespace platform
