// test_controls.cpp -- the keys through the key table into a step's commands: their effects,
// their console lines, what the pause blocks, and the once-per-press toggle keys.
#include "controls/controls.h"
#include "controls/step_input.h"
#include "game_fixture.h"
#include "platform/key_state.h"
#include "replay/demo.h"
#include "test_support.h"

#include <algorithm>
#include <vector>

namespace {
class ControlsTest : public GameTest {
  protected:
    // Types the keys as the keyboard callback does, then plays one step; returns what the
    // console shows of it. The window's own keys (lighting, mute, Escape) are noted in
    // windowKeys.
    std::string press(const std::string& keys) {
        for (const char k : keys) {
            const KeyMeaning meaning = meaningOfCharacter(static_cast<unsigned char>(k));
            if (meaning.role == KeyRole::COMMAND) {
                queueCommand(meaning.command);
            } else if (meaning.role != KeyRole::NOTHING) {
                windowKeys.push_back(meaning.role);
            }
        }
        return playSteps(1);
    }
    static void tap(PolledKey key) {
        pressKey(key);
        releaseKey(key);
    }
    std::vector<KeyRole> windowKeys;
};
} // namespace

TEST_F(ControlsTest, ModeKeysPrintTheirNewValueAndGotoModeHasNoLineEnd) {
    // After start-up: target, around-target and goto modes on, around-centre off; c and r
    // switch each other off without a line.
    EXPECT_EQ(press("c"), "AroundCenter 1\n");
    EXPECT_FALSE(game.camera.isAroundTarget());
    EXPECT_EQ(press("rrrxgg"),
              "AroundTarget 1\nAroundTarget 0\nAroundTarget 1\nTargetMode 0\nGotoMode 0GotoMode 1");
    EXPECT_FALSE(game.camera.isAroundCenter() || game.camera.isTargetMode());
    EXPECT_TRUE(game.camera.isGotoMode() && game.ship.isDistanceScaledTurn());
    EXPECT_EQ(press(std::string("nlLmMq?\x1b", 8)), "");
    EXPECT_FALSE(game.ship.isDistanceScaledTurn());
    EXPECT_EQ(windowKeys, (std::vector<KeyRole>{KeyRole::LIGHTING_OFF, KeyRole::LIGHTING_ON,
                                                KeyRole::SOUND_MUTE, KeyRole::QUIT}));
}

// f and s step round the ring of axis points, or through the stones when one is locked,
// and wrap at both ends; each stays put with a single stone. Commands act in the order
// typed, all in the next step.
TEST_F(ControlsTest, FocusKeysStepRoundTheAxisPointsAndTheStonesBothWays) {
    EXPECT_EQ(press("f"), "nextAxis 0\nx: -42.00  y:   0.00  z:  38.00\n");
    const Vector3 goal = game.ship.cameraPoint();
    EXPECT_TRUE(game.camera.getGoal().equals(goal.x, goal.y, goal.z));
    std::string axes;
    for (char key : std::string("ssfffs")) {
        const std::string out = press(std::string(1, key));
        axes += out.substr(9, out.find('\n') - 9);
    }
    EXPECT_EQ(axes, "767010");

    EXPECT_TRUE(press("d").empty() && game.events.empty()); // no stone: nothing locked
    addStone(3, 0.0f, -3.0f, 6.0f);
    EXPECT_EQ(press("dsf"), "nlock 1, Index 1nlock 1, Index 1nlock 1, Index 1");
    // Taken once; stepping onto the same stone is no change.
    EXPECT_EQ(lastStepEvents(), "lock-taken stone 1 at 0.000 6.000 -3.000\n");
    addStone(3, 2.0f, -3.0f, 6.0f);
    addStone(3, 4.0f, -3.0f, 6.0f);
    EXPECT_EQ(press("sssfff"), "nlock 3, Index 3nlock 2, Index 2nlock 1, Index 1"
                               "nlock 2, Index 2nlock 3, Index 3nlock 1, Index 1");
    const std::string changes = lastStepEvents();
    EXPECT_EQ(std::count(changes.begin(), changes.end(), '\n'), 6);
    const Vector3 focus = game.ship.getFocus();
    EXPECT_TRUE(game.camera.getTarget().equals(focus.x, focus.y, focus.z));
    press("d");
    EXPECT_TRUE(lastStepEvents() == "lock-released\n" && !game.ship.hasLock());

    game.ship.hit = true; // struck: d locks nothing, space still fires from the craft
    game.getReadyCountdown = 1000;
    EXPECT_TRUE(press("d").empty() && !game.ship.hasLock());
    press(" ");
    EXPECT_EQ(lastStepEvents(), "shot-fired at -5.000 0.000 1.000\n");
    playSteps(50);
    press(" "); // a live shot starts again from the floor, then rises for the step
    EXPECT_TRUE(game.ship.isShotActive());
    EXPECT_FLOAT_EQ(game.ship.getShotHeight(), 0.03f);
}

