// test_model_reader.cpp -- the 3DS reader on files built with the asset tool's own writer:
// failures and warnings, axes, the editor's first sub-chunk, skipping, face materials,
// appending across imports, and damaged files read without leaving their buffers.
#include "asset_test_support.h"
#include "assets/model_reader.h"
#include "tds_file.h"
#include "tds_writer.h"

#include <cstring>
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
constexpr std::uint16_t SMOOTHING = 0x4150;
constexpr std::uint16_t TEX_COORDS = 0x4140;
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

const char* const versionWarning =
    "Warning: This 3DS file is over version 3 so it may load incorrectly\n";

TdsMesh triangleMesh(const std::string& name, const std::string& material) {
    TdsMesh mesh;
    mesh.name = name;
    mesh.materialName = material;
    mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}};
    mesh.texCoords = {{0, 0}, {1, 0}, {0, 1}};
    mesh.faces = {{0, 1, 2}};
    return mesh;
}

TdsMaterial material(const std::string& name, const std::string& mapFile = "") {
    TdsMaterial m;
    m.name = name;
    m.mapFile = mapFile;
    return m;
}

TdsScene sceneOf(std::vector<TdsMaterial> materials, std::vector<TdsMesh> meshes) {
    TdsScene scene;
    scene.materials = std::move(materials);
    scene.meshes = std::move(meshes);
    return scene;
}

// Opens the primary and editor chunks with the mesh version first, as tools write them.
void beginFile(TdsWriter& out) {
    out.beginChunk(PRIMARY);
    out.beginChunk(VERSION);
    out.u32(3);
    out.endChunk();
    out.beginChunk(EDITOR);
    out.beginChunk(MESH_VERSION);
    out.u32(3);
    out.endChunk();
}

void endFile(TdsWriter& out) {
    out.endChunk();
    out.endChunk();
}

void writeMaterial(TdsWriter& out, const char* name, const char* mapFile) {
    out.beginChunk(MATERIAL);
    out.beginChunk(MATERIAL_NAME);
    out.string(name);
    out.endChunk();
    if (mapFile != nullptr) {
        out.beginChunk(TEXTURE_MAP);
        out.beginChunk(MAP_FILE);
        out.string(mapFile);
        out.endChunk();
        out.endChunk();
    }
    out.endChunk();
}

// One triangle object whose face list carries a face-material chunk per name given.
void writeTriangleObject(TdsWriter& out, const char* name, std::vector<const char*> materials) {
    out.beginChunk(OBJECT);
    out.string(name);
    out.beginChunk(MESH);
    out.beginChunk(VERTICES);
    out.u16(3);
    for (float v : {0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f}) {
        out.f32(v);
    }
    out.endChunk();
    out.beginChunk(FACES);
    out.u16(1);
    for (std::uint16_t v : {0, 1, 2, 7}) {
        out.u16(v);
    }
    for (const char* material : materials) {
        out.beginChunk(FACE_MATERIAL);
        out.string(material);
        out.u16(1);
        out.u16(0);
        out.endChunk();
    }
    out.endChunk();
    out.endChunk();
    out.endChunk();
}

struct Imported {
    bool ok;
    std::string messages;
};

Imported importFile(Model& model, const std::string& path) {
    bool ok = false;
    const std::string messages =
        captureStderr([&] { ok = modelReader.import3ds(model, path.c_str()); });
    return Imported{ok, messages};
}

Imported importScene(Model& model, const TempDir& dir, const TdsScene& scene,
                     const std::string& name = "scene.3DS") {
    return importFile(model, dir.write(name, buildTdsFile(scene)));
}

void expectVector(const Vector3& v, float x, float y, float z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}
} // namespace

