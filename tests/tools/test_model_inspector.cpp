// test_model_inspector.cpp -- wibz3d-model run as a user would: its lines for a file it
// reads, for a missing and a foreign one, and its exit status.
#include "asset_test_support.h"
#include "tds_file.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {
// What it prints on standard output, then its exit status.
std::pair<std::string, int> inspect(const std::string& arguments) {
    const std::string command =
        std::string(WIBZ_MODEL_INSPECTOR) + " " + arguments + " 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[512];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        out += buffer;
    }
    const int raw = pipe != nullptr ? pclose(pipe) : -1;
    return {out, WIFEXITED(raw) ? WEXITSTATUS(raw) : -1};
}
} // namespace

// A bad file among good ones: every file still listed, and the status says so.
TEST(ModelInspector, PrintsMaterialsAndObjectsInTheGameAxesAndFailsOnAFileItCannotRead) {
    TempDir dir;
    TdsScene scene;
    scene.materials = {{"PAINT", {10, 20, 30}, ""}, {"SKIN", {200, 100, 50}, "skin.png"}};
    scene.meshes = {
        TdsMesh{"box", {{1, 2, 3}, {-4, 5, -6}, {0, 0, 0}}, {{0, 0}, {1, 1}}, {{0, 1, 2}}, "SKIN"}};
    const std::string path = dir.write("box.3DS", buildTdsFile(scene));
    const std::string good = "file " + path + ": ok\n" +
                             "material 0 \"PAINT\" map \"\" colour 10 20 30\n"
                             "material 1 \"SKIN\" map \"skin.png\" colour 200 100 50\n"
                             "object 0 \"box\" vertices 3 faces 1 texcoords 2 material 1 textured "
                             "yes bounds -4.000 -6.000 -5.000 1.000 3.000 0.000\n";
    EXPECT_EQ(inspect(path), std::make_pair(good, 0));
    const std::string missing = dir.path() + "/missing.3DS";
    const std::string foreign = dir.write("foreign.3DS", {'M', 'Z', 0x90, 0, 3, 0, 0, 0});
    EXPECT_EQ(inspect(missing + " " + path + " " + foreign),
              std::make_pair("file " + missing + ": error Unable to find the file: " + missing +
                                 "!\n" + good + "file " + foreign +
                                 ": error Unable to load PRIMARY chuck from file: " + foreign +
                                 "!\n",
                             1));
    EXPECT_EQ(inspect("").second, 1); // no file named
}
