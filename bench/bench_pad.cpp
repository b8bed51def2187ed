// bench_pad.cpp -- what polling the gamepads costs a drawn frame: with no pad (every frame
// of a game on a machine without one) and with one virtual pad held in a diagonal.
#include "controls/step_input.h"
#include "pad/gamepad.h"
#include "pad/virtual_pad.h"

#include <benchmark/benchmark.h>
#include <optional>

namespace {
void pollGamepadsWith(benchmark::State& state) {
    if (!startGamepads()) {
        state.SkipWithError("SDL's game controllers did not start");
        return;
    }
    std::optional<VirtualPad> pad;
    if (state.range(0) > 0) {
        pad.emplace("Bench Pad");
        pad->stick(0.9f, -0.9f);
    }
    pollGamepads(true); // the pad's connection line, once
    for (auto _ : state) {
        pollGamepads(true);
    }
    const StepInput input = readStepInput();
    if (state.range(0) > 0 && !(input.steer[STEER_FORWARD] && input.steer[STEER_RIGHT])) {
        state.SkipWithError("the held pad did not steer");
    }
    pad.reset();
    stopGamepads();
}
BENCHMARK(pollGamepadsWith)->Arg(0)->Arg(1);
} // namespace
