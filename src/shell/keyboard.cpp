// keyboard.cpp -- GLUT key callbacks and the X11 check that keeps held keys honest.
#include "shell/keyboard.h"

#include "platform/key_state.h"
#include "shell/controls.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {
bool polledKeyOf(int glutKey, PolledKey& key) {
    switch (glutKey) {
    case GLUT_KEY_UP:
        key = KEY_UP;
        return true;
    case GLUT_KEY_DOWN:
        key = KEY_DOWN;
        return true;
    case GLUT_KEY_LEFT:
        key = KEY_LEFT;
        return true;
    case GLUT_KEY_RIGHT:
        key = KEY_RIGHT;
        return true;
    case GLUT_KEY_F2:
        key = KEY_F2;
        return true;
    case GLUT_KEY_F3:
        key = KEY_F3;
        return true;
    case GLUT_KEY_F8:
        key = KEY_F8;
        return true;
    default:
        return false;
    }
}

bool keycodeDown(const char keymap[32], KeyCode code) {
    return code != 0 && (keymap[code / 8] & (1 << (code % 8))) != 0;
}
} // namespace

void onKey(unsigned char key, int, int) {
    handleKey(key);
}

void onSpecialDown(int glutKey, int, int) {
    PolledKey key = KEY_UP;
    if (polledKeyOf(glutKey, key)) {
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
    static const KeySym keysyms[POLLED_KEY_COUNT] = {XK_Up, XK_Down, XK_Left, XK_Right,
                                                     XK_F2, XK_F3,   XK_F8};
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
        if (isKeyHeld(key) && !keycodeDown(keymap, XKeysymToKeycode(display, keysyms[k]))) {
            releaseKey(key);
        }
    }
}
