// test_model_reader.cpp -- the 3DS reader on chunk trees written with the asset tool's own
// writer: failures and warnings, axes, the editor's first sub-chunk, skipping, face
// materials, appending across imports, and damaged files read without leaving their buffers.
#include "asset_test_support.h"
#include "assets/model_reader.h"
#include "tds_writer.h"

#include <gtest/gtest.h>

namespace {
// Chunk ids as 3D Studio writes them.
constexpr std::uint16_t PRIMARY = 0x4D4D, VERSION = 0x0002, EDITOR = 0x3D3D, MESH_VERSION = 0x3D3E,
                        OBJECT = 0x4000, MESH = 0x4100, VERTICES = 0x4110, FACES = 0x4120,
                        FACE_MATERIAL = 0x4130, TEX_COORDS = 0x4140, SMOOTHING = 0x4150,
                        OBJECT_AXES = 0x4160, MATERIAL = 0xAFFF, MATERIAL_NAME = 0xA000,
                        AMBIENT = 0xA010, DIFFUSE = 0xA020, TEXTURE_MAP = 0xA200, MAP_FILE = 0xA300,
                        COLOUR_FLOAT = 0x0010, COLOUR_24 = 0x0011, GAMMA_COLOUR_24 = 0x0012,
                        KEYFRAMER = 0xB000;

using Bytes = std::vector<std::uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A chunk holding the parts in order, payload and sub-chunks alike; the writer fills in
// its length.
Bytes chunk(std::uint16_t id, std::initializer_list<Bytes> parts = {}) {
    TdsWriter out;
    out.beginChunk(id);
    for (const Bytes& part : parts) {
        out.bytes(part.data(), part.size());
    }
    out.endChunk();
    return out.data();
}

Bytes u16s(std::initializer_list<int> values) {
    TdsWriter out;
    for (int v : values) {
        out.u16(static_cast<std::uint16_t>(v));
    }
    return out.data();
}

Bytes f32s(std::initializer_list<float> values) {
    TdsWriter out;
    for (float v : values) {
        out.f32(v);
    }
    return out.data();
}

Bytes u32(std::uint32_t value) {
    return u16s({static_cast<int>(value & 0xFFFF), static_cast<int>(value >> 16)});
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end()) + Bytes{0};
}

// A whole file as tools write it: the version, then the editor with the mesh version first.
Bytes fileOf(const Bytes& editorChunks, std::uint32_t version = 3) {
    return chunk(PRIMARY, {chunk(VERSION, {u32(version)}),
                           chunk(EDITOR, {chunk(MESH_VERSION, {u32(3)}), editorChunks})});
}

Bytes material(const std::string& name, const std::string& mapFile = "") {
    const Bytes map = chunk(TEXTURE_MAP, {chunk(MAP_FILE, {text(mapFile)})});
    return chunk(MATERIAL, {chunk(MATERIAL_NAME, {text(name)}), mapFile.empty() ? Bytes{} : map});
}

Bytes object(const std::string& name, std::initializer_list<Bytes> meshChunks) {
    return chunk(OBJECT, {text(name), chunk(MESH, meshChunks)});
}

// The triangle (0,0,0), (1,0,0), (0,0,1) in file axes with a face-material chunk per name.
Bytes triangle(const std::string& name, std::vector<std::string> materials = {}) {
    Bytes faceMaterials;
    for (const std::string& m : materials) {
        faceMaterials = faceMaterials + chunk(FACE_MATERIAL, {text(m), u16s({1, 0})});
    }
    return object(name, {chunk(VERTICES, {u16s({3}), f32s({0, 0, 0, 1, 0, 0, 0, 0, 1})}),
                         chunk(FACES, {u16s({1, 0, 1, 2, 7}), faceMaterials})});
}

struct Imported {
    bool ok;
    std::string messages;
};

// Messages name the file "memory.3DS".
Imported load(Model& model, const Bytes& bytes) {
    bool ok = false;
    const std::string messages = captureStderr([&] { ok = importBytes(model, bytes); });
    return Imported{ok, messages};
}
} // namespace

