// controls.cpp -- the key table. Mode toggles print their new value; "GotoMode" has no
// line end, so its lines run together on the console.
#include "shell/controls.h"

#include "camera/camera.h"
#include "game/game_state.h"
#include "game/object_list.h"
#include "platform/key_state.h"
#include "player/arena.h"
#include "player/ship.h"

#include <cstdio>
#include <cstdlib>

namespace {
constexpr unsigned char keyEscape = 27;

DisplayActions displayActions{nullptr, nullptr, nullptr};

// f and s: step the lock through the stones, or the focus through the axis points.
void stepFocus(bool forward) {
    if (ship.hasLock()) {
        if (forward) {
            ship.lockNext(stoneList);
        } else {
            ship.lockPrevious(stoneList);
        }
        camera.setTarget(ship.getFocus());
        return;
    }
    ship.setFocus(forward ? arena.nextAxis() : arena.previousAxis());
    camera.setGoal(ship.cameraPoint());
    ship.getFocus().print();
}

// d: lock stone 1, or let go; not while the craft is struck.
void toggleLock() {
    if (ship.hit) {
        return;
    }
    if (ship.hasLock()) {
        ship.unlock();
        return;
    }
    ship.lockNext(stoneList);
}

void toggleWireframe() {
    wireframe = !wireframe;
    if (displayActions.rebuildModels != nullptr) {
        displayActions.rebuildModels(wireframe);
    }
}

void toggleFaceCulling() {
    cullFaces = !cullFaces;
    if (displayActions.setFaceCulling != nullptr) {
        displayActions.setFaceCulling(cullFaces);
    }
}

void setLighting(bool on) {
    if (displayActions.setLighting != nullptr) {
        displayActions.setLighting(on);
    }
}
} // namespace

void setDisplayActions(const DisplayActions& actions) {
    displayActions = actions;
}

void handleKey(unsigned char key) {
    switch (key) {
    case keyEscape:
        std::exit(0);
    case ' ':
        ship.fireShot();
        break;
    case 'L':
        setLighting(true);
        break;
    case 'l':
        setLighting(false);
        break;
    case 'c': {
        const bool on = !camera.isAroundCenter();
        std::printf("AroundCenter %d\n", on ? 1 : 0);
        camera.setAroundCenter(on);
        break;
    }
    case 'r': {
        const bool on = !camera.isAroundTarget();
        std::printf("AroundTarget %d\n", on ? 1 : 0);
        camera.setAroundTarget(on);
        break;
    }
    case 'x': {
        const bool on = !camera.isTargetMode();
        std::printf("TargetMode %d\n", on ? 1 : 0);
        camera.setTargetMode(on);
        break;
    }
    case 'g': {
        const bool on = !camera.isGotoMode();
        std::printf("GotoMode %d", on ? 1 : 0);
        camera.setGotoMode(on);
        break;
    }
    case 'n':
        ship.setDistanceScaledTurn(!ship.isDistanceScaledTurn());
        break;
    case 'd':
        toggleLock();
        break;
    case 'f':
        stepFocus(true);
        break;
    case 's':
        stepFocus(false);
        break;
    default:
        break;
    }
}

void pollToggleKeys() {
    if (takeKeyPress(KEY_F2)) {
        camera.timer.setShowFps(!camera.timer.isShowFps());
    }
    if (takeKeyPress(KEY_F3)) {
        toggleWireframe();
    }
    if (takeKeyPress(KEY_F8)) {
        toggleFaceCulling();
    }
}

void discardToggleKeyPresses() {
    while (takeKeyPress(KEY_F2) || takeKeyPress(KEY_F3) || takeKeyPress(KEY_F8)) {
    }
}
