// bench_support.cpp -- the crowd shared by the step and drawing benchmarks.
#include "bench_support.h"

#include "assets/data_files.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "player/ship.h"
#include "world/object_list.h"

#include <cstdio>

bool benchWindowOpen = false;

namespace {
constexpr int noSpawnFrames = 1 << 30;

// From the game's dice, which beginGame resets: every crowd is the same crowd.
float randomBetween(float low, float high) {
    return low + (high - low) * static_cast<float>(game.dice.roll() % 1000) / 1000.0f;
}

// As the game draws it: -2.25 to 2.25 units per second in steps of 0.25.
float randomFloorSpeed() {
    return static_cast<float>((game.dice.roll() % 19 - 9) / 4.0);
}
} // namespace

void buildCrowd(int stones, int debris) {
    beginGame(game);
    game.spawnTimer = noSpawnFrames;
    game.ship.fireShot(); // every stone is tested against the beam; none comes under it
    for (int k = 0; k < stones; ++k) {
        game.stones.append(makeSpec(3, randomFloorSpeed(), randomFloorSpeed(), 4.0f,
                                    randomBetween(2.0f, 7.0f), randomBetween(-11.0f, -6.0f),
                                    randomBetween(2.0f, 8.0f)),
                           newObjectId(game));
    }
    for (int k = 0; k < debris; ++k) {
        game.debris.append(makeSpec(1, randomFloorSpeed(), randomFloorSpeed(), 0.0f,
                                    randomBetween(-4.0f, 7.0f), randomBetween(-11.0f, 0.0f), 3.0f),
                           newObjectId(game));
    }
    if (stones > 0) {
        game.ship.lockStone(game.stones, 1);
    }
}

bool crowdIntact(int stones, int debris) {
    return game.stones.count(true) == stones && game.debris.count(true) == debris;
}

bool dataFolderPresent() {
    std::FILE* probe = std::fopen(modelFiles[0].path, "rb");
    if (probe == nullptr) {
        return false;
    }
    std::fclose(probe);
    return true;
}
