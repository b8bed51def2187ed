// test_model_reader.cpp -- the 3DS reader on chunk trees built byte by byte: the one message
// each file gets, good and damaged, and face materials across imports.
#include "asset_test_support.h"
#include "assets/model_reader.h"

#include <gtest/gtest.h>

namespace {
using u16 = std::uint16_t;
using Bytes = std::vector<std::uint8_t>;
// Chunk ids as 3D Studio writes them.
constexpr u16 PRIMARY = 0x4D4D, VERSION = 0x0002, EDITOR = 0x3D3D, MESH_VERSION = 0x3D3E,
              OBJECT = 0x4000, MESH = 0x4100, VERTICES = 0x4110, FACES = 0x4120,
              FACE_MATERIAL = 0x4130, TEX_COORDS = 0x4140, MATERIAL = 0xAFFF,
              MATERIAL_NAME = 0xA000, DIFFUSE = 0xA020, TEXTURE_MAP = 0xA200, MAP_FILE = 0xA300,
              COLOUR_FLOAT = 0x0010;
const std::string damaged = "Warning: Damaged chunks were cut or skipped in: memory.3DS\n";

Bytes& operator+=(Bytes& a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes operator+(Bytes a, const Bytes& b) {
    return a += b;
}

// Values as the file stores them: little-endian, like this machine.
template <typename T> Bytes le(std::initializer_list<T> values) {
    Bytes out;
    for (const T& v : values) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(&v);
        out.insert(out.end(), p, p + sizeof v);
    }
    return out;
}

Bytes header(u16 id, std::size_t length) {
    return le<u16>({id}) + le<std::uint32_t>({static_cast<std::uint32_t>(length)});
}

// A chunk holding the parts in order, payload and sub-chunks alike.
Bytes chunk(u16 id, std::initializer_list<Bytes> parts = {}) {
    Bytes body;
    for (const Bytes& part : parts) {
        body += part;
    }
    return header(id, body.size() + 6) + body;
}

// That many chunks of one id, each inside the one before, round the inner bytes.
Bytes nested(u16 id, std::size_t levels, const Bytes& inner) {
    Bytes out;
    for (std::size_t level = levels; level > 0; --level) {
        out += header(id, 6 * level + inner.size());
    }
    return out + inner;
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end()) + Bytes{0};
}

// A whole file as tools write it: the version, then the editor with the mesh version first.
Bytes fileOf(const Bytes& editorChunks, std::uint32_t version = 3) {
    return chunk(PRIMARY,
                 {chunk(VERSION, {le<std::uint32_t>({version})}),
                  chunk(EDITOR, {chunk(MESH_VERSION, {le<std::uint32_t>({3})}), editorChunks})});
}

Bytes material(const std::string& name, const std::string& mapFile = "") {
    const Bytes map = chunk(TEXTURE_MAP, {chunk(MAP_FILE, {text(mapFile)})});
    return chunk(MATERIAL, {chunk(MATERIAL_NAME, {text(name)}), mapFile.empty() ? Bytes{} : map});
}

Bytes object(const std::string& name, std::initializer_list<Bytes> meshChunks) {
    return chunk(OBJECT, {text(name), chunk(MESH, meshChunks)});
}

// The triangle (0,0,0), (1,0,0), (0,0,1) in file axes.
const Bytes threeVertices = le<u16>({3}) + le<float>({0, 0, 0, 1, 0, 0, 0, 0, 1});

// The triangle with a face-material chunk per name.
Bytes triangle(const std::string& name, std::vector<std::string> materials = {}) {
    Bytes faceMaterials;
    for (const std::string& m : materials) {
        faceMaterials += chunk(FACE_MATERIAL, {text(m), le<u16>({1, 0})});
    }
    return object(name, {chunk(VERTICES, {threeVertices}),
                         chunk(FACES, {le<u16>({1, 0, 1, 2, 7}), faceMaterials})});
}

