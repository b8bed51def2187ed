// browser_keys.cpp -- keydown and keyup through emscripten's html5.h. A key's name in the
// browser (KeyboardEvent.key) gives the character the desktop's GLUT would; held arrow and
// function keys repeat as presses only, which the held-key table takes as one press.
#include "web/browser_keys.h"

#include "platform/key_state.h"
#include "platform/process_exit.h"
#include "sound/live_sound.h"
#include "web/game_session.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

namespace {
// The polled keys by the browser's names for them.
struct PolledKeyName {
    const char* name;
    PolledKey key;
};
constexpr PolledKeyName browserKeyNames[] = {
    {"ArrowUp", KEY_UP},     {"ArrowDown", KEY_DOWN},
    {"ArrowLeft", KEY_LEFT}, {"ArrowRight", KEY_RIGHT},
    {"F2", KEY_F2},          {"F3", KEY_F3},
    {"F8", KEY_F8},
};
constexpr unsigned char escapeCharacter = 27;

LightingSwitch lightingSwitch = nullptr;

void leaveWithoutError(void*) {
    leaveProcess(0);
}

bool polledKeyOf(const char* name, PolledKey& key) {
    for (const PolledKeyName& entry : browserKeyNames) {
        if (std::strcmp(entry.name, name) == 0) {
            key = entry.key;
            return true;
        }
    }
    return false;
}

// The character a key types, as GLUT gives it: one ASCII character, or Escape; false for
// every other key and for keys held with Control, Alt or Meta (the browser's shortcuts).
bool characterOf(const EmscriptenKeyboardEvent& event, unsigned char& character) {
    if (event.ctrlKey || event.altKey || event.metaKey) {
        return false;
    }
    if (std::strcmp(event.key, "Escape") == 0) {
        character = escapeCharacter;
        return true;
    }
    const unsigned char first = static_cast<unsigned char>(event.key[0]);
    if (first == 0 || first >= 128 || event.key[1] != '\0') {
        return false;
    }
    character = first;
    return true;
}

// True when the key is the game's, so the browser does nothing more with it.
bool typeCharacter(unsigned char character) {
    if (!gameUsesCharacter(character)) {
        return false;
    }
    const KeyAction action = pressCharacterKey(character);
    if (action == KeyAction::QUIT) {
        // Not inside the key event, which would throw the exit through the browser's event
        // dispatch: at once after it, where emscripten ends the frames cleanly.
        emscripten_async_call(leaveWithoutError, nullptr, 0);
    }
    if (action == KeyAction::SOUND_MUTE) {
        toggleSoundMute();
    }
    const bool lighting = action == KeyAction::LIGHTING_ON || action == KeyAction::LIGHTING_OFF;
    if (lighting && lightingSwitch != nullptr) {
        lightingSwitch(action == KeyAction::LIGHTING_ON);
    }
    return true;
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* event, void*) {
    PolledKey key = KEY_UP;
    if (polledKeyOf(event->key, key)) {
        if (!event->repeat) {
            pressPolledKey(key);
        }
        return EM_TRUE;
    }
    unsigned char character = 0;
    if (!characterOf(*event, character)) {
        return EM_FALSE;
    }
    return typeCharacter(character) ? EM_TRUE : EM_FALSE;
}

EM_BOOL onKeyUp(int, const EmscriptenKeyboardEvent* event, void*) {
    PolledKey key = KEY_UP;
    if (polledKeyOf(event->key, key)) {
        releaseKey(key);
        return EM_TRUE;
    }
    return EM_FALSE;
}

EM_BOOL onBlur(int, const EmscriptenFocusEvent*, void*) {
    releaseAllKeys();
    return EM_FALSE;
}
} // namespace

void listenForKeys(LightingSwitch lighting) {
    lightingSwitch = lighting;
    emscripten_set_keydown_callback("#canvas", nullptr, EM_TRUE, onKeyDown);
    emscripten_set_keyup_callback("#canvas", nullptr, EM_TRUE, onKeyUp);
    emscripten_set_blur_callback("#canvas", nullptr, EM_TRUE, onBlur);
}
