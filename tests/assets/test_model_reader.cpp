// test_model_reader.cpp -- the 3DS reader on chunk trees written with the asset tool's own
// writer: failures and warnings, axes, the editor's first sub-chunk, skipping, face
// materials, appending across imports, and damaged files read without leaving their buffers.
#include "asset_test_support.h"
#include "assets/model_reader.h"
#include "tds_writer.h"

#include <gtest/gtest.h>

namespace {
// Chunk ids as 3D Studio writes them.
constexpr std::uint16_t PRIMARY = 0x4D4D;
constexpr std::uint16_t VERSION = 0x0002;
constexpr std::uint16_t EDITOR = 0x3D3D;
constexpr std::uint16_t MESH_VERSION = 0x3D3E;
constexpr std::uint16_t OBJECT = 0x4000;
constexpr std::uint16_t MESH = 0x4100;
constexpr std::uint16_t VERTICES = 0x4110;
constexpr std::uint16_t FACES = 0x4120;
constexpr std::uint16_t FACE_MATERIAL = 0x4130;
constexpr std::uint16_t TEX_COORDS = 0x4140;
constexpr std::uint16_t SMOOTHING = 0x4150;
constexpr std::uint16_t OBJECT_AXES = 0x4160;
constexpr std::uint16_t MATERIAL = 0xAFFF;
constexpr std::uint16_t MATERIAL_NAME = 0xA000;
constexpr std::uint16_t AMBIENT = 0xA010;
constexpr std::uint16_t DIFFUSE = 0xA020;
constexpr std::uint16_t TEXTURE_MAP = 0xA200;
constexpr std::uint16_t MAP_FILE = 0xA300;
constexpr std::uint16_t COLOUR_FLOAT = 0x0010;
constexpr std::uint16_t COLOUR_24 = 0x0011;
constexpr std::uint16_t GAMMA_COLOUR_24 = 0x0012;
constexpr std::uint16_t KEYFRAMER = 0xB000;

using Bytes = std::vector<std::uint8_t>;

// A chunk of a test file: its payload, then its sub-chunks. The writer fills in every
// length, unless the chunk is to lie about it.
struct Node {
    std::uint16_t id;
    Bytes payload;
    std::vector<Node> kids = {};
    std::uint32_t lyingLength = 0;
};

void writeNode(TdsWriter& out, const Node& node) {
    if (node.lyingLength != 0) {
        out.rawHeader(node.id, node.lyingLength);
    } else {
        out.beginChunk(node.id);
    }
    out.bytes(node.payload.data(), node.payload.size());
    for (const Node& kid : node.kids) {
        writeNode(out, kid);
    }
    if (node.lyingLength == 0) {
        out.endChunk();
    }
}

Bytes bytesOf(const Node& root) {
    TdsWriter out;
    writeNode(out, root);
    return out.data();
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
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
    TdsWriter out;
    out.u32(value);
    return out.data();
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end()) + Bytes{0};
}

// A whole file as tools write it: the version, then the editor with the mesh version first.
Bytes fileOf(std::vector<Node> editorKids, std::uint32_t version = 3,
             std::vector<Node> after = {}) {
    editorKids.insert(editorKids.begin(), Node{MESH_VERSION, u32(3)});
    std::vector<Node> top = {Node{VERSION, u32(version)}, Node{EDITOR, {}, editorKids}};
    top.insert(top.end(), after.begin(), after.end());
    return bytesOf(Node{PRIMARY, {}, top});
}

Node material(const std::string& name, const std::string& mapFile = "") {
    Node m{MATERIAL, {}, {Node{MATERIAL_NAME, text(name)}}};
    if (!mapFile.empty()) {
        m.kids.push_back(Node{TEXTURE_MAP, {}, {Node{MAP_FILE, text(mapFile)}}});
    }
    return m;
}

Node object(const std::string& name, std::vector<Node> meshKids) {
    return Node{OBJECT, text(name), {Node{MESH, {}, std::move(meshKids)}}};
}

// The triangle (0,0,0), (1,0,0), (0,0,1) in file axes with a face-material chunk per name.
Node triangle(const std::string& name, std::vector<std::string> materials = {}) {
    Node faces{FACES, u16s({1, 0, 1, 2, 7})};
    for (const std::string& m : materials) {
        faces.kids.push_back(Node{FACE_MATERIAL, text(m) + u16s({1, 0})});
    }
    return object(name, {Node{VERTICES, u16s({3}) + f32s({0, 0, 0, 1, 0, 0, 0, 0, 1})}, faces});
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

const char* const damagedWarning = "Warning: Damaged chunks were cut or skipped in: memory.3DS\n";
} // namespace

