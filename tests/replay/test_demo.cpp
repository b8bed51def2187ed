// test_demo.cpp -- demo files: what the recorder writes reads back as the same inputs, and
// each kind of bad file is refused with a message naming the file and line.
#include "replay/demo.h"
#include "replay/demo_recorder.h"
#include "replay/demo_session.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {
std::string scratchFile(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// The demo as read: its steps' lines in the current format, its length and whether it
// ended; or the error.
std::string read(const std::string& path, Demo& demo) {
    std::string error;
    if (!readDemo(path, demo, error)) {
        return error;
    }
    std::string text;
    for (const DemoStep& s : demo.steps) {
        text += demoStepLine(s.step, s.input, s.lighting) + "\n";
    }
    return text + "length " + std::to_string(demo.length) + (demo.ended ? " ended" : "");
}
} // namespace

TEST(Demo, RecordedInputsReadBackAsTheyWere) {
    const std::string path = ::testing::TempDir() + "round.demo";
    StepInput input;
    input.steer[STEER_LEFT] = true;
    input.give(Command::WIREFRAME);
    input.give(Command::FIRE);
    input.give(Command::WIREFRAME);
    std::string error;
    {
        DemoRecorder recorder;
        ASSERT_TRUE(recorder.open(path, error)) << error;
        recorder.lighting(false);
        recorder.step(1, input);
        recorder.step(2, StepInput()); // no input: no line
        recorder.lighting(true);
        recorder.step(3, StepInput());
        recorder.lighting(true); // after the last step: reaches nothing
        recorder.end(5);         // step 5 never ran
    }
    Demo demo;
    EXPECT_EQ(read(path, demo), "1 light-off wireframe fire wireframe left\n3 light-on\n"
                                "length 4 ended");

    // A disk that fills up: the recording stops with a line saying so, the game goes on.
    DemoRecorder full;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(full.open("/dev/full", error));
    full.step(1, input);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Demo: writing failed (No space left on device); the recording stops here\n");
}

// The first format named keys: each is read as what the key means now, in the order given;
// keys that meant nothing give nothing, and the end line's keys never reached a step.
TEST(Demo, FirstFormatKeysReadAsTheirIntentions) {
    Demo demo;
    EXPECT_EQ(read(scratchFile("keys.demo", "wibz3d-demo 1 1.0.0\n3 k:space k:f k:L k:q k:#027 "
                                            "Up F3 ^Left ^F8 Right\n4 k:s k:l\n9 k:d end\n"),
                   demo),
              "3 light-on fire next culling forward right\n4 light-off previous\nlength 8 ended");
}

TEST(Demo, BadFilesAreRefusedNamingFileAndLine) {
    std::string crowded = "wibz3d-demo 2 1.0\n5";
    for (int k = 0; k <= StepInput::maxCommands; ++k) {
        crowded += " fire";
    }
    const std::pair<std::string, const char*> cases[] = {
        // The text, and the message after "PATH:".
        {"", "1: not a Wibz3D demo"},
        {"wibz3d-demo 1", "1: not a Wibz3D demo"},
        {"quake-demo 1 1.0\n", "1: not a Wibz3D demo"},
        {"wibz3d-demo 3 1.0\n", "1: demo format 3, this game reads 1 to 2"},
        {"wibz3d-demo 0 1.0\n", "1: demo format 0, this game reads 1 to 2"},
        {"wibz3d-demo 1 1.0\n5 Up\n# note\n6 Jump\n", "4: unknown key \"Jump\""},
        {"wibz3d-demo 2 1.0\n5 Up\n", "2: unknown input \"Up\""},
        {"wibz3d-demo 1 1.0\n5 k:ab\n", "2: unknown key \"k:ab\""},
        {"wibz3d-demo 1 1.0\n5 Up\n5 Down\n", "3: step 5 is not after step 5"},
        {"wibz3d-demo 1 1.0\n0 Up\n", "2: \"0\" is not a step number"},
        {"wibz3d-demo 1 1.0\n12a Up\n", "2: \"12a\" is not a step number"},
        {"wibz3d-demo 1 1.0\n5 k:#0065\n", "2: unknown key \"k:#0065\""},
        {"wibz3d-demo 1 1.0\n5 k:#256\n", "2: unknown key \"k:#256\""},
        {"wibz3d-demo 1 1.0\n5 k:#a1\n", "2: unknown key \"k:#a1\""},
        {"wibz3d-demo 1 1.0\n5 k:\x7f\n", "2: unknown key \"k:\x7f\""}, // DEL
        {"wibz3d-demo 1 1.0\n5 end\n6 Up\n", "3: a line after the end line"},
        {crowded + "\n", "2: more than 32 commands in a step"},
    };
    int n = 0;
    Demo demo;
    for (const auto& [text, message] : cases) {
        const std::string path = scratchFile("bad" + std::to_string(n++) + ".demo", text);
        const std::string error = read(path, demo);
        EXPECT_EQ(error.rfind(path + ":" + message, 0), 0u) << error;
    }
    const std::string missing = ::testing::TempDir() + "missing.demo";
    EXPECT_EQ(read(missing, demo), missing + ": cannot open the demo: No such file or directory");

    // A recording killed in mid-line: played up to its last whole line, with a warning.
    const std::string cut = scratchFile("cut.demo", "wibz3d-demo 1 1.0\n3 Up\n7 Up\n8 Le");
    EXPECT_EQ(read(cut, demo), "3 forward\n7 forward\nlength 7");
    EXPECT_EQ(demo.warning, cut + ":4: the last line is cut off; played up to step 7");
}

TEST(DemoSession, RefusesFilesItCannotReadOrWriteAndReportsTheTimedemo) {
    EXPECT_TRUE(startDemoSession(Options())); // nothing asked, nothing to refuse
    Options record, play, dump;
    record.recordDemo = dump.dumpState = "/nonexistent/folder/x";
    play.playDemo = ::testing::TempDir() + "missing.demo";
    dump.playDemo = scratchFile("ok.demo", "wibz3d-demo 1 1.0\n3 Up\n");
    for (const Options& o : {record, play, dump}) {
        EXPECT_FALSE(startDemoSession(o)) << o.recordDemo << o.playDemo << o.dumpState;
    }

    // Two seconds at 50 frames a second, then one at 200: the median is the slow rate.
    std::vector<double> starts;
    for (int f = 0; f < 300; ++f) {
        starts.push_back(1000.0 + (f < 100 ? 20.0 * f : 2000.0 + 10.0 * (f - 100) / 2.0));
    }
    EXPECT_EQ(timedemoReport(starts, 4000.0),
              "timedemo: 300 frames in 3.00 s, 100.0 fps (min 50.0, median 50.0 fps over 1 s "
              "windows)");
    EXPECT_EQ(timedemoReport({}, 5.0), "timedemo: 0 frames in 0.00 s, 0.0 fps (min 0.0, median "
                                       "0.0 fps over 1 s windows)");
}
