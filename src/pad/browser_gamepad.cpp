// browser_gamepad.cpp -- the pads of the browser's Gamepad API (through emscripten's html5.h),
// read through the same pad table as the desktop's (controls/controls.cpp). The browser lays
// out every pad it knows in its "standard" mapping, an Xbox pad's buttons in a fixed order.
// It reports no button events, so each poll compares the buttons with the poll before: a
// press counts once, in button order. Every pad connected plays.
#include "pad/gamepad.h"

#include "controls/controls.h"
#include "controls/step_input.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
// The standard mapping's buttons as the pad table names them; 16 (the guide button) and any
// beyond mean nothing to the game.
constexpr PadControl standardButtons[] = {
    PAD_A,
    PAD_B,
    PAD_X,
    PAD_Y,
    PAD_LEFT_SHOULDER,
    PAD_RIGHT_SHOULDER,
    PAD_LEFT_TRIGGER,
    PAD_RIGHT_TRIGGER,
    PAD_BACK,
    PAD_START,
    PAD_LEFT_STICK_CLICK,
    PAD_RIGHT_STICK_CLICK,
    PAD_DPAD_UP,
    PAD_DPAD_DOWN,
    PAD_DPAD_LEFT,
    PAD_DPAD_RIGHT,
};
constexpr int standardButtonCount = sizeof standardButtons / sizeof standardButtons[0];
constexpr int leftTriggerButton = 6;
constexpr int rightTriggerButton = 7;
constexpr int leftStickX = 0;
constexpr int leftStickY = 1;
// The stick's directions as controls, in the order of Steer.
constexpr PadControl stickControls[STEER_COUNT] = {PAD_STICK_UP, PAD_STICK_DOWN, PAD_STICK_LEFT,
                                                   PAD_STICK_RIGHT};
constexpr double rumbleMilliseconds = 250.0;
constexpr double rumbleStrength = 0.75; // of 1, both motors

struct Pad {
    int slot = -1; // the index of navigator.getGamepads()
    std::string name;
    bool standard = false;             // laid out in the standard mapping; others are not read
    bool held[PAD_CONTROL_COUNT] = {}; // the buttons and triggers at the last poll
};

struct Gamepads {
    bool started = false;
    std::vector<Pad> pads;
    bool playing = false; // at the last poll
};
Gamepads gamepads;

// clang-format off
EM_JS(void, rumblePad, (int slot, double milliseconds, double strength), {
    const pads = navigator.getGamepads ? navigator.getGamepads() : [];
    const pad = pads[slot];
    if (pad && pad.vibrationActuator && pad.vibrationActuator.playEffect) {
        pad.vibrationActuator.playEffect('dual-rumble', {duration: milliseconds,
            strongMagnitude: strength, weakMagnitude: strength}).catch(function() {});
    }
});
// clang-format on

Pad* padInSlot(int slot) {
    for (Pad& pad : gamepads.pads) {
        if (pad.slot == slot) {
            return &pad;
        }
    }
    return nullptr;
}

void takeUp(int slot, const EmscriptenGamepadEvent& state) {
    Pad pad;
    pad.slot = slot;
    pad.name = state.id[0] != '\0' ? state.id : "unnamed pad";
    pad.standard = std::strcmp(state.mapping, "standard") == 0;
    if (pad.standard) {
        std::printf("Gamepad connected: %s\n", pad.name.c_str());
    } else {
        std::fprintf(stderr, "Gamepad not opened: the browser knows no layout for %s\n",
                     pad.name.c_str());
    }
    gamepads.pads.push_back(pad);
}

void letGo(int slot) {
    for (auto pad = gamepads.pads.begin(); pad != gamepads.pads.end(); ++pad) {
        if (pad->slot == slot) {
            if (pad->standard) {
                std::printf("Gamepad disconnected: %s\n", pad->name.c_str());
            }
            gamepads.pads.erase(pad);
            return;
        }
    }
}

