// step_input.h -- the keys and pads read into one step's intentions: the directions of the
// arrow keys and of the pads held now, then the commands given since the step before, in
// the order given (typed character keys and pad buttons, then one per press of F2, F3 and
// F8, a toggle acting once per press however short the press was).
#pragma once

#include "game/intentions.h"

// A command for the next step (the keyboard callback's or a pad's, between steps).
void queueCommand(Command command);
// The directions the pads hold now, all pads together; a step steers where either the
// keys or the pads hold.
void holdPadSteering(const bool held[STEER_COUNT]);
StepInput readStepInput();
// Forgets held keys and pad directions, unread presses and queued commands, as at program start;
// for tests.
void forgetKeys();