TEST(ModelReader, MissingForeignOrEmptyFileFailsWithItsBoxAndLeavesTheModelAlone) {
    Model model;
    ASSERT_TRUE(load(model, fileOf({material("M"), triangle("first", {"M"})})).ok);
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
}

TEST(ModelReader, VerticesTurnIntoTheGameAxesAndANewerVersionOnlyWarns) {
    const Node turned =
        object("turned", {Node{VERTICES, u16s({4}) + f32s({0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 2, 3})},
                          Node{TEX_COORDS, u16s({4}) + f32s({0, 0, 1, 0, 0, 1, 0.25f, 0.75f})},
                          Node{FACES, u16s({1, 0, 1, 2, 0})}});
    Model model;
    const Imported three = load(model, fileOf({turned}));
    EXPECT_TRUE(three.ok);
    EXPECT_EQ(three.messages, "");
    const Imported four = load(model, fileOf({turned}, 4));
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

TEST(ModelReader, EditorsFirstSubChunkIsConsumedUnexamined) {
    Model model;
    const Bytes bytes = bytesOf(
        Node{PRIMARY,
             {},
             {Node{EDITOR, {}, {triangle("hidden"), material("SEEN"), triangle("shown", {"SEEN"})}},
              Node{EDITOR, {}, {material("GHOST", "ghost.png"), triangle("last", {"GHOST"})}}}});
    ASSERT_TRUE(load(model, bytes).ok);
    ASSERT_EQ(model.objectCount, 2);
    EXPECT_STREQ(model.objects[0].name, "shown");
    EXPECT_STREQ(model.objects[1].name, "last");
    ASSERT_EQ(model.materialCount, 1);
    EXPECT_STREQ(model.materials[0].name, "SEEN");
    EXPECT_EQ(model.objects[1].materialId, -1); // GHOST was never read
}

TEST(ModelReader, FaceFlagsAndUnknownChunksAtEveryLevelAreSkipped) {
    Node faces{FACES, u16s({2, 0, 1, 2, 0xFFFF, 3, 2, 1, 0x1234})};
    faces.kids = {Node{SMOOTHING, u32(1) + u32(1)},
                  Node{FACE_MATERIAL, text("MAPPED") + u16s({0})}};
    const Node flags = object(
        "flags", {Node{VERTICES, u16s({4}) + f32s({0, 0, 0, 3, 0, 0, 6, 0, 0, 9, 0, 0})}, faces,
                  Node{OBJECT_AXES, f32s({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1})},
                  Node{TEX_COORDS, u16s({4}) + f32s({.5f, .5f, .5f, .5f, .5f, .5f, .5f, .5f})}});
    // Inside the keyframer, so never read as an object.
    const Node keyframer{KEYFRAMER, {}, {Node{OBJECT, text("keyframe")}}};
    Model model;
    const Imported result =
        load(model, fileOf({material("MAPPED", "stones.png"), flags}, 3, {keyframer}));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.messages, "");
    ASSERT_EQ(model.objectCount, 1);
    const ModelObject& o = model.objects[0];
    ASSERT_EQ(o.faceCount, 2);
    EXPECT_TRUE(o.faces[0].vertexIndex[0] == 0 && o.faces[0].vertexIndex[2] == 2);
    EXPECT_TRUE(o.faces[1].vertexIndex[0] == 3 && o.faces[1].vertexIndex[2] == 1);
    EXPECT_EQ(o.texCoordCount, 4);
    EXPECT_EQ(o.materialId, 0);
    EXPECT_TRUE(o.hasTexture);
}

