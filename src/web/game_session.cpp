// game_session.cpp -- the browser program's one door to the session: the command line, the
// demo session, the data folder, the key table and the frame timer.
#include "web/game_session.h"

#include "controls/controls.h"
#include "controls/step_input.h"
#include "diagnostics/frame_timer.h"
#include "replay/demo_session.h"
#include "replay/state_dump.h"
#include "startup/data_folder.h"
#include "startup/options.h"

#include <emscripten/emscripten.h>

#include <filesystem>
#include <set>

namespace {
// The page's event log keeps the last of the game's events, a line each.
constexpr std::size_t eventLogBytes = 256 * 1024;
std::string eventLog;
std::string stateText; // wibz_state's last answer, alive until the next call

// "demos/NAME.demo" as the page passes it, back to NAME.
std::string demoName(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

// The demos the page has, by name, in order.
std::string shippedDemoNames(const std::string& dataFolder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dataFolder + "/demos", error)) {
        if (entry.path().extension() == ".demo") {
            names.insert(entry.path().stem().string());
        }
    }
    std::string list;
    for (const std::string& name : names) {
        list += (list.empty() ? "" : ", ") + name;
    }
    return list;
}
} // namespace

bool startGameSession(int argc, char** argv, const std::string& dataFolder, PageStart& start,
                      std::string& refusal) {
    CommandLine commandLine = parseCommandLine(argc, argv);
    if (commandLine.action != StartAction::PLAY) {
        reportCommandLine(commandLine);
        refusal =
            "The page's address asks for something the game does not know: " + commandLine.message;
        return false;
    }
    Options& options = commandLine.options;
    if (options.dataFolder.empty()) {
        options.dataFolder = dataFolder;
    }
    // Demos are named from the data folder, where the page keeps them. A refusal prints the
    // desktop's line first.
    std::error_code error;
    std::filesystem::current_path(options.dataFolder, error);
    if (!startDemoSession(options)) {
        const bool missing = !std::filesystem::exists(options.playDemo, error);
        refusal = missing ? "There is no demo called \"" + demoName(options.playDemo) +
                                "\". The demos are: " + shippedDemoNames(options.dataFolder) + "."
                          : "The demo \"" + demoName(options.playDemo) +
                                "\" cannot be played: see the browser's console.";
        return false;
    }
    if (!enterDataFolder(options.dataFolder)) {
        refusal = "The game's data is missing from the page (" + options.dataFolder +
                  " holds no tex/ and models/).";
        return false;
    }
    start.timedemo = options.timedemo;
    start.demo = !options.playDemo.empty();
    start.sound = options.sound;
    start.volumePercent = options.volume;
    start.gamepads = options.gamepads;
    start.canvasWidth = options.windowWidth;
    start.canvasHeight = options.windowHeight;
    return true;
}

void armGameSessionExit() {
    armDemoSessionExit();
}

void setGameLighting(void (*lighting)(bool on)) {
    setLightingAction(lighting);
}

KeyAction pressCharacterKey(unsigned char key) {
    const KeyMeaning meaning = meaningOfCharacter(key);
    switch (meaning.role) {
    case KeyRole::QUIT:
        return KeyAction::QUIT;
    case KeyRole::SOUND_MUTE:
        return KeyAction::SOUND_MUTE;
    case KeyRole::COMMAND:
        if (keysReachTheGame()) {
            queueCommand(meaning.command);
        }
        return KeyAction::NOTHING;
    case KeyRole::LIGHTING_ON:
    case KeyRole::LIGHTING_OFF:
        if (!keysReachTheGame()) {
            return KeyAction::NOTHING;
        }
        noteLighting(meaning.role == KeyRole::LIGHTING_ON);
        return meaning.role == KeyRole::LIGHTING_ON ? KeyAction::LIGHTING_ON
                                                    : KeyAction::LIGHTING_OFF;
    case KeyRole::STEER:
    case KeyRole::NOTHING:
        break;
    }
    return KeyAction::NOTHING;
}

bool gameUsesCharacter(unsigned char key) {
    return meaningOfCharacter(key).role != KeyRole::NOTHING;
}

void pressPolledKey(PolledKey key) {
    if (keysReachTheGame()) {
        pressKey(key);
    }
}

bool keysReachGame() {
    return keysReachTheGame();
}

bool timingDemo() {
    return isTimedemo();
}

void noteDrawnFrame(double nowMilliseconds) {
    if (isTimedemo()) {
        timedemoFrame(nowMilliseconds);
    }
    frameTimer.update();
}

std::string keyControlsText() {
    return keyControlsHelp();
}

std::string padControlsText() {
    return padControlsHelp();
}

void logStepEvents(long long step, const StepEvents& events) {
    if (events.empty()) {
        return;
    }
    eventLog += describeStepEvents(static_cast<int>(step), events);
    if (eventLog.size() > eventLogBytes) {
        const std::size_t cut = eventLog.find('\n', eventLog.size() - eventLogBytes);
        eventLog.erase(0, cut == std::string::npos ? eventLog.size() : cut + 1);
    }
}

// The game now, as --dump-state writes it.
extern "C" EMSCRIPTEN_KEEPALIVE const char* wibz_state() {
    stateText = describeState(game);
    return stateText.c_str();
}

// The last events of the game, "STEP EVENT FIELDS..." a line, as wibz3d-demo --events.
extern "C" EMSCRIPTEN_KEEPALIVE const char* wibz_events() {
    return eventLog.c_str();
}
