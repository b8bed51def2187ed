// demo_player.h -- plays a demo into a game, step after step, the way the shell does: the
// lighting keys through the drawing side's switch, then the step with the recorded input.
#pragma once

#include "game/game_state.h"
#include "replay/demo.h"

using LightingAction = void (*)(bool on);

class DemoPlayer {
  public:
    explicit DemoPlayer(const Demo& played) : demo(played) {}
    // Runs the next step, its lighting keys handed to lighting (when not null) first; false
    // once the demo's steps are all played.
    bool playStep(GameState& g, LightingAction lighting = nullptr);
    int stepsPlayed() const { return played; }

  private:
    const Demo& demo;
    std::size_t nextLine = 0;
    int played = 0;
};
