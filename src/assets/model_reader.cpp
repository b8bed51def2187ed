// model_reader.cpp -- the 3DS chunk walk. Every read is bounded by the chunk it belongs to,
// the destination buffer and the end of the file, so a damaged file can cut the model short
// but never overrun a buffer or loop forever.
#include "assets/model_reader.h"

#include "assets/normals.h"
#include "assets/tds_chunks.h"
#include "platform/message_box.h"

#include <algorithm>
#include <cstring>
#include <vector>

ModelReader modelReader;

namespace {
constexpr std::uint32_t chunkHeaderBytes = 6;
constexpr std::uint32_t vertexBytes = 12;  // x, y, z floats
constexpr std::uint32_t faceBytes = 8;     // three corners and the flags, u16 each
constexpr std::uint32_t texCoordBytes = 8; // u, v floats
constexpr std::uint32_t colourBytes = 3;   // the 24-bit colour form
constexpr std::uint32_t newestVersion = 3;
// Well-formed files nest about five deep; deeper chunks are skipped to bound the stack.
constexpr int maxNestingDepth = 32;

// Receives every skipped byte; only the version number is ever looked at. The reader's
// scratch, kept at file scope because 200 KB is too much for the stack.
constexpr std::uint32_t skipBufferBytes = 200000;
std::uint8_t skipBuffer[skipBufferBytes];

std::uint32_t remainderOf(const Chunk& chunk) {
    return chunk.bytesRead < chunk.chunkLength ? chunk.chunkLength - chunk.bytesRead : 0;
}

std::uint16_t u16le(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t u32le(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

float f32le(const std::uint8_t* p) {
    const std::uint32_t bits = u32le(p);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Keeps a depth count balanced across the early returns of a chunk loop.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth_) : depth(depth_) { ++depth; }
    ~DepthGuard() { --depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int& depth;
};
} // namespace

bool ModelReader::import3ds(Model& model, const char* path) {
    std::FILE* stream = std::fopen(path, "rb");
    if (stream == nullptr) {
        return fail("Unable to find the file: %s!", path);
    }
    const bool result = importStream(model, stream, path);
    std::fclose(stream);
    return result;
}

bool ModelReader::importStream(Model& model, std::FILE* stream, const char* path) {
    file = stream;
    fileEnded = false;
    damaged = false;
    depth = 0;
    errorText[0] = '\0';
    Chunk primary;
    readChunkHeader(primary);
    if (primary.bytesRead < chunkHeaderBytes - 4 || primary.chunkId != CHUNK_PRIMARY) {
        file = nullptr;
        return fail("Unable to load PRIMARY chuck from file: %s!", path);
    }
    const std::int32_t firstNewObject = model.objectCount;
    readChunks(model, primary);
    dropBadFaces(model, firstNewObject);
    computeNormals(model, firstNewObject);
    file = nullptr;
    if (fileEnded) {
        return fail("Unexpected end of file, the model is incomplete: %s!", path);
    }
    if (damaged) {
        char text[modelNameSize] = {};
        std::snprintf(text, sizeof text, "Damaged chunks were cut or skipped in: %s", path);
        showMessageBox("Warning", text);
    }
    return true;
}

bool ModelReader::fail(const char* format, const char* path) {
    std::snprintf(errorText, sizeof errorText, format, path);
    showMessageBox("Error", errorText);
    return false;
}

std::uint32_t ModelReader::readBytes(void* destination, std::uint32_t count, Chunk& chunk) {
    if (count == 0 || fileEnded) {
        return 0;
    }
    const std::size_t got = std::fread(destination, 1, count, file);
    if (got < count) {
        fileEnded = true;
    }
    chunk.bytesRead += static_cast<std::uint32_t>(got);
    return static_cast<std::uint32_t>(got);
}

void ModelReader::skipBytes(std::uint32_t count, Chunk& chunk) {
    while (count > 0 && !fileEnded) {
        const std::uint32_t piece = std::min(count, skipBufferBytes);
        count -= readBytes(skipBuffer, piece, chunk);
    }
}

void ModelReader::skipRemainder(Chunk& chunk) {
    skipBytes(remainderOf(chunk), chunk);
}

void ModelReader::readChunkHeader(Chunk& chunk) {
    std::uint8_t header[chunkHeaderBytes] = {};
    chunk.bytesRead = 0;
    const std::uint32_t got = readBytes(header, chunkHeaderBytes, chunk);
    chunk.chunkId = u16le(header);
    chunk.chunkLength = u32le(header + 2);
    if (got == chunkHeaderBytes && chunk.chunkLength < chunkHeaderBytes) {
        damaged = true; // a length that does not even cover its header
    }
}

std::uint32_t ModelReader::readString(char* destination, Chunk& chunk) {
    std::uint32_t consumed = 0;
    std::uint32_t stored = 0;
    const std::uint32_t available = remainderOf(chunk);
    bool terminated = false;
    while (consumed < available && !terminated) {
        char c = '\0';
        if (readBytes(&c, 1, chunk) == 0) {
            break;
        }
        ++consumed;
        terminated = c == '\0';
        if (!terminated && stored < modelNameSize - 1) {
            destination[stored++] = c;
        }
    }
    destination[stored] = '\0';
    if (!terminated || consumed > modelNameSize) {
        damaged = true; // no NUL inside the chunk, or a name cut to fit its field
    }
    return consumed;
}

bool ModelReader::enterNested() {
    if (depth < maxNestingDepth) {
        return true;
    }
    damaged = true;
    return false;
}

// Every chunk loop: read the next header, hand the chunk over, add what it consumed to the
// parent; until the parent's length is used up or the file ends.
template <typename Dispatch> void ModelReader::forEachChunk(Chunk& parent, Dispatch dispatch) {
    DepthGuard guard(depth);
    while (parent.bytesRead < parent.chunkLength && !fileEnded) {
        Chunk chunk;
        readChunkHeader(chunk);
        if (!fileEnded) {
            dispatch(chunk);
        }
        parent.bytesRead += chunk.bytesRead;
    }
}

void ModelReader::readChunks(Model& model, Chunk& parent) {
    forEachChunk(parent, [&](Chunk& chunk) {
        switch (chunk.chunkId) {
        case CHUNK_VERSION:
            readVersion(chunk);
            break;
        case CHUNK_EDITOR:
            readEditor(model, chunk);
            break;
        case CHUNK_OBJECT:
            readObject(model, chunk);
            break;
        case CHUNK_MATERIAL:
            readMaterial(model, chunk);
            break;
        default: // the keyframer and everything unknown
            skipRemainder(chunk);
            break;
        }
    });
}

void ModelReader::readVersion(Chunk& chunk) {
    const std::uint32_t payload = remainderOf(chunk);
    skipRemainder(chunk);
    if (payload == 4 && chunk.bytesRead == chunkHeaderBytes + 4 &&
        u32le(skipBuffer) > newestVersion) {
        showMessageBox("Warning", "This 3DS file is over version 3 so it may load incorrectly");
    }
}

// The editor's first sub-chunk (the mesh version in files we know) is consumed unexamined.
void ModelReader::readEditor(Model& model, Chunk& chunk) {
    if (remainderOf(chunk) == 0) {
        return;
    }
    if (!enterNested()) {
        skipRemainder(chunk);
        return;
    }
    Chunk first;
    readChunkHeader(first);
    skipRemainder(first);
    chunk.bytesRead += first.bytesRead;
    readChunks(model, chunk);
}

void ModelReader::readObject(Model& model, Chunk& chunk) {
    model.objectCount += 1;
    model.objects.emplace_back();
    ModelObject& object = model.objects.back();
    readString(object.name, chunk);
    if (!enterNested()) {
        skipRemainder(chunk);
        return;
    }
    // Nothing below appends objects, so the reference stays valid.
    readObjectChunks(model, object, chunk);
}

void ModelReader::readMaterial(Model& model, Chunk& chunk) {
    model.materialCount += 1;
    model.materials.push_back(ModelMaterial{});
    if (!enterNested()) {
        skipRemainder(chunk);
        return;
    }
    readMaterialChunks(model, chunk);
}

void ModelReader::readObjectChunks(Model& model, ModelObject& object, Chunk& parent) {
    forEachChunk(parent, [&](Chunk& chunk) {
        switch (chunk.chunkId) {
        case CHUNK_MESH:
            if (enterNested()) {
                readObjectChunks(model, object, chunk);
            } else {
                skipRemainder(chunk);
            }
            break;
        case CHUNK_VERTICES:
            readVertices(object, chunk);
            break;
        case CHUNK_FACES:
            readFaces(object, chunk);
            break;
        case CHUNK_FACE_MATERIAL:
            readFaceMaterial(model, object, chunk);
            break;
        case CHUNK_TEX_COORDS:
            readTexCoords(object, chunk);
            break;
        default:
            skipRemainder(chunk);
            break;
        }
    });
}

void ModelReader::readMaterialChunks(Model& model, Chunk& parent) {
    ModelMaterial& material = model.materials.back();
    forEachChunk(parent, [&](Chunk& chunk) {
        switch (chunk.chunkId) {
        case CHUNK_MATERIAL_NAME:
            readNameField(material.name, chunk);
            break;
        case CHUNK_DIFFUSE:
            readColourChunk(material, chunk);
            break;
        case CHUNK_TEXTURE_MAP:
            if (enterNested()) {
                readMaterialChunks(model, chunk);
            } else {
                skipRemainder(chunk);
            }
            break;
        case CHUNK_MAP_FILE:
            readNameField(material.mapFile, chunk);
            break;
        default:
            skipRemainder(chunk);
            break;
        }
    });
}

// The whole remainder is the string; what does not fit the field is skipped.
void ModelReader::readNameField(char* field, Chunk& chunk) {
    const std::uint32_t payload = remainderOf(chunk);
    std::memset(field, 0, modelNameSize);
    readBytes(field, std::min(payload, static_cast<std::uint32_t>(modelNameSize)), chunk);
    if (payload > modelNameSize || field[modelNameSize - 1] != '\0') {
        field[modelNameSize - 1] = '\0';
        damaged = true;
    }
    skipRemainder(chunk);
}

// Only the 24-bit form fits the colour; a payload of any other size leaves it as it was.
void ModelReader::readColourChunk(ModelMaterial& material, Chunk& parent) {
    if (remainderOf(parent) == 0) {
        return;
    }
    Chunk colour;
    readChunkHeader(colour);
    if (remainderOf(colour) == colourBytes) {
        readBytes(material.colour, colourBytes, colour);
    } else {
        damaged = true;
        skipRemainder(colour);
    }
    parent.bytesRead += colour.bytesRead;
}

std::uint16_t ModelReader::readCount(Chunk& chunk) {
    std::uint8_t bytes[2] = {};
    if (readBytes(bytes, 2, chunk) < 2) {
        return 0;
    }
    return u16le(bytes);
}

void ModelReader::readVertices(ModelObject& object, Chunk& chunk) {
    std::uint32_t count = readCount(chunk);
    const std::uint32_t payload = remainderOf(chunk);
    if (count > payload / vertexBytes) {
        count = payload / vertexBytes; // the count claims more than the chunk holds
        damaged = true;
    }
    std::vector<std::uint8_t> bytes(count * vertexBytes, 0);
    count = readBytes(bytes.data(), count * vertexBytes, chunk) / vertexBytes; // whole records only
    object.vertexCount = static_cast<std::int32_t>(count);
    object.vertices.assign(count, Vector3(0.0f, 0.0f, 0.0f));
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* p = bytes.data() + i * vertexBytes;
        // The file's z is our up; its y runs into the screen.
        object.vertices[i] = Vector3(f32le(p), f32le(p + 8), -f32le(p + 4));
    }
    damaged = damaged || remainderOf(chunk) > 0;
    skipRemainder(chunk);
}

// Leaves the rest of the face list unread: its sub-chunks come up in the caller's loop.
void ModelReader::readFaces(ModelObject& object, Chunk& chunk) {
    std::uint32_t count = readCount(chunk);
    const std::uint32_t payload = remainderOf(chunk);
    if (count > payload / faceBytes) {
        count = payload / faceBytes;
        damaged = true;
    }
    std::vector<std::uint8_t> bytes(count * faceBytes, 0);
    count = readBytes(bytes.data(), count * faceBytes, chunk) / faceBytes; // whole records only
    object.faceCount = static_cast<std::int32_t>(count);
    object.faces.assign(count, ModelFace{{0, 0, 0}, {0, 0, 0}});
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* p = bytes.data() + i * faceBytes;
        for (int corner = 0; corner < 3; ++corner) {
            object.faces[i].vertexIndex[corner] = u16le(p + 2 * corner);
        }
        // p + 6 holds the face flags, which nothing uses.
    }
}

