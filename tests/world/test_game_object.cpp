// test_game_object.cpp -- falling and bouncing of stones and debris.
#include "world/game_object.h"

#include <gtest/gtest.h>

// A step is 0.01 s: 6 units a second fall 0.06 a step, gravity 4 takes 0.04 off the speed.
TEST(GameObject, CrossingTheFloorReversesTheIncomingSpeedOnceWithoutLoss) {
    const struct {
        float z, vz, gravity;
        int steps;
        float endZ, endVz;
        bool lastStepBounced;
    } cases[] = {
        {0.02f, -6.0f, 4.0f, 1, -0.04f, 6.0f, true},   // no gravity in the bouncing step
        {0.02f, -6.0f, 4.0f, 2, 0.02f, 5.96f, false},  // and it climbs out
        {-1.0f, -2.0f, 4.0f, 1, -1.02f, -2.0f, false}, // already below: keeps going
        {0.04f, -4.0f, 0.0f, 1, 0.0f, -4.0f, false},   // exactly on the floor: no bounce yet
        {0.04f, -4.0f, 0.0f, 2, -0.04f, 4.0f, true},
    };
    for (const auto& c : cases) {
        ObjectSpec spec = makeSpec(3, 0.0f, 0.0f, c.gravity, 0.0f, 0.0f, c.z);
        spec.vz = c.vz;
        GameObject o(spec, 1, nullptr);
        bool bounced = false;
        for (int s = 0; s < c.steps; ++s) {
            bounced = o.step();
        }
        EXPECT_EQ(bounced, c.lastStepBounced) << c.z << " " << c.steps;
        EXPECT_FLOAT_EQ(o.z, c.endZ) << c.z << " " << c.steps;
        EXPECT_FLOAT_EQ(o.vz, c.endVz) << c.z << " " << c.steps;
    }
}
