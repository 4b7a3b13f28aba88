#pragma once
// Shape files built in code, laid out as the games write them.

#include <cstdint>
#include <vector>

struct TTestFrame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;   // colour numbers as stored; empty means all zero
};

struct TTestTable {
    int index = 0;     // table number 0-127
    int depth = 8;     // bits per pixel
    uint16_t flags = 0;
    // Palette index of each colour number; written (as byte 2 of each
    // four-byte entry) when the file carries a colour map for this table.
    std::vector<uint8_t> colorMap;
    std::vector<TTestFrame> frames;
};

// The whole file: directory, then the tables one after another.
std::vector<uint8_t> BuildShapeFile(const std::vector<TTestTable>& tables);