TEST(ModelReader, FaceMaterialFindsTheFirstOfItsNameAcrossImportsInOnePass) {
    Model model;
    // Two materials of one name: the first, without a map, wins.
    ASSERT_TRUE(load(model, fileOf({material("TWIN"), material("TWIN", "twin.png"),
                                    material("MAPPED", "m.png"), triangle("twin", {"TWIN"})}))
                    .ok);
    // A later file finds a name from an earlier one: the first file's materials come first.
    ASSERT_TRUE(load(model, fileOf({material("MAPPED"), triangle("later", {"MAPPED"})})).ok);
    ASSERT_TRUE(load(model, fileOf({triangle("miss", {"NOPE"})})).ok);
    // The last face-material chunk sets the id; the texture flag is never cleared.
    ASSERT_TRUE(load(model, fileOf({triangle("both", {"MAPPED", "TWIN"})})).ok);
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
    ASSERT_TRUE(load(late, fileOf({triangle("early", {"LATE"}), material("LATE", "l.png")})).ok);
    EXPECT_EQ(late.materialCount, 1);
    EXPECT_EQ(late.objects[0].materialId, 0);
    EXPECT_FALSE(late.objects[0].hasTexture);
}

TEST(ModelReader, ColourComesFromTheFirstSubChunkInTheTwentyFourBitForm) {
    const Node first{MATERIAL,
                     {},
                     {Node{AMBIENT, {}, {Node{COLOUR_24, {1, 2, 3}}}},
                      Node{DIFFUSE,
                           {},
                           {Node{COLOUR_24, {200, 100, 10}},
                            Node{GAMMA_COLOUR_24, {0x11, 0x22, 0x33}}}}}}; // a second form
    // Twelve bytes do not fit three: the colour is left as it was.
    const Node second{
        MATERIAL, {}, {Node{DIFFUSE, {}, {Node{COLOUR_FLOAT, f32s({1, .5f, .25f})}}}}};
    Model model;
    const Imported result = load(model, fileOf({first, second}));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.messages, damagedWarning);
    ASSERT_EQ(model.materialCount, 2);
    const std::uint8_t* c = model.materials[0].colour;
    EXPECT_TRUE(c[0] == 200 && c[1] == 100 && c[2] == 10);
    EXPECT_TRUE(model.materials[1].colour[0] == 0 && model.materials[1].colour[2] == 0);
}

TEST(ModelReader, OverlongStringsAndOversizedCountsAreCutToTheirBuffers) {
    const std::string longName(300, 'n');
    const Node named{MATERIAL, {}, {Node{MATERIAL_NAME, Bytes(longName.begin(), longName.end())}}};
    // Three vertices where the count says 100, a spare coordinate pair beyond its count, and
    // a middle face naming vertex 3.
    const Node cut =
        object(longName, {Node{VERTICES, u16s({100}) + f32s({0, 0, 0, 1, 0, 0, 0, 0, 1})},
                          Node{TEX_COORDS, u16s({2}) + f32s({1, 1, 1, 1, 1, 1})},
                          Node{FACES, u16s({3, 0, 1, 2, 0, 0, 1, 3, 0, 2, 1, 0, 0})}});
    const Node shortHeader{0x1234, {}, {}, 2};    // a length shorter than its own header
    const Node huge{0x7777, Bytes(300000, 0xAB)}; // larger than the skip buffer
    Model model;
    const Imported result = load(model, fileOf({named, cut, shortHeader, huge, triangle("after")}));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.messages, damagedWarning);
    EXPECT_EQ(std::string(model.materials[0].name), std::string(254, 'n'));
    ASSERT_EQ(model.objectCount, 2);
    const ModelObject& o = model.objects[0];
    EXPECT_EQ(std::string(o.name), std::string(254, 'n'));
    EXPECT_TRUE(o.vertexCount == 3 && o.texCoordCount == 2);
    ASSERT_EQ(o.faceCount, 2); // the face naming vertex 3 is dropped
    EXPECT_EQ(o.faces[1].vertexIndex[0], 2);
    EXPECT_STREQ(model.objects[1].name, "after");
}

TEST(ModelReader, FileEndingInsideAChunkStopsWithAnErrorAndKeepsWhatWasRead) {
    Bytes bytes = fileOf({material("M"), triangle("whole", {"M"}), triangle("cut", {"M"})});
    bytes.resize(bytes.size() - 10); // inside the second object's face-material chunk
    Model model;
    const Imported result = load(model, bytes);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.messages,
              "Error: Unexpected end of file, the model is incomplete: memory.3DS!\n");
    ASSERT_EQ(model.objectCount, 2);
    EXPECT_TRUE(model.objects[0].faceCount == 1 && model.objects[1].faceCount == 1);
    EXPECT_EQ(model.objects[1].normals.size(), model.objects[1].vertices.size());
}