TEST(ModelReader, MissingOrForeignFileFailsWithItsBoxAndLeavesTheModelAlone) {
    TempDir dir;
    Model model;
    ASSERT_TRUE(importScene(model, dir, sceneOf({material("M")}, {triangleMesh("first", "M")})).ok);

    const std::string missing = dir.path() + "/nothing.3DS";
    const Imported absent = importFile(model, missing);
    EXPECT_FALSE(absent.ok);
    EXPECT_EQ(absent.messages, "Error: Unable to find the file: " + missing + "!\n");
    EXPECT_EQ(std::string(modelReader.lastError()), "Unable to find the file: " + missing + "!");

    const std::string foreign = dir.write("foreign.3DS", {'M', 'Z', 0x90, 0, 3, 0, 0, 0});
    const Imported wrong = importFile(model, foreign);
    EXPECT_FALSE(wrong.ok);
    EXPECT_EQ(wrong.messages, "Error: Unable to load PRIMARY chuck from file: " + foreign + "!\n");

    const std::string empty = dir.write("empty.3DS", {});
    EXPECT_FALSE(importFile(model, empty).ok);

    EXPECT_EQ(model.objectCount, 1);
    EXPECT_EQ(model.objects.size(), 1u);
    EXPECT_EQ(model.materialCount, 1);
    EXPECT_EQ(model.materials.size(), 1u);
}

TEST(ModelReader, VersionAboveThreeWarnsButTheFileIsStillRead) {
    TempDir dir;
    Model model;
    TdsScene scene = sceneOf({}, {triangleMesh("three", "")});
    const Imported three = importScene(model, dir, scene);
    EXPECT_TRUE(three.ok);
    EXPECT_EQ(three.messages, "");

    scene.version = 4;
    scene.meshes[0].name = "four";
    const Imported four = importScene(model, dir, scene);
    EXPECT_TRUE(four.ok);
    EXPECT_EQ(four.messages, versionWarning);
    ASSERT_EQ(model.objectCount, 2);
    EXPECT_STREQ(model.objects[1].name, "four");
    EXPECT_EQ(model.objects[1].faceCount, 1);
}

TEST(ModelReader, VerticesTurnIntoTheGameAxesAndGetNormals) {
    TempDir dir;
    Model model;
    TdsMesh mesh = triangleMesh("turned", "");
    mesh.vertices.push_back({1, 2, 3}); // used by no face
    mesh.texCoords.push_back({0.25f, 0.75f});
    ASSERT_TRUE(importScene(model, dir, sceneOf({}, {mesh})).ok);

    const ModelObject& object = model.objects[0];
    EXPECT_STREQ(object.name, "turned");
    EXPECT_EQ(object.vertexCount, 4);
    EXPECT_EQ(object.texCoordCount, 4);
    EXPECT_EQ(object.faceCount, 1);
    expectVector(object.vertices[3], 1.0f, 3.0f, -2.0f);
    // In the game's axes the face is (0,0,0), (1,0,0), (0,1,0): counter-clockwise from +z.
    expectVector(object.vertices[2], 0.0f, 1.0f, 0.0f);
    for (int v = 0; v < 3; ++v) {
        expectVector(object.normals[static_cast<std::size_t>(v)], 0.0f, 0.0f, 1.0f);
    }
    expectVector(object.normals[3], 0.0f, 1.0f, 0.0f); // no face: points up
    EXPECT_EQ(object.texCoords[3].u, 0.25f);
    EXPECT_EQ(object.texCoords[3].v, 0.75f);
    EXPECT_EQ(object.faces[0].vertexIndex[2], 2);
    EXPECT_EQ(object.faces[0].texCoordIndex[0], 0);
}

