// options.cpp -- the command line: our long options, GLUT's own options passed on, and a
// one-line complaint about anything else.
#include "shell/options.h"

#include <cstdio>
#include <cstdlib>

namespace {
// X11 keeps window sizes in 15 bits.
constexpr long largestWindowSide = 32767;

const char* const usageHint = "Try 'wibz3d --help' for more information.\n";

const char* const helpText =
    "Usage: wibz3d [OPTION]...\n"
    "Wibz3D: a small 3D arcade game. Break the falling stones with your craft's rising\n"
    "beam and keep out from under them.\n"
    "\n"
    "Options:\n"
    "  --data DIR      read the game's data (tex/ and models/) from DIR\n"
    "  --window WxH    open the window W by H pixels (default 400x300)\n"
    "  --fullscreen    start in full screen\n"
    "  --record FILE   play, and record the game as a demo into FILE\n"
    "  --play FILE     watch a demo (only Escape acts)\n"
    "  --timedemo FILE draw a demo as fast as possible, print the frame rate, exit\n"
    "  --exit-at-end   with --play: exit when the demo ends\n"
    "  --dump-state OUT  with --play or --timedemo: write the end state to OUT\n"
    "  -h, --help      show this help and exit\n"
    "  --version       show the version and exit\n"
    "GLUT's own options (-display DISPLAY, -geometry WxH+X+Y, -iconic, -direct,\n"
    "-indirect, -sync, -gldebug) are passed on to it.\n"
    "\n"
    "Without --data the game reads the first folder holding tex/ and models/ of:\n"
    "$WIBZ3D_DATA, the working directory, the build tree's data next to the program,\n"
    "and share/wibz3d of the installed game.\n"
    "\n"
    "Controls:\n"
    "  Up / Down      move towards / away from the focus\n"
    "  Left / Right   circle the focus\n"
    "  Space          fire the beam\n"
    "  d              lock on to a stone, or let go\n"
    "  f / s          next / previous stone (locked) or axis point\n"
    "  n x g c r      distance-scaled turning, camera aim, glide, orbit flags\n"
    "  L / l          lighting on / off\n"
    "  F2 / F3 / F8   frame-rate line, wire models, back-face culling\n"
    "  Escape         quit\n";

// GLUT's options: name and whether a value follows.
struct GlutOption {
    const char* name;
    bool takesValue;
};
const GlutOption glutOptions[] = {{"-display", true}, {"-geometry", true},  {"-iconic", false},
                                  {"-direct", false}, {"-indirect", false}, {"-sync", false},
                                  {"-gldebug", false}};

const GlutOption* findGlutOption(const std::string& word) {
    for (const GlutOption& option : glutOptions) {
        if (word == option.name) {
            return &option;
        }
    }
    return nullptr;
}

bool parseSide(const std::string& text, int& side) {
    if (text.empty() || text.size() > 5 || text[0] < '1' || text[0] > '9') {
        return false;
    }
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || value > largestWindowSide) {
        return false;
    }
    side = static_cast<int>(value);
    return true;
}

// "WxH", both sides whole numbers from 1 to the X limit.
bool parseWindowSize(const std::string& text, Options& options) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) {
        return false;
    }
    int width = 0;
    int height = 0;
    if (!parseSide(text.substr(0, x), width) || !parseSide(text.substr(x + 1), height)) {
        return false;
    }
    options.windowWidth = width;
    options.windowHeight = height;
    return true;
}

CommandLine badUsage(const std::string& complaint) {
    CommandLine result;
    result.action = StartAction::BAD_USAGE;
    result.message = "wibz3d: " + complaint + "\n" + usageHint;
    return result;
}

// Splits "--name=value"; a value is taken from the next word only for options with one.
struct Word {
    std::string name;
    std::string value;
    bool hasValue = false;
};

