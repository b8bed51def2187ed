// options.h -- the game's command line, parsed without side effects into what to do and
// the messages to print, so every case can be tested headless. GLUT's own options are
// kept, in order, for glutInit.
#pragma once

#include <string>
#include <vector>

struct Options {
    std::string dataFolder; // empty: search the usual places
    int windowWidth = 400;
    int windowHeight = 300;
    bool fullscreen = false;
    std::string recordDemo; // --record: the demo file to write
    std::string playDemo;   // --play or --timedemo: the demo file to play
    bool timedemo = false;  // play it unpaced and report the frame rate
    bool exitAtEnd = false; // leave when the played demo ends
    std::string dumpState;  // write the end state of a played demo here
    bool gamepads = true;   // take up gamepads (--no-gamepad leaves them alone)
    bool sound = true;      // --no-sound: never open a sound device
    int volume = 100;       // 0 to 100 per cent of the sounds' own level
    bool vsync = true;      // ask the driver to hold swaps to the display's refresh
    std::string frameLog;   // --frame-log: one line per drawn frame goes here
};

enum class StartAction { PLAY, SHOW_HELP, SHOW_VERSION, BAD_USAGE };

struct CommandLine {
    StartAction action = StartAction::PLAY;
    Options options;
    // Program name first, then the GLUT options given (-display, -geometry, ...).
    std::vector<std::string> glutArguments;
    // For SHOW_HELP and SHOW_VERSION the text for standard output; for BAD_USAGE the
    // lines for standard error.
    std::string message;
};

CommandLine parseCommandLine(int argc, const char* const* argv);

// Prints what a command line that does not start the game asks for; returns the exit
// status (0 for help and version, 2 for a usage error).
int reportCommandLine(const CommandLine& commandLine);

// argv-style pointers into the strings, ended by a null pointer, for glutInit.
std::vector<char*> argumentPointers(std::vector<std::string>& arguments);
