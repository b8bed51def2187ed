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

class GeneratedModel : public testing::TestWithParam<const char*> {
  protected:
    std::vector<std::uint8_t> bytes() const { return readWholeFile(dataDir() + "/" + GetParam()); }
};

// The cuts are shared out over a few tests, so the test runner can spread them over cores.
constexpr int truncationSlices = 4;

class TruncatedModel : public testing::TestWithParam<std::tuple<const char*, int>> {};

std::string modelName(const char* path) {
    const std::string p = path;
    return p.substr(7, p.find('.') - 7); // "models/X.3DS" -> X
}
} // namespace

TEST_P(TruncatedModel, EveryCutFailsCleanly) {
    const std::vector<std::uint8_t> whole =
        readWholeFile(dataDir() + "/" + std::get<0>(GetParam()));
    ASSERT_GT(whole.size(), 100u);
    const std::size_t slice = static_cast<std::size_t>(std::get<1>(GetParam()));
    const std::size_t first = whole.size() * slice / truncationSlices;
    const std::size_t end = whole.size() * (slice + 1) / truncationSlices;
    std::string messages = captureStderr([&] {
        for (std::size_t cut = first; cut < end; ++cut) {
            Model model;
            ASSERT_FALSE(importBytes(model, whole.data(), cut)) << "cut at " << cut;
            expectConsistent(model, cut);
        }
    });
    EXPECT_NE(messages.find(slice == 0 ? "Error: Unable to load PRIMARY chuck"
                                       : "Error: Unexpected end of file"),
              std::string::npos);
    Model model;
    messages = captureStderr([&] { EXPECT_TRUE(importBytes(model, whole)); });
    EXPECT_EQ(messages, "");
    EXPECT_EQ(model.objectCount, 1);
}

TEST_P(GeneratedModel, ChangedBytesNeverLeaveTheBuffers) {
    const std::vector<std::uint8_t> whole = bytes();
    std::mt19937 random(static_cast<unsigned>(whole.size()));
    std::uniform_int_distribution<std::size_t> offset(0, whole.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    constexpr int copies = 3000;
    captureStderr([&] {
        for (int copy = 0; copy < copies; ++copy) {
            std::vector<std::uint8_t> changed = whole;
            const int changes = 1 + copy % 4;
            for (int c = 0; c < changes; ++c) {
                // Half the copies hit the first 64 bytes, where the chunk headers nest.
                const std::size_t at = copy % 2 == 0 ? offset(random) % 64 : offset(random);
                changed[at] = static_cast<std::uint8_t>(value(random));
            }
            Model model;
            importBytes(model, changed);
            expectConsistent(model, static_cast<std::size_t>(copy));
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Models, TruncatedModel,
                         testing::Combine(testing::ValuesIn(generatedModels),
                                          testing::Range(0, truncationSlices)),
                         [](const testing::TestParamInfo<std::tuple<const char*, int>>& info) {
                             return modelName(std::get<0>(info.param)) + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });

INSTANTIATE_TEST_SUITE_P(Models, GeneratedModel, testing::ValuesIn(generatedModels),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return modelName(info.param);
                         });