Word splitWord(const std::string& word) {
    Word split;
    const std::size_t equals = word.find('=');
    if (word.rfind("--", 0) == 0 && equals != std::string::npos) {
        split.name = word.substr(0, equals);
        split.value = word.substr(equals + 1);
        split.hasValue = true;
    } else {
        split.name = word;
    }
    return split;
}
// A demo is either recorded or played, and what applies to playing needs a played demo.
CommandLine checkDemoOptions(const CommandLine& line) {
    const Options& o = line.options;
    if (!o.recordDemo.empty() && !o.playDemo.empty()) {
        return badUsage("'--record' cannot go with '--play' or '--timedemo'");
    }
    if (o.exitAtEnd && (o.playDemo.empty() || o.timedemo)) {
        return badUsage("'--exit-at-end' goes with '--play'");
    }
    if (!o.dumpState.empty() && o.playDemo.empty()) {
        return badUsage("'--dump-state' goes with '--play' or '--timedemo'");
    }
    return line;
}
} // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine result;
    result.glutArguments.push_back(argc > 0 && argv[0] != nullptr ? argv[0] : "wibz3d");
    for (int i = 1; i < argc; ++i) {
        Word word = splitWord(argv[i]);
        const bool wantsValue = word.name == "--data" || word.name == "--window" ||
                                word.name == "--record" || word.name == "--play" ||
                                word.name == "--timedemo" || word.name == "--dump-state";
        if (wantsValue && !word.hasValue) {
            if (i + 1 >= argc) {
                return badUsage("option '" + word.name + "' needs a value");
            }
            word.value = argv[++i];
        } else if (!wantsValue && word.hasValue) {
            const bool known =
                word.name == "--help" || word.name == "--version" || word.name == "--fullscreen";
            return badUsage(known ? "option '" + word.name + "' takes no value"
                                  : "unknown option '" + word.name + "'");
        }

        if (word.name == "--help" || word.name == "-h") {
            result.action = StartAction::SHOW_HELP;
            result.message = helpText;
            return result;
        }
        if (word.name == "--version") {
            result.action = StartAction::SHOW_VERSION;
            result.message = "wibz3d " WIBZ_VERSION "\n";
            return result;
        }
        if (wantsValue && word.value.empty() && word.name != "--window") {
            return badUsage("option '" + word.name + "' needs a value, not an empty one");
        }
        if (word.name == "--fullscreen") {
            result.options.fullscreen = true;
        } else if (word.name == "--exit-at-end") {
            result.options.exitAtEnd = true;
        } else if (word.name == "--record") {
            result.options.recordDemo = word.value;
        } else if (word.name == "--play" || word.name == "--timedemo") {
            result.options.playDemo = word.value;
            result.options.timedemo = word.name == "--timedemo";
        } else if (word.name == "--dump-state") {
            result.options.dumpState = word.value;
        } else if (word.name == "--data") {
            result.options.dataFolder = word.value;
        } else if (word.name == "--window") {
            if (!parseWindowSize(word.value, result.options)) {
                return badUsage("bad value '" + word.value +
                                "' for '--window' (WIDTHxHEIGHT, such as 800x600)");
            }
        } else if (const GlutOption* glut = findGlutOption(word.name)) {
            result.glutArguments.push_back(word.name);
            if (glut->takesValue) {
                if (i + 1 >= argc) {
                    return badUsage("option '" + word.name + "' needs a value");
                }
                result.glutArguments.push_back(argv[++i]);
            }
        } else if (word.name.size() > 1 && word.name[0] == '-') {
            return badUsage("unknown option '" + word.name + "'");
        } else {
            return badUsage("unexpected argument '" + word.name + "'");
        }
    }
    return checkDemoOptions(result);
}

int reportCommandLine(const CommandLine& commandLine) {
    switch (commandLine.action) {
    case StartAction::SHOW_HELP:
    case StartAction::SHOW_VERSION:
        std::fputs(commandLine.message.c_str(), stdout);
        return 0;
    case StartAction::BAD_USAGE:
        std::fputs(commandLine.message.c_str(), stderr);
        return 2;
    case StartAction::PLAY:
        break;
    }
    return 0;
}

std::vector<char*> argumentPointers(std::vector<std::string>& arguments) {
    std::vector<char*> pointers;
    for (std::string& argument : arguments) {
        pointers.push_back(&argument[0]);
    }
    pointers.push_back(nullptr);
    return pointers;
}