TEST(ModelReader, EditorsFirstSubChunkIsConsumedUnexamined) {
    TempDir dir;
    Model model;
    TdsWriter out;
    out.beginChunk(PRIMARY);
    out.beginChunk(EDITOR);
    writeTriangleObject(out, "hidden", {}); // first: skipped, though it is an object
    writeMaterial(out, "SEEN", nullptr);
    writeTriangleObject(out, "shown", {"SEEN"});
    out.endChunk();
    out.beginChunk(EDITOR);
    writeMaterial(out, "GHOST", "ghost.png"); // first again
    writeTriangleObject(out, "last", {"GHOST"});
    out.endChunk();
    out.endChunk();
    ASSERT_TRUE(importFile(model, dir.write("editor.3DS", out.data())).ok);

    ASSERT_EQ(model.objectCount, 2);
    EXPECT_STREQ(model.objects[0].name, "shown");
    EXPECT_STREQ(model.objects[1].name, "last");
    ASSERT_EQ(model.materialCount, 1);
    EXPECT_STREQ(model.materials[0].name, "SEEN");
    EXPECT_EQ(model.objects[1].materialId, -1); // GHOST was never read
}

TEST(ModelReader, FaceFlagsAndUnknownChunksAtEveryLevelAreSkipped) {
    TempDir dir;
    Model model;
    TdsWriter out;
    beginFile(out);
    writeMaterial(out, "MAPPED", "stones.png");
    out.beginChunk(OBJECT);
    out.string("flags");
    out.beginChunk(MESH);
    out.beginChunk(VERTICES);
    out.u16(4);
    for (int i = 0; i < 12; ++i) {
        out.f32(static_cast<float>(i % 3 == 0 ? i : 0));
    }
    out.endChunk();
    out.beginChunk(FACES);
    out.u16(2);
    for (std::uint16_t v : {0, 1, 2, 0xFFFF, 3, 2, 1, 0x1234}) {
        out.u16(v);
    }
    out.beginChunk(SMOOTHING); // a face list sub-chunk the game does not read
    out.u32(1);
    out.u32(1);
    out.endChunk();
    out.beginChunk(FACE_MATERIAL);
    out.string("MAPPED");
    out.u16(0);
    out.endChunk();
    out.endChunk();
    out.beginChunk(0x4160); // the object's axes
    for (int i = 0; i < 12; ++i) {
        out.f32(1.0f);
    }
    out.endChunk();
    out.beginChunk(TEX_COORDS);
    out.u16(4);
    for (int i = 0; i < 8; ++i) {
        out.f32(0.5f);
    }
    out.endChunk();
    out.endChunk();
    out.endChunk();
    out.endChunk();
    out.beginChunk(KEYFRAMER);
    out.beginChunk(OBJECT); // inside the keyframer, so never read as an object
    out.string("keyframe");
    out.endChunk();
    out.endChunk();
    out.endChunk();
    const Imported result = importFile(model, dir.write("flags.3DS", out.data()));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.messages, "");

    ASSERT_EQ(model.objectCount, 1);
    const ModelObject& object = model.objects[0];
    ASSERT_EQ(object.faceCount, 2);
    EXPECT_EQ(object.faces[0].vertexIndex[0], 0);
    EXPECT_EQ(object.faces[0].vertexIndex[2], 2);
    EXPECT_EQ(object.faces[1].vertexIndex[0], 3);
    EXPECT_EQ(object.faces[1].vertexIndex[2], 1);
    EXPECT_EQ(object.texCoordCount, 4);
    EXPECT_EQ(object.materialId, 0);
    EXPECT_TRUE(object.hasTexture);
}

