// step_input.cpp -- the held keys, the pads' held directions and the queue of commands read
// into a step's input.
// The queue is a fixed ring: a burst of more commands than a step holds waits for the next
// steps, and one beyond the ring's size (keys held down through a long stall) is dropped.
#include "controls/step_input.h"

#include "controls/controls.h"
#include "platform/key_state.h"

namespace {
constexpr int queueSize = 256;
Command queued[queueSize] = {};
int queueStart = 0;
int queueLength = 0;
bool padSteering[STEER_COUNT] = {};
} // namespace

void holdPadSteering(const bool held[STEER_COUNT]) {
    for (int s = 0; s < STEER_COUNT; ++s) {
        padSteering[s] = held[s];
    }
}

void queueCommand(Command command) {
    if (queueLength == queueSize) {
        return;
    }
    queued[(queueStart + queueLength) % queueSize] = command;
    queueLength += 1;
}

StepInput readStepInput() {
    StepInput input;
    for (int s = 0; s < STEER_COUNT; ++s) {
        input.steer[s] = padSteering[s];
    }
    while (queueLength > 0 && input.give(queued[queueStart])) {
        queueStart = (queueStart + 1) % queueSize;
        queueLength -= 1;
    }
    for (int k = 0; k < POLLED_KEY_COUNT; ++k) {
        const PolledKey key = static_cast<PolledKey>(k);
        const KeyMeaning meaning = meaningOfPolledKey(key);
        if (meaning.role == KeyRole::COMMAND) {
            // A press that finds the step full stays unread for the next.
            if (input.commandCount < StepInput::maxCommands && takeKeyPress(key)) {
                input.give(meaning.command);
            }
            continue;
        }
        takeKeyPress(key); // a steering key's press means nothing beyond its being held
        if (meaning.role == KeyRole::STEER && isKeyHeld(key)) {
            input.steer[meaning.steer] = true;
        }
    }
    return input;
}

void forgetKeys() {
    releaseAllKeys();
    for (int k = 0; k < POLLED_KEY_COUNT; ++k) {
        while (takeKeyPress(static_cast<PolledKey>(k))) {
        }
    }
    queueStart = 0;
    queueLength = 0;
    const bool none[STEER_COUNT] = {};
    holdPadSteering(none);
}
