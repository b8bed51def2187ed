// test_game_object.cpp -- falling and bouncing of stones and debris.
#include "game/game_object.h"

#include <gtest/gtest.h>

TEST(GameObject, CrossingTheFloorReversesTheIncomingSpeedOnceWithoutLoss) {
    const struct {
        float z, vz, gravity, dt;
        int steps;
        float endZ, endVz;
    } cases[] = {
        {0.125f, -6.0f, 4.0f, 0.0625f, 1, -0.25f, 6.0f},  // no gravity in the bouncing frame
        {0.125f, -6.0f, 4.0f, 0.0625f, 2, 0.125f, 5.75f}, // and it climbs out
        {-1.0f, -2.0f, 4.0f, 0.125f, 1, -1.25f, -2.0f},   // already below: keeps going
        {0.5f, -4.0f, 0.0f, 0.125f, 1, 0.0f, -4.0f},      // exactly on the floor: no bounce yet
        {0.5f, -4.0f, 0.0f, 0.125f, 2, -0.5f, 4.0f},
    };
    for (const auto& c : cases) {
        ObjectSpec spec = makeSpec(3, 0.0f, 0.0f, c.gravity, 0.0f, 0.0f, c.z);
        spec.vz = c.vz;
        GameObject o(spec, nullptr);
        for (int s = 0; s < c.steps; ++s) {
            o.step(c.dt);
        }
        EXPECT_EQ(o.z, c.endZ) << c.z << " " << c.steps;
        EXPECT_EQ(o.vz, c.endVz) << c.z << " " << c.steps;
    }
}
