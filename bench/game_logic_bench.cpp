// The game logic of one frame (controls + tick, nothing drawn) in the starting world, with no shot
// and with 20 shots in flight. The shots are parked far outside the crate field and do not fade,
// so each tick walks and hit-tests all of them against every object and none is ever lost.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "app/main_loop.h"
#include "bench/replay.h"
#include "effects/gun_fire.h"
#include "game/controls.h"
#include "game/game_state.h"
#include "scene/model_object.h"

namespace {

void parkShots(int count) {
    for (int i = 0; i < count; ++i) {
        auto* gun = static_cast<GunFire*>(mainShip->guns[i % 2]);
        auto* shot = new Particle;
        shot->life = 1.0f;
        shot->fadeRate = 0.0f;
        shot->size = gun->shotSize;
        shot->position = Vec3(float(i), 5000.0f, 0.0f);
        gun->appendParticle(shot);
    }
}

void gameLogic(benchmark::State& state) {
    replay::startWorld();
    parkShots(int(state.range(0)));
    for (auto _ : state) {
        replay::advanceClock();
        runControls();
        tickFrame();
    }
    replay::clearWorld();
}
BENCHMARK(gameLogic)->Arg(0)->Arg(20)->ArgName("shots")->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::string error;
    if (!replay::setUp(KAVO_DATA_DIR, &error)) {
        std::fprintf(stderr, "kavo-logic-bench: %s\n", error.c_str());
        replay::tearDown();
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    replay::tearDown();
    return 0;
}
