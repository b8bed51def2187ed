// demo_player.cpp -- the steps without a line in the file ran with no input.
#include "replay/demo_player.h"

#include "game/step.h"

bool DemoPlayer::playStep(GameState& g, LightingAction lighting) {
    if (played >= demo.length) {
        return false;
    }
    const bool withLine = nextLine < demo.steps.size() && demo.steps[nextLine].step == played + 1;
    const DemoStep* line = withLine ? &demo.steps[nextLine] : nullptr;
    if (line != nullptr && lighting != nullptr) {
        for (const bool on : line->lighting) {
            lighting(on);
        }
    }
    advance(g, line != nullptr ? line->input : StepInput());
    if (line != nullptr) {
        nextLine += 1;
    }
    played += 1;
    return true;
}
