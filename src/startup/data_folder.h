// data_folder.h -- where the game's data (tex/ and models/) is found: a folder given on the
// command line, $WIBZ3D_DATA, the working directory, the build tree's data beside the
// program, or the installed data, found from the program's own place so a moved install works.
#pragma once

#include <string>
#include <vector>

struct DataPlace {
    std::string what; // how the place was chosen, for the error message
    std::string path;
};

// The places to look, in order. requested is --data's folder: when given, it is the only
// place. environment is $WIBZ3D_DATA (empty: unset), workingDirectory the current one,
// programFolder the folder that holds the running program (empty: unknown).
std::vector<DataPlace> dataPlaces(const std::string& requested, const std::string& environment,
                                  const std::string& workingDirectory,
                                  const std::string& programFolder);

bool holdsGameData(const std::string& folder);

// The first place that holds the data; an empty path when none does.
std::string firstDataFolder(const std::vector<DataPlace>& places);

// The lines that say where the game looked.
std::string noDataMessage(const std::vector<DataPlace>& places);

// Finds the data for this run and makes it the working directory, so the game reads
// tex/ and models/ as relative paths. On failure prints the error and returns false.
bool enterDataFolder(const std::string& requested);
