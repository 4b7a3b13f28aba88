#include "gamedata/shape_file.h"

#include <string>

#include "base/log.h"

namespace {

std::string TableName(int table) { return "shape " + std::to_string(table); }

std::string FrameName(int table, int frame) {
    return TableName(table) + " frame " + std::to_string(frame);
}

// Colour number -> palette index. Colour numbers the map does not cover stay 0.
using TColorMap = std::array<uint8_t, 256>;

TColorMap ReadColorMap(TStream& stream, int depth, uint16_t flags) {
    TColorMap map{};
    if ((flags & SHAPE_NO_COLOR_MAP) || depth == 8) {
        for (int c = 0; c < 256; ++c) map[c] = uint8_t(c);
        return map;
    }
    // Each entry is four bytes; only the third names the palette index.
    for (int j = 0; j < (1 << depth); ++j) {
        uint8_t entry[4];
        stream.ReadBytes(entry, sizeof entry);
        map[j] = entry[2];
    }
    return map;
}

// Reads the frames of one table; stops at the first frame that runs past the
// end of the file, since every later one would too. pixelBudget is what the
// frames of the whole file may still hold: tables may share bytes, and
// without a limit a small file naming one large table 128 times would be
// held 128 times over.
void ReadFrames(TStream& stream, int table, int depth, const TColorMap& map, TShapeTableData& data,
                int64_t& pixelBudget) {
    for (int j = 0; j < data.numshapes; ++j) {
        try {
            int width = stream.ReadByte();
            int height = stream.ReadByte();
            stream.ReadByte();
            if (depth == 8 && width == 64 && height == 12)
                LogLine(" " + FrameName(table, j) + " seems to store a VGA palette");
            if (width == 0 || height == 0) {
                LogBlock("ERROR: cannot create TBitmap object (out of memory?)");
                continue;
            }
            if (int64_t(width) * height > pixelBudget) {
                LogBlock("ERROR: " + FrameName(table, j) + " would load more pixels than the file holds");
                return;
            }
            pixelBudget -= int64_t(width) * height;
            TShapeFrameData frame;
            frame.width = width;
            frame.height = height;
            frame.pixels.resize(size_t(width) * size_t(height));
            stream.ReadBytes(frame.pixels.data(), frame.pixels.size());
            for (uint8_t& pixel : frame.pixels) pixel = map[pixel];
            data.frames[j] = std::move(frame);
        } catch (const TStreamEnd&) {
            LogBlock("ERROR: " + FrameName(table, j) + " runs past the end of the file");
            return;
        }
    }
}

std::optional<TShapeTableData> ReadTable(TStream& stream, int table, int32_t offset, int64_t& pixelBudget) {
    if (offset < 0 || offset >= stream.Size() || !stream.Seek(offset)) {
        LogBlock("ERROR: " + TableName(table) + " starts outside the file");
        return std::nullopt;
    }
    TShapeTableData data;
    int depth = 0;
    TColorMap map;
    try {
        data.numshapes = stream.ReadByte();
        for (int word = 0; word < 4; ++word) stream.ReadShort();
        depth = stream.ReadByte();
        data.flags = stream.ReadShort();
        // Deeper colours would need a map of more than 256 entries.
        if (depth > 8) {
            LogBlock("ERROR: " + TableName(table) + " has an unsupported colour depth of " +
                     std::to_string(depth) + " bits");
            return std::nullopt;
        }
        map = ReadColorMap(stream, depth, data.flags);
    } catch (const TStreamEnd&) {
        LogBlock("ERROR: " + TableName(table) + " runs past the end of the file");
        return std::nullopt;
    }
    data.frames.resize(size_t(data.numshapes));
    ReadFrames(stream, table, depth, map, data, pixelBudget);
    return data;
}

}  // namespace

TShapeFileData ReadShapeFile(TStream& stream) {
    TShapeFileData file;
    try {
        for (int32_t& offset : file.offsets) offset = stream.ReadInt();
        for (uint16_t& length : file.lengths) length = stream.ReadShort();
    } catch (const TStreamEnd&) {
        LogBlock("ERROR: the shape file ends inside its table directory");
        file.offsets.fill(0);
        file.lengths.fill(0);
        return file;
    }
    // The lengths only tell present tables from absent ones: how much a table
    // holds follows from its own header.
    int64_t pixelBudget = stream.Size();
    for (int i = 0; i < ShapeTableCount; ++i) {
        if (file.lengths[i] != 0) file.tables[i] = ReadTable(stream, i, file.offsets[i], pixelBudget);
    }
    return file;
}