TEST(ModelReader, FaceMaterialFindsTheFirstMaterialOfItsNameInTheWholeModel) {
    TempDir dir;
    Model model;
    // Two materials of one name: the first, without a map, wins.
    ASSERT_TRUE(importScene(model, dir,
                            sceneOf({material("TWIN"), material("TWIN", "twin.png"),
                                     material("MAPPED", "m.png")},
                                    {triangleMesh("twin", "TWIN")}))
                    .ok);
    EXPECT_EQ(model.objects[0].materialId, 0);
    EXPECT_FALSE(model.objects[0].hasTexture);

    // A later file finds a name from an earlier one: the first file's materials come first.
    ASSERT_TRUE(
        importScene(model, dir, sceneOf({material("MAPPED")}, {triangleMesh("later", "MAPPED")}))
            .ok);
    EXPECT_EQ(model.objects[1].materialId, 2);
    EXPECT_TRUE(model.objects[1].hasTexture);

    // No such name among materials: -1.
    ASSERT_TRUE(importScene(model, dir, sceneOf({}, {triangleMesh("miss", "NOPE")})).ok);
    EXPECT_EQ(model.objects[2].materialId, -1);
    EXPECT_FALSE(model.objects[2].hasTexture);

    // The last face-material chunk sets the id; the texture flag is never cleared.
    TdsWriter both;
    beginFile(both);
    writeTriangleObject(both, "both", {"MAPPED", "TWIN"});
    endFile(both);
    ASSERT_TRUE(importFile(model, dir.write("both.3DS", both.data())).ok);
    EXPECT_EQ(model.objects[3].materialId, 0);
    EXPECT_TRUE(model.objects[3].hasTexture);
}

TEST(ModelReader, FaceMaterialBeforeAnyMaterialKeepsIdZeroInOnePass) {
    TempDir dir;
    Model model;
    TdsWriter out;
    beginFile(out);
    writeTriangleObject(out, "early", {"LATE"});
    writeMaterial(out, "LATE", "late.png"); // read only after the object
    endFile(out);
    ASSERT_TRUE(importFile(model, dir.write("late.3DS", out.data())).ok);
    EXPECT_EQ(model.materialCount, 1);
    EXPECT_EQ(model.objects[0].materialId, 0);
    EXPECT_FALSE(model.objects[0].hasTexture);
}

TEST(ModelReader, TwoFilesAppendInImportOrderAndEarlierNormalsStay) {
    TempDir dir;
    Model model;
    TdsMesh first = triangleMesh("first", "");
    first.vertices = {{0, 0, 0}, {3, 1, 0}, {0, 2, 5}};
    ASSERT_TRUE(importScene(model, dir, sceneOf({}, {first}), "a.3DS").ok);
    const std::vector<Vector3> before = model.objects[0].normals;
    ASSERT_TRUE(importScene(model, dir, sceneOf({}, {triangleMesh("second", "")}), "b.3DS").ok);

    EXPECT_EQ(model.objectCount, 2);
    EXPECT_STREQ(model.objects[0].name, "first");
    EXPECT_STREQ(model.objects[1].name, "second");
    ASSERT_EQ(model.objects[0].normals.size(), before.size());
    EXPECT_EQ(std::memcmp(model.objects[0].normals.data(), before.data(),
                          before.size() * sizeof(Vector3)),
              0);
}

TEST(ModelReader, ColourComesFromTheFirstSubChunkInTheTwentyFourBitForm) {
    TempDir dir;
    Model model;
    TdsWriter out;
    beginFile(out);
    out.beginChunk(MATERIAL);
    out.beginChunk(AMBIENT);
    out.beginChunk(COLOUR_24);
    out.bytes("\x01\x02\x03", 3);
    out.endChunk();
    out.endChunk();
    out.beginChunk(DIFFUSE);
    out.beginChunk(COLOUR_24);
    out.bytes("\xC8\x64\x0A", 3);
    out.endChunk();
    out.beginChunk(GAMMA_COLOUR_24); // a second form: skipped
    out.bytes("\x11\x22\x33", 3);
    out.endChunk();
    out.endChunk();
    out.endChunk();
    out.beginChunk(MATERIAL);
    out.beginChunk(DIFFUSE);
    out.beginChunk(COLOUR_FLOAT); // twelve bytes do not fit three: left as it was
    for (float c : {1.0f, 0.5f, 0.25f}) {
        out.f32(c);
    }
    out.endChunk();
    out.endChunk();
    out.endChunk();
    endFile(out);
    const Imported result = importFile(model, dir.write("colour.3DS", out.data()));
    EXPECT_TRUE(result.ok);

    ASSERT_EQ(model.materialCount, 2);
    EXPECT_EQ(model.materials[0].colour[0], 200);
    EXPECT_EQ(model.materials[0].colour[1], 100);
    EXPECT_EQ(model.materials[0].colour[2], 10);
    EXPECT_EQ(model.materials[1].colour[0], 0);
    EXPECT_EQ(model.materials[1].colour[2], 0);
    EXPECT_NE(result.messages.find("Warning: Damaged chunks were cut or skipped in: "),
              std::string::npos);
}

