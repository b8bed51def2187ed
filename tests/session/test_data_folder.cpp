// test_data_folder.cpp -- the places searched for the game's data, in order; the first that
// holds tex/ and models/ wins; the error names every place looked in.
#include "session/data_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
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
    char name[] = "/tmp/wibz-data-XXXXXX";
    const std::string root = mkdtemp(name);
    std::vector<DataPlace> places = {{"a", root + "/missing"}};
    // Only tex/, nothing, plain files where the folders are looked for, both, both again.
    const std::vector<std::vector<const char*>> kinds = {
        {"tex"}, {}, {"files"}, {"tex", "models"}, {"tex", "models"}};
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        const std::string place = root + "/" + std::to_string(k);
        fs::create_directories(place);
        for (const char* sub : kinds[k]) {
            if (std::string(sub) == "files") {
                std::ofstream(place + "/tex") << "x";
                std::ofstream(place + "/models") << "x";
            } else {
                fs::create_directories(place + "/" + sub);
            }
        }
        places.push_back({"p", place});
        EXPECT_EQ(holdsGameData(place), k >= 3) << place;
    }
    EXPECT_EQ(firstDataFolder(places), root + "/3");
    places.resize(4);
    EXPECT_EQ(firstDataFolder(places), "");
    fs::remove_all(root);
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
