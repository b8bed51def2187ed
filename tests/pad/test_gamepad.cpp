// test_gamepad.cpp -- gamepads on SDL's virtual joysticks, no hardware: the controls'
// intentions, the dead zone, pads taken up and let go, out of focus, and the rumble of a
// struck craft.
#include "controls/controls.h"
#include "controls/step_input.h"
#include "game_fixture.h"
#include "pad/gamepad.h"
#include "pad/sdl_library.h"
#include "pad/virtual_pad.h"
#include "platform/key_state.h"
#include "replay/demo.h"
#include "test_support.h"

#include <cmath>
#include <cstddef>

// The game declares the part of SDL's ABI it calls itself, to build without SDL's headers.
#define WIBZ_SAME_OFFSET(member)                                                                   \
    static_assert(offsetof(sdl::Event, member) == offsetof(SDL_Event, member), #member)
WIBZ_SAME_OFFSET(cdevice.which);
WIBZ_SAME_OFFSET(cbutton.which);
WIBZ_SAME_OFFSET(cbutton.button);
WIBZ_SAME_OFFSET(caxis.which);
WIBZ_SAME_OFFSET(caxis.axis);
WIBZ_SAME_OFFSET(caxis.value);
#undef WIBZ_SAME_OFFSET
static_assert(sizeof(sdl::Event) == sizeof(SDL_Event));
static_assert(sdl::INIT_GAMECONTROLLER == SDL_INIT_GAMECONTROLLER);
static_assert(sdl::CONTROLLERAXISMOTION == SDL_CONTROLLERAXISMOTION &&
              sdl::CONTROLLERBUTTONDOWN == SDL_CONTROLLERBUTTONDOWN &&
              sdl::CONTROLLERDEVICEADDED == SDL_CONTROLLERDEVICEADDED &&
              sdl::CONTROLLERDEVICEREMOVED == SDL_CONTROLLERDEVICEREMOVED);
static_assert(+sdl::CONTROLLER_AXIS_LEFTY == +SDL_CONTROLLER_AXIS_LEFTY &&
              +sdl::CONTROLLER_AXIS_TRIGGERRIGHT == +SDL_CONTROLLER_AXIS_TRIGGERRIGHT &&
              +sdl::CONTROLLER_BUTTON_START == +SDL_CONTROLLER_BUTTON_START &&
              +sdl::CONTROLLER_BUTTON_DPAD_RIGHT == +SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
constexpr bool sameText(const char* a, const char* b) {
    for (; *a != '\0' && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}
static_assert(sameText(sdl::HINT_NO_SIGNAL_HANDLERS, SDL_HINT_NO_SIGNAL_HANDLERS) &&
              sameText(sdl::HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS,
                       SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS));

namespace {
class GamepadTest : public GameTest {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(startGamepads()); }
    static void TearDownTestSuite() {
        stopGamepads();
        SDL_Quit();
    }
    void SetUp() override {
        GameTest::SetUp();
        poll();
    }

    // A drawn frame's poll of the pads; returns the console lines it printed.
    static std::string poll(bool playing = true) {
        return captureStdout([&] { pollGamepads(playing); });
    }
    // The next step's intentions as a demo line ("1 fire forward"; empty for none).
    static std::string nextInput() { return demoStepLine(1, readStepInput(), {}); }
    // A button pressed and let go across two frames; the intentions the first gave.
    static std::string tap(VirtualPad& pad, SDL_GameControllerButton button) {
        pad.button(button, true);
        poll();
        const std::string line = nextInput();
        pad.button(button, false);
        poll();
        return line;
    }
};
} // namespace

TEST_F(GamepadTest, ButtonsTriggersAndTheDPadGiveTheirIntentions) {
    VirtualPad pad("Wibz Test Pad");
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    EXPECT_EQ(poll(), "Gamepad connected: Wibz Test Pad\n");
    const std::pair<SDL_GameControllerButton, const char*> buttons[] = {
        {SDL_CONTROLLER_BUTTON_A, "1 fire"},
        {SDL_CONTROLLER_BUTTON_B, "1 lock"},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, "1 next"},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, "1 previous"},
        {SDL_CONTROLLER_BUTTON_X, "1 turn-mode"},
        {SDL_CONTROLLER_BUTTON_Y, "1 target-mode"},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, "1 goto-mode"},
        {SDL_CONTROLLER_BUTTON_BACK, "1 fps"},
        {SDL_CONTROLLER_BUTTON_START, ""},
        {SDL_CONTROLLER_BUTTON_GUIDE, ""},
        {SDL_CONTROLLER_BUTTON_RIGHTSTICK, ""}};
    for (const auto& [button, line] : buttons) {
        EXPECT_EQ(tap(pad, button), line) << button;
    }

    // A held button acts once, the d-pad steers every step while held; with keys at once,
    // held directions add up and commands keep the order given.
    pressKey(KEY_LEFT);
    queueCommand(Command::LOCK);
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    poll();
    EXPECT_EQ(nextInput(), "1 lock fire forward left");
    poll();
    EXPECT_EQ(nextInput(), "1 forward left");
    releaseKey(KEY_LEFT);
    pad.button(SDL_CONTROLLER_BUTTON_A, false);
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    poll();
    EXPECT_EQ(nextInput(), "");

    // A trigger acts as it is pulled past half way, and again only after it was let go
    // below a quarter.
    std::string fired;
    for (const float pull : {0.3f, 0.6f, 0.4f, 0.7f, 0.3f, 1.0f, 0.1f, 0.55f}) {
        pad.axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, pull);
        poll();
        fired += nextInput() + ";";
    }
    EXPECT_EQ(fired, ";1 fire;;;;;;1 fire;");
    pad.axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 1.0f);
    poll();
    EXPECT_EQ(nextInput(), "1 lock");
}