TEST(ModelReader, OverlongStringsAndOversizedCountsAreCutToTheirBuffers) {
    TempDir dir;
    Model model;
    const std::string longName(300, 'n');
    TdsWriter out;
    beginFile(out);
    out.beginChunk(MATERIAL);
    out.beginChunk(MATERIAL_NAME);
    out.bytes(longName.data(), longName.size()); // no NUL at all
    out.endChunk();
    out.endChunk();
    out.beginChunk(OBJECT);
    out.string(longName);
    out.beginChunk(MESH);
    out.beginChunk(VERTICES);
    out.u16(100); // but only three follow
    for (float v : {0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f}) {
        out.f32(v);
    }
    out.endChunk();
    out.beginChunk(TEX_COORDS);
    out.u16(2); // and a spare pair beyond the count
    for (int i = 0; i < 6; ++i) {
        out.f32(1.0f);
    }
    out.endChunk();
    out.beginChunk(FACES);
    out.u16(3);
    for (std::uint16_t v : {0, 1, 2, 0, 0, 1, 3, 0, 2, 1, 0, 0}) { // the middle face names vertex 3
        out.u16(v);
    }
    out.endChunk();
    out.endChunk();
    out.endChunk();
    out.rawHeader(0x1234, 2); // a length shorter than its own header
    out.beginChunk(0x7777);   // larger than the skip buffer: skipped in pieces
    const std::vector<std::uint8_t> filler(300000, 0xAB);
    out.bytes(filler.data(), filler.size());
    out.endChunk();
    writeTriangleObject(out, "after", {});
    endFile(out);
    const std::string path = dir.write("damaged.3DS", out.data());
    const Imported result = importFile(model, path);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.messages, "Warning: Damaged chunks were cut or skipped in: " + path + "\n");

    EXPECT_EQ(std::string(model.materials[0].name), std::string(254, 'n'));
    ASSERT_EQ(model.objectCount, 2);
    const ModelObject& object = model.objects[0];
    EXPECT_EQ(std::string(object.name), std::string(254, 'n'));
    EXPECT_EQ(object.vertexCount, 3);
    EXPECT_EQ(object.texCoordCount, 2);
    ASSERT_EQ(object.faceCount, 2); // the face naming vertex 3 is dropped
    EXPECT_EQ(object.faces[1].vertexIndex[0], 2);
    EXPECT_STREQ(model.objects[1].name, "after");
}

TEST(ModelReader, FileEndingInsideAChunkStopsWithAnErrorAndKeepsWhatWasRead) {
    TempDir dir;
    Model model;
    TdsScene scene =
        sceneOf({material("M")}, {triangleMesh("whole", "M"), triangleMesh("cut", "M")});
    std::vector<std::uint8_t> bytes = buildTdsFile(scene);
    bytes.resize(bytes.size() - 40); // inside the second object's mesh
    const std::string path = dir.write("cut.3DS", bytes);
    const Imported result = importFile(model, path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.messages,
              "Error: Unexpected end of file, the model is incomplete: " + path + "!\n");
    ASSERT_EQ(model.objectCount, 2);
    EXPECT_EQ(model.objects[0].faceCount, 1);
    EXPECT_EQ(model.objects[1].normals.size(), model.objects[1].vertices.size());
}
