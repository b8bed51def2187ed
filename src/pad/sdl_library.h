// sdl_library.h -- the SDL functions the gamepads use, loaded when the pads start rather than
// linked: libSDL2 brings some fifty libraries (sound, Wayland, codecs) that every start of
// the game, --help included, would otherwise load before its first frame, pad or no pad.
// The few types and constants they take are declared here from SDL2's stable ABI, so the
// game builds with SDL's runtime library alone; the pad tests hold them to SDL's headers.
#pragma once

#include <cstdint>

namespace sdl {
struct GameController;
struct Joystick;
using JoystickID = std::int32_t;

constexpr std::uint32_t INIT_GAMECONTROLLER = 0x00002000u;
constexpr const char* HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS =
    "SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS";
constexpr const char* HINT_NO_SIGNAL_HANDLERS = "SDL_NO_SIGNAL_HANDLERS";

// Event types.
constexpr std::uint32_t CONTROLLERAXISMOTION = 0x650;
constexpr std::uint32_t CONTROLLERBUTTONDOWN = 0x651;
constexpr std::uint32_t CONTROLLERDEVICEADDED = 0x653;
constexpr std::uint32_t CONTROLLERDEVICEREMOVED = 0x654;

enum GameControllerAxis : int {
    CONTROLLER_AXIS_LEFTX = 0,
    CONTROLLER_AXIS_LEFTY = 1,
    CONTROLLER_AXIS_TRIGGERLEFT = 4,
    CONTROLLER_AXIS_TRIGGERRIGHT = 5,
};

enum GameControllerButton : int {
    CONTROLLER_BUTTON_A = 0,
    CONTROLLER_BUTTON_B = 1,
    CONTROLLER_BUTTON_X = 2,
    CONTROLLER_BUTTON_Y = 3,
    CONTROLLER_BUTTON_BACK = 4,
    CONTROLLER_BUTTON_GUIDE = 5,
    CONTROLLER_BUTTON_START = 6,
    CONTROLLER_BUTTON_LEFTSTICK = 7,
    CONTROLLER_BUTTON_RIGHTSTICK = 8,
    CONTROLLER_BUTTON_LEFTSHOULDER = 9,
    CONTROLLER_BUTTON_RIGHTSHOULDER = 10,
    CONTROLLER_BUTTON_DPAD_UP = 11,
    CONTROLLER_BUTTON_DPAD_DOWN = 12,
    CONTROLLER_BUTTON_DPAD_LEFT = 13,
    CONTROLLER_BUTTON_DPAD_RIGHT = 14,
};

struct ControllerDeviceEvent {
    std::uint32_t type;
    std::uint32_t timestamp;
    std::int32_t which; // a device index when added, an instance id when removed
};

struct ControllerButtonEvent {
    std::uint32_t type;
    std::uint32_t timestamp;
    JoystickID which;
    std::uint8_t button;
    std::uint8_t state;
    std::uint8_t padding1;
    std::uint8_t padding2;
};

struct ControllerAxisEvent {
    std::uint32_t type;
    std::uint32_t timestamp;
    JoystickID which;
    std::uint8_t axis;
    std::uint8_t padding1;
    std::uint8_t padding2;
    std::uint8_t padding3;
    std::int16_t value;
    std::uint16_t padding4;
};

// The events the pads read; SDL writes any of its events here, 56 bytes at most.
union Event {
    std::uint32_t type;
    ControllerDeviceEvent cdevice;
    ControllerButtonEvent cbutton;
    ControllerAxisEvent caxis;
    std::uint8_t padding[56];
};

// The functions' types, each named after its function.
using SDL_Init = int (*)(std::uint32_t);
using SDL_QuitSubSystem = void (*)(std::uint32_t);
using SDL_SetHint = int (*)(const char*, const char*);
using SDL_GetError = const char* (*)();
using SDL_PollEvent = int (*)(Event*);
using SDL_GameControllerOpen = GameController* (*)(int);
using SDL_GameControllerClose = void (*)(GameController*);
using SDL_GameControllerName = const char* (*)(GameController*);
using SDL_GameControllerGetJoystick = Joystick* (*)(GameController*);
using SDL_JoystickInstanceID = JoystickID (*)(Joystick*);
using SDL_GameControllerGetButton = std::uint8_t (*)(GameController*, GameControllerButton);
using SDL_GameControllerGetAxis = std::int16_t (*)(GameController*, GameControllerAxis);
using SDL_GameControllerRumble = int (*)(GameController*, std::uint16_t, std::uint16_t,
                                         std::uint32_t);
} // namespace sdl

#define WIBZ_SDL_FUNCTIONS(X)                                                                      \
    X(SDL_Init)                                                                                    \
    X(SDL_QuitSubSystem)                                                                           \
    X(SDL_SetHint)                                                                                 \
    X(SDL_GetError)                                                                                \
    X(SDL_PollEvent)                                                                               \
    X(SDL_GameControllerOpen)                                                                      \
    X(SDL_GameControllerClose)                                                                     \
    X(SDL_GameControllerName)                                                                      \
    X(SDL_GameControllerGetJoystick)                                                               \
    X(SDL_JoystickInstanceID)                                                                      \
    X(SDL_GameControllerGetButton)                                                                 \
    X(SDL_GameControllerGetAxis)                                                                   \
    X(SDL_GameControllerRumble)

struct SdlLibrary {
#define WIBZ_SDL_POINTER(name) sdl::name name = nullptr;
    WIBZ_SDL_FUNCTIONS(WIBZ_SDL_POINTER)
#undef WIBZ_SDL_POINTER
};

// libSDL2 with every function above, loaded once; null when the library is not installed
// or lacks one of them (older than 2.0.9).
const SdlLibrary* loadSdlLibrary();
