// test_key_state.cpp -- held keys and once-per-press latches.
#include "platform/key_state.h"

#include <gtest/gtest.h>

TEST(KeyState, HeldUntilReleasedAndEachPressLatchedOnce) {
    releaseAllKeys();
    while (takeKeyPress(KEY_F3) || takeKeyPress(KEY_UP)) {
    }
    pressKey(KEY_UP);
    pressKey(KEY_UP); // auto-repeat while held
    EXPECT_TRUE(isKeyHeld(KEY_UP));
    EXPECT_TRUE(takeKeyPress(KEY_UP));
    EXPECT_FALSE(takeKeyPress(KEY_UP)); // one press, however long held
    releaseKey(KEY_UP);
    EXPECT_FALSE(isKeyHeld(KEY_UP));

    pressKey(KEY_F3); // a tap shorter than a frame still counts once
    releaseKey(KEY_F3);
    EXPECT_TRUE(takeKeyPress(KEY_F3));
    EXPECT_FALSE(takeKeyPress(KEY_F3));

    pressKey(KEY_LEFT);
    releaseAllKeys(); // focus lost: nothing stays held
    EXPECT_FALSE(isKeyHeld(KEY_LEFT));
    EXPECT_FALSE(isKeyHeld(static_cast<PolledKey>(99)));
    takeKeyPress(KEY_LEFT);
}
