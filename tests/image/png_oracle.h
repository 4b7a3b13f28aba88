#pragma once
// libpng as an independent reference for the PNG tests: it decodes files to
// one sample per pixel and writes images with a chosen filter, interlace and
// "IDAT" size. Only the tests use it; the program has its own codec.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/bitmap.h"

struct TOracleImage {
    int width = 0;
    int height = 0;
    int colourType = 0;
    int depth = 8;
    int interlace = 0;
    std::vector<uint8_t> samples;   // one per pixel, row-major, values as stored
    TColorTable palette;            // PLTE entries with the alpha of tRNS (palette images only)
};

// False when libpng rejects the file. Only images with one sample per pixel
// of at most 8 bits fill samples; for the others only the header is set.
bool OracleDecode(const std::vector<uint8_t>& file, TOracleImage& image);

// filters is a PNG_FILTER_* mask; idatSize the most bytes libpng puts in one "IDAT".
std::vector<uint8_t> OracleEncode(const TOracleImage& image, int filters, size_t idatSize);
