// test_game_object.cpp -- falling and bouncing of stones and debris.
#include "game/game_object.h"

#include <gtest/gtest.h>

namespace {
GameObject objectAt(float z, float vz, float gravity) {
    ObjectSpec spec = makeSpec(3, 0.0f, 0.0f, gravity, 0.0f, 0.0f, z);
    spec.vz = vz;
    return GameObject(spec, nullptr);
}
} // namespace

TEST(GameObject, MakeSpecTakesSizeFirstAndPositionLast) {
    const ObjectSpec s = makeSpec(2, 0.25f, -0.5f, 8.0f, 1.5f, -6.0f, 3.0f);
    EXPECT_EQ(s.size, 2);
    EXPECT_EQ(s.vx, 0.25f);
    EXPECT_EQ(s.vy, -0.5f);
    EXPECT_EQ(s.gravity, 8.0f);
    EXPECT_EQ(s.x, 1.5f);
    EXPECT_EQ(s.y, -6.0f);
    EXPECT_EQ(s.z, 3.0f);
    EXPECT_EQ(s.vz, 0.0f);
    EXPECT_EQ(s.floor, 0.0f);
}

TEST(GameObject, CrossingTheFloorReversesTheIncomingSpeed) {
    GameObject o = objectAt(0.125f, -6.0f, 4.0f);
    o.step(0.0625f);
    EXPECT_EQ(o.z, -0.25f);
    EXPECT_EQ(o.vz, 6.0f); // no gravity in the bouncing frame, no loss
    o.step(0.0625f);       // and it climbs out
    EXPECT_EQ(o.z, 0.125f);
}

TEST(GameObject, AlreadyBelowTheFloorKeepsItsVelocity) {
    GameObject o = objectAt(-1.0f, -2.0f, 4.0f);
    o.step(0.125f);
    EXPECT_EQ(o.z, -1.25f);
    EXPECT_EQ(o.vz, -2.0f);
}

TEST(GameObject, ExactlyAtTheFloorBouncesOnlyOnceBelowIt) {
    GameObject o = objectAt(0.5f, -4.0f, 0.0f);
    o.step(0.125f); // lands exactly on 0: no bounce yet
    EXPECT_EQ(o.z, 0.0f);
    EXPECT_EQ(o.vz, -4.0f);
    o.step(0.125f);
    EXPECT_EQ(o.z, -0.5f);
    EXPECT_EQ(o.vz, 4.0f);
}

TEST(GameObject, PlaceholderStaysPutAndReversalsUndoThemselves) {
    GameObject o(makeSpec(0, 0.0f, 0.0f, 0.0f, 1.5f, -6.0f, 3.0f), nullptr);
    for (int i = 0; i < 100; ++i) {
        o.step(0.01f);
    }
    EXPECT_EQ(o.x, 1.5f);
    EXPECT_EQ(o.y, -6.0f);
    EXPECT_EQ(o.z, 3.0f);

    GameObject moving(makeSpec(3, 0.75f, -2.25f, 4.0f, 0, 0, 8), nullptr);
    moving.reverseX();
    moving.reverseY();
    EXPECT_EQ(moving.vx, -0.75f);
    EXPECT_EQ(moving.vy, 2.25f);
    moving.reverseX();
    EXPECT_EQ(moving.vx, 0.75f);
}
