// intentions.h -- what the player wants in one step, whichever device it came from: the
// directions held to steer, and the commands given since the step before, in the order
// they were given. A demo is a list of these, step by step.
#pragma once

// The intentions, each with its name in demo files and what it does, for the help. The
// enums and both tables are built from these lists, so an intention cannot lack either.
// X(enumerator, name, help)

// Held for the whole step.
#define WIBZ_STEER_LIST(X)                                                                         \
    X(STEER_FORWARD, "forward", "move towards the focus")                                          \
    X(STEER_BACK, "back", "move away from the focus")                                              \
    X(STEER_LEFT, "left", "circle the focus to the left")                                          \
    X(STEER_RIGHT, "right", "circle the focus to the right")

// Given once; each acts once, at the start of the next step. NEXT and PREVIOUS step the
// lock through the stones while one is locked, else the focus round the axis points; LOCK
// does nothing while the craft is struck, and the last three nothing while it is struck or
// the game is over.
#define WIBZ_COMMAND_LIST(X)                                                                       \
    X(FIRE, "fire", "fire the beam")                                                               \
    X(LOCK, "lock", "lock on to a stone, or let go")                                               \
    X(NEXT, "next", "next stone (locked) or axis point")                                           \
    X(PREVIOUS, "previous", "previous stone (locked) or axis point")                               \
    X(AROUND_CENTRE, "around-centre", "camera orbit-around-centre flag")                           \
    X(AROUND_TARGET, "around-target", "camera orbit-around-target flag")                           \
    X(TARGET_MODE, "target-mode", "camera aims at its target, on or off")                          \
    X(GOTO_MODE, "goto-mode", "camera glides after the craft, on or off")                          \
    X(TURN_MODE, "turn-mode", "distance-scaled turning, on or off")                                \
    X(SHOW_FPS, "fps", "frame-rate line on or off")                                                \
    X(WIREFRAME, "wireframe", "models as wire lines or solid")                                     \
    X(CULL_FACES, "culling", "back-face culling on or off")

#define WIBZ_LIST_ENUMERATOR(enumerator, name, help) enumerator,
#define WIBZ_LIST_NAME(enumerator, name, help) name,
#define WIBZ_LIST_HELP(enumerator, name, help) help,

enum Steer { WIBZ_STEER_LIST(WIBZ_LIST_ENUMERATOR) STEER_COUNT };
enum class Command : unsigned char { WIBZ_COMMAND_LIST(WIBZ_LIST_ENUMERATOR) };
constexpr const char* steerNames[] = {WIBZ_STEER_LIST(WIBZ_LIST_NAME)};
constexpr const char* commandNames[] = {WIBZ_COMMAND_LIST(WIBZ_LIST_NAME)};
constexpr int COMMAND_COUNT = sizeof commandNames / sizeof commandNames[0];

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
