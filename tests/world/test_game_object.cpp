// test_game_object.cpp -- falling and bouncing of stones and debris.
#include "world/game_object.h"

#include <gtest/gtest.h>

TEST(GameObject, CrossingTheFloorReversesTheIncomingSpeedOnceWithoutLoss) {
    const struct {
        float z, vz, gravity, dt;
        int steps;
        float endZ, endVz;
        bool lastStepBounced;
    } cases[] = {
        {0.125f, -6.0f, 4.0f, 0.0625f, 1, -0.25f, 6.0f, true},   // no gravity in the bouncing frame
        {0.125f, -6.0f, 4.0f, 0.0625f, 2, 0.125f, 5.75f, false}, // and it climbs out
        {-1.0f, -2.0f, 4.0f, 0.125f, 1, -1.25f, -2.0f, false},   // already below: keeps going
        {0.5f, -4.0f, 0.0f, 0.125f, 1, 0.0f, -4.0f, false}, // exactly on the floor: no bounce yet
        {0.5f, -4.0f, 0.0f, 0.125f, 2, -0.5f, 4.0f, true},
    };
    for (const auto& c : cases) {
        ObjectSpec spec = makeSpec(3, 0.0f, 0.0f, c.gravity, 0.0f, 0.0f, c.z);
        spec.vz = c.vz;
        GameObject o(spec, nullptr);
        bool bounced = false;
        for (int s = 0; s < c.steps; ++s) {
            bounced = o.step(c.dt);
        }
        EXPECT_EQ(bounced, c.lastStepBounced) << c.z << " " << c.steps;
        EXPECT_EQ(o.z, c.endZ) << c.z << " " << c.steps;
        EXPECT_EQ(o.vz, c.endVz) << c.z << " " << c.steps;
    }
}