// The controls held now: the buttons as pressed, the triggers past their line (held until
// let go below it, as triggerHeld says), the stick's sectors.
void readControls(const EmscriptenGamepadEvent& state, const bool wasHeld[PAD_CONTROL_COUNT],
                  bool held[PAD_CONTROL_COUNT]) {
    const int buttons =
        state.numButtons < standardButtonCount ? state.numButtons : standardButtonCount;
    for (int b = 0; b < buttons; ++b) {
        const PadControl control = standardButtons[b];
        if (b == leftTriggerButton || b == rightTriggerButton) {
            held[control] =
                triggerHeld(static_cast<float>(state.analogButton[b]), wasHeld[control]);
        } else {
            held[control] = state.digitalButton[b] != 0;
        }
    }
    if (state.numAxes > leftStickY) {
        bool stick[STEER_COUNT] = {};
        stickDirections(static_cast<float>(state.axis[leftStickX]),
                        static_cast<float>(state.axis[leftStickY]), stick);
        for (int s = 0; s < STEER_COUNT; ++s) {
            held[stickControls[s]] = stick[s];
        }
    }
}

// The commands of the controls pressed since the last poll, and the directions held now.
void readPad(Pad& pad, const EmscriptenGamepadEvent& state, bool steer[STEER_COUNT]) {
    bool held[PAD_CONTROL_COUNT] = {};
    readControls(state, pad.held, held);
    for (int c = 0; c < PAD_CONTROL_COUNT; ++c) {
        const KeyMeaning meaning = meaningOfPadControl(static_cast<PadControl>(c));
        if (meaning.role == KeyRole::COMMAND && held[c] && !pad.held[c] && gamepads.playing) {
            queueCommand(meaning.command);
        }
        if (meaning.role == KeyRole::STEER && held[c] && gamepads.playing) {
            steer[meaning.steer] = true;
        }
        pad.held[c] = held[c];
    }
}
} // namespace

bool startGamepads() {
    gamepads.started = emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS;
    return gamepads.started;
}

// Nothing to load in a browser: the Gamepad API is there or not.
void startGamepadsAside() {
    startGamepads();
}

void stopGamepads() {
    gamepads.pads.clear();
    gamepads.started = false;
}

void pollGamepads(bool playing) {
    bool steer[STEER_COUNT] = {};
    gamepads.playing = playing;
    if (!gamepads.started || emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) {
        holdPadSteering(steer);
        return;
    }
    const int slots = emscripten_get_num_gamepads();
    for (int slot = 0; slot < slots; ++slot) {
        EmscriptenGamepadEvent state{};
        const bool there =
            emscripten_get_gamepad_status(slot, &state) == EMSCRIPTEN_RESULT_SUCCESS &&
            state.connected;
        Pad* pad = padInSlot(slot);
        if (!there) {
            if (pad != nullptr) {
                letGo(slot);
            }
            continue;
        }
        if (pad == nullptr) {
            takeUp(slot, state);
            pad = &gamepads.pads.back();
        }
        if (pad->standard) {
            readPad(*pad, state, steer);
        }
    }
    // A browser may also shorten the list when the last pads go.
    std::vector<int> gone;
    for (const Pad& pad : gamepads.pads) {
        if (pad.slot >= slots) {
            gone.push_back(pad.slot);
        }
    }
    for (const int slot : gone) {
        letGo(slot);
    }
    holdPadSteering(steer);
}

int gamepadCount() {
    return static_cast<int>(gamepads.pads.size());
}

void feelStepEvents(const StepEvents& events) {
    if (!gamepads.playing) {
        return;
    }
    for (const GameEvent& event : events) {
        if (event.kind != EventKind::CRAFT_STRUCK) {
            continue;
        }
        for (const Pad& pad : gamepads.pads) {
            rumblePad(pad.slot, rumbleMilliseconds, rumbleStrength);
        }
        return;
    }
}
