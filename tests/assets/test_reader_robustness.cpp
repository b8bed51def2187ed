// test_reader_robustness.cpp -- every generated model cut at every byte offset, and copies
// with random bytes changed: the reader must come back (no crash, no hang) with a model
// whose arrays agree with their counts and whose faces name only existing vertices.
#include "asset_test_support.h"
#include "assets/data_files.h"

#include <gtest/gtest.h>
#include <random>

// Changed copies have one to four bytes changed, half of them in the first 64 bytes, where
// the chunk headers nest; 2000 a model reached the reader's lines and branches.
TEST(DamagedModels, EveryCutFailsCleanlyAndChangedBytesNeverLeaveTheBuffers) {
    for (const DataFile& file : modelFiles) {
        SCOPED_TRACE(file.path);
        const std::vector<std::uint8_t> bytes = readWholeFile(dataPath(file.path));
        Model whole;
        const auto all = [&] { EXPECT_TRUE(importBytes(whole, bytes.data(), bytes.size())); };
        EXPECT_EQ(captureStderr(all), "");
        const std::string messages = captureStderr([&] {
            for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
                Model model;
                ASSERT_TRUE(!importBytes(model, bytes.data(), cut) && consistent(model)) << cut;
            }
        });
        EXPECT_NE(messages.find("Error: Unable to load PRIMARY chuck"), std::string::npos);
        EXPECT_NE(messages.find("Error: Unexpected end of file"), std::string::npos);
        std::mt19937 random(static_cast<unsigned>(bytes.size()));
        std::uniform_int_distribution<std::size_t> offset(0, bytes.size() - 1);
        captureStderr([&] {
            for (int copy = 0; copy < 2000; ++copy) {
                std::vector<std::uint8_t> changed = bytes;
                for (int c = 0; c <= copy % 4; ++c) {
                    const std::size_t at = copy % 2 == 0 ? offset(random) % 64 : offset(random);
                    changed[at] = static_cast<std::uint8_t>(random());
                }
                Model model;
                importBytes(model, changed.data(), changed.size());
                ASSERT_TRUE(consistent(model)) << "copy " << copy;
            }
        });
    }
}
