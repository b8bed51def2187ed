// controls.cpp -- the key table. Case matters: L switches lighting on, l off.
#include "shell/controls.h"

namespace {
constexpr int notPolled = -1;

struct KeyBinding {
    unsigned char character; // 0 for a polled key
    int polledKey;           // a PolledKey, or notPolled
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
    {0, KEY_UP, steering(STEER_FORWARD)},
    {0, KEY_DOWN, steering(STEER_BACK)},
    {0, KEY_LEFT, steering(STEER_LEFT)},
    {0, KEY_RIGHT, steering(STEER_RIGHT)},
    {' ', notPolled, command(Command::FIRE)},
    {'d', notPolled, command(Command::LOCK)},
    {'f', notPolled, command(Command::NEXT)},
    {'s', notPolled, command(Command::PREVIOUS)},
    {'n', notPolled, command(Command::TURN_MODE)},
    {'x', notPolled, command(Command::TARGET_MODE)},
    {'g', notPolled, command(Command::GOTO_MODE)},
    {'c', notPolled, command(Command::AROUND_CENTRE)},
    {'r', notPolled, command(Command::AROUND_TARGET)},
    {'L', notPolled, shellOnly(KeyRole::LIGHTING_ON)},
    {'l', notPolled, shellOnly(KeyRole::LIGHTING_OFF)},
    {'m', notPolled, shellOnly(KeyRole::SOUND_MUTE)},
    {0, KEY_F2, command(Command::SHOW_FPS)},
    {0, KEY_F3, command(Command::WIREFRAME)},
    {0, KEY_F8, command(Command::CULL_FACES)},
    {27, notPolled, shellOnly(KeyRole::QUIT)}, // Escape
};
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
