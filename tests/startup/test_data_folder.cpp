// test_data_folder.cpp -- the places searched for the game's data, in order; the first that
// holds tex/ and models/ wins; the error names every place looked in.
#include "startup/data_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(DataFolder, PlacesInOrderFromTheProgramsFolderAndTheErrorNamesEach) {
    EXPECT_EQ(noDataMessage(dataPlaces("", "/env", "/work", "/opt/w/games")),
              "wibz3d: no game data found (a folder holding tex/ and models/); looked in:\n"
              "  /env  (WIBZ3D_DATA)\n"
              "  /work  (the working directory)\n"
              "  /opt/w/data  (the build tree beside the program)\n"
              "  /opt/w/share/wibz3d  (the installed game's data)\n"
              "Name the folder with --data DIR or WIBZ3D_DATA=DIR.\n");
    // No variable, and a program whose place is unknown: only the working directory.
    const std::vector<DataPlace> alone = dataPlaces("", "", "/work", "");
    EXPECT_TRUE(alone.size() == 1 && alone[0].path == "/work");
    // A folder named on the command line is the only place.
    EXPECT_EQ(noDataMessage(dataPlaces("/mod", "/env", "/w", "/p")),
              "wibz3d: no game data in /mod (given with --data): the folder must hold tex/ "
              "and models/\n");
}

TEST(DataFolder, TheFirstPlaceHoldingBothFoldersWins) {
    char name[] = "/tmp/wibz-data-XXXXXX";
    const std::string root = mkdtemp(name);
    std::vector<DataPlace> places = {{"a", root + "/missing"}};
    // Only tex/, nothing, plain files where the folders are looked for, both, both again.
    // A name ending in a slash is a folder, any other a plain file.
    const std::vector<std::vector<std::string>> kinds = {
        {"tex/"}, {}, {"tex", "models"}, {"tex/", "models/"}, {"tex/", "models/"}};
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        const std::string place = root + "/" + std::to_string(k);
        fs::create_directories(place);
        for (const std::string& sub : kinds[k]) {
            if (sub.back() == '/') {
                fs::create_directories(place + "/" + sub);
            } else {
                std::ofstream(place + "/" + sub) << "x";
            }
        }
        places.push_back({"p", place});
    }
    EXPECT_EQ(firstDataFolder(places), root + "/3");
    places.resize(4);
    EXPECT_EQ(firstDataFolder(places), "");
    fs::remove_all(root);
}
