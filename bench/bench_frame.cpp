// bench_frame.cpp -- one simulated frame (advanceFrame at dt 0.01) with 50 stones and 100
// debris pieces. The crowd is rebuilt every simulated second, out of the timing, and kept
// where nothing changes its size: stones far from the craft and its shot, debris hovering.
#include "game/frame_step.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/object_list.h"
#include "platform/clock.h"
#include "player/ship.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {
constexpr int stoneCount = 50;
constexpr int debrisCount = 100;
constexpr int framesPerCrowd = 100; // one simulated second: no stone reaches the craft
constexpr double millisecondsPerFrame = 10.0;

double clockNow = 0.0;
double scriptedClock() {
    return clockNow;
}

float randomBetween(float low, float high) {
    return low + (high - low) * static_cast<float>(std::rand() % 1000) / 1000.0f;
}

float randomFloorSpeed() {
    return static_cast<float>((std::rand() % 19 - 9) / 4.0);
}

// Stones bounce in the far quarter of the field, away from the craft in its corner at
// (-5, 1); debris hovers at height 3 without gravity, so none of it sinks away.
void buildCrowd() {
    beginGame();
    spawnTimer = 1 << 30;
    ship.fireShot(); // every stone is tested against the beam, none is under it
    for (int k = 0; k < stoneCount; ++k) {
        stoneList.append(makeSpec(3, randomFloorSpeed(), randomFloorSpeed(), 4.0f,
                                  randomBetween(2.0f, 7.0f), randomBetween(-11.0f, -6.0f),
                                  randomBetween(2.0f, 8.0f)));
    }
    for (int k = 0; k < debrisCount; ++k) {
        debrisList.append(makeSpec(1, randomFloorSpeed(), randomFloorSpeed(), 0.0f,
                                   randomBetween(-4.0f, 7.0f), randomBetween(-11.0f, 0.0f), 3.0f));
    }
}

void advanceFrameCrowded(benchmark::State& state) {
    std::srand(1);
    setClockSource(scriptedClock);
    buildCrowd();
    int frame = 0;
    for (auto _ : state) {
        clockNow += millisecondsPerFrame;
        advanceFrame();
        frame += 1;
        if (frame % framesPerCrowd == 0) {
            state.PauseTiming();
            if (stoneList.count(true) != stoneCount || debrisList.count(true) != debrisCount) {
                state.SkipWithError("the crowd changed size during a batch");
                break;
            }
            buildCrowd();
            state.ResumeTiming();
        }
    }
    state.counters["stones"] = stoneList.count(true);
    state.counters["debris"] = debrisList.count(true);
    resetGame();
    setClockSource(nullptr);
}
BENCHMARK(advanceFrameCrowded);
} // namespace

// The game prints its frame-timing line to standard output once a simulated second; that
// output is dropped and the results go to standard error instead.
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    if (std::freopen("/dev/null", "w", stdout) == nullptr) {
        return 1;
    }
    benchmark::ConsoleReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
