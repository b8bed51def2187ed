// test_background_start.cpp -- a start in the background hands over what it found once, lives
// on after its owner, and the game's exit neither waits for one under way nor runs the
// destructors it could race with.
#include "platform/background_start.h"
#include "platform/process_exit.h"

#include <cstdio>
#include <cstdlib>
#include <future>
#include <gtest/gtest.h>
#include <memory>

namespace {
// What a start finds: it says when the last copy of it is gone.
struct Found {
    int value = 0;
    std::shared_ptr<std::promise<void>> gone;
    Found(int v, std::shared_ptr<std::promise<void>> g) : value(v), gone(std::move(g)) {}
    Found(Found&&) = default;
    ~Found() {
        if (gone != nullptr) {
            gone->set_value();
        }
    }
};

// A start that waits for the test's word before it finds its value.
std::function<Found()> heldStart(std::shared_future<void> go, int value,
                                 std::shared_ptr<std::promise<void>> gone = nullptr) {
    return [go, value, gone] {
        go.wait();
        return Found(value, gone);
    };
}

struct Destroyed {
    ~Destroyed() { std::fputs("destroyed", stderr); }
};
} // namespace

TEST(BackgroundStart, HandsOverOnceAndOutlivesItsOwner) {
    std::promise<void> go;
    BackgroundStart<Found> start;
    EXPECT_FALSE(start.take().has_value());
    start.begin(heldStart(go.get_future().share(), 7));
    EXPECT_TRUE(start.underWay());
    EXPECT_FALSE(start.take().has_value()) << "handed over before it was done";
    go.set_value();
    std::optional<Found> found = start.wait();
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->value, 7);
    EXPECT_FALSE(start.underWay());
    EXPECT_FALSE(start.take().has_value()) << "handed over twice";

    // An owner gone while its start is under way: the start still finishes into its own slot.
    std::promise<void> goLate;
    auto gone = std::make_shared<std::promise<void>>();
    std::future<void> foundGone = gone->get_future();
    {
        BackgroundStart<Found> abandoned;
        abandoned.begin(heldStart(goLate.get_future().share(), 8, gone));
    }
    gone.reset();
    goLate.set_value();
    foundGone.wait(); // the slot, and what was found in it, went with the thread
}

TEST(ProcessExitDeathTest, LeavingWritesInReverseThenEndsWithoutWaitingOrDestroying) {
    const auto leaveWithAStartUnderWay = [](bool throughExit) {
        static Destroyed destroyedAtExit;
        routeExitsThroughLeaving();
        atLeaving([] { std::fputs("first", stderr); });
        atLeaving([] { std::fputs("second-", stderr); });
        static std::promise<void> never;
        static BackgroundStart<Found> start;
        start.begin(heldStart(never.get_future().share(), 1));
        if (throughExit) {
            std::exit(5); // as GLUT does when the window is closed
        }
        leaveProcess(3);
    };
    EXPECT_EXIT(leaveWithAStartUnderWay(false), testing::ExitedWithCode(3), "^second-first$");
    EXPECT_EXIT(leaveWithAStartUnderWay(true), testing::ExitedWithCode(5), "^second-first$");
}