TEST(ModelReader, UnreadableFilesFailWithTheirBoxAndACutFileKeepsWhatWasRead) {
    Model model;
    ASSERT_TRUE(load(model, fileOf(material("M") + triangle("first", {"M"}))).ok);
    const std::string missing = "/nonexistent/nothing.3DS";
    bool ok = true;
    EXPECT_EQ(captureStderr([&] { ok = modelReader.import3ds(model, missing.c_str()); }),
              "Error: Unable to find the file: " + missing + "!\n");
    EXPECT_FALSE(ok);
    EXPECT_EQ(std::string(modelReader.lastError()), "Unable to find the file: " + missing + "!");
    const Imported foreign = load(model, {'M', 'Z', 0x90, 0, 3, 0, 0, 0});
    EXPECT_FALSE(foreign.ok);
    EXPECT_EQ(foreign.messages, "Error: Unable to load PRIMARY chuck from file: memory.3DS!\n");
    EXPECT_FALSE(load(model, {}).ok);
    EXPECT_TRUE(model.objectCount == 1 && model.objects.size() == 1u);
    EXPECT_TRUE(model.materialCount == 1 && model.materials.size() == 1u);

    Bytes bytes = fileOf(triangle("whole") + triangle("cut", {"M"}));
    bytes.resize(bytes.size() - 10); // inside the second object's face-material chunk
    const Imported cut = load(model, bytes);
    EXPECT_FALSE(cut.ok);
    EXPECT_EQ(cut.messages,
              "Error: Unexpected end of file, the model is incomplete: memory.3DS!\n");
    ASSERT_EQ(model.objectCount, 3);
    EXPECT_TRUE(model.objects[1].faceCount == 1 && model.objects[2].faceCount == 1);
    EXPECT_EQ(model.objects[2].normals.size(), model.objects[2].vertices.size());
}

TEST(ModelReader, VerticesTurnIntoTheGameAxesAndANewerVersionOnlyWarns) {
    const Bytes turned =
        object("turned", {chunk(VERTICES, {u16s({4}), f32s({0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 2, 3})}),
                          chunk(TEX_COORDS, {u16s({4}), f32s({0, 0, 1, 0, 0, 1, 0.25f, 0.75f})}),
                          chunk(FACES, {u16s({1, 0, 1, 2, 0})})});
    Model model;
    const Imported three = load(model, fileOf(turned));
    EXPECT_TRUE(three.ok);
    EXPECT_EQ(three.messages, "");
    const Imported four = load(model, fileOf(turned, 4));
    EXPECT_TRUE(four.ok);
    EXPECT_EQ(four.messages,
              "Warning: This 3DS file is over version 3 so it may load incorrectly\n");
    ASSERT_EQ(model.objectCount, 2);

    const ModelObject& o = model.objects[1];
    EXPECT_STREQ(o.name, "turned");
    EXPECT_TRUE(o.vertexCount == 4 && o.texCoordCount == 4 && o.faceCount == 1);
    EXPECT_TRUE(o.vertices[3].equals(1.0f, 3.0f, -2.0f));
    // In the game's axes the face is (0,0,0), (1,0,0), (0,1,0): counter-clockwise from +z.
    EXPECT_TRUE(o.vertices[2].equals(0.0f, 1.0f, 0.0f));
    for (int v = 0; v < 3; ++v) {
        EXPECT_TRUE(o.normals[static_cast<std::size_t>(v)].equals(0.0f, 0.0f, 1.0f));
    }
    EXPECT_TRUE(o.normals[3].equals(0.0f, 1.0f, 0.0f)); // no face: points up
    EXPECT_TRUE(o.texCoords[3].u == 0.25f && o.texCoords[3].v == 0.75f);
    EXPECT_TRUE(o.faces[0].vertexIndex[2] == 2 && o.faces[0].texCoordIndex[0] == 0);
}

// The editor's first sub-chunk, whatever it is, face flags, and chunks the game does not
// read at every level: smoothing groups, the object's axes, the keyframer.
TEST(ModelReader, ChunksTheGameDoesNotReadAreSkipped) {
    const Bytes flags =
        object("flags", {chunk(VERTICES, {u16s({4}), f32s({0, 0, 0, 3, 0, 0, 6, 0, 0, 9, 0, 0})}),
                         chunk(FACES, {u16s({2, 0, 1, 2, 0xFFFF, 3, 2, 1, 0x1234}),
                                       chunk(SMOOTHING, {u32(1), u32(1)}),
                                       chunk(FACE_MATERIAL, {text("MAPPED"), u16s({0})})}),
                         chunk(OBJECT_AXES, {f32s({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1})}),
                         chunk(TEX_COORDS, {u16s({4}), f32s({1, 1, 1, 1, 1, 1, 1, 1})})});
    const Bytes bytes = chunk(
        PRIMARY, {chunk(EDITOR, {triangle("hidden"), material("MAPPED", "stones.png"), flags}),
                  chunk(EDITOR, {material("GHOST", "ghost.png"), triangle("last", {"GHOST"})}),
                  chunk(KEYFRAMER, {chunk(OBJECT, {text("keyframe")})})});
    Model model;
    const Imported result = load(model, bytes);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.messages, "");
    ASSERT_EQ(model.objectCount, 2);
    ASSERT_EQ(model.materialCount, 1);
    EXPECT_STREQ(model.materials[0].name, "MAPPED");
    const ModelObject& o = model.objects[0];
    EXPECT_STREQ(o.name, "flags");
    ASSERT_EQ(o.faceCount, 2);
    EXPECT_TRUE(o.faces[0].vertexIndex[0] == 0 && o.faces[0].vertexIndex[2] == 2);
    EXPECT_TRUE(o.faces[1].vertexIndex[0] == 3 && o.faces[1].vertexIndex[2] == 1);
    EXPECT_EQ(o.texCoordCount, 4);
    EXPECT_TRUE(o.materialId == 0 && o.hasTexture);
    EXPECT_STREQ(model.objects[1].name, "last");
    EXPECT_EQ(model.objects[1].materialId, -1); // GHOST was never read
}

