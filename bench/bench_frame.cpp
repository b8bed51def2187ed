// bench_frame.cpp -- one game step (advance, no input, its events reported) with
// 10, 100 and 1,000 stones and as many debris pieces. The crowd is rebuilt every simulated
// second, out of the timing, and its size is checked before each rebuild.
#include "bench_support.h"

#include "game/game_setup.h"
#include "game/step.h"

#include <benchmark/benchmark.h>

namespace {
void advanceFrameCrowded(benchmark::State& state) {
    const int crowd = static_cast<int>(state.range(0));
    buildCrowd(crowd, crowd);
    const StepInput noKeys;
    int frame = 0;
    for (auto _ : state) {
        advance(game, noKeys);
        frame += 1;
        if (frame % crowdFrames == 0) {
            state.PauseTiming();
            if (!crowdIntact(crowd, crowd)) {
                state.SkipWithError("the crowd changed size during a batch");
                break;
            }
            buildCrowd(crowd, crowd);
            state.ResumeTiming();
        }
    }
    // Time per stone, its debris piece included: flat when the frame is linear in the crowd.
    state.counters["perStone"] = benchmark::Counter(
        crowd, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetComplexityN(crowd);
    resetGame(game);
}
BENCHMARK(advanceFrameCrowded)->Arg(10)->Arg(100)->Arg(1000)->Complexity(benchmark::oN);
} // namespace
