#include "platform/clock.h"
namespace platform {
namespace {
class NullClock : public ClockSource {
  public:
    bool queryPerformanceFrequency(std::int64_t*) override { return false; }
    bool queryPerformanceCounter(std::int64_t*) override { return false; }
    std::uint32_t tickCount() override { return 0; }
    std::uint32_t timeGetTime() override { return 0; }
} nullClock;
ClockSource* current = &nullClock;
}
ClockSource& clock() { return *current; }
void setClockSource(ClockSource* s) { current = s ? s : &nullClock; }
}
