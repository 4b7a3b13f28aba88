#include "image/crc32.h"

#include <zlib.h>

// zlib's CRC is the same function (same polynomial and conditioning, same
// running value), computed several bytes at a time rather than by a table
// lookup per byte; every chunk of a saved PNG passes through it.
uint32_t UpdateCrc32(uint32_t crc, const void* data, size_t count) {
    // zlib answers a null buffer with the starting value, not the running one.
    if (count == 0) return crc;
    return uint32_t(crc32_z(crc, static_cast<const Bytef*>(data), z_size_t(count)));
}
