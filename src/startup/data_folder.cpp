// data_folder.cpp -- the search for the game's data and the change into it. The paths from
// the program's folder come from the build (the build tree's data and the install layout).
#include "startup/data_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
std::string joined(const std::string& folder, const char* relative) {
    return (fs::path(folder) / relative).lexically_normal().string();
}

std::string programFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}
} // namespace

std::vector<DataPlace> dataPlaces(const std::string& requested, const std::string& environment,
                                  const std::string& workingDirectory,
                                  const std::string& programFolder) {
    // A folder asked for by name is used or refused, never quietly replaced by another.
    if (!requested.empty()) {
        return {{"--data", requested}};
    }
    std::vector<DataPlace> places;
    if (!environment.empty()) {
        places.push_back({"WIBZ3D_DATA", environment});
    }
    places.push_back({"the working directory", workingDirectory});
    if (!programFolder.empty()) {
        places.push_back({"the build tree beside the program",
                          joined(programFolder, WIBZ_BUILD_DATA_FROM_PROGRAM)});
        places.push_back(
            {"the installed game's data", joined(programFolder, WIBZ_INSTALLED_DATA_FROM_PROGRAM)});
    }
    return places;
}

bool holdsGameData(const std::string& folder) {
    std::error_code error;
    return fs::is_directory(fs::path(folder) / "tex", error) &&
           fs::is_directory(fs::path(folder) / "models", error);
}

std::string firstDataFolder(const std::vector<DataPlace>& places) {
    for (const DataPlace& place : places) {
        if (holdsGameData(place.path)) {
            return place.path;
        }
    }
    return std::string();
}

std::string noDataMessage(const std::vector<DataPlace>& places) {
    if (places.size() == 1 && places[0].what == "--data") {
        return "wibz3d: no game data in " + places[0].path +
               " (given with --data): the folder must hold tex/ and models/\n";
    }
    std::string message = "wibz3d: no game data found (a folder holding tex/ and models/); "
                          "looked in:\n";
    for (const DataPlace& place : places) {
        message += "  " + place.path + "  (" + place.what + ")\n";
    }
    return message + "Name the folder with --data DIR or WIBZ3D_DATA=DIR.\n";
}

bool enterDataFolder(const std::string& requested) {
    const char* environment = std::getenv("WIBZ3D_DATA");
    std::error_code error;
    const std::string here = fs::current_path(error).string();
    const std::vector<DataPlace> places =
        dataPlaces(requested, environment != nullptr ? environment : "", here.empty() ? "." : here,
                   programFolder());
    const std::string folder = firstDataFolder(places);
    if (folder.empty()) {
        std::fputs(noDataMessage(places).c_str(), stderr);
        return false;
    }
    fs::current_path(folder, error);
    if (error) {
        std::fprintf(stderr, "wibz3d: cannot enter %s: %s\n", folder.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}
