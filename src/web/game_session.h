// game_session.h -- all that the browser's program takes from the session, in one place: the
// page's address read as the game's command line, the demo played or timed, the keys read
// into the next step, the frame timer, and the game's state and event log as text. The page
// passes the address's parameters as the game's own options (web/index.html): ?play=NAME is
// --play demos/NAME.demo. The page's script can read the state and the event log, as
// --dump-state and wibz3d-demo --events write them, through wibz_state() and wibz_events().
#pragma once

#include "game/events.h"
#include "platform/key_state.h"

#include <string>

// What the page asked for, once the session has started.
struct PageStart {
    bool timedemo = false;
    bool demo = false; // a demo plays (or is timed): the keys and pads do not reach the game
    bool sound = true;
    int volumePercent = 100;
    bool gamepads = true;
    int canvasWidth = 400; // --window WxH
    int canvasHeight = 300;
};

// Reads the options, opens the demo they name and enters the data folder (dataFolder when
// the options name none), printing what the desktop game prints on a refusal. False with
// the message for the page when the game cannot start.
bool startGameSession(int argc, char** argv, const std::string& dataFolder, PageStart& start,
                      std::string& refusal);
// From here on, leaving writes the end state the options asked for.
void armGameSessionExit();
// The drawing's lighting switch, for a played demo's lighting keys.
void setGameLighting(void (*lighting)(bool on));

// What a key does outside the step's input; NOTHING when it only feeds the next step or
// does nothing. The game's commands are queued, and a polled key latched, here.
enum class KeyAction { NOTHING, QUIT, SOUND_MUTE, LIGHTING_ON, LIGHTING_OFF };
KeyAction pressCharacterKey(unsigned char key);
// Whether the key table gives the character any meaning.
bool gameUsesCharacter(unsigned char key);
void pressPolledKey(PolledKey key);
bool keysReachGame();

bool timingDemo();
// The key table's and the pad table's lines, as the help prints them.
std::string keyControlsText();
std::string padControlsText();
// Keeps the step's events for the page's event log (wibz_events).
void logStepEvents(long long step, const StepEvents& events);
// Once per drawn frame, first thing: the timedemo's frame start and the frame timer.
void noteDrawnFrame(double nowMilliseconds);
