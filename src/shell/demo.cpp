// demo.cpp -- the demo file: a header line, then one line per step with input, then an end
// line when the game closed normally. Lines are written whole with one write each, so a
// killed recording can only lose the line being written.
#include "shell/demo.h"

#include "shell/controls.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

#ifndef WIBZ_VERSION
#define WIBZ_VERSION "unknown"
#endif

namespace {
constexpr const char* demoMagic = "wibz3d-demo";
constexpr int demoFormat = 1;

std::string typedToken(unsigned char key) {
    if (key == ' ') {
        return "k:space";
    }
    if (key > ' ' && key < 127) {
        return std::string("k:") + static_cast<char>(key);
    }
    return "k:#" + std::to_string(key);
}

bool parseTyped(const std::string& text, std::string& typed) {
    if (text == "space") {
        typed += ' ';
        return true;
    }
    if (text.size() == 1 && text[0] > ' ' && text[0] < 127) {
        typed += text[0];
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
    typed += static_cast<char>(code);
    return true;
}

int keyNamed(const std::string& name) {
    for (int k = 0; k < POLLED_KEY_COUNT; ++k) {
        if (name == polledKeyNames[k]) {
            return k;
        }
    }
    return -1;
}

// One token of a step line into the step; false for a token that means nothing.
bool parseToken(const std::string& token, DemoStep& step, bool& end) {
    if (token == "end") {
        end = true;
        return true;
    }
    if (token.rfind("k:", 0) == 0) {
        return parseTyped(token.substr(2), step.typed);
    }
    const bool pressed = token[0] == '^';
    const int key = keyNamed(pressed ? token.substr(1) : token);
    if (key < 0) {
        return false;
    }
    (pressed ? step.input.pressed : step.input.held)[key] = true;
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

bool hasInput(const StepInput& input) {
    for (int k = 0; k < POLLED_KEY_COUNT; ++k) {
        if (input.held[k] || input.pressed[k]) {
            return true;
        }
    }
    return false;
}
} // namespace

bool readDemo(const std::string& path, Demo& demo, std::string& error) {
    demo = Demo();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open the demo: " + std::strerror(errno);
        return false;
    }
    std::stringstream whole;
    whole << in.rdbuf();
    const std::string text = whole.str();
    const auto fail = [&](int line, const std::string& why) {
        error = path + ":" + std::to_string(line) + ": " + why;
        return false;
    };
    std::size_t at = 0;
    int lineNumber = 0;
    int lastStep = 0;
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
        std::string first;
        if (lineNumber == 1) {
            int format = 0;
            std::string version;
            if (!(line >> first >> format >> version) || first != demoMagic) {
                return fail(1,
                            "not a Wibz3D demo (the first line must be \"wibz3d-demo 1 VERSION\")");
            }
            if (format != demoFormat) {
                return fail(1, "demo format " + std::to_string(format) + ", this game reads " +
                                   std::to_string(demoFormat));
            }
            continue;
        }
        if (!(line >> first) || first[0] == '#') {
            continue; // blank lines and comments
        }
        if (demo.ended) {
            return fail(lineNumber, "a line after the end line");
        }
        DemoStep step;
        if (!parseStepNumber(first, step.step)) {
            return fail(lineNumber, "\"" + first + "\" is not a step number");
        }
        if (step.step <= lastStep) {
            return fail(lineNumber,
                        "step " + first + " is not after step " + std::to_string(lastStep));
        }
        for (std::string token; line >> token;) {
            if (!parseToken(token, step, demo.ended)) {
                return fail(lineNumber, "unknown key \"" + token + "\"");
            }
        }
        lastStep = step.step;
        demo.steps.push_back(step);
    }
    if (lineNumber == 0 || (lineNumber == 1 && !demo.warning.empty())) {
        return fail(1, "not a Wibz3D demo (no header line)");
    }
    // The end line names the step that did not run; otherwise the last step written ran.
    demo.length = demo.ended ? lastStep - 1 : lastStep;
    return true;
}

