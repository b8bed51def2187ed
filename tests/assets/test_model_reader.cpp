// test_model_reader.cpp -- the 3DS reader on chunk trees built byte by byte: the one message
// each file gets, failed files keeping what was read, skipped chunks, face materials across
// imports, and damaged chunks cut to their buffers.
#include "asset_test_support.h"
#include "assets/model_reader.h"

#include <gtest/gtest.h>

namespace {
using u16 = std::uint16_t;
using u32 = std::uint32_t;
using Bytes = std::vector<std::uint8_t>;
// Chunk ids as 3D Studio writes them.
constexpr u16 PRIMARY = 0x4D4D, VERSION = 0x0002, EDITOR = 0x3D3D, MESH_VERSION = 0x3D3E,
              OBJECT = 0x4000, MESH = 0x4100, VERTICES = 0x4110, FACES = 0x4120,
              FACE_MATERIAL = 0x4130, TEX_COORDS = 0x4140, SMOOTHING = 0x4150, OBJECT_AXES = 0x4160,
              MATERIAL = 0xAFFF, MATERIAL_NAME = 0xA000, AMBIENT = 0xA010, DIFFUSE = 0xA020,
              TEXTURE_MAP = 0xA200, MAP_FILE = 0xA300, COLOUR_FLOAT = 0x0010, COLOUR_24 = 0x0011,
              GAMMA_COLOUR_24 = 0x0012, KEYFRAMER = 0xB000;
const std::string damaged = "Warning: Damaged chunks were cut or skipped in: memory.3DS\n";

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
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
    return le<u16>({id}) + le<u32>({static_cast<u32>(length)});
}

// A chunk holding the parts in order, payload and sub-chunks alike.
Bytes chunk(u16 id, std::initializer_list<Bytes> parts = {}) {
    Bytes body;
    for (const Bytes& part : parts) {
        body.insert(body.end(), part.begin(), part.end());
    }
    return header(id, body.size() + 6) + body;
}

// That many chunks of one id, each inside the one before, round the inner bytes.
Bytes nested(u16 id, std::size_t levels, const Bytes& inner) {
    Bytes out;
    for (std::size_t level = levels; level > 0; --level) {
        const Bytes h = header(id, 6 * level + inner.size());
        out.insert(out.end(), h.begin(), h.end());
    }
    return out + inner;
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end()) + Bytes{0};
}

// A whole file as tools write it: the version, then the editor with the mesh version first.
Bytes fileOf(const Bytes& editorChunks, u32 version = 3) {
    return chunk(PRIMARY, {chunk(VERSION, {le<u32>({version})}),
                           chunk(EDITOR, {chunk(MESH_VERSION, {le<u32>({3})}), editorChunks})});
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
        faceMaterials = faceMaterials + chunk(FACE_MATERIAL, {text(m), le<u16>({1, 0})});
    }
    return object(name, {chunk(VERTICES, {threeVertices}),
                         chunk(FACES, {le<u16>({1, 0, 1, 2, 7}), faceMaterials})});
}

struct Imported {
    bool ok;
    std::string messages;
};

// Messages name the file "memory.3DS".
Imported load(Model& model, const Bytes& bytes) {
    Imported result{false, ""};
    result.messages = captureStderr([&] { result.ok = importBytes(model, bytes); });
    return result;
}
} // namespace

