// step_input.cpp -- the held-key table read into a step's input.
#include "shell/step_input.h"

StepInput readStepInput() {
    StepInput input;
    for (int k = 0; k < POLLED_KEY_COUNT; ++k) {
        const PolledKey key = static_cast<PolledKey>(k);
        input.held[k] = isKeyHeld(key);
        input.pressed[k] = takeKeyPress(key);
    }
    return input;
}

void forgetPolledKeys() {
    releaseAllKeys();
    for (int k = 0; k < POLLED_KEY_COUNT; ++k) {
        while (takeKeyPress(static_cast<PolledKey>(k))) {
        }
    }
}
