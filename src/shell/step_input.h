// step_input.h -- the keys read into one step's intentions: the directions of the arrow keys
// held now, then the commands given since the step before, in the order given (typed
// character keys, then one per press of F2, F3 and F8, a toggle acting once per press
// however short the press was).
#pragma once

#include "game/intentions.h"

// A command for the next step (the keyboard callback's, between steps).
void queueCommand(Command command);
StepInput readStepInput();
// Forgets held keys, unread presses and queued commands, as at program start; for tests.
void forgetKeys();
