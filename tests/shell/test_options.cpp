// test_options.cpp -- the command line as a table: each option and its spellings, GLUT's
// options passed on in order, and each bad input with the line that names it.
#include "shell/options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {
CommandLine parse(std::vector<const char*> words) {
    words.insert(words.begin(), "wibz3d");
    return parseCommandLine(static_cast<int>(words.size()), words.data());
}

struct BadCase {
    std::vector<const char*> words;
    std::string complaint; // the first line on standard error
};

// Words split at spaces: program options, then what GLUT is passed after the program name.
std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}
} // namespace

TEST(CommandLine, OptionsThatStartTheGame) {
    const struct {
        const char *words, *data;
        int width, height;
        bool fullscreen;
        const char* glut;
    } cases[] = {
        {"", "", 400, 300, false, ""},
        {"--data /srv/mod", "/srv/mod", 400, 300, false, ""},
        {"--data=../mod", "../mod", 400, 300, false, ""},
        {"--window 800x600", "", 800, 600, false, ""},
        {"--window=1x32767", "", 1, 32767, false, ""},
        {"--fullscreen", "", 400, 300, true, ""},
        {"--window 640x480 --window 320x200", "", 320, 200, false, ""},
        {"-display :3 --fullscreen -geometry 300x200+10+20 -iconic", "", 400, 300, true,
         "-display :3 -geometry 300x200+10+20 -iconic"},
        {"-sync -gldebug -direct -indirect", "", 400, 300, false,
         "-sync -gldebug -direct -indirect"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> words = split(c.words);
        std::vector<const char*> pointers;
        for (const std::string& word : words) {
            pointers.push_back(word.c_str());
        }
        const CommandLine line = parse(pointers);
        SCOPED_TRACE(c.words);
        EXPECT_EQ(line.action, StartAction::PLAY);
        EXPECT_EQ(line.options.dataFolder, c.data);
        EXPECT_EQ(line.options.windowWidth, c.width);
        EXPECT_EQ(line.options.windowHeight, c.height);
        EXPECT_EQ(line.options.fullscreen, c.fullscreen);
        EXPECT_EQ(line.glutArguments, split(std::string("wibz3d ") + c.glut));
    }
}

TEST(CommandLine, DemoOptions) {
    CommandLine line = parse({"--record", "my.demo"});
    EXPECT_EQ(line.options.recordDemo, "my.demo");
    line = parse({"--play=a.demo", "--exit-at-end", "--dump-state", "end.txt"});
    EXPECT_TRUE(line.options.playDemo == "a.demo" && !line.options.timedemo);
    EXPECT_TRUE(line.options.exitAtEnd && line.options.dumpState == "end.txt");
    line = parse({"--timedemo", "b.demo"});
    EXPECT_TRUE(line.action == StartAction::PLAY && line.options.timedemo);
    EXPECT_EQ(line.options.playDemo, "b.demo");
}

TEST(CommandLine, HelpAndVersionEndBeforeAnythingAfterThem) {
    for (const auto& words : std::vector<std::vector<const char*>>{
             {"--help"}, {"-h"}, {"--window", "9x9", "--help", "--bogus"}}) {
        const CommandLine line = parse(words);
        EXPECT_EQ(line.action, StartAction::SHOW_HELP);
        for (const char* shown : {"Usage: wibz3d", "--data DIR", "--window WxH", "--fullscreen",
                                  "--version", "-geometry", "WIBZ3D_DATA", "Space", "Escape"}) {
            EXPECT_NE(line.message.find(shown), std::string::npos) << shown;
        }
    }
    const CommandLine version = parse({"--version", "--bogus"});
    EXPECT_EQ(version.action, StartAction::SHOW_VERSION);
    EXPECT_EQ(version.message, "wibz3d " WIBZ_VERSION "\n");
}

TEST(CommandLine, EachBadInputIsNamedOnOneLineWithTheHint) {
    const std::vector<BadCase> cases = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--Data", "x"}, "unknown option '--Data'"},
        {{"--bogus=1"}, "unknown option '--bogus'"},
        {{"level2"}, "unexpected argument 'level2'"},
        {{"--data"}, "option '--data' needs a value"},
        {{"--data="}, "option '--data' needs a value, not an empty one"},
        {{"--play", ""}, "option '--play' needs a value, not an empty one"},
        {{"--record", "a", "--play", "b"}, "'--record' cannot go with '--play' or '--timedemo'"},
        {{"--exit-at-end"}, "'--exit-at-end' goes with '--play'"},
        {{"--timedemo", "a", "--exit-at-end"}, "'--exit-at-end' goes with '--play'"},
        {{"--dump-state", "s"}, "'--dump-state' goes with '--play' or '--timedemo'"},
        {{"--window"}, "option '--window' needs a value"},
        {{"-display"}, "option '-display' needs a value"},
        {{"--fullscreen=yes"}, "option '--fullscreen' takes no value"},
        {{"--help=me"}, "option '--help' takes no value"},
    };
    for (const BadCase& c : cases) {
        const CommandLine line = parse(c.words);
        EXPECT_EQ(line.action, StartAction::BAD_USAGE) << c.complaint;
        EXPECT_EQ(line.message,
                  "wibz3d: " + c.complaint + "\nTry 'wibz3d --help' for more information.\n");
    }
    for (const char* size : {"0x300", "400x0", "400", "x300", "400x", "4OOx300", "400x300x2",
                             "-400x300", "+400x300", "32768x300", "400X300", "400x 300", ""}) {
        const CommandLine line = parse({"--window", size});
        EXPECT_EQ(line.action, StartAction::BAD_USAGE) << size;
        EXPECT_EQ(line.message.substr(0, line.message.find('\n')),
                  std::string("wibz3d: bad value '") + size +
                      "' for '--window' (WIDTHxHEIGHT, such as 800x600)");
    }
}