// Nesting is counted in chunks holding chunks: primary, editor, object, then meshes inside
// meshes, with a vertex list innermost.
TEST(ModelReader, EachFileGetsItsOneMessage) {
    const auto in = [](std::initializer_list<Bytes> meshChunks) {
        return fileOf(object("o", meshChunks));
    };
    const Bytes deepest = chunk(VERTICES, {threeVertices});
    const std::string longName(300, 'n');
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
        {"faces beyond", in({chunk(FACES, {le<u16>({2, 0, 0, 0, 0})})}), damaged},
        {"pairs beyond", in({chunk(TEX_COORDS, {le<u16>({2}), le<float>({0, 0})})}), damaged},
        {"no vertex 3", in({deepest, chunk(FACES, {le<u16>({1, 0, 1, 3, 0})})}), damaged},
        {"long object name", fileOf(triangle(longName)), damaged},
        {"long material name", fileOf(material(longName)), damaged},
        {"float colour", fileOf(chunk(MATERIAL, {chunk(DIFFUSE, {chunk(COLOUR_FLOAT, {})})})),
         damaged},
        {"length inside its header", fileOf(triangle("t") + header(0x1234, 2)), damaged},
        {"empty", {}, "Error: Unable to load PRIMARY chuck from file: memory.3DS!\n"},
    };
    for (const auto& c : cases) {
        Model model;
        const Imported result = load(model, c.bytes);
        EXPECT_EQ(result.messages, c.message) << c.what;
        EXPECT_EQ(result.ok, c.message.rfind("Error", 0) != 0) << c.what;
    }
}

TEST(ModelReader, AForeignFileLeavesTheModelAsItWasAndACutOneKeepsWhatWasRead) {
    Model model;
    ASSERT_TRUE(load(model, fileOf(material("M") + triangle("first", {"M"}))).ok);
    EXPECT_EQ(load(model, {'M', 'Z', 0x90, 0, 3, 0, 0, 0}).messages,
              "Error: Unable to load PRIMARY chuck from file: memory.3DS!\n");
    EXPECT_TRUE(model.objects.size() == 1u && model.materials.size() == 1u);
    Bytes bytes = fileOf(triangle("whole") + triangle("cut", {"M"}));
    bytes.resize(bytes.size() - 10); // inside the second object's face-material chunk
    EXPECT_EQ(load(model, bytes).messages,
              "Error: Unexpected end of file, the model is incomplete: memory.3DS!\n");
    ASSERT_EQ(model.objectCount, 3);
    EXPECT_TRUE(model.objects[1].faceCount == 1 && model.objects[2].faceCount == 1);
    EXPECT_EQ(model.objects[2].normals.size(), model.objects[2].vertices.size());
}

// The editor's first sub-chunk, whatever it is, face flags, and chunks the game does not
// read at every level: smoothing groups, the object's axes, the keyframer.
TEST(ModelReader, ChunksTheGameDoesNotReadAreSkipped) {
    const Bytes flags = object(
        "flags", {chunk(VERTICES, {le<u16>({4}), le<float>({0, 0, 0, 3, 0, 0, 6, 0, 0, 9, 0, 0})}),
                  chunk(FACES, {le<u16>({2, 0, 1, 2, 0xFFFF, 3, 2, 1, 0x1234}),
                                chunk(SMOOTHING, {le<u32>({1, 1})}),
                                chunk(FACE_MATERIAL, {text("MAPPED"), le<u16>({0})})}),
                  chunk(OBJECT_AXES, {le<float>({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1})}),
                  chunk(TEX_COORDS, {le<u16>({4}), le<float>({1, 1, 1, 1, 1, 1, 1, 1})})});
    const Bytes bytes = chunk(
        PRIMARY, {chunk(EDITOR, {triangle("hidden"), material("MAPPED", "stones.png"), flags}),
                  chunk(EDITOR, {material("GHOST", "ghost.png"), triangle("last", {"GHOST"})}),
                  chunk(KEYFRAMER, {chunk(OBJECT, {text("keyframe")})})});
    Model model;
    EXPECT_EQ(load(model, bytes).messages, "");
    ASSERT_TRUE(model.objectCount == 2 && model.materialCount == 1);
    EXPECT_STREQ(model.materials[0].name, "MAPPED");
    const ModelObject& o = model.objects[0];
    EXPECT_STREQ(o.name, "flags");
    ASSERT_EQ(o.faceCount, 2);
    EXPECT_TRUE(o.faces[0].vertexIndex[2] == 2 && o.faces[1].vertexIndex[0] == 3);
    EXPECT_TRUE(o.texCoordCount == 4 && o.materialId == 0 && o.hasTexture);
    EXPECT_STREQ(model.objects[1].name, "last");
    EXPECT_EQ(model.objects[1].materialId, -1); // GHOST was never read
}

