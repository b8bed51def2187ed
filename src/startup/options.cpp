// options.cpp -- the command line: our long options, GLUT's own options passed on, and a
// one-line complaint about anything else.
#include "startup/options.h"

#include "controls/controls.h"

#include <cstdio>
#include <cstdlib>

namespace {
// X11 keeps window sizes in 15 bits.
constexpr long largestWindowSide = 32767;

const char* const usageHint = "Try 'wibz3d --help' for more information.\n";

const char* const helpIntroduction =
    "Usage: wibz3d [OPTION]...\n"
    "Wibz3D: a small 3D arcade game. Break the falling stones with your craft's rising\n"
    "beam and keep out from under them.\n"
    "\n"
    "Options:\n";

const char* const helpAfterOptions =
    "GLUT's own options (-display DISPLAY, -geometry WxH+X+Y, -iconic, -direct,\n"
    "-indirect, -sync, -gldebug) are passed on to it.\n"
    "\n"
    "Without --data the game reads the first folder holding tex/ and models/ of:\n"
    "$WIBZ3D_DATA, the working directory, the build tree's data next to the program,\n"
    "and share/wibz3d of the installed game.\n"
    "\n"
    "Controls:\n";

const char* const helpBeforePad =
    "\n"
    "Gamepad (any pad SDL knows; SDL_GAMECONTROLLERCONFIG maps others):\n";

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

// A whole number from 0 to 100.
bool parseVolume(const std::string& text, int& volume) {
    if (text.empty() || text.size() > 3 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const int value = std::atoi(text.c_str());
    if (value > 100) {
        return false;
    }
    volume = value;
    return true;
}

CommandLine badUsage(const std::string& complaint) {
    CommandLine result;
    result.action = StartAction::BAD_USAGE;
    result.message = "wibz3d: " + complaint + "\n" + usageHint;
    return result;
}

std::string helpText();

// Sets what the option asks for from its value (empty for an option without one); false
// with the complaint for a bad value.
using ApplyOption = bool (*)(const std::string& value, CommandLine& line, std::string& why);

// Every option of ours once: its spellings, its value, its line in the help and what it does.
struct OptionSpec {
    const char* name;
    const char* shortName; // or null
    const char* valueName; // null for an option without a value
    const char* help;
    ApplyOption apply;
};

const OptionSpec optionSpecs[] = {
    {"--data", nullptr, "DIR", "read the game's data (tex/ and models/) from DIR",
     [](const std::string& value, CommandLine& line, std::string&) {
         line.options.dataFolder = value;
         return true;
     }},
    {"--window", nullptr, "WxH", "open the window W by H pixels (default 400x300)",
     [](const std::string& value, CommandLine& line, std::string& why) {
         why = "bad value '" + value + "' for '--window' (WIDTHxHEIGHT, such as 800x600)";
         return parseWindowSize(value, line.options);
     }},
    {"--fullscreen", nullptr, nullptr, "start in full screen",
     [](const std::string&, CommandLine& line, std::string&) {
         line.options.fullscreen = true;
         return true;
     }},
    {"--no-sound", nullptr, nullptr, "play without sound (no sound device is opened)",
     [](const std::string&, CommandLine& line, std::string&) {
         line.options.sound = false;
         return true;
     }},
    {"--volume", nullptr, "N", "sound volume from 0 to 100 (default 100)",
     [](const std::string& value, CommandLine& line, std::string& why) {
         why = "bad value '" + value + "' for '--volume' (a whole number from 0 to 100)";
         return parseVolume(value, line.options.volume);
     }},
    {"--record", nullptr, "FILE", "play, and record the game as a demo into FILE",
     [](const std::string& value, CommandLine& line, std::string&) {
         line.options.recordDemo = value;
         return true;
     }},
    {"--play", nullptr, "FILE", "watch a demo (only Escape acts)",
     [](const std::string& value, CommandLine& line, std::string&) {
         line.options.playDemo = value;
         line.options.timedemo = false;
         return true;
     }},
    {"--timedemo", nullptr, "FILE", "draw a demo as fast as possible, print the frame rate, exit",
     [](const std::string& value, CommandLine& line, std::string&) {
         line.options.playDemo = value;
         line.options.timedemo = true;
         return true;
     }},
    {"--exit-at-end", nullptr, nullptr, "with --play: exit when the demo ends",
     [](const std::string&, CommandLine& line, std::string&) {
         line.options.exitAtEnd = true;
         return true;
     }},
    {"--dump-state", nullptr, "OUT", "with --play or --timedemo: write the end state to OUT",
     [](const std::string& value, CommandLine& line, std::string&) {
         line.options.dumpState = value;
         return true;
     }},
    {"--no-gamepad", nullptr, nullptr, "leave gamepads alone (keyboard only)",
     [](const std::string&, CommandLine& line, std::string&) {
         line.options.gamepads = false;
         return true;
     }},
    {"--vsync", nullptr, "on|off", "hold buffer swaps to the display's refresh (default on)",
     [](const std::string& value, CommandLine& line, std::string& why) {
         why = "bad value '" + value + "' for '--vsync' (on or off)";
         line.options.vsync = value == "on";
         return value == "on" || value == "off";
     }},
    {"--frame-log", nullptr, "FILE",
     "log each drawn frame to FILE (swap time, game time shown, eye)",
     [](const std::string& value, CommandLine& line, std::string&) {
         line.options.frameLog = value;
         return true;
     }},
    {"--help", "-h", nullptr, "show this help and exit",
     [](const std::string&, CommandLine& line, std::string&) {
         line.action = StartAction::SHOW_HELP;
         line.message = helpText();
         return true;
     }},
    {"--version", nullptr, nullptr, "show the version and exit",
     [](const std::string&, CommandLine& line, std::string&) {
         line.action = StartAction::SHOW_VERSION;
         line.message = "wibz3d " WIBZ_VERSION "\n";
         return true;
     }},
};

const OptionSpec* findOption(const std::string& name) {
    for (const OptionSpec& option : optionSpecs) {
        if (name == option.name || (option.shortName != nullptr && name == option.shortName)) {
            return &option;
        }
    }
    return nullptr;
}

// "  -h, --help      show this help and exit": the names and value, then the text from
// column 18 (or after two spaces when the names are longer).
std::string helpLine(const OptionSpec& option) {
    std::string names = "  ";
    if (option.shortName != nullptr) {
        names += std::string(option.shortName) + ", ";
    }
    names += option.name;
    if (option.valueName != nullptr) {
        names += std::string(" ") + option.valueName;
    }
    const std::size_t column = 18;
    names += names.size() < column ? std::string(column - names.size(), ' ') : "  ";
    return names + option.help + "\n";
}

std::string helpText() {
    std::string text = helpIntroduction;
    for (const OptionSpec& option : optionSpecs) {
        text += helpLine(option);
    }
    return text + helpAfterOptions + keyControlsHelp() + helpBeforePad + padControlsHelp();
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

// A GLUT option is handed on with its value; false when the value is missing.
bool passOnGlutOption(const GlutOption& glut, int argc, const char* const* argv, int& i,
                      CommandLine& line) {
    line.glutArguments.push_back(glut.name);
    if (!glut.takesValue) {
        return true;
    }
    if (i + 1 >= argc) {
        return false;
    }
    line.glutArguments.push_back(argv[++i]);
    return true;
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine result;
    result.glutArguments.push_back(argc > 0 && argv[0] != nullptr ? argv[0] : "wibz3d");
    for (int i = 1; i < argc; ++i) {
        Word word = splitWord(argv[i]);
        if (const GlutOption* glut = findGlutOption(word.name)) {
            if (!passOnGlutOption(*glut, argc, argv, i, result)) {
                return badUsage("option '" + word.name + "' needs a value");
            }
            continue;
        }
        const OptionSpec* option = findOption(word.name);
        if (option == nullptr) {
            const bool looksLikeOption = word.name.size() > 1 && word.name[0] == '-';
            return badUsage(looksLikeOption ? "unknown option '" + word.name + "'"
                                            : "unexpected argument '" + word.name + "'");
        }
        const bool wantsValue = option->valueName != nullptr;
        if (!wantsValue && word.hasValue) {
            return badUsage("option '" + word.name + "' takes no value");
        }
        if (wantsValue && !word.hasValue) {
            if (i + 1 >= argc) {
                return badUsage("option '" + word.name + "' needs a value");
            }
            word.value = argv[++i];
        }
        // --window names its own bad value, the empty one included.
        if (wantsValue && word.value.empty() && word.name != "--window") {
            return badUsage("option '" + word.name + "' needs a value, not an empty one");
        }
        std::string why;
        if (!option->apply(word.value, result, why)) {
            return badUsage(why);
        }
        if (result.action != StartAction::PLAY) {
            return result; // help and version end the line
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