// What the import wrote to standard error; messages name the file "memory.3DS".
std::string load(Model& model, const Bytes& bytes) {
    return captureStderr([&] { importBytes(model, bytes.data(), bytes.size()); });
}
} // namespace

// Nesting is counted in chunks holding chunks: primary, editor, object, then meshes inside
// meshes, with a vertex list innermost.
TEST(ModelReader, EachFileGetsItsOneMessage) {
    const auto in = [](std::initializer_list<Bytes> meshChunks) {
        return fileOf(object("o", meshChunks));
    };
    const Bytes deepest = chunk(VERTICES, {threeVertices});
    const struct {
        const char* what;
        Bytes bytes;
        std::string message;
    } cases[] = {
        {"good", fileOf(triangle("t")), ""},
        {"newer", fileOf(triangle("t"), 4),
         "Warning: This 3DS file is over version 3 so it may load incorrectly\n"},
        {"32 deep", in({nested(MESH, 28, deepest)}), ""},
        {"33 deep", in({nested(MESH, 29, deepest)}), damaged},
        {"100000 deep", in({nested(MESH, 100000, deepest)}), damaged},
        {"stray vertex bytes", in({chunk(VERTICES, {threeVertices, {7}})}), damaged},
        {"stray pair bytes", in({chunk(TEX_COORDS, {le<u16>({1}), le<float>({0, 0}), {7}})}),
         damaged},
        {"vertices beyond", in({chunk(VERTICES, {le<u16>({2}), le<float>({1, 2, 3})})}), damaged},
        {"faces beyond", in({deepest, chunk(FACES, {le<u16>({2, 0, 1, 2, 0})})}), damaged},
        {"pairs beyond", in({chunk(TEX_COORDS, {le<u16>({2}), le<float>({0, 0})})}), damaged},
        {"no vertex 3", in({deepest, chunk(FACES, {le<u16>({1, 0, 1, 3, 0})})}), damaged},
        {"long object name", fileOf(triangle(std::string(300, 'n'))), damaged},
        {"padded material name", fileOf(material("M" + std::string(300, '\0'))), damaged},
        {"float colour",
         fileOf(chunk(MATERIAL, {chunk(DIFFUSE, {chunk(COLOUR_FLOAT, {le<float>({1, 1, 1})})})})),
         damaged},
        {"length inside its header", fileOf(triangle("t") + header(0x1234, 2)), damaged},
        {"empty", {}, "Error: Unable to load PRIMARY chuck from file: memory.3DS!\n"},
    };
    for (const auto& c : cases) {
        Model model;
        EXPECT_EQ(load(model, c.bytes), c.message) << c.what;
    }
}

TEST(ModelReader, FaceMaterialFindsTheFirstOfItsNameAcrossImportsInOnePass) {
    Model model;
    for (const Bytes& file :
         {// A material read only after the object naming it: nothing passed over, id stays 0.
          fileOf(triangle("early", {"LATE"}) + material("LATE", "l.png")),
          // Two materials of one name: the first, without a map, wins.
          fileOf(material("TWIN") + material("TWIN", "twin.png") + material("MAPPED", "m.png") +
                 triangle("twin", {"TWIN"})),
          // A later file finds a name from an earlier one: the first file's come first.
          fileOf(material("MAPPED") + triangle("later", {"MAPPED"})),
          fileOf(triangle("miss", {"NOPE"})),
          // The last face-material chunk sets the id; the texture flag is never cleared.
          fileOf(triangle("both", {"MAPPED", "TWIN"}))}) {
        ASSERT_EQ(load(model, file), "");
    }
    const std::pair<int, bool> expected[] = {
        {0, false}, {1, false}, {3, true}, {-1, false}, {1, true}};
    ASSERT_EQ(model.objectCount, 5);
    for (std::size_t i = 0; i < 5; ++i) {
        const ModelObject& o = model.objects[i];
        EXPECT_TRUE(o.materialId == expected[i].first && o.hasTexture == expected[i].second)
            << o.name;
    }
}