TEST_F(GamepadTest, TheStickHasADeadZoneAndPointsToEightSectors) {
    VirtualPad pad("Wibz Test Pad");
    const struct {
        float degrees, reach; // clockwise from up; 1 is the stick pushed all the way
        const char* line;
    } cases[] = {{45, 0.28f, ""}, // a worn stick's drift
                 {270, 0.29f, ""},
                 {180, 0.29f, ""},
                 {0, 0.35f, "1 forward"}, // just out of the dead zone
                 {90, 0.32f, "1 right"},
                 {20, 1, "1 forward"},
                 {25, 1, "1 forward right"},
                 {65, 1, "1 forward right"},
                 {70, 1, "1 right"},
                 {225, 0.7f, "1 back left"},
                 {264, 1, "1 left"},
                 {180, 1, "1 back"}};
    for (const auto& c : cases) {
        const float angle = c.degrees * 3.14159265f / 180.0f;
        pad.stick(c.reach * std::sin(angle), -c.reach * std::cos(angle));
        poll();
        EXPECT_EQ(nextInput(), c.line) << c.degrees << " degrees at " << c.reach;
    }
}

TEST_F(GamepadTest, PadsAreTakenUpAndLetGoAsTheyComeAndEveryOnePlays) {
    VirtualPad first("Pad One");
    EXPECT_EQ(poll(), "Gamepad connected: Pad One\n");
    first.stick(0.0f, -1.0f);
    VirtualPad second("Pad Two");
    EXPECT_EQ(poll(), "Gamepad connected: Pad Two\n");
    EXPECT_EQ(gamepadCount(), 2);
    EXPECT_EQ(tap(second, SDL_CONTROLLER_BUTTON_A), "1 fire forward");

    // Let go while its stick is held: the craft stops with it, the other pad still plays.
    first.detach();
    EXPECT_EQ(poll(), "Gamepad disconnected: Pad One\n");
    EXPECT_EQ(gamepadCount(), 1);
    EXPECT_EQ(nextInput(), "");
    second.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    poll();
    EXPECT_EQ(nextInput(), "1 right");
}

// A struck craft rumbles every pad with motors. Out of focus (or while a demo plays) the
// pads give nothing and do not rumble, as they may be another program's; a press made then
// does not act later, a stick still held steers again as soon as the pads play.
TEST_F(GamepadTest, PadsRumbleForAStruckCraftAndDoNothingWhileTheyDoNotPlay) {
    VirtualPad still("Quiet Pad", false); // first, so that its refusal stops no other pad
    VirtualPad shaking("Rumble Pad");
    poll();
    const GameEvent struck{EventKind::CRAFT_STRUCK};
    feelStepEvents({GameEvent{EventKind::SHOT_FIRED}, GameEvent{EventKind::FLOOR_BOUNCE}});
    EXPECT_EQ(shaking.rumbles, 0);
    feelStepEvents({GameEvent{EventKind::SHOT_FIRED}, struck});
    EXPECT_EQ(shaking.rumbles, 1);
    shaking.stillMotors();

    shaking.stick(0.0f, -1.0f);
    shaking.button(SDL_CONTROLLER_BUTTON_B, true);
    shaking.axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1.0f);
    poll(false);
    EXPECT_EQ(nextInput(), "");
    feelStepEvents({struck});
    EXPECT_EQ(shaking.rumbles, 1);
    poll(true);
    EXPECT_EQ(nextInput(), "1 forward");
}
