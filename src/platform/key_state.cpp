// key_state.cpp -- a small table of held flags and unread presses.
#include "platform/key_state.h"

namespace {
bool held[POLLED_KEY_COUNT] = {};
int unreadPresses[POLLED_KEY_COUNT] = {};

bool valid(PolledKey key) {
    return key >= 0 && key < POLLED_KEY_COUNT;
}
} // namespace

void pressKey(PolledKey key) {
    if (!valid(key)) {
        return;
    }
    // Auto-repeat sends more downs while held; only a fresh press counts.
    if (!held[key]) {
        unreadPresses[key] += 1;
    }
    held[key] = true;
}

void releaseKey(PolledKey key) {
    if (valid(key)) {
        held[key] = false;
    }
}

void releaseAllKeys() {
    for (bool& flag : held) {
        flag = false;
    }
}

bool isKeyHeld(PolledKey key) {
    return valid(key) && held[key];
}

bool takeKeyPress(PolledKey key) {
    if (!valid(key) || unreadPresses[key] == 0) {
        return false;
    }
    unreadPresses[key] -= 1;
    return true;
}
