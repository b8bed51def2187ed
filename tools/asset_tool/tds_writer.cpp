// tds_writer.cpp -- byte-level 3DS writing; the same input always gives the same bytes.
#include "tds_writer.h"

#include <cstdio>
#include <cstring>

void TdsWriter::beginChunk(std::uint16_t id) {
    openChunks.push_back(out.size());
    u16(id);
    u32(0); // patched by endChunk
}

void TdsWriter::endChunk() {
    if (openChunks.empty()) {
        return;
    }
    const std::size_t start = openChunks.back();
    openChunks.pop_back();
    const std::uint32_t length = static_cast<std::uint32_t>(out.size() - start);
    for (int i = 0; i < 4; ++i) {
        out[start + 2 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    }
}

void TdsWriter::rawHeader(std::uint16_t id, std::uint32_t length) {
    u16(id);
    u32(length);
}

void TdsWriter::u8(std::uint8_t value) {
    out.push_back(value);
}

void TdsWriter::u16(std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void TdsWriter::u32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void TdsWriter::f32(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    u32(bits);
}

void TdsWriter::string(const std::string& text) {
    bytes(text.c_str(), text.size() + 1);
}

void TdsWriter::bytes(const void* data, std::size_t count) {
    const std::uint8_t* p = static_cast<const std::uint8_t*>(data);
    out.insert(out.end(), p, p + count);
}

bool TdsWriter::saveTo(const std::string& path) const {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}