TEST(ModelReader, FaceMaterialFindsTheFirstOfItsNameAcrossImportsInOnePass) {
    Model model;
    // A material read only after the object that names it: nothing passed over, id stays 0.
    ASSERT_TRUE(load(model, fileOf(triangle("early", {"LATE"}) + material("LATE", "l.png"))).ok);
    // Two materials of one name: the first, without a map, wins.
    ASSERT_TRUE(load(model, fileOf(material("TWIN") + material("TWIN", "twin.png") +
                                   material("MAPPED", "m.png") + triangle("twin", {"TWIN"})))
                    .ok);
    // A later file finds a name from an earlier one: the first file's materials come first.
    ASSERT_TRUE(load(model, fileOf(material("MAPPED") + triangle("later", {"MAPPED"}))).ok);
    ASSERT_TRUE(load(model, fileOf(triangle("miss", {"NOPE"}))).ok);
    // The last face-material chunk sets the id; the texture flag is never cleared.
    ASSERT_TRUE(load(model, fileOf(triangle("both", {"MAPPED", "TWIN"}))).ok);
    const struct {
        int materialId;
        bool textured;
    } expected[] = {{0, false}, {1, false}, {3, true}, {-1, false}, {1, true}};
    ASSERT_EQ(model.objectCount, 5);
    for (std::size_t i = 0; i < 5; ++i) {
        const ModelObject& o = model.objects[i];
        EXPECT_TRUE(o.materialId == expected[i].materialId && o.hasTexture == expected[i].textured)
            << o.name;
    }
}

// Colours in any form but the first 24-bit one, names too long for their field, counts
// beyond what the chunk holds, a face naming a vertex the object lacks, and a skip larger
// than the skip buffer.
TEST(ModelReader, DamagedChunksAreCutToTheirBuffers) {
    const std::string longName(300, 'n');
    const Bytes colours =
        chunk(MATERIAL, {chunk(MATERIAL_NAME, {Bytes(longName.begin(), longName.end())}),
                         chunk(AMBIENT, {chunk(COLOUR_24, {{1, 2, 3}})}),
                         chunk(DIFFUSE, {chunk(COLOUR_24, {{200, 100, 10}}),
                                         chunk(GAMMA_COLOUR_24, {{9, 9, 9}})})});
    const Bytes floatColour =
        chunk(MATERIAL, {chunk(DIFFUSE, {chunk(COLOUR_FLOAT, {le<float>({1, 1, 1})})})});
    const Bytes cut =
        object(longName, {chunk(VERTICES, {le<u16>({100}), le<float>({0, 0, 0, 1, 0, 0, 0, 0, 1})}),
                          chunk(TEX_COORDS, {le<u16>({2}), le<float>({1, 1, 1, 1, 1, 1})}),
                          chunk(FACES, {le<u16>({3, 0, 1, 2, 0, 0, 1, 3, 0, 2, 1, 0, 0})})});
    const Bytes huge = chunk(0x7777, {Bytes(300000, 0xAB)});
    Model model;
    EXPECT_EQ(load(model, fileOf(colours + floatColour + cut + huge + triangle("after"))).messages,
              damaged);
    ASSERT_TRUE(model.materialCount == 2 && model.objectCount == 2);
    EXPECT_EQ(std::string(model.materials[0].name), std::string(254, 'n'));
    const std::uint8_t* c = model.materials[0].colour;
    EXPECT_TRUE(c[0] == 200 && c[1] == 100 && c[2] == 10);
    c = model.materials[1].colour; // left as it was
    EXPECT_TRUE(c[0] == 0 && c[1] == 0 && c[2] == 0);
    const ModelObject& o = model.objects[0];
    EXPECT_EQ(std::string(o.name), std::string(254, 'n'));
    EXPECT_TRUE(o.vertexCount == 3 && o.texCoordCount == 2);
    ASSERT_EQ(o.faceCount, 2); // the face naming vertex 3 is dropped
    EXPECT_EQ(o.faces[1].vertexIndex[0], 2);
    EXPECT_STREQ(model.objects[1].name, "after");
}
