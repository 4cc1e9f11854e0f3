// The clocks: a high-resolution counter with its frequency, and two millisecond clocks (time since
// start-up, and the multimedia timer). The source is replaceable so tests can drive time, make the
// counter unavailable, or wrap the 32-bit millisecond count.
#pragma once

#include <cstdint>

namespace platform {

class ClockSource {
  public:
    virtual ~ClockSource() = default;
    // False when there is no high-resolution counter.
    virtual bool queryPerformanceFrequency(std::int64_t* countsPerSecond) = 0;
    virtual bool queryPerformanceCounter(std::int64_t* count) = 0;
    // Milliseconds since an arbitrary start; wraps after 2^32 ms.
    virtual std::uint32_t tickCount() = 0;
    virtual std::uint32_t timeGetTime() = 0;
};

ClockSource& clock();
// Replaces the clock source; null restores the real clocks. The caller keeps ownership.
void setClockSource(ClockSource* source);

} // namespace platform
