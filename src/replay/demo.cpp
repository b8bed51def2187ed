// demo.cpp -- reading demo files of both formats, and a step's line in the current one.
// Format 1 named keys: held polled keys ("Up"), presses of polled keys ("^F3") and typed
// characters ("k:d"); each is read as what that key means in the keyboard's table, so a
// key that meant nothing (or Escape, which is never recorded) gives nothing.
#include "replay/demo.h"

#include "controls/controls.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {
constexpr const char* lightingOnToken = "light-on";
constexpr const char* lightingOffToken = "light-off";

bool parseTypedCharacter(const std::string& text, unsigned char& key) {
    if (text == "space") {
        key = ' ';
        return true;
    }
    if (text.size() == 1 && text[0] > ' ' && text[0] < 127) {
        key = static_cast<unsigned char>(text[0]);
        return true;
    }
    if (text.size() < 2 || text.size() > 4 || text[0] != '#' ||
        text.find_first_not_of("0123456789", 1) != std::string::npos) {
        return false;
    }
    const int code = std::stoi(text.substr(1));
    if (code > 255) {
        return false;
    }
    key = static_cast<unsigned char>(code);
    return true;
}

int polledKeyNamed(const std::string& name) {
    for (int k = 0; k < POLLED_KEY_COUNT; ++k) {
        if (name == polledKeyNames[k]) {
            return k;
        }
    }
    return -1;
}

// What a key of a format 1 line did: steer while held, a command or lighting when pressed.
bool applyKeyMeaning(const KeyMeaning& meaning, bool held, DemoStep& step) {
    switch (meaning.role) {
    case KeyRole::STEER:
        step.input.steer[meaning.steer] = step.input.steer[meaning.steer] || held;
        return true;
    case KeyRole::COMMAND:
        return held || step.input.give(meaning.command);
    case KeyRole::LIGHTING_ON:
    case KeyRole::LIGHTING_OFF:
        step.lighting.push_back(meaning.role == KeyRole::LIGHTING_ON);
        return true;
    default:
        return true;
    }
}

// One token of a format 1 line; "full" when a step holds more commands than a step can.
bool parseKeyToken(const std::string& token, DemoStep& step, bool& full) {
    if (token.rfind("k:", 0) == 0) {
        unsigned char key = 0;
        if (!parseTypedCharacter(token.substr(2), key)) {
            return false;
        }
        full = !applyKeyMeaning(meaningOfCharacter(key), false, step);
        return true;
    }
    const bool pressed = token[0] == '^';
    const int key = polledKeyNamed(pressed ? token.substr(1) : token);
    if (key < 0) {
        return false;
    }
    full = !applyKeyMeaning(meaningOfPolledKey(static_cast<PolledKey>(key)), !pressed, step);
    return true;
}

