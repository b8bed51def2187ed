// test_data_folder.cpp -- the places searched for the game's data, in order; the first that
// holds tex/ and models/ wins; the error names every place looked in.
#include "shell/data_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
// A fresh folder under /tmp, removed with everything in it at the end of the test.
struct Scratch {
    std::string path;
    Scratch() {
        char name[] = "/tmp/wibz-data-XXXXXX";
        path = mkdtemp(name);
    }
    ~Scratch() { fs::remove_all(path); }
    std::string folder(const std::string& name, std::initializer_list<const char*> inside) const {
        for (const char* sub : inside) {
            fs::create_directories(path + "/" + name + "/" + sub);
        }
        fs::create_directories(path + "/" + name);
        return path + "/" + name;
    }
};

std::vector<std::string> pathsOf(const std::vector<DataPlace>& places) {
    std::vector<std::string> paths;
    for (const DataPlace& place : places) {
        paths.push_back(place.path);
    }
    return paths;
}
} // namespace

TEST(DataFolder, PlacesInOrderFromTheProgramsFolder) {
    EXPECT_EQ(pathsOf(dataPlaces("", "/env", "/work", "/opt/w/games")),
              (std::vector<std::string>{"/env", "/work", "/opt/w/data", "/opt/w/share/wibz3d"}));
    // No variable, and a program whose place is unknown: only the working directory.
    EXPECT_EQ(pathsOf(dataPlaces("", "", "/work", "")), std::vector<std::string>{"/work"});
    // A folder named on the command line is the only place.
    EXPECT_EQ(pathsOf(dataPlaces("mod", "/env", "/work", "/opt/w/games")),
              std::vector<std::string>{"mod"});
}

TEST(DataFolder, TheFirstPlaceHoldingBothFoldersWins) {
    const Scratch root;
    const std::string full = root.folder("full", {"tex", "models"});
    const std::string later = root.folder("later", {"tex", "models"});
    const std::string texOnly = root.folder("texonly", {"tex"});
    const std::string empty = root.folder("empty", {});
    // Plain files where the folders are looked for.
    const std::string files = root.folder("files", {});
    std::ofstream(files + "/tex") << "x";
    std::ofstream(files + "/models") << "x";
    EXPECT_TRUE(holdsGameData(full));
    EXPECT_FALSE(holdsGameData(texOnly));
    EXPECT_FALSE(holdsGameData(files));
    EXPECT_FALSE(holdsGameData(root.path + "/missing"));

    const std::vector<DataPlace> places = {{"a", root.path + "/missing"},
                                           {"b", texOnly},
                                           {"c", empty},
                                           {"f", files},
                                           {"d", full},
                                           {"e", later}};
    EXPECT_EQ(firstDataFolder(places), full);
    EXPECT_EQ(firstDataFolder({places[0], places[1], places[2], places[3]}), "");
}

TEST(DataFolder, TheErrorNamesEveryPlaceLookedIn) {
    EXPECT_EQ(noDataMessage(dataPlaces("", "/nothing", "/empty", "/lone")),
              "wibz3d: no game data found (a folder holding tex/ and models/); looked in:\n"
              "  /nothing  (WIBZ3D_DATA)\n"
              "  /empty  (the working directory)\n"
              "  /data  (the build tree beside the program)\n"
              "  /share/wibz3d  (the installed game's data)\n"
              "Name the folder with --data DIR or WIBZ3D_DATA=DIR.\n");
    EXPECT_EQ(noDataMessage(dataPlaces("/mod", "", "/w", "/p")),
              "wibz3d: no game data in /mod (given with --data): the folder must hold tex/ "
              "and models/\n");
}
