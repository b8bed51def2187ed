// model_reader.h -- reads 3DS files into the game's model, chunk by chunk: geometry,
// material names, colours and map file names are kept, everything else is skipped by its
// length. Damaged files are read as far as they make sense and reported in a message box.
#pragma once

#include "assets/model.h"

#include <cstdint>
#include <cstdio>

// The header of the chunk being read; lives on the stack of the loop reading it.
struct Chunk {
    std::uint16_t chunkId = 0;
    std::uint32_t chunkLength = 0; // the whole chunk, its 6-byte header included
    std::uint32_t bytesRead = 0;   // consumed so far, header included
};

class ModelReader {
  public:
    // Appends the file's materials and objects to the model and recomputes the model's
    // normals. False after an error box: the file is missing, is no 3DS file (the model is
    // then unchanged) or ends inside a chunk (what was read stays in the model).
    bool import3ds(Model& model, const char* path);
    // The same from an open stream; path only names the file in messages.
    bool importStream(Model& model, std::FILE* stream, const char* path);
    // The text of the last error box, empty when the last import succeeded.
    const char* lastError() const { return errorText; }

  private:
    void readChunkHeader(Chunk& chunk);
    std::uint32_t readString(char* destination, Chunk& chunk);
    template <typename Dispatch> void forEachChunk(Chunk& parent, Dispatch dispatch);
    void readChunks(Model& model, Chunk& parent);
    void readObjectChunks(Model& model, ModelObject& object, Chunk& parent);
    void readMaterialChunks(Model& model, Chunk& parent);
    void readColourChunk(ModelMaterial& material, Chunk& parent);
    void readVertices(ModelObject& object, Chunk& chunk);
    void readFaces(ModelObject& object, Chunk& chunk);
    void readTexCoords(ModelObject& object, Chunk& chunk);
    void readFaceMaterial(Model& model, ModelObject& object, Chunk& chunk);

    void readVersion(Chunk& chunk);
    void readEditor(Model& model, Chunk& chunk);
    void readObject(Model& model, Chunk& chunk);
    void readMaterial(Model& model, Chunk& chunk);
    void readNameField(char* field, Chunk& chunk);
    std::uint16_t readCount(Chunk& chunk);
    std::uint32_t readBytes(void* destination, std::uint32_t count, Chunk& chunk);
    void skipBytes(std::uint32_t count, Chunk& chunk);
    void skipRemainder(Chunk& chunk);
    bool enterNested();
    void dropBadFaces(Model& model, std::int32_t firstNewObject);
    bool fail(const char* format, const char* path);

    std::FILE* file = nullptr;
    bool fileEnded = false; // a read came up short: every loop stops
    bool damaged = false;   // something was cut, skipped or dropped to stay in bounds
    int depth = 0;          // chunk loops now running inside each other
    char errorText[modelNameSize] = {};
};

extern ModelReader modelReader;
