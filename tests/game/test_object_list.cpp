// test_object_list.cpp -- indexed access, removal and the shallow views the lock walks.
#include "game/object_list.h"
#include <vector>

#include <gtest/gtest.h>

namespace {
ObjectSpec stoneOfSize(int size, float x) {
    return makeSpec(size, 0, 0, 4.0f, x, 0.0f, 8.0f);
}

// The x of every entry in index order, read through at().
std::vector<float> xs(ObjectList& list) {
    std::vector<float> out;
    for (int i = 0; i < list.count(false); ++i) {
        out.push_back(list.at(i)->x);
    }
    return out;
}
} // namespace

TEST(ObjectList, NewListHoldsOnlyThePlaceholder) {
    ObjectList list(emptySpec);
    EXPECT_EQ(list.count(false), 1);
    EXPECT_EQ(list.count(true), 0);
    GameObject* first = list.at(0);
    EXPECT_EQ(first->size, 0);
    EXPECT_EQ(first->x, 1.5f);
    EXPECT_EQ(first->y, -6.0f);
    EXPECT_EQ(first->z, 3.0f);
    EXPECT_EQ(first->prev, nullptr);
    EXPECT_EQ(first->next, nullptr);
    EXPECT_EQ(list.at(1), nullptr); // out of range is refused, not walked
}

TEST(ObjectList, AppendKeepsOrderAndLinksBothWays) {
    ObjectList list(emptySpec);
    list.append(stoneOfSize(3, 10));
    list.append(stoneOfSize(2, 20));
    EXPECT_EQ(list.count(false), 3);
    EXPECT_EQ(list.at(1)->size, 3);
    EXPECT_EQ(list.at(2)->size, 2);
    EXPECT_EQ(list.at(2)->prev, list.at(1));
    EXPECT_EQ(list.at(1)->next, list.at(2));
    EXPECT_EQ(list.at(2)->next, nullptr);
}

TEST(ObjectList, RemovalAtTheEndsAndInTheMiddle) {
    ObjectList list(emptySpec);
    for (float x : {10.0f, 20.0f, 30.0f, 40.0f}) {
        list.append(stoneOfSize(3, x));
    }
    list.removeAt(4); // the tail
    EXPECT_EQ(xs(list), (std::vector<float>{1.5f, 10, 20, 30}));
    EXPECT_EQ(list.at(3)->next, nullptr);
    list.removeAt(2); // the middle: 10 links straight to 30
    EXPECT_EQ(xs(list), (std::vector<float>{1.5f, 10, 30}));
    EXPECT_EQ(list.at(1)->next, list.at(2));
    EXPECT_EQ(list.at(2)->prev, list.at(1));
    list.removeAt(1); // first after the placeholder
    EXPECT_EQ(xs(list), (std::vector<float>{1.5f, 30}));
    EXPECT_EQ(list.at(0)->next, list.at(1));
    list.append(stoneOfSize(1, 50)); // appending after removals still links to the tail
    EXPECT_EQ(xs(list), (std::vector<float>{1.5f, 30, 50}));
    list.releaseRemoved();
}

TEST(ObjectList, RemovedEntryStaysReadableUntilReleased) {
    ObjectList list(emptySpec);
    list.append(stoneOfSize(2, 10));
    list.append(stoneOfSize(1, 20));
    GameObject* hit = list.at(1);
    list.removeAt(1);
    // The rules still read the stone after removing it in the same step.
    EXPECT_EQ(hit->size, 2);
    EXPECT_EQ(hit->x, 10.0f);
    EXPECT_EQ(list.at(1)->x, 20.0f);
    list.releaseRemoved(); // freed here; the sanitizer build checks nothing leaks
}

TEST(ObjectList, WalksBackwardsAndForwardsGiveTheSameEntries) {
    ObjectList list(emptySpec);
    for (int i = 1; i <= 6; ++i) {
        list.append(stoneOfSize(1, static_cast<float>(i)));
    }
    for (int i : {5, 2, 6, 0, 3, 3, 1}) {
        EXPECT_EQ(list.at(i)->x, i == 0 ? 1.5f : static_cast<float>(i));
    }
}

TEST(ObjectList, ShallowCopyWalksTheSameEntriesWithItsOwnCursor) {
    ObjectList list(emptySpec);
    list.append(stoneOfSize(3, 10));
    list.append(stoneOfSize(3, 20));
    list.append(stoneOfSize(3, 30));
    GameObject* second = list.at(2); // the list's cursor now stands on entry 2
    {
        ObjectList view(list);
        EXPECT_EQ(view.count(true), 3);
        EXPECT_EQ(view.at(3), list.at(3));
        EXPECT_EQ(view.at(1)->x, 10.0f);
    } // a view owns nothing: leaving scope frees no entry
    EXPECT_EQ(list.at(2), second);
    EXPECT_EQ(list.at(3)->x, 30.0f);
}

TEST(ObjectList, GlobalListsStartWithTheirPlaceholder) {
    EXPECT_EQ(stoneList.count(false), 1);
    EXPECT_EQ(debrisList.count(true), 0);
    EXPECT_EQ(stoneList.at(0)->z, 3.0f);
}
