// test_gamepad.cpp -- gamepads on SDL's virtual joysticks, no hardware: the keys' intentions,
// the dead zone, pads taken up and let go mid-game, out of focus, the rumble of a struck
// craft, and a game played with a pad recorded and played back.
#include "game/game_setup.h"
#include "game/step.h"
#include "game_fixture.h"
#include "pad/gamepad.h"
#include "pad/virtual_pad.h"
#include "platform/key_state.h"
#include "session/controls.h"
#include "session/demo.h"
#include "session/demo_player.h"
#include "session/demo_recorder.h"
#include "session/state_dump.h"
#include "session/step_input.h"
#include "test_support.h"

#include <cmath>

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
    // A frame as the program runs it: the pads, then one step; returns the step's events.
    static const StepEvents& playFrame(bool playing = true) {
        const StepEvents* events = nullptr;
        captureStdout([&] {
            pollGamepads(playing);
            events = &advance(game, readStepInput(), stepSeconds);
            feelStepEvents(*events);
        });
        return *events;
    }
};
} // namespace

TEST_F(GamepadTest, StickAndButtonsGiveTheSameIntentionsAsTheKeys) {
    VirtualPad pad("Wibz Test Pad");
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    EXPECT_EQ(poll(), "Gamepad connected: Wibz Test Pad\n");

    struct Case {
        SDL_GameControllerButton button;
        char key;
        const char* line;
    };
    const Case cases[] = {
        {SDL_CONTROLLER_BUTTON_A, ' ', "1 fire"},
        {SDL_CONTROLLER_BUTTON_B, 'd', "1 lock"},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 'f', "1 next"},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 's', "1 previous"},
        {SDL_CONTROLLER_BUTTON_X, 'n', "1 turn-mode"},
        {SDL_CONTROLLER_BUTTON_Y, 'x', "1 target-mode"},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, 'g', "1 goto-mode"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tap(pad, c.button), c.line);
        queueCommand(meaningOfCharacter(static_cast<unsigned char>(c.key)).command);
        EXPECT_EQ(nextInput(), c.line) << c.key;
    }
    EXPECT_EQ(tap(pad, SDL_CONTROLLER_BUTTON_BACK), "1 fps");
    pressKey(KEY_F2);
    releaseKey(KEY_F2);
    EXPECT_EQ(nextInput(), "1 fps");
    for (const auto unbound : {SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_GUIDE,
                               SDL_CONTROLLER_BUTTON_RIGHTSTICK}) {
        EXPECT_EQ(tap(pad, unbound), "");
    }

    // A held button acts once; the d-pad steers every step while held, as an arrow does.
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    poll();
    EXPECT_EQ(nextInput(), "1 fire forward");
    poll();
    EXPECT_EQ(nextInput(), "1 forward");
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    pad.button(SDL_CONTROLLER_BUTTON_A, false);
    poll();
    pressKey(KEY_UP);
    EXPECT_EQ(nextInput(), "1 forward");
    releaseKey(KEY_UP);

    // Keys and pad at once: held directions add up, commands keep the order given.
    pressKey(KEY_LEFT);
    queueCommand(Command::LOCK);
    pad.stick(0.0f, -1.0f);
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    poll();
    EXPECT_EQ(nextInput(), "1 lock fire forward left");
    releaseKey(KEY_LEFT);
    pad.stick(0.0f, 0.0f);
    pad.button(SDL_CONTROLLER_BUTTON_A, false);
    poll();
    EXPECT_EQ(nextInput(), "");

    // A trigger acts as it is pulled past half way, and again only after it was let go
    // below a quarter.
    const float pulls[] = {0.3f, 0.6f, 0.4f, 0.7f, 0.3f, 1.0f, 0.1f, 0.55f};
    std::string fired;
    for (const float pull : pulls) {
        pad.axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, pull);
        poll();
        fired += nextInput() + ";";
    }
    EXPECT_EQ(fired, ";1 fire;;;;;;1 fire;");
    pad.axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 1.0f);
    poll();
    EXPECT_EQ(nextInput(), "1 lock");
}

TEST_F(GamepadTest, TheDeadZoneHoldsAndTheStickPointsToEightSectors) {
    VirtualPad pad("Wibz Test Pad");
    poll();
    struct Case {
        float x, y;
        const char* line;
    };
    const float degree = 3.14159265f / 180.0f;
    const Case cases[] = {
        {0.0f, 0.0f, ""},
        {0.2f, -0.2f, ""},  // a worn stick's drift, 0.28 from the middle
        {-0.29f, 0.0f, ""}, // inside the dead zone
        {0.0f, 0.29f, ""},
        {0.0f, -0.35f, "1 forward"}, // just out of it
        {0.32f, 0.0f, "1 right"},
        {std::sin(20 * degree), -std::cos(20 * degree), "1 forward"}, // 20 degrees off up
        {std::sin(25 * degree), -std::cos(25 * degree), "1 forward right"},
        {std::sin(65 * degree), -std::cos(65 * degree), "1 forward right"},
        {std::sin(70 * degree), -std::cos(70 * degree), "1 right"},
        {-0.5f, 0.5f, "1 back left"},
        {-1.0f, 0.1f, "1 left"},
        {0.0f, 1.0f, "1 back"},
    };
    for (const Case& c : cases) {
        pad.stick(c.x, c.y);
        poll();
        EXPECT_EQ(nextInput(), c.line) << c.x << ", " << c.y;
    }
}