template <std::size_t N> int indexOfName(const char* const (&names)[N], const std::string& name) {
    for (std::size_t i = 0; i < N; ++i) {
        if (name == names[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// One token of a format 2 line.
bool parseIntentionToken(const std::string& token, DemoStep& step, bool& full) {
    if (token == lightingOnToken || token == lightingOffToken) {
        step.lighting.push_back(token == lightingOnToken);
        return true;
    }
    const int steer = indexOfName(steerNames, token);
    if (steer >= 0) {
        step.input.steer[steer] = true;
        return true;
    }
    const int command = indexOfName(commandNames, token);
    if (command < 0) {
        return false;
    }
    full = !step.input.give(static_cast<Command>(command));
    return true;
}

bool parseStepNumber(const std::string& text, int& step) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    step = std::stoi(text);
    return step >= 1;
}

bool readWholeFile(const std::string& path, std::string& text, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open the demo: " + std::strerror(errno);
        return false;
    }
    std::stringstream whole;
    whole << in.rdbuf();
    text = whole.str();
    return true;
}

// The header line; sets the format.
bool parseHeader(std::istringstream& line, int& format, std::string& why) {
    std::string magic;
    std::string version;
    if (!(line >> magic >> format >> version) || magic != demoMagic) {
        why = "not a Wibz3D demo (the first line must be \"wibz3d-demo " +
              std::to_string(demoFormat) + " VERSION\")";
        return false;
    }
    if (format < 1 || format > demoFormat) {
        why = "demo format " + std::to_string(format) + ", this game reads 1 to " +
              std::to_string(demoFormat);
        return false;
    }
    return true;
}

// A step line after its number; false with the reason.
bool parseStepTokens(std::istringstream& line, int format, DemoStep& step, bool& end,
                     std::string& why) {
    for (std::string token; line >> token;) {
        if (token == "end") {
            end = true;
            continue;
        }
        bool full = false;
        const bool known =
            format == 1 ? parseKeyToken(token, step, full) : parseIntentionToken(token, step, full);
        if (!known) {
            why = (format == 1 ? "unknown key \"" : "unknown input \"") + token + "\"";
            return false;
        }
        if (full) {
            why = "more than " + std::to_string(StepInput::maxCommands) + " commands in a step";
            return false;
        }
    }
    return true;
}
} // namespace

namespace {
// One step line, after the header; false with the reason. lastStep is the step of the
// line before.
bool parseStepLine(std::istringstream& line, int format, Demo& demo, int& lastStep,
                   std::string& why) {
    std::string first;
    if (!(line >> first) || first[0] == '#') {
        return true; // blank lines and comments
    }
    if (demo.ended) {
        why = "a line after the end line";
        return false;
    }
    DemoStep step;
    if (!parseStepNumber(first, step.step)) {
        why = "\"" + first + "\" is not a step number";
        return false;
    }
    if (step.step <= lastStep) {
        why = "step " + first + " is not after step " + std::to_string(lastStep);
        return false;
    }
    if (!parseStepTokens(line, format, step, demo.ended, why)) {
        return false;
    }
    lastStep = step.step;
    // The end line's own input never reached a step.
    if (!demo.ended) {
        demo.steps.push_back(step);
    }
    return true;
}
} // namespace

bool readDemo(const std::string& path, Demo& demo, std::string& error) {
    demo = Demo();
    std::string text;
    if (!readWholeFile(path, text, error)) {
        return false;
    }
    std::size_t at = 0;
    int lineNumber = 0;
    int lastStep = 0;
    int format = 0;
    std::string why;
    while (at < text.size()) {
        const std::size_t lineEnd = text.find('\n', at);
        lineNumber += 1;
        if (lineEnd == std::string::npos) {
            demo.warning = path + ":" + std::to_string(lineNumber) +
                           ": the last line is cut off; played up to step " +
                           std::to_string(lastStep);
            break;
        }
        std::istringstream line(text.substr(at, lineEnd - at));
        at = lineEnd + 1;
        const bool good = lineNumber == 1 ? parseHeader(line, format, why)
                                          : parseStepLine(line, format, demo, lastStep, why);
        if (!good) {
            error = path + ":" + std::to_string(lineNumber) + ": " + why;
            return false;
        }
    }
    if (lineNumber == 0 || (lineNumber == 1 && !demo.warning.empty())) {
        error = path + ":1: not a Wibz3D demo (no header line)";
        return false;
    }
    // The end line names the step that did not run; otherwise the last step written ran.
    demo.length = demo.ended ? lastStep - 1 : lastStep;
    return true;
}

std::string demoStepLine(int step, const StepInput& input, const std::vector<bool>& lighting) {
    if (input.isEmpty() && lighting.empty()) {
        return "";
    }
    std::string line = std::to_string(step);
    for (const bool on : lighting) {
        line += std::string(" ") + (on ? lightingOnToken : lightingOffToken);
    }
    for (int c = 0; c < input.commandCount; ++c) {
        line += std::string(" ") + commandNames[static_cast<int>(input.commands[c])];
    }
    for (int s = 0; s < STEER_COUNT; ++s) {
        if (input.steer[s]) {
            line += std::string(" ") + steerNames[s];
        }
    }
    return line;
}
