// controls.h -- the tables from keys and gamepad controls to what they mean: a direction to
// steer while held, a command for the next game step, or one of the things the shell keeps
// for itself (lighting, which is drawing state, muting the sound, and quitting). The window's key
// callbacks, the gamepads, demo files of the first format and the help text all read them.
#pragma once

#include "game/intentions.h"
#include "platform/key_state.h"

#include <string>

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
// The polled keys' names, as demo files of the first format write them.
constexpr const char* polledKeyNames[POLLED_KEY_COUNT] = {"Up", "Down", "Left", "Right",
                                                          "F2", "F3",   "F8"};

// A gamepad's controls, laid out as SDL's game controller API lays out every pad it knows
// (an Xbox pad's names, its buttons in SDL's order), with the left stick's four directions
// and the two triggers as controls that are held or not.
enum PadControl : unsigned char {
    PAD_A, // the south face button
    PAD_B, // east
    PAD_X, // west
    PAD_Y, // north
    PAD_BACK,
    PAD_GUIDE,
    PAD_START,
    PAD_LEFT_STICK_CLICK,
    PAD_RIGHT_STICK_CLICK,
    PAD_LEFT_SHOULDER,
    PAD_RIGHT_SHOULDER,
    PAD_DPAD_UP,
    PAD_DPAD_DOWN,
    PAD_DPAD_LEFT,
    PAD_DPAD_RIGHT,
    PAD_STICK_UP,
    PAD_STICK_DOWN,
    PAD_STICK_LEFT,
    PAD_STICK_RIGHT,
    PAD_LEFT_TRIGGER,
    PAD_RIGHT_TRIGGER,
    PAD_CONTROL_COUNT
};

// A pad control's meaning: STEER while held, COMMAND once per press, or NOTHING.
KeyMeaning meaningOfPadControl(PadControl control);

// The left stick's directions, held like the arrow keys: x and y from -1 to 1, y positive
// downwards as SDL reports it. Nothing within the dead zone; outside it the stick points
// to one of eight equal sectors, a diagonal holding two directions.
void stickDirections(float x, float y, bool held[STEER_COUNT]);
constexpr float stickDeadZone = 0.3f;

// Whether a trigger pulled to pull (0 to 1) is held, given whether it was: pressed past
// half way, let go only below a quarter, so a trigger resting near the line does not
// chatter.
bool triggerHeld(float pull, bool wasHeld);

// The help's lines for the keyboard and for the pad, one per meaning: the keys or controls
// that give it, then what it does.
std::string keyControlsHelp();
std::string padControlsHelp();
