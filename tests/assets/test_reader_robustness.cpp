// test_reader_robustness.cpp -- every generated model cut at every byte offset, and copies
// with random bytes changed: the reader must come back (no crash, no hang) with a model
// whose arrays agree with their counts and whose faces name only existing vertices.
#include "asset_test_support.h"

#include <gtest/gtest.h>
#include <random>

namespace {
// What drawing relies on: counts match arrays, every face corner names a vertex.
void expectConsistent(const Model& model, std::size_t cut) {
    ASSERT_EQ(model.objectCount, static_cast<std::int32_t>(model.objects.size())) << cut;
    ASSERT_EQ(model.materialCount, static_cast<std::int32_t>(model.materials.size())) << cut;
    for (const ModelObject& object : model.objects) {
        ASSERT_EQ(object.vertexCount, static_cast<std::int32_t>(object.vertices.size())) << cut;
        ASSERT_EQ(object.normals.size(), object.vertices.size()) << cut;
        ASSERT_EQ(object.faceCount, static_cast<std::int32_t>(object.faces.size())) << cut;
        ASSERT_EQ(object.texCoordCount, static_cast<std::int32_t>(object.texCoords.size())) << cut;
        for (const ModelFace& face : object.faces) {
            for (std::int32_t index : face.vertexIndex) {
                ASSERT_TRUE(index >= 0 && index < object.vertexCount) << cut;
            }
        }
    }
}

// The work is shared out over a few tests per model, so the test runner can spread it
// over cores.
constexpr int slices = 4;
constexpr int changedCopiesPerSlice = 250;

class DamagedModel : public testing::TestWithParam<std::tuple<const char*, int>> {};
} // namespace

// Each slice cuts the file at its share of the byte offsets and changes bytes in its share
// of copies, half of them in the first 64 bytes, where the chunk headers nest.
TEST_P(DamagedModel, EveryCutFailsCleanlyAndChangedBytesNeverLeaveTheBuffers) {
    const std::vector<std::uint8_t> bytes =
        readWholeFile(dataDir() + "/" + std::get<0>(GetParam()));
    const std::size_t slice = static_cast<std::size_t>(std::get<1>(GetParam()));
    ASSERT_GT(bytes.size(), 100u);
    Model whole;
    EXPECT_EQ(captureStderr([&] { EXPECT_TRUE(importBytes(whole, bytes)); }), "");
    EXPECT_EQ(whole.objectCount, 1);

    const std::string messages = captureStderr([&] {
        for (std::size_t cut = bytes.size() * slice / slices;
             cut < bytes.size() * (slice + 1) / slices; ++cut) {
            Model model;
            ASSERT_FALSE(importBytes(model, bytes.data(), cut)) << "cut at " << cut;
            expectConsistent(model, cut);
        }
    });
    EXPECT_NE(messages.find(slice == 0 ? "Error: Unable to load PRIMARY chuck"
                                       : "Error: Unexpected end of file"),
              std::string::npos);

    std::mt19937 random(static_cast<unsigned>(bytes.size() + slice));
    std::uniform_int_distribution<std::size_t> offset(0, bytes.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    captureStderr([&] {
        for (int copy = 0; copy < changedCopiesPerSlice; ++copy) {
            std::vector<std::uint8_t> changed = bytes;
            for (int c = 0; c <= copy % 4; ++c) {
                const std::size_t at = copy % 2 == 0 ? offset(random) % 64 : offset(random);
                changed[at] = static_cast<std::uint8_t>(value(random));
            }
            Model model;
            importBytes(model, changed);
            expectConsistent(model, static_cast<std::size_t>(copy));
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Models, DamagedModel,
                         testing::Combine(testing::ValuesIn(generatedModels),
                                          testing::Range(0, slices)),
                         [](const testing::TestParamInfo<std::tuple<const char*, int>>& info) {
                             const std::string path = std::get<0>(info.param); // models/X.3DS
                             return path.substr(7, path.find('.') - 7) + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });
