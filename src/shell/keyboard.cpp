// keyboard.cpp -- GLUT key callbacks and the X11 check that keeps held keys honest.
#include "shell/keyboard.h"

#include "controls/controls.h"
#include "controls/step_input.h"
#include "platform/key_state.h"
#include "platform/process_exit.h"
#include "render/renderer.h"
#include "replay/demo_session.h"
#include "sound/live_sound.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {
// Every polled key once, in the order of PolledKey: the GLUT code its callbacks bring and
// the X key it is checked against. A key missing here would never be seen held.
struct PolledKeyCodes {
    PolledKey key;
    int glutKey;
    KeySym keysym;
};
constexpr PolledKeyCodes polledKeys[] = {
    {KEY_UP, GLUT_KEY_UP, XK_Up},       {KEY_DOWN, GLUT_KEY_DOWN, XK_Down},
    {KEY_LEFT, GLUT_KEY_LEFT, XK_Left}, {KEY_RIGHT, GLUT_KEY_RIGHT, XK_Right},
    {KEY_F2, GLUT_KEY_F2, XK_F2},       {KEY_F3, GLUT_KEY_F3, XK_F3},
    {KEY_F8, GLUT_KEY_F8, XK_F8},
};
static_assert(sizeof polledKeys / sizeof polledKeys[0] == POLLED_KEY_COUNT,
              "every polled key needs its codes");

constexpr bool inEnumOrder() {
    for (int k = 0; k < POLLED_KEY_COUNT; ++k) {
        if (polledKeys[k].key != k) {
            return false;
        }
    }
    return true;
}
static_assert(inEnumOrder(), "polledKeys is indexed by PolledKey");

bool polledKeyOf(int glutKey, PolledKey& key) {
    for (const PolledKeyCodes& codes : polledKeys) {
        if (codes.glutKey == glutKey) {
            key = codes.key;
            return true;
        }
    }
    return false;
}

bool keycodeDown(const char keymap[32], KeyCode code) {
    return code != 0 && (keymap[code / 8] & (1 << (code % 8))) != 0;
}
} // namespace

// While a demo plays, only Escape and the mute key reach the game. Commands wait for the
// next step; lighting is the drawing's and switches at once.
void onKey(unsigned char key, int, int) {
    const KeyMeaning meaning = meaningOfCharacter(key);
    if (meaning.role == KeyRole::QUIT) {
        leaveProcess(0);
    }
    // The player's own speakers: also while watching a demo.
    if (meaning.role == KeyRole::SOUND_MUTE) {
        toggleSoundMute();
        return;
    }
    if (!keysReachTheGame()) {
        return;
    }
    if (meaning.role == KeyRole::COMMAND) {
        queueCommand(meaning.command);
    } else if (meaning.role == KeyRole::LIGHTING_ON || meaning.role == KeyRole::LIGHTING_OFF) {
        const bool on = meaning.role == KeyRole::LIGHTING_ON;
        noteLighting(on);
        switchLighting(on);
    }
}

void switchLighting(bool on) {
    setLighting(on);
}

void onSpecialDown(int glutKey, int, int) {
    PolledKey key = KEY_UP;
    if (keysReachTheGame() && polledKeyOf(glutKey, key)) {
        pressKey(key);
    }
}

void onSpecialUp(int glutKey, int, int) {
    PolledKey key = KEY_UP;
    if (polledKeyOf(glutKey, key)) {
        releaseKey(key);
    }
}

void useDetectableAutoRepeat() {
    Display* display = glXGetCurrentDisplay();
    if (display != nullptr) {
        XkbSetDetectableAutoRepeat(display, True, nullptr);
    }
}

void syncHeldKeysWithServer() {
    bool anyHeld = false;
    for (int k = 0; k < POLLED_KEY_COUNT; ++k) {
        anyHeld = anyHeld || isKeyHeld(static_cast<PolledKey>(k));
    }
    if (!anyHeld) {
        return; // nothing to check, no round trip to the server
    }
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr) {
        return;
    }
    char keymap[32] = {};
    XQueryKeymap(display, keymap);
    for (int k = 0; k < POLLED_KEY_COUNT; ++k) {
        const PolledKey key = static_cast<PolledKey>(k);
        if (isKeyHeld(key) &&
            !keycodeDown(keymap, XKeysymToKeycode(display, polledKeys[k].keysym))) {
            releaseKey(key);
        }
    }
}
