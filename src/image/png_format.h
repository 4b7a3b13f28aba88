#pragma once
// What the PNG reader and writer agree on: the signature and chunk names.

#include <array>
#include <cstdint>

constexpr std::array<uint8_t, 8> kPngSignature = {137, 80, 78, 71, 13, 10, 26, 10};

// A chunk type as the big-endian 32-bit number its four letters make.
constexpr uint32_t PngChunkType(const char (&name)[5]) {
    return uint32_t(uint8_t(name[0])) << 24 | uint32_t(uint8_t(name[1])) << 16 |
           uint32_t(uint8_t(name[2])) << 8 | uint32_t(uint8_t(name[3]));
}

constexpr uint32_t kChunkIHDR = PngChunkType("IHDR");
constexpr uint32_t kChunkPLTE = PngChunkType("PLTE");
constexpr uint32_t kChunkTRNS = PngChunkType("tRNS");
constexpr uint32_t kChunkIDAT = PngChunkType("IDAT");
constexpr uint32_t kChunkIEND = PngChunkType("IEND");

enum : uint8_t { PNG_GREYSCALE = 0, PNG_PALETTE = 3 };
enum : uint8_t { PNG_NOT_INTERLACED = 0, PNG_ADAM7 = 1 };
