#pragma once
// CRC-32 as PNG and zip use it (reflected polynomial 0xEDB88320).

#include <cstddef>
#include <cstdint>

// Continues a running CRC: start with crc 0 and feed the bytes in any number
// of pieces; the pre- and post-conditioning is done inside.
uint32_t UpdateCrc32(uint32_t crc, const void* data, size_t count);

inline uint32_t Crc32(const void* data, size_t count) { return UpdateCrc32(0, data, count); }
