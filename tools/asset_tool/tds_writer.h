// tds_writer.h -- writes 3DS chunk streams: nested chunks whose lengths are filled in when
// they close, little-endian values and NUL-terminated strings. The asset tool builds the
// game's models with it; the tests build well-formed and deliberately broken files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TdsWriter {
  public:
    // Opens a chunk; its length is written by the matching endChunk.
    void beginChunk(std::uint16_t id);
    void endChunk();
    // A header with a length of our choosing, for files that lie about their sizes.
    void rawHeader(std::uint16_t id, std::uint32_t length);

    void u8(std::uint8_t value);
    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    void f32(float value);
    // The characters and a NUL.
    void string(const std::string& text);
    void bytes(const void* data, std::size_t count);

    const std::vector<std::uint8_t>& data() const { return out; }
    bool saveTo(const std::string& path) const;

  private:
    std::vector<std::uint8_t> out;
    std::vector<std::size_t> openChunks; // offsets of the headers still to be patched
};
