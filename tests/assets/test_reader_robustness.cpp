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

// The cuts are shared out over a few tests, so the test runner can spread them over cores.
constexpr int truncationSlices = 4;

class DamagedModel : public testing::TestWithParam<std::tuple<const char*, int>> {
  protected:
    std::vector<std::uint8_t> whole() const {
        return readWholeFile(dataDir() + "/" + std::get<0>(GetParam()));
    }
    int slice() const { return std::get<1>(GetParam()); }
};
} // namespace

TEST_P(DamagedModel, EveryCutFailsCleanly) {
    const std::vector<std::uint8_t> bytes = whole();
    ASSERT_GT(bytes.size(), 100u);
    const std::size_t first = bytes.size() * static_cast<std::size_t>(slice()) / truncationSlices;
    const std::size_t end = bytes.size() * static_cast<std::size_t>(slice() + 1) / truncationSlices;
    std::string messages = captureStderr([&] {
        for (std::size_t cut = first; cut < end; ++cut) {
            Model model;
            ASSERT_FALSE(importBytes(model, bytes.data(), cut)) << "cut at " << cut;
            expectConsistent(model, cut);
        }
    });
    EXPECT_NE(messages.find(slice() == 0 ? "Error: Unable to load PRIMARY chuck"
                                         : "Error: Unexpected end of file"),
              std::string::npos);
    Model model;
    messages = captureStderr([&] { EXPECT_TRUE(importBytes(model, bytes)); });
    EXPECT_EQ(messages, "");
    EXPECT_EQ(model.objectCount, 1);
}

// Each slice changes its own share of copies; half of them hit the first 64 bytes, where
// the chunk headers nest.
TEST_P(DamagedModel, ChangedBytesNeverLeaveTheBuffers) {
    const std::vector<std::uint8_t> bytes = whole();
    std::mt19937 random(static_cast<unsigned>(bytes.size()) + static_cast<unsigned>(slice()));
    std::uniform_int_distribution<std::size_t> offset(0, bytes.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    constexpr int copiesPerSlice = 250;
    captureStderr([&] {
        for (int copy = 0; copy < copiesPerSlice; ++copy) {
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
                                          testing::Range(0, truncationSlices)),
                         [](const testing::TestParamInfo<std::tuple<const char*, int>>& info) {
                             const std::string path = std::get<0>(info.param); // models/X.3DS
                             return path.substr(7, path.find('.') - 7) + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });
