// controls.h -- the one table from keys to what they mean: a direction to steer while held,
// a command for the next game step, or one of the two things the shell keeps for itself
// (lighting, which is drawing state, and quitting). The window's key callbacks, demo files
// of the first format and the help text all read it.
#pragma once

#include "game/intentions.h"
#include "platform/key_state.h"

enum class KeyRole : unsigned char {
    NOTHING,
    STEER,
    COMMAND,
    LIGHTING_ON,
    LIGHTING_OFF,
    SOUND_MUTE, // the player's speakers, not the game: never recorded
    QUIT
};

struct KeyMeaning {
    KeyRole role = KeyRole::NOTHING;
    Steer steer = STEER_FORWARD;     // for STEER
    Command command = Command::FIRE; // for COMMAND
};

// A character key's meaning; NOTHING for a key the game has no use for.
KeyMeaning meaningOfCharacter(unsigned char key);
// A polled key's meaning: the arrows steer while held, F2, F3 and F8 give a command per
// press.
KeyMeaning meaningOfPolledKey(PolledKey key);
