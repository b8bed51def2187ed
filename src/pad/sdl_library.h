// sdl_library.h -- the SDL functions the gamepads use, loaded when the pads start rather than
// linked: libSDL2 brings some fifty libraries (sound, Wayland, codecs) that every start of
// the game, --help included, would otherwise load before its first frame, pad or no pad.
#pragma once

#include <SDL.h>

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
#define WIBZ_SDL_POINTER(name) decltype(&::name) name = nullptr;
    WIBZ_SDL_FUNCTIONS(WIBZ_SDL_POINTER)
#undef WIBZ_SDL_POINTER
};

// libSDL2 with every function above, loaded once; null when the library is not installed
// or lacks one of them (older than 2.0.9).
const SdlLibrary* loadSdlLibrary();