TEST(ModelReader, FaceMaterialFindsTheFirstOfItsNameAcrossImportsInOnePass) {
    Model model;
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
        const char* name;
        int materialId;
        bool textured;
    } expected[] = {{"twin", 0, false}, {"later", 2, true}, {"miss", -1, false}, {"both", 0, true}};
    ASSERT_EQ(model.objectCount, 4);
    for (std::size_t i = 0; i < 4; ++i) {
        const ModelObject& o = model.objects[i];
        EXPECT_STREQ(o.name, expected[i].name);
        EXPECT_EQ(o.materialId, expected[i].materialId) << o.name;
        EXPECT_EQ(o.hasTexture, expected[i].textured) << o.name;
        EXPECT_EQ(o.normals.size(), o.vertices.size()) << o.name;
    }

    // A material read only after the object that names it: nothing passed over, id stays 0.
    Model late;
    ASSERT_TRUE(load(late, fileOf(triangle("early", {"LATE"}) + material("LATE", "l.png"))).ok);
    EXPECT_EQ(late.materialCount, 1);
    EXPECT_EQ(late.objects[0].materialId, 0);
    EXPECT_FALSE(late.objects[0].hasTexture);
}

// Colours in any form but the first 24-bit one, names without a NUL or too long for their
// field, counts beyond what the chunk holds, a coordinate pair beyond its count, a face
// naming a vertex the object lacks, a length shorter than its own header, and a skip
// larger than the skip buffer.
TEST(ModelReader, DamagedChunksAreCutToTheirBuffersWithAWarning) {
    const std::string longName(300, 'n');
    const Bytes colours =
        chunk(MATERIAL, {chunk(MATERIAL_NAME, {Bytes(longName.begin(), longName.end())}),
                         chunk(AMBIENT, {chunk(COLOUR_24, {{1, 2, 3}})}),
                         chunk(DIFFUSE, {chunk(COLOUR_24, {{200, 100, 10}}),
                                         chunk(GAMMA_COLOUR_24, {{9, 9, 9}})})});
    const Bytes floatColour =
        chunk(MATERIAL, {chunk(DIFFUSE, {chunk(COLOUR_FLOAT, {f32s({1, 1, 1})})})});
    const Bytes cut =
        object(longName, {chunk(VERTICES, {u16s({100}), f32s({0, 0, 0, 1, 0, 0, 0, 0, 1})}),
                          chunk(TEX_COORDS, {u16s({2}), f32s({1, 1, 1, 1, 1, 1})}),
                          chunk(FACES, {u16s({3, 0, 1, 2, 0, 0, 1, 3, 0, 2, 1, 0, 0})})});
    const Bytes shortHeader = u16s({0x1234}) + u32(2);
    const Bytes huge = chunk(0x7777, {Bytes(300000, 0xAB)});
    Model model;
    const Imported result =
        load(model, fileOf(colours + floatColour + cut + shortHeader + huge + triangle("after")));
    EXPECT_TRUE(result.ok);
    const std::string damaged = "Warning: Damaged chunks were cut or skipped in: memory.3DS\n";
    EXPECT_EQ(result.messages, damaged);
    ASSERT_EQ(model.materialCount, 2);
    EXPECT_EQ(std::string(model.materials[0].name), std::string(254, 'n'));
    const std::uint8_t* c = model.materials[0].colour;
    EXPECT_TRUE(c[0] == 200 && c[1] == 100 && c[2] == 10);
    c = model.materials[1].colour; // left as it was
    EXPECT_TRUE(c[0] == 0 && c[1] == 0 && c[2] == 0);
    ASSERT_EQ(model.objectCount, 2);
    const ModelObject& o = model.objects[0];
    EXPECT_EQ(std::string(o.name), std::string(254, 'n'));
    EXPECT_TRUE(o.vertexCount == 3 && o.texCoordCount == 2);
    ASSERT_EQ(o.faceCount, 2); // the face naming vertex 3 is dropped
    EXPECT_EQ(o.faces[1].vertexIndex[0], 2);
    EXPECT_STREQ(model.objects[1].name, "after");
    Model alone; // the short length on its own is damage enough
    EXPECT_EQ(load(alone, fileOf(triangle("t") + shortHeader)).messages, damaged);
}