DemoRecorder::~DemoRecorder() {
    if (fd >= 0) {
        close(fd);
    }
}

bool DemoRecorder::open(const std::string& path, std::string& error) {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = path + ": cannot write the demo: " + std::strerror(errno);
        return false;
    }
    writeLine(std::string(demoMagic) + " " + std::to_string(demoFormat) + " " + WIBZ_VERSION);
    return true;
}

void DemoRecorder::typed(unsigned char key) {
    pendingTyped += typedToken(key) + " ";
}

void DemoRecorder::step(int stepNumber, const StepInput& input) {
    if (pendingTyped.empty() && !hasInput(input)) {
        return;
    }
    std::string line = std::to_string(stepNumber) + " " + pendingTyped;
    pendingTyped.clear();
    for (int k = 0; k < POLLED_KEY_COUNT; ++k) {
        if (input.held[k]) {
            line += std::string(polledKeyNames[k]) + " ";
        }
        if (input.pressed[k]) {
            line += std::string("^") + polledKeyNames[k] + " ";
        }
    }
    line.pop_back();
    writeLine(line);
}

void DemoRecorder::end(int stepNumber) {
    writeLine(std::to_string(stepNumber) + " " + pendingTyped + "end");
    pendingTyped.clear();
    close(fd);
    fd = -1;
}

void DemoRecorder::writeLine(const std::string& line) {
    if (fd < 0) {
        return;
    }
    const std::string whole = line + "\n";
    std::size_t done = 0;
    while (done < whole.size()) {
        const ssize_t n = write(fd, whole.data() + done, whole.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            std::fprintf(stderr, "Demo: writing failed (%s); the recording stops here\n",
                         std::strerror(errno));
            close(fd);
            fd = -1;
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

const DemoStep* DemoPlayer::lineOfNextStep() const {
    const bool withLine = nextLine < demo.steps.size() && demo.steps[nextLine].step == played + 1;
    return withLine ? &demo.steps[nextLine] : nullptr;
}

void DemoPlayer::typeBeforeNextStep(GameState& g) {
    const DemoStep* line = lineOfNextStep();
    if (typedDone || line == nullptr) {
        return;
    }
    typedDone = true;
    for (const char key : line->typed) {
        handleKey(g, static_cast<unsigned char>(key));
    }
}

bool DemoPlayer::playStep(GameState& g) {
    typeBeforeNextStep(g);
    if (played >= demo.length) {
        return false;
    }
    const DemoStep* line = lineOfNextStep();
    advance(g, line != nullptr ? line->input : StepInput(), stepSeconds);
    if (line != nullptr) {
        nextLine += 1;
    }
    played += 1;
    typedDone = false;
    return true;
}

std::string describeState(GameState& g) {
    std::string out;
    char line[160];
    std::snprintf(line, sizeof line,
                  "score %d\nlives %d\nover %d\nhit %d\nlock %d\nstreaks %d %d %d\nready %d\n"
                  "craft %.3f %.3f\nstones %d\n",
                  g.ship.getScore(), g.ship.getLives(), g.gameOver ? 1 : 0, g.ship.hit ? 1 : 0,
                  g.ship.lockedIndex, g.smallStreak, g.mediumStreak, g.largeStreak,
                  g.getReadyCountdown, static_cast<double>(g.ship.getPosition().x),
                  static_cast<double>(g.ship.getPosition().z), g.stones.count(true));
    out += line;
    for (int i = 1; i < g.stones.count(false); ++i) {
        const GameObject& s = *g.stones.at(i);
        std::snprintf(line, sizeof line, "stone %d size %d at %.3f %.3f height %.3f\n", i, s.size,
                      static_cast<double>(s.x), static_cast<double>(s.y), static_cast<double>(s.z));
        out += line;
    }
    return out;
}
