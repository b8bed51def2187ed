// step_input.h -- the polled keys read into one step's input: held keys as they are now,
// and each key's presses taken one per step, so a toggle acts once per press however
// short the press was.
#pragma once

#include "game/step.h"

StepInput readStepInput();
// Forgets held keys and unread presses, as at program start; for tests.
void forgetPolledKeys();
