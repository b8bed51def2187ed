// test_controls.cpp -- the character keys and the once-per-press toggle keys, played through
// whole frames: their effects, their printed lines, and what the pause blocks.
#include "camera/camera.h"
#include "game/game_state.h"
#include "game/object_list.h"
#include "game_fixture.h"
#include "platform/key_state.h"
#include "player/arena.h"
#include "player/ship.h"
#include "shell/controls.h"
#include "test_support.h"

#include <vector>

namespace {
std::vector<std::string> actionLog;
void logLighting(bool on) {
    actionLog.push_back(on ? "lighting on" : "lighting off");
}
void logRebuild(bool wire) {
    actionLog.push_back(wire ? "wireframe" : "triangles");
}
void logCulling(bool on) {
    actionLog.push_back(on ? "cull on" : "cull off");
}

class ControlsTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        actionLog.clear();
        setDisplayActions({logLighting, logRebuild, logCulling});
    }
    void TearDown() override {
        setDisplayActions({nullptr, nullptr, nullptr});
        GameTest::TearDown();
    }
    static std::string press(const char* keys) {
        return captureStdout([keys] {
            for (const char* k = keys; *k != '\0'; ++k) {
                handleKey(static_cast<unsigned char>(*k));
            }
        });
    }
    static void tap(PolledKey key) {
        pressKey(key);
        releaseKey(key);
    }
};
} // namespace

TEST_F(ControlsTest, ModeKeysPrintTheirNewValueAndGotoModeHasNoLineEnd) {
    // After start-up: target, around-target and goto modes on, around-centre off.
    EXPECT_EQ(press("c"), "AroundCenter 1\n");
    EXPECT_FALSE(camera.isAroundTarget()); // switched off without a line
    EXPECT_EQ(press("r"), "AroundTarget 1\n");
    EXPECT_FALSE(camera.isAroundCenter());
    EXPECT_EQ(press("x"), "TargetMode 0\n");
    EXPECT_FALSE(camera.isTargetMode());
    EXPECT_EQ(press("gg"), "GotoMode 0GotoMode 1");
    EXPECT_TRUE(camera.isGotoMode());

    EXPECT_TRUE(ship.isDistanceScaledTurn());
    EXPECT_EQ(press("n"), "");
    EXPECT_FALSE(ship.isDistanceScaledTurn());

    press("lLq?");
    EXPECT_EQ(actionLog, (std::vector<std::string>{"lighting off", "lighting on"}));
}

TEST_F(ControlsTest, FocusKeysStepTheAxisPointsAndPrintTheFocus) {
    EXPECT_EQ(press("f"), "nextAxis 0\nx: -42.00  y:   0.00  z:  38.00\n");
    const Vector3 goal = ship.cameraPoint();
    EXPECT_TRUE(camera.getGoal().equals(goal.x, goal.y, goal.z));
    EXPECT_EQ(press("s"), "nextAxis 7\nx:   1.50  y:   0.00  z:  38.00\n");
    EXPECT_EQ(press("f"), "nextAxis 0\nx: -42.00  y:   0.00  z:  38.00\n");
}

TEST_F(ControlsTest, LockKeysWalkTheStonesAndDIsIgnoredWhileHit) {
    EXPECT_EQ(press("d"), ""); // no stone: nothing locked, nothing printed
    EXPECT_FALSE(ship.hasLock());
    addStone(3, 0.0f, -3.0f, 6.0f);
    addStone(3, 2.0f, -3.0f, 6.0f);
    addStone(3, 4.0f, -3.0f, 6.0f);
    EXPECT_EQ(press("d"), "nlock 1, Index 1");
    EXPECT_EQ(press("f"), "nlock 2, Index 2");
    EXPECT_EQ(press("ff"), "nlock 3, Index 3nlock 1, Index 1");
    EXPECT_EQ(press("s"), "nlock 3, Index 3");
    const Vector3 focus = ship.getFocus();
    EXPECT_TRUE(camera.getTarget().equals(focus.x, focus.y, focus.z));
    press("d");
    EXPECT_FALSE(ship.hasLock());

    ship.hit = true;
    EXPECT_EQ(press("d"), "");
    EXPECT_FALSE(ship.hasLock());
    press(" "); // space still fires while hit
    EXPECT_TRUE(ship.isShotActive());
    ship.hit = false;
}

TEST_F(ControlsTest, SpaceFiresFromTheCraftAndRestartsALiveShot) {
    press(" ");
    EXPECT_TRUE(ship.isShotActive());
    EXPECT_EQ(ship.getShotX(), -5.0f);
    EXPECT_EQ(ship.getShotZ(), 1.0f);
    playFrames(50);
    EXPECT_GT(ship.getShotHeight(), 1.0f);
    press(" ");
    EXPECT_EQ(ship.getShotHeight(), 0.0f);
}

TEST_F(ControlsTest, ToggleKeysActOncePerPressHoweverLongHeld) {
    pressKey(KEY_F3);
    playFrames(10); // held for ten frames
    releaseKey(KEY_F3);
    playFrames(1);
    EXPECT_TRUE(wireframe);
    EXPECT_EQ(actionLog, (std::vector<std::string>{"wireframe"}));

    tap(KEY_F3); // shorter than a frame: still one toggle
    tap(KEY_F8);
    tap(KEY_F2);
    playFrames(1);
    EXPECT_FALSE(wireframe);
    EXPECT_TRUE(cullFaces);
    EXPECT_FALSE(camera.timer.isShowFps());
    EXPECT_EQ(actionLog, (std::vector<std::string>{"wireframe", "triangles", "cull on"}));

    tap(KEY_F8);
    playFrames(1);
    EXPECT_FALSE(cullFaces);
}

TEST_F(ControlsTest, PausedOrOverTheArrowsAndToggleKeysDoNothing) {
    ship.hit = true;
    getReadyCountdown = 1000;
    const Vector3 before = ship.getPosition();
    pressKey(KEY_UP);
    tap(KEY_F2);
    tap(KEY_F3);
    playFrames(5);
    releaseKey(KEY_UP);
    EXPECT_TRUE(ship.getPosition().equals(before.x, before.y, before.z));
    EXPECT_TRUE(camera.timer.isShowFps());
    EXPECT_FALSE(wireframe);

    // Presses made during the pause do not act when play resumes.
    getReadyCountdown = 1;
    playFrames(2);
    EXPECT_FALSE(ship.hit);
    EXPECT_TRUE(camera.timer.isShowFps());
    EXPECT_TRUE(actionLog.empty());

    gameOver = true;
    ship.hit = true;
    EXPECT_EQ(press("c"), "AroundCenter 1\n"); // the keyboard callback still acts
    pressKey(KEY_LEFT);
    playFrames(3);
    releaseKey(KEY_LEFT);
    EXPECT_TRUE(ship.getPosition().equals(before.x, before.y, before.z));
}