TEST_F(ControlsTest, ToggleKeysActOncePerPressHoweverLongHeld) {
    pressKey(KEY_F3);
    pressKey(KEY_F3); // auto-repeat while held
    playSteps(1);
    EXPECT_TRUE(game.wireframe);
    playSteps(10);
    releaseKey(KEY_F3);
    EXPECT_TRUE(game.wireframe);

    tap(KEY_F3); // shorter than a step: still one toggle
    tap(KEY_F8);
    tap(KEY_F2);
    playSteps(1);
    EXPECT_TRUE(!game.wireframe && game.cullFaces && !game.showFps);
    tap(KEY_F3);
    tap(KEY_F3); // two presses before one step: one toggle each step
    playSteps(1);
    EXPECT_TRUE(game.wireframe);
    playSteps(1);
    EXPECT_FALSE(game.wireframe);

    const PolledKey beyond = static_cast<PolledKey>(POLLED_KEY_COUNT);
    pressKey(beyond); // refused, not written past the table
    EXPECT_FALSE(isKeyHeld(beyond) || takeKeyPress(beyond));
}

// A burst of more commands than a step holds is played over the next steps, in order.
TEST_F(ControlsTest, CommandsBeyondAStepsRoomWaitForTheNextStep) {
    for (int k = 0; k < StepInput::maxCommands + 3; ++k) {
        queueCommand(Command::TURN_MODE);
    }
    tap(KEY_F2);
    EXPECT_EQ(readStepInput().commandCount, StepInput::maxCommands);
    EXPECT_EQ(demoStepLine(2, readStepInput(), {}), "2 turn-mode turn-mode turn-mode fps");
    EXPECT_TRUE(readStepInput().isEmpty());
}

TEST_F(ControlsTest, PausedOrOverTheArrowsAndToggleKeysDoNothing) {
    game.ship.hit = true;
    game.getReadyCountdown = 1000;
    pressKey(KEY_UP);
    tap(KEY_F2);
    tap(KEY_F3);
    tap(KEY_F8);
    playSteps(5);
    releaseKey(KEY_UP);
    EXPECT_TRUE(game.ship.getPosition().equals(-5.0f, 0.0f, 1.0f));

    // Presses made during the pause do not act when play resumes.
    game.getReadyCountdown = 1;
    playSteps(2);
    EXPECT_FALSE(game.ship.hit);
    EXPECT_TRUE(game.showFps && !game.wireframe && !game.cullFaces);

    game.gameOver = true;
    game.ship.hit = true;
    EXPECT_EQ(press("c"), "AroundCenter 1\n"); // the character keys still act
    pressKey(KEY_LEFT);
    playSteps(3);
    EXPECT_TRUE(game.ship.getPosition().equals(-5.0f, 0.0f, 1.0f));
}