void ModelReader::readTexCoords(ModelObject& object, Chunk& chunk) {
    std::uint32_t count = readCount(chunk);
    const std::uint32_t payload = remainderOf(chunk);
    if (count > payload / texCoordBytes) {
        count = payload / texCoordBytes;
        damaged = true;
    }
    std::vector<std::uint8_t> bytes(count * texCoordBytes, 0);
    count =
        readBytes(bytes.data(), count * texCoordBytes, chunk) / texCoordBytes; // whole records only
    object.texCoordCount = static_cast<std::int32_t>(count);
    object.texCoords.assign(count, TexCoord{0.0f, 0.0f});
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* p = bytes.data() + i * texCoordBytes;
        object.texCoords[i] = TexCoord{f32le(p), f32le(p + 4)};
    }
    damaged = damaged || remainderOf(chunk) > 0;
    skipRemainder(chunk);
}

// The first material of that name in the whole model wins, earlier imports included; each
// one passed over sets -1 on the way.
void ModelReader::readFaceMaterial(Model& model, ModelObject& object, Chunk& chunk) {
    char name[modelNameSize] = {};
    readString(name, chunk);
    for (std::size_t i = 0; i < model.materials.size(); ++i) {
        const ModelMaterial& material = model.materials[i];
        if (std::strcmp(material.name, name) == 0) {
            object.materialId = static_cast<std::int32_t>(i);
            object.hasTexture = object.hasTexture || material.mapFile[0] != '\0';
            break;
        }
        object.materialId = -1;
    }
    skipRemainder(chunk); // the face numbers
}

// A face naming a vertex the object does not have can be neither lit nor drawn.
void ModelReader::dropBadFaces(Model& model, std::int32_t firstNewObject) {
    for (std::size_t i = static_cast<std::size_t>(firstNewObject); i < model.objects.size(); ++i) {
        ModelObject& object = model.objects[i];
        const auto outside = [&object](const ModelFace& face) {
            for (int corner = 0; corner < 3; ++corner) {
                if (face.vertexIndex[corner] >= object.vertexCount) {
                    return true;
                }
            }
            return false;
        };
        const auto kept = std::remove_if(object.faces.begin(), object.faces.end(), outside);
        if (kept != object.faces.end()) {
            damaged = true;
            object.faces.erase(kept, object.faces.end());
            object.faceCount = static_cast<std::int32_t>(object.faces.size());
        }
    }
}
