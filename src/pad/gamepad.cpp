// gamepad.cpp -- the pads SDL reports, read through the pad table (controls/controls.cpp). Buttons
// act on SDL's press events, so a press shorter than a frame counts and presses keep their
// order; sticks, d-pads and triggers are read as they stand. Every pad connected plays.
#include "pad/gamepad.h"

#include "controls/controls.h"
#include "controls/step_input.h"
#include "pad/sdl_library.h"
#include "platform/background_start.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {
constexpr float axisFullScale = 32767.0f;
constexpr std::uint16_t rumbleStrength = 0xC000; // of 0xFFFF, both motors
constexpr std::uint32_t rumbleMilliseconds = 250;

// SDL's buttons as the pad table names them; buttons SDL added later (paddles, touchpad)
// mean nothing to the game.
struct ButtonControl {
    sdl::GameControllerButton button;
    PadControl control;
};
constexpr ButtonControl buttonControls[] = {
    {sdl::CONTROLLER_BUTTON_A, PAD_A},
    {sdl::CONTROLLER_BUTTON_B, PAD_B},
    {sdl::CONTROLLER_BUTTON_X, PAD_X},
    {sdl::CONTROLLER_BUTTON_Y, PAD_Y},
    {sdl::CONTROLLER_BUTTON_BACK, PAD_BACK},
    {sdl::CONTROLLER_BUTTON_GUIDE, PAD_GUIDE},
    {sdl::CONTROLLER_BUTTON_START, PAD_START},
    {sdl::CONTROLLER_BUTTON_LEFTSTICK, PAD_LEFT_STICK_CLICK},
    {sdl::CONTROLLER_BUTTON_RIGHTSTICK, PAD_RIGHT_STICK_CLICK},
    {sdl::CONTROLLER_BUTTON_LEFTSHOULDER, PAD_LEFT_SHOULDER},
    {sdl::CONTROLLER_BUTTON_RIGHTSHOULDER, PAD_RIGHT_SHOULDER},
    {sdl::CONTROLLER_BUTTON_DPAD_UP, PAD_DPAD_UP},
    {sdl::CONTROLLER_BUTTON_DPAD_DOWN, PAD_DPAD_DOWN},
    {sdl::CONTROLLER_BUTTON_DPAD_LEFT, PAD_DPAD_LEFT},
    {sdl::CONTROLLER_BUTTON_DPAD_RIGHT, PAD_DPAD_RIGHT},
};
// The stick's directions as controls, in the order of Steer.
constexpr PadControl stickControls[STEER_COUNT] = {PAD_STICK_UP, PAD_STICK_DOWN, PAD_STICK_LEFT,
                                                   PAD_STICK_RIGHT};

struct Pad {
    sdl::GameController* controller = nullptr;
    sdl::JoystickID id = -1;
    std::string name;
    bool leftTriggerHeld = false;
    bool rightTriggerHeld = false;
};

struct Gamepads {
    const SdlLibrary* sdl = nullptr; // null until started
    BackgroundStart<const SdlLibrary*> starter;
    std::vector<Pad> pads;
    bool playing = false; // at the last poll
};
Gamepads gamepads;

Pad* padWithId(sdl::JoystickID id) {
    for (Pad& pad : gamepads.pads) {
        if (pad.id == id) {
            return &pad;
        }
    }
    return nullptr;
}

void takeUp(int deviceIndex) {
    const SdlLibrary& sdl = *gamepads.sdl;
    sdl::GameController* controller = sdl.SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) {
        std::fprintf(stderr, "Gamepad not opened: %s\n", sdl.SDL_GetError());
        return;
    }
    Pad pad;
    pad.controller = controller;
    pad.id = sdl.SDL_JoystickInstanceID(sdl.SDL_GameControllerGetJoystick(controller));
    if (padWithId(pad.id) != nullptr) {
        sdl.SDL_GameControllerClose(controller); // ours already; SDL counts the opens
        return;
    }
    const char* name = sdl.SDL_GameControllerName(controller);
    pad.name = name != nullptr ? name : "unnamed pad";
    std::printf("Gamepad connected: %s\n", pad.name.c_str());
    gamepads.pads.push_back(pad);
}

void letGo(sdl::JoystickID id) {
    for (auto pad = gamepads.pads.begin(); pad != gamepads.pads.end(); ++pad) {
        if (pad->id == id) {
            std::printf("Gamepad disconnected: %s\n", pad->name.c_str());
            gamepads.sdl->SDL_GameControllerClose(pad->controller);
            gamepads.pads.erase(pad);
            return;
        }
    }
}

void give(PadControl control) {
    const KeyMeaning meaning = meaningOfPadControl(control);
    if (gamepads.playing && meaning.role == KeyRole::COMMAND) {
        queueCommand(meaning.command);
    }
}

void pressButton(std::uint8_t button) {
    for (const ButtonControl& binding : buttonControls) {
        if (binding.button == button) {
            give(binding.control);
        }
    }
}

// A trigger gives its command as it is pulled past the line, once per pull.
void moveTrigger(sdl::JoystickID id, std::uint8_t axis, std::int16_t value) {
    Pad* pad = padWithId(id);
    const bool left = axis == sdl::CONTROLLER_AXIS_TRIGGERLEFT;
    if (pad == nullptr || (!left && axis != sdl::CONTROLLER_AXIS_TRIGGERRIGHT)) {
        return;
    }
    bool& held = left ? pad->leftTriggerHeld : pad->rightTriggerHeld;
    const bool wasHeld = held;
    held = triggerHeld(static_cast<float>(value) / axisFullScale, wasHeld);
    if (held && !wasHeld) {
        give(left ? PAD_LEFT_TRIGGER : PAD_RIGHT_TRIGGER);
    }
}

