// intentions.h -- what the player wants in one step, whichever device it came from: the
// directions held to steer, and the commands given since the step before, in the order
// they were given. A demo is a list of these, step by step.
#pragma once

// Held for the whole step.
enum Steer { STEER_FORWARD, STEER_BACK, STEER_LEFT, STEER_RIGHT, STEER_COUNT };

// Given once; each acts once, at the start of the next step.
enum class Command : unsigned char {
    FIRE,          // the beam from where the craft stands
    LOCK,          // lock stone 1, or let go (not while struck)
    NEXT,          // the next stone when locked, else the next axis point as focus
    PREVIOUS,      // the previous stone or axis point
    AROUND_CENTRE, // the camera's orbit-around-centre flag
    AROUND_TARGET, // the camera's orbit-around-target flag
    TARGET_MODE,   // the camera aims at its target
    GOTO_MODE,     // the camera glides after the craft
    TURN_MODE,     // turning scaled by the distance to the focus
    SHOW_FPS,      // the HUD's frame-rate line (not while struck or over)
    WIREFRAME,     // models as wire lines (likewise)
    CULL_FACES,    // back-face culling (likewise)
};
constexpr int COMMAND_COUNT = 12;

// Their names in demo files.
constexpr const char* steerNames[STEER_COUNT] = {"forward", "back", "left", "right"};
constexpr const char* commandNames[COMMAND_COUNT] = {
    "fire",        "lock",      "next",      "previous", "around-centre", "around-target",
    "target-mode", "goto-mode", "turn-mode", "fps",      "wireframe",     "culling"};

struct StepInput {
    // More commands than this in one step wait for the next (a person types a few a second).
    static constexpr int maxCommands = 32;

    bool steer[STEER_COUNT] = {};
    Command commands[maxCommands] = {};
    int commandCount = 0;

    // Appends a command; false when the step is full.
    bool give(Command command) {
        if (commandCount >= maxCommands) {
            return false;
        }
        commands[commandCount] = command;
        commandCount += 1;
        return true;
    }
    bool isEmpty() const {
        return commandCount == 0 && !steer[STEER_FORWARD] && !steer[STEER_BACK] &&
               !steer[STEER_LEFT] && !steer[STEER_RIGHT];
    }
};
