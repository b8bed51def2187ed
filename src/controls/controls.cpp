// controls.cpp -- the key table and the pad table. Case matters: L switches lighting on, l
// off. The pad's buttons are named by where they sit as well (A south...), as pads print
// other letters on them.
#include "controls/controls.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {
constexpr int notPolled = -1;

struct KeyBinding {
    unsigned char character; // 0 for a polled key
    int polledKey;           // a PolledKey, or notPolled
    const char* name;        // in the help
    KeyMeaning meaning;
};

constexpr KeyMeaning steering(Steer steer) {
    return {KeyRole::STEER, steer, Command::FIRE};
}
constexpr KeyMeaning command(Command command) {
    return {KeyRole::COMMAND, STEER_FORWARD, command};
}
constexpr KeyMeaning shellOnly(KeyRole role) {
    return {role, STEER_FORWARD, Command::FIRE};
}

constexpr KeyBinding keyBindings[] = {
    {0, KEY_UP, "Up", steering(STEER_FORWARD)},
    {0, KEY_DOWN, "Down", steering(STEER_BACK)},
    {0, KEY_LEFT, "Left", steering(STEER_LEFT)},
    {0, KEY_RIGHT, "Right", steering(STEER_RIGHT)},
    {' ', notPolled, "Space", command(Command::FIRE)},
    {'d', notPolled, "d", command(Command::LOCK)},
    {'f', notPolled, "f", command(Command::NEXT)},
    {'s', notPolled, "s", command(Command::PREVIOUS)},
    {'n', notPolled, "n", command(Command::TURN_MODE)},
    {'x', notPolled, "x", command(Command::TARGET_MODE)},
    {'g', notPolled, "g", command(Command::GOTO_MODE)},
    {'c', notPolled, "c", command(Command::AROUND_CENTRE)},
    {'r', notPolled, "r", command(Command::AROUND_TARGET)},
    {'L', notPolled, "L", shellOnly(KeyRole::LIGHTING_ON)},
    {'l', notPolled, "l", shellOnly(KeyRole::LIGHTING_OFF)},
    {'m', notPolled, "m", shellOnly(KeyRole::SOUND_MUTE)},
    {0, KEY_F2, "F2", command(Command::SHOW_FPS)},
    {0, KEY_F3, "F3", command(Command::WIREFRAME)},
    {0, KEY_F8, "F8", command(Command::CULL_FACES)},
    {27, notPolled, "Escape", shellOnly(KeyRole::QUIT)},
};
struct PadBinding {
    PadControl control;
    const char* name; // in the help
    KeyMeaning meaning;
};

// The stick and the d-pad steer as the arrows do; the face buttons and the triggers carry
// what is used most in play, the shoulders step through the stones. The camera's orbit
// flags, wire frames, culling and lighting stay on the keyboard: they are for looking at
// the game, not for playing it. Start and Guide do nothing: a player reaching for Start
// to pause should not lose a life to a mode switched, and Guide belongs to the system.
constexpr PadBinding padBindings[] = {
    {PAD_STICK_UP, "left stick up", steering(STEER_FORWARD)},
    {PAD_DPAD_UP, "d-pad up", steering(STEER_FORWARD)},
    {PAD_STICK_DOWN, "left stick down", steering(STEER_BACK)},
    {PAD_DPAD_DOWN, "d-pad down", steering(STEER_BACK)},
    {PAD_STICK_LEFT, "left stick left", steering(STEER_LEFT)},
    {PAD_DPAD_LEFT, "d-pad left", steering(STEER_LEFT)},
    {PAD_STICK_RIGHT, "left stick right", steering(STEER_RIGHT)},
    {PAD_DPAD_RIGHT, "d-pad right", steering(STEER_RIGHT)},
    {PAD_A, "A (south)", command(Command::FIRE)},
    {PAD_RIGHT_TRIGGER, "right trigger", command(Command::FIRE)},
    {PAD_B, "B (east)", command(Command::LOCK)},
    {PAD_LEFT_TRIGGER, "left trigger", command(Command::LOCK)},
    {PAD_RIGHT_SHOULDER, "right shoulder", command(Command::NEXT)},
    {PAD_LEFT_SHOULDER, "left shoulder", command(Command::PREVIOUS)},
    {PAD_X, "X (west)", command(Command::TURN_MODE)},
    {PAD_Y, "Y (north)", command(Command::TARGET_MODE)},
    {PAD_LEFT_STICK_CLICK, "left stick click", command(Command::GOTO_MODE)},
    {PAD_BACK, "Back", command(Command::SHOW_FPS)},
};