void holdSteering(const bool controlHeld[PAD_CONTROL_COUNT], bool steer[STEER_COUNT]) {
    for (int c = 0; c < PAD_CONTROL_COUNT; ++c) {
        const KeyMeaning meaning = meaningOfPadControl(static_cast<PadControl>(c));
        if (controlHeld[c] && meaning.role == KeyRole::STEER) {
            steer[meaning.steer] = true;
        }
    }
}

// The directions every pad holds now, the buttons and the stick's sectors alike.
void readSteering(bool steer[STEER_COUNT]) {
    const SdlLibrary& sdl = *gamepads.sdl;
    for (const Pad& pad : gamepads.pads) {
        bool controlHeld[PAD_CONTROL_COUNT] = {};
        for (const ButtonControl& binding : buttonControls) {
            controlHeld[binding.control] =
                sdl.SDL_GameControllerGetButton(pad.controller, binding.button) != 0;
        }
        const float x = static_cast<float>(sdl.SDL_GameControllerGetAxis(
                            pad.controller, sdl::CONTROLLER_AXIS_LEFTX)) /
                        axisFullScale;
        const float y = static_cast<float>(sdl.SDL_GameControllerGetAxis(
                            pad.controller, sdl::CONTROLLER_AXIS_LEFTY)) /
                        axisFullScale;
        bool stick[STEER_COUNT] = {};
        stickDirections(x, y, stick);
        for (int s = 0; s < STEER_COUNT; ++s) {
            controlHeld[stickControls[s]] = stick[s];
        }
        controlHeld[PAD_LEFT_TRIGGER] = pad.leftTriggerHeld;
        controlHeld[PAD_RIGHT_TRIGGER] = pad.rightTriggerHeld;
        holdSteering(controlHeld, steer);
    }
}

// SDL loaded and its game controllers started, or null.
const SdlLibrary* startSdl() {
    const SdlLibrary* sdl = loadSdlLibrary();
    if (sdl == nullptr) {
        return nullptr;
    }
    // SDL has no window to judge focus by: the game does that from its own window.
    sdl->SDL_SetHint(sdl::HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // Interrupt and terminate end the game at once, as without pads: SDL would otherwise
    // turn them into quit events, which nothing here reads.
    sdl->SDL_SetHint(sdl::HINT_NO_SIGNAL_HANDLERS, "1");
    if (sdl->SDL_Init(sdl::INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "Gamepads off: %s\n", sdl->SDL_GetError());
        return nullptr;
    }
    return sdl;
}

// Takes over what a start aside found, once it is done.
void finishStartAside() {
    if (std::optional<const SdlLibrary*> found = gamepads.starter.take()) {
        gamepads.sdl = *found;
    }
}
} // namespace

bool startGamepads() {
    if (gamepads.sdl == nullptr && !gamepads.starter.begun()) {
        gamepads.sdl = startSdl();
    }
    return gamepads.sdl != nullptr;
}

void startGamepadsAside() {
    if (gamepads.sdl == nullptr) {
        gamepads.starter.begin(startSdl);
    }
}

void stopGamepads() {
    // A start still under way (SDL's waits on the desktop's D-Bus for as long as the bus
    // does not answer) is left to itself: the game ends without waiting for its pads.
    finishStartAside();
    if (gamepads.sdl == nullptr) {
        return;
    }
    for (const Pad& pad : gamepads.pads) {
        gamepads.sdl->SDL_GameControllerClose(pad.controller);
    }
    gamepads.pads.clear();
    gamepads.sdl->SDL_QuitSubSystem(sdl::INIT_GAMECONTROLLER);
    gamepads.sdl = nullptr;
}

void pollGamepads(bool playing) {
    finishStartAside();
    if (gamepads.sdl == nullptr) {
        return;
    }
    gamepads.playing = playing;
    sdl::Event event;
    while (gamepads.sdl->SDL_PollEvent(&event) != 0) {
        switch (event.type) {
        case sdl::CONTROLLERDEVICEADDED:
            takeUp(event.cdevice.which);
            break;
        case sdl::CONTROLLERDEVICEREMOVED:
            letGo(event.cdevice.which);
            break;
        case sdl::CONTROLLERBUTTONDOWN:
            pressButton(event.cbutton.button);
            break;
        case sdl::CONTROLLERAXISMOTION:
            moveTrigger(event.caxis.which, event.caxis.axis, event.caxis.value);
            break;
        default:
            break;
        }
    }
    bool steer[STEER_COUNT] = {};
    if (playing) {
        readSteering(steer);
    }
    holdPadSteering(steer);
}

int gamepadCount() {
    return static_cast<int>(gamepads.pads.size());
}

void feelStepEvents(const StepEvents& events) {
    if (gamepads.sdl == nullptr || !gamepads.playing) {
        return;
    }
    for (const GameEvent& event : events) {
        if (event.kind != EventKind::CRAFT_STRUCK) {
            continue;
        }
        // A pad without motors refuses, which is all there is to do about it.
        for (const Pad& pad : gamepads.pads) {
            gamepads.sdl->SDL_GameControllerRumble(pad.controller, rumbleStrength, rumbleStrength,
                                                   rumbleMilliseconds);
        }
        return;
    }
}
