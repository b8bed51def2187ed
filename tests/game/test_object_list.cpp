// test_object_list.cpp -- indexed access and removal; the shallow views the lock walks are
// played through the replays.
#include "game/object_list.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
// The x of every entry in index order, read through at().
std::vector<float> xs(ObjectList& list) {
    std::vector<float> out;
    for (int i = 0; i < list.count(false); ++i) {
        out.push_back(list.at(i)->x);
    }
    return out;
}

// Not returned by value: a copy of a list is a view that owns nothing.
void appendStonesAt(ObjectList& list, std::initializer_list<float> xValues) {
    for (float x : xValues) {
        list.append(makeSpec(3, 0.0f, 0.0f, 4.0f, x, 0.0f, 8.0f));
    }
}
} // namespace

TEST(ObjectList, WalksRemovalsAndRemovedEntriesReadableUntilReleased) {
    ObjectList list(emptySpec);
    appendStonesAt(list, {10, 20, 30, 40, 50, 60});
    EXPECT_EQ(list.count(true), 6);
    EXPECT_EQ(list.at(7), nullptr); // out of range is refused, not walked
    for (int i : {5, 2, 6, 0, 3, 3, 1}) {
        EXPECT_EQ(list.at(i)->x, i == 0 ? 1.5f : 10.0f * static_cast<float>(i));
    }
    list.removeAt(6); // the tail
    list.removeAt(2); // the middle
    GameObject* hit = list.at(1);
    list.removeAt(1); // the first after the placeholder
    // Appending after the tail was removed links to the new tail.
    list.append(makeSpec(1, 0.0f, 0.0f, 0.0f, 70.0f, 0.0f, 0.0f));
    EXPECT_EQ(xs(list), (std::vector<float>{1.5f, 30, 40, 50, 70}));
    EXPECT_EQ(list.at(4)->prev, list.at(3));
    EXPECT_EQ(list.at(0)->z, 3.0f);
    // The rules still read a stone after removing it in the same step.
    EXPECT_EQ(hit->x, 10.0f);
    EXPECT_TRUE(list.hasUnreleased());
    list.releaseRemoved(); // freed here; the sanitizer build checks nothing leaks
    EXPECT_FALSE(list.hasUnreleased());
}
