#pragma once
// The layout of a game's shape file: a directory of 128 tables, each a list of
// frames of colour numbers that a per-table colour map turns into game
// palette indices. Reading logs what the editor's users look for in the log
// and never trusts the file: a table or frame that runs past the end is
// logged as an error and left out, and the rest is still read. The frames of
// all tables together hold no more pixels than the file has bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "system/stream.h"

constexpr int ShapeTableCount = 128;

// Table flag bits the editor uses.
enum : uint16_t {
    SHAPE_NO_COLOR_MAP = 0x0001,   // pixels are palette indices already
    SHAPE_OPAQUE_ZERO = 0x0004,    // colour 0 is drawn, not see-through
};

struct TShapeFrameData {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;   // width * height game palette indices, row by row
};

struct TShapeTableData {
    int numshapes = 0;
    uint16_t flags = 0;
    // numshapes entries; empty where the frame could not be made.
    std::vector<std::optional<TShapeFrameData>> frames;
};

struct TShapeFileData {
    std::array<int32_t, ShapeTableCount> offsets{};
    std::array<uint16_t, ShapeTableCount> lengths{};
    // Empty where the table is absent or could not be read.
    std::array<std::optional<TShapeTableData>, ShapeTableCount> tables;
};

// Reads every table of stream, which must use little-endian order. Problems
// go to the log; it never throws for bad data.
TShapeFileData ReadShapeFile(TStream& stream);