// What each intention does, for the help.
constexpr const char* steerHelp[] = {WIBZ_STEER_LIST(WIBZ_LIST_HELP)};
constexpr const char* commandHelp[] = {WIBZ_COMMAND_LIST(WIBZ_LIST_HELP)};

bool sameMeaning(const KeyMeaning& a, const KeyMeaning& b) {
    return a.role == b.role && (a.role != KeyRole::STEER || a.steer == b.steer) &&
           (a.role != KeyRole::COMMAND || a.command == b.command);
}

const char* helpOf(const KeyMeaning& meaning) {
    switch (meaning.role) {
    case KeyRole::STEER:
        return steerHelp[meaning.steer];
    case KeyRole::COMMAND:
        return commandHelp[static_cast<int>(meaning.command)];
    case KeyRole::LIGHTING_ON:
        return "lighting on";
    case KeyRole::LIGHTING_OFF:
        return "lighting off";
    case KeyRole::SOUND_MUTE:
        return "sound off / on";
    case KeyRole::QUIT:
        return "quit";
    case KeyRole::NOTHING:
        break;
    }
    return "";
}

// One line per meaning, in the table's order: the names of the controls that give it,
// then what it does, in a column after the longest names.
template <typename Binding, std::size_t count>
std::string helpLines(const Binding (&bindings)[count]) {
    std::vector<std::pair<std::string, const char*>> lines;
    std::size_t width = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const KeyMeaning meaning = bindings[i].meaning;
        bool listed = false;
        for (std::size_t j = 0; j < i; ++j) {
            listed = listed || sameMeaning(bindings[j].meaning, meaning);
        }
        if (listed) {
            continue;
        }
        std::string names;
        for (std::size_t j = i; j < count; ++j) {
            if (sameMeaning(bindings[j].meaning, meaning)) {
                names += (names.empty() ? "" : ", ") + std::string(bindings[j].name);
            }
        }
        width = std::max(width, names.size());
        lines.emplace_back(names, helpOf(meaning));
    }
    std::string text;
    for (const auto& line : lines) {
        text += "  " + line.first + std::string(width + 2 - line.first.size(), ' ') + line.second +
                "\n";
    }
    return text;
}
} // namespace

KeyMeaning meaningOfCharacter(unsigned char key) {
    for (const KeyBinding& binding : keyBindings) {
        if (binding.polledKey == notPolled && binding.character == key) {
            return binding.meaning;
        }
    }
    return KeyMeaning();
}

KeyMeaning meaningOfPolledKey(PolledKey key) {
    for (const KeyBinding& binding : keyBindings) {
        if (binding.polledKey == key) {
            return binding.meaning;
        }
    }
    return KeyMeaning();
}

KeyMeaning meaningOfPadControl(PadControl control) {
    for (const PadBinding& binding : padBindings) {
        if (binding.control == control) {
            return binding.meaning;
        }
    }
    return KeyMeaning();
}

void stickDirections(float x, float y, bool held[STEER_COUNT]) {
    for (int s = 0; s < STEER_COUNT; ++s) {
        held[s] = false;
    }
    const float length = std::sqrt(x * x + y * y);
    if (length <= stickDeadZone) {
        return;
    }
    // An axis's direction is held while the stick is within 67.5 degrees of it, which cuts
    // the circle into eight sectors of 45 degrees.
    const float sin22point5 = 0.38268343f;
    const float share = sin22point5 * length;
    held[STEER_FORWARD] = -y > share;
    held[STEER_BACK] = y > share;
    held[STEER_LEFT] = -x > share;
    held[STEER_RIGHT] = x > share;
}

bool triggerHeld(float pull, bool wasHeld) {
    return wasHeld ? pull >= 0.25f : pull > 0.5f;
}

std::string keyControlsHelp() {
    return helpLines(keyBindings);
}

std::string padControlsHelp() {
    return helpLines(padBindings);
}
