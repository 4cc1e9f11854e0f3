// Helpers shared by the particle-effect tests: swallowed texture-load messages, a tick count the
// test sets, and small counts over particle lists.
#pragma once

#include <cstdint>
#include <vector>

#include "effects/effect_object.h"
#include "platform/clock.h"
#include "platform/message_box.h"

// Effects load their textures from files that do not exist in the test's folder; the failure
// report goes to a counter instead of a message box for as long as this lives.
class QuietMessages {
  public:
    QuietMessages() {
        platform::setMessageCapture([this](const char*, const char*) { ++count; });
    }
    ~QuietMessages() { platform::setMessageCapture(nullptr); }
    int count = 0;
};

// Millisecond clock held still at a value the test chooses; installed for as long as it lives.
class FixedTickClock : public platform::ClockSource {
  public:
    explicit FixedTickClock(std::uint32_t ticks) : ticks(ticks) { platform::setClockSource(this); }
    ~FixedTickClock() override { platform::setClockSource(nullptr); }
    bool queryPerformanceFrequency(std::int64_t*) override { return false; }
    bool queryPerformanceCounter(std::int64_t*) override { return false; }
    std::uint32_t tickCount() override { return ticks; }
    std::uint32_t timeGetTime() override { return ticks; }
    std::uint32_t ticks;
};

inline int countParticles(const EffectObject& effect) {
    int count = 0;
    for (const Particle* p = effect.particles; p; p = p->next)
        ++count;
    return count;
}

inline std::vector<const Particle*> particleList(const EffectObject& effect) {
    std::vector<const Particle*> list;
    for (const Particle* p = effect.particles; p; p = p->next)
        list.push_back(p);
    return list;
}