TEST_F(GamepadTest, PadsAreTakenUpAndLetGoMidGameAndAnyOfThemPlays) {
    playFrames(50); // a game under way with no pad
    VirtualPad first("Pad One");
    EXPECT_EQ(poll(), "Gamepad connected: Pad One\n");
    first.stick(0.0f, -1.0f);
    const Vector3 before = game.ship.getPosition();
    for (int f = 0; f < 20; ++f) {
        playFrame();
    }
    EXPECT_FALSE(game.ship.getPosition().equals(before.x, before.y, before.z));

    VirtualPad second("Pad Two");
    EXPECT_EQ(poll(), "Gamepad connected: Pad Two\n");
    EXPECT_EQ(gamepadCount(), 2);
    second.button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(describeEvent(playFrame().at(0)).substr(0, 10), "shot-fired");
    second.button(SDL_CONTROLLER_BUTTON_A, false);

    // Let go while its stick is held: the craft stops with it.
    first.detach();
    EXPECT_EQ(poll(), "Gamepad disconnected: Pad One\n");
    EXPECT_EQ(gamepadCount(), 1);
    EXPECT_EQ(nextInput(), "");
    second.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    poll();
    EXPECT_EQ(nextInput(), "1 right");
    second.detach();
    EXPECT_EQ(poll(), "Gamepad disconnected: Pad Two\n");
    EXPECT_EQ(gamepadCount(), 0);
    EXPECT_EQ(nextInput(), "");
}

// Out of focus (or while a demo plays) a pad gives nothing; a press made then does not act
// later, a stick still held steers again as soon as the pads play.
TEST_F(GamepadTest, PadsGiveNothingWhileTheyDoNotPlay) {
    VirtualPad pad("Wibz Test Pad");
    poll();
    pad.stick(0.0f, -1.0f);
    pad.button(SDL_CONTROLLER_BUTTON_B, true);
    pad.axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1.0f);
    poll(false);
    EXPECT_EQ(nextInput(), "");
    poll(true);
    EXPECT_EQ(nextInput(), "1 forward");
}

TEST_F(GamepadTest, AStruckCraftRumblesEveryPadWithMotorsWhileThePadsPlay) {
    VirtualPad shaking("Rumble Pad");
    VirtualPad still("Quiet Pad", false);
    poll();
    addStone(3, -4.5f, 0.5f, 0.5f); // over the craft
    EXPECT_EQ(describeEvent(playFrame().at(0)).substr(0, 12), "craft-struck");
    EXPECT_EQ(shaking.rumbles, 1);
    shaking.stillMotors();
    for (int f = 0; f < 300; ++f) {
        playFrame(); // the pause, then play again
    }
    EXPECT_EQ(shaking.rumbles, 1);

    addStone(3, game.ship.getPosition().x + 0.1f, game.ship.getPosition().z, 0.5f);
    EXPECT_EQ(describeEvent(playFrame(false).at(0)).substr(0, 12), "craft-struck");
    EXPECT_EQ(shaking.rumbles, 1); // out of focus: the pad may be another program's
}

TEST_F(GamepadTest, AGamePlayedWithAPadPlaysBackToTheSameEndState) {
    const std::string path = ::testing::TempDir() + "pad.demo";
    VirtualPad pad("Wibz Test Pad");
    poll();
    const int steps = 1500;
    {
        DemoRecorder recorder;
        std::string error;
        ASSERT_TRUE(recorder.open(path, error)) << error;
        captureStdout([&] {
            for (int step = 1; step <= steps; ++step) {
                // Round and round the focus, in and out, firing, locking and stepping the lock.
                pad.stick(std::sin(step * 0.01f), -std::cos(step * 0.013f));
                pad.button(SDL_CONTROLLER_BUTTON_A, step % 90 < 3);
                pad.button(SDL_CONTROLLER_BUTTON_B, step % 400 == 250);
                pad.button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, step % 300 == 299);
                pollGamepads(true);
                const StepInput input = readStepInput();
                recorder.step(step, input);
                advance(game, input, stepSeconds);
            }
        });
        recorder.end(steps + 1);
    }
    const std::string recorded = describeState(game);

    Demo demo;
    std::string error;
    ASSERT_TRUE(readDemo(path, demo, error)) << error;
    std::string lines;
    for (const DemoStep& step : demo.steps) {
        lines += demoStepLine(step.step, step.input, step.lighting) + "\n";
    }
    for (const char* given : {" fire", " lock", " next", " forward", " back", " left", " right"}) {
        EXPECT_NE(lines.find(given), std::string::npos) << given;
    }
    beginGame(game);
    pad.stick(1.0f, 1.0f); // a pad held during playback plays no part in it
    poll();
    DemoPlayer player(demo);
    captureStdout([&] {
        while (player.playStep(game)) {
        }
    });
    EXPECT_EQ(player.stepsPlayed(), steps);
    EXPECT_EQ(describeState(game), recorded);
    EXPECT_NE(recorded.find("score"), std::string::npos);
}
