// asset_test_support.h -- helpers for the asset tests and the reader's fuzz target: standard
// error capture, a private temporary folder, whole files, 3DS files in memory, model checks.
#pragma once

#include "assets/model.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Runs fn with standard error redirected and returns what it wrote.
template <typename Fn> std::string captureStderr(Fn fn) {
    testing::internal::CaptureStderr();
    fn();
    return testing::internal::GetCapturedStderr();
}

// A fresh folder under /tmp, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return root; }
    // Writes the bytes to a file of that name inside the folder; returns its path.
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

  private:
    std::string root;
};

std::vector<std::uint8_t> readWholeFile(const std::string& path);

// Imports bytes held in memory as if they were a file named "memory.3DS".
bool importBytes(Model& model, const std::uint8_t* bytes, std::size_t size);

// What drawing relies on: counts match arrays, every face corner names a vertex.
bool consistent(const Model& model);

// A file of the data folder the build generated, named as in the game's tables.
inline std::string dataPath(const std::string& file) {
    return std::string(WIBZ_DATA_DIR) + "/" + file;
}
