// test_model_inspector.cpp -- wibz3d-model run as a user would: its lines for a file it
// reads, for one it cannot, and its exit status.
#include "asset_test_support.h"
#include "assets/data_files.h"
#include "tds_file.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {
struct InspectorRun {
    std::string out;
    int status;
};

InspectorRun inspect(const std::string& arguments) {
    const std::string command =
        std::string(WIBZ_MODEL_INSPECTOR) + " " + arguments + " 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    InspectorRun run{"", -1};
    if (pipe == nullptr) {
        return run;
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        run.out += buffer;
    }
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}
} // namespace

TEST(ModelInspector, PrintsMaterialsAndObjectsInTheGameAxesAndFailsOnAMissingFile) {
    TempDir dir;
    TdsScene scene;
    scene.materials = {{"PAINT", {10, 20, 30}, ""}, {"SKIN", {200, 100, 50}, "skin.png"}};
    TdsMesh box;
    box.name = "box";
    box.materialName = "SKIN";
    box.vertices = {{1, 2, 3}, {-4, 5, -6}, {0, 0, 0}};
    box.texCoords = {{0, 0}, {1, 1}};
    box.faces = {{0, 1, 2}};
    scene.meshes = {box};
    const std::string path = dir.write("box.3DS", buildTdsFile(scene));

    const InspectorRun good = inspect(path);
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out, "file " + path +
                            ": ok\n"
                            "material 0 \"PAINT\" map \"\" colour 10 20 30\n"
                            "material 1 \"SKIN\" map \"skin.png\" colour 200 100 50\n"
                            "object 0 \"box\" vertices 3 faces 1 texcoords 2 material 1 textured "
                            "yes bounds -4.000 -6.000 -5.000 1.000 3.000 0.000\n");

    const std::string missing = dir.path() + "/missing.3DS";
    const InspectorRun bad = inspect(path + " " + missing);
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(
        bad.out.find("file " + missing + ": error Unable to find the file: " + missing + "!\n"),
        std::string::npos);
    EXPECT_EQ(bad.out.find("file " + path + ": ok\n"), 0u); // the good file is still listed
}

TEST(ModelInspector, ReadsEveryModelOfTheGame) {
    std::string paths;
    for (const DataFile& file : modelFiles) {
        paths += dataDir() + "/" + file.path + " ";
    }
    const InspectorRun run = inspect(paths);
    EXPECT_EQ(run.status, 0); // every file read
    for (const char* name : {"slab", "tower", "saucer", "crater", "beam"}) {
        EXPECT_NE(run.out.find(std::string("object 0 \"") + name + "\""), std::string::npos)
            << name;
    }
}
