// main.cpp -- the browser's program: the page's address read as the game's options, what can
// refuse to start (a bad demo name, missing data, no WebGL) shown on the page, the canvas
// and its drawing, the game's set-up in the desktop's order, then the page's frames.
#include "game/game_setup.h"
#include "math/vector3.h"
#include "render/renderer.h"
#include "render/scene.h"
#include "view/hud.h"
#include "web/browser_frame_loop.h"
#include "web/browser_keys.h"
#include "web/canvas.h"
#include "web/drawing.h"
#include "web/game_session.h"
#include "web/page.h"

#include <string>

namespace {
// Where the page's packed data lies in the browser's file system (web/CMakeLists.txt).
constexpr const char* pageDataFolder = "/data";

// The start-up's order, the desktop's: the lights, the game's steps (setUpGame) with the
// models and the scene light's place built between the arena's axis points and the camera,
// then the HUD. False with the page's message when the models cannot be drawn (the shaders
// or the HUD's letters).
bool setUpTheGame(std::string& refusal) {
    initLights();
    bool drawable = false;
    setUpGame(game, [&drawable] {
        drawable = buildModels(false);
        sceneLight.position = Vector3(1.5f, -1.0f, -6.0f);
    });
    if (!drawable) {
        refusal = "The game cannot draw in this browser: its WebGL shaders or the HUD's "
                  "letters could not be set up (see the browser's console).";
        return false;
    }
    initHud();
    return true;
}
} // namespace

int main(int argc, char** argv) {
    PageStart start;
    std::string refusal;
    const bool opened = startGameSession(argc, argv, pageDataFolder, start, refusal) &&
                        openCanvas(start.canvasWidth, start.canvasHeight, refusal);
    if (opened) {
        reportFramePacing(start.timedemo);
        setUpDrawing(start.canvasWidth, start.canvasHeight);
    }
    if (!opened || !setUpTheGame(refusal)) {
        showPageMessage(refusal);
        return 1;
    }
    showPageControls(keyControlsText(), padControlsText());
    listenForKeys(switchLighting);
    setGameLighting(switchLighting);
    BrowserDevices devices;
    // A timedemo measures the drawing alone; a played demo takes no pad.
    devices.sound = start.sound && !start.timedemo;
    devices.volumePercent = start.volumePercent;
    devices.gamepads = start.gamepads && !start.demo;
    armGameSessionExit();
    runBrowserFrameLoop(devices, start.timedemo);
    return 0;
}
