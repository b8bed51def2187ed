// test_options.cpp -- the command line as a table: each option and its spellings, GLUT's
// options passed on in order, and each bad input with the line that names it.
#include "startup/options.h"

#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {
CommandLine parse(const std::vector<std::string>& words) {
    std::vector<const char*> argv{"wibz3d"};
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    return parseCommandLine(static_cast<int>(argv.size()), argv.data());
}

// The options a command line starts the game with, and what GLUT is passed after its name.
std::string startedWith(const std::string& words) {
    std::istringstream in(words);
    CommandLine line = parse({std::istream_iterator<std::string>(in), {}});
    const Options& o = line.options;
    std::ostringstream out;
    out << (line.action == StartAction::PLAY ? "" : "not playing ") << o.dataFolder << " "
        << o.windowWidth << "x" << o.windowHeight << (o.fullscreen ? " full" : "") << " rec "
        << o.recordDemo << " play " << o.playDemo << (o.timedemo ? " timed" : "")
        << (o.exitAtEnd ? " exit" : "") << " dump " << o.dumpState << (o.gamepads ? "" : " no pads")
        << (o.sound ? "" : " silent")
        << (o.volume == 100 ? "" : " volume " + std::to_string(o.volume))
        << (o.vsync ? "" : " no-vsync") << (o.frameLog.empty() ? "" : " log " + o.frameLog) << " |";
    // As GLUT is handed them: pointers to each, ended by a null one.
    const std::vector<char*> glut = argumentPointers(line.glutArguments);
    for (std::size_t k = 1; glut.at(k) != nullptr; ++k) {
        out << " " << glut[k];
    }
    return out.str();
}
} // namespace

// Each option in both spellings where it has two; a later option overrides an earlier one.
TEST(CommandLine, OptionsThatStartTheGame) {
    const std::pair<const char*, const char*> cases[] = {
        {"", " 400x300 rec  play  dump  |"},
        {"--data /srv/mod --window 800x600", "/srv/mod 800x600 rec  play  dump  |"},
        {"--data=../mod --window=1x32767", "../mod 1x32767 rec  play  dump  |"},
        {"--window 640x480 --window 320x200 --fullscreen", " 320x200 full rec  play  dump  |"},
        {"-display :3 --fullscreen -geometry 300x200+10+20 -iconic -sync -gldebug -direct "
         "-indirect",
         " 400x300 full rec  play  dump  | -display :3 -geometry 300x200+10+20 -iconic -sync "
         "-gldebug -direct -indirect"},
        {"--record my.demo --no-gamepad", " 400x300 rec my.demo play  dump  no pads |"},
        {"--timedemo b.demo --play=a.demo --exit-at-end --dump-state end.txt",
         " 400x300 rec  play a.demo exit dump end.txt |"},
        {"--timedemo b.demo --no-sound --volume 0",
         " 400x300 rec  play b.demo timed dump  silent volume 0 |"},
        {"--volume=7 --volume 100 --vsync=off --vsync on", " 400x300 rec  play  dump  |"},
        {"--volume 055 --vsync off --frame-log f.txt",
         " 400x300 rec  play  dump  volume 55 no-vsync log f.txt |"},
    };
    for (const auto& [words, started] : cases) {
        EXPECT_EQ(startedWith(words), started) << words;
    }
}

TEST(CommandLine, HelpAndVersionEndBeforeAnythingAfterThem) {
    for (const auto& words : std::vector<std::vector<std::string>>{
             {"--help"}, {"-h"}, {"--window", "9x9", "--help", "--bogus"}}) {
        const CommandLine line = parse(words);
        EXPECT_EQ(line.action, StartAction::SHOW_HELP);
        for (const char* shown :
             {"Usage: wibz3d", "--data DIR", "--window WxH", "--fullscreen", "--version",
              "--vsync on|off", "-geometry", "WIBZ3D_DATA", "Space", "Escape", "--no-gamepad",
              "A (south), right trigger  ", "--no-sound", "--volume N", "sound off / on"}) {
            EXPECT_NE(line.message.find(shown), std::string::npos) << shown;
        }
    }
    const CommandLine version = parse({"--version", "--bogus"});
    EXPECT_EQ(version.action, StartAction::SHOW_VERSION);
    EXPECT_EQ(version.message, "wibz3d " WIBZ_VERSION "\n");
}

TEST(CommandLine, EachBadInputIsNamedOnOneLineWithTheHint) {
    // The words and the complaint, the first line on standard error.
    std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
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
        {{"--volume"}, "option '--volume' needs a value"},
        {{"--volume="}, "option '--volume' needs a value, not an empty one"},
        {{"--no-sound=1"}, "option '--no-sound' takes no value"},
        {{"--vsync", "yes"}, "bad value 'yes' for '--vsync' (on or off)"},
        {{"--vsync="}, "option '--vsync' needs a value, not an empty one"},
    };
    for (const char* size : {"0x300", "400x0", "400", "x300", "400x", "4OOx300", "400x300x2",
                             "-400x300", "+400x300", "32768x300", "400X300", "400x 300", ""}) {
        cases.push_back({{"--window", size},
                         "bad value '" + std::string(size) +
                             "' for '--window' (WIDTHxHEIGHT, such as 800x600)"});
    }
    for (const char* volume : {"101", "-1", "+5", "1000", "5%", "ten", "1.5"}) {
        cases.push_back({{"--volume", volume},
                         "bad value '" + std::string(volume) +
                             "' for '--volume' (a whole number from 0 to 100)"});
    }
    for (const auto& [words, complaint] : cases) {
        const CommandLine line = parse(words);
        EXPECT_EQ(line.action, StartAction::BAD_USAGE) << complaint;
        EXPECT_EQ(line.message,
                  "wibz3d: " + complaint + "\nTry 'wibz3d --help' for more information.\n");
    }
}
