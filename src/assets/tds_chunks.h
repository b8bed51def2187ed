// tds_chunks.h -- the chunk ids of the 3DS files the game reads and the asset tool writes,
// as 3D Studio itself numbers them.
#pragma once

#include <cstdint>

constexpr std::uint16_t CHUNK_PRIMARY = 0x4D4D;
constexpr std::uint16_t CHUNK_VERSION = 0x0002;
constexpr std::uint16_t CHUNK_COLOUR_24 = 0x0011;
constexpr std::uint16_t CHUNK_PERCENT = 0x0030;
constexpr std::uint16_t CHUNK_MASTER_SCALE = 0x0100;
constexpr std::uint16_t CHUNK_EDITOR = 0x3D3D;
constexpr std::uint16_t CHUNK_MESH_VERSION = 0x3D3E;
constexpr std::uint16_t CHUNK_OBJECT = 0x4000;
constexpr std::uint16_t CHUNK_MESH = 0x4100;
constexpr std::uint16_t CHUNK_VERTICES = 0x4110;
constexpr std::uint16_t CHUNK_FACES = 0x4120;
constexpr std::uint16_t CHUNK_FACE_MATERIAL = 0x4130;
constexpr std::uint16_t CHUNK_TEX_COORDS = 0x4140;
constexpr std::uint16_t CHUNK_LOCAL_AXES = 0x4160;
constexpr std::uint16_t CHUNK_MATERIAL = 0xAFFF;
constexpr std::uint16_t CHUNK_MATERIAL_NAME = 0xA000;
constexpr std::uint16_t CHUNK_AMBIENT = 0xA010;
constexpr std::uint16_t CHUNK_DIFFUSE = 0xA020;
constexpr std::uint16_t CHUNK_TEXTURE_MAP = 0xA200;
constexpr std::uint16_t CHUNK_MAP_FILE = 0xA300;
constexpr std::uint16_t CHUNK_KEYFRAMER = 0xB000;
