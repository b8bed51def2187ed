// virtual_pad.h -- a gamepad made with SDL's virtual joysticks, for the tests and the
// benchmark: no hardware, and SDL reports it as it would a real pad of its game controller
// kind, hot-plug events, mapping and rumble included.
#pragma once

#include <SDL.h>

// A pad of SDL's game controller kind with every button and axis, counting the rumbles its
// motors are asked for (a pad without motors refuses them).
class VirtualPad {
  public:
    explicit VirtualPad(const char* name, bool motors = true) {
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = name;
        desc.userdata = this;
        desc.Rumble = motors ? countRumble : nullptr;
        joystick = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
        axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0.0f);
        axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0.0f);
    }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;
    ~VirtualPad() { detach(); }
    bool attached() const { return joystick != nullptr; }

    void detach() {
        if (joystick == nullptr) {
            return;
        }
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        for (int index = 0; index < SDL_NumJoysticks(); ++index) {
            if (SDL_JoystickGetDeviceInstanceID(index) == id) {
                SDL_JoystickDetachVirtual(index);
            }
        }
    }
    void button(SDL_GameControllerButton which, bool down) {
        SDL_JoystickSetVirtualButton(joystick, which, down ? 1 : 0);
    }
    // -1 to 1 on a stick, 0 to 1 on a trigger. SDL maps a virtual pad's whole axis onto
    // a trigger's half, so a trigger at rest is the axis at its least.
    void axis(SDL_GameControllerAxis which, float share) {
        const bool trigger =
            which == SDL_CONTROLLER_AXIS_TRIGGERLEFT || which == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
        const float value = trigger ? share * 65535.0f - 32768.0f : share * 32767.0f;
        SDL_JoystickSetVirtualAxis(joystick, which, static_cast<Sint16>(value));
    }
    // Ends a rumble under way. SDL passes on a rumble the same as the one under way only
    // once that has run its time, which is real time, not the steps'.
    void stillMotors() { SDL_JoystickRumble(joystick, 0, 0, 0); }
    void stick(float x, float y) {
        axis(SDL_CONTROLLER_AXIS_LEFTX, x);
        axis(SDL_CONTROLLER_AXIS_LEFTY, y);
    }

    int rumbles = 0;

  private:
    static int countRumble(void* pad, Uint16 low, Uint16 high) {
        static_cast<VirtualPad*>(pad)->rumbles += low > 0 || high > 0 ? 1 : 0;
        return 0;
    }
    SDL_Joystick* joystick = nullptr;
};
