#pragma once
// Encoding of the games' shape file: 128 table offsets and lengths, then each
// present table with its header, optional colour map and frames.

#include <cstdint>
#include <map>
#include <vector>

#include "sample_game/sample_canvas.h"

struct TSampleShapeTable {
    uint8_t depth = 8;     // bits per colour number
    uint16_t flags = 0;    // bit 0: no colour map; bit 2: colour 0 stays opaque
    // Palette index of each colour number; written when the table has a map
    // (flag bit 0 clear and depth below 8), 2^depth entries.
    std::vector<uint8_t> colourMap;
    std::vector<TCanvas> frames;   // pixels are colour numbers
};

using TSampleShapeTables = std::map<int, TSampleShapeTable>;   // by table number 0-127

// Throws std::length_error when a table does not fit the format (more than
// 255 frames, a frame over 255 pixels wide or high, a table over 65535 bytes).
std::vector<uint8_t> EncodeShapeFile(const TSampleShapeTables& tables);
