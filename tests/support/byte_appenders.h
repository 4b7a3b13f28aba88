#pragma once
// Little-endian appenders for the tests that build the games' files byte by byte.

#include <cstdint>
#include <vector>

inline void AppendU8(std::vector<uint8_t>& bytes, uint8_t value) { bytes.push_back(value); }

inline void AppendU16(std::vector<uint8_t>& bytes, uint16_t value) {
    bytes.push_back(uint8_t(value));
    bytes.push_back(uint8_t(value >> 8));
}

inline void AppendI32(std::vector<uint8_t>& bytes, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(uint8_t(v >> shift));
}
