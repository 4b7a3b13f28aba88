#include "support/shape_file_builder.h"

#include <cstddef>

#include "support/byte_appenders.h"

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint16_t value) {
    out[at] = uint8_t(value);
    out[at + 1] = uint8_t(value >> 8);
}

}  // namespace

std::vector<uint8_t> BuildShapeFile(const std::vector<TTestTable>& tables) {
    std::vector<uint8_t> out(128 * 4 + 128 * 2, 0);
    for (const TTestTable& table : tables) {
        size_t start = out.size();
        out.push_back(uint8_t(table.frames.size()));
        for (int word = 0; word < 4; ++word) AppendU16(out, uint16_t(0xA5A5 + word));
        out.push_back(uint8_t(table.depth));
        AppendU16(out, table.flags);
        if (!(table.flags & 1) && table.depth != 8) {
            for (int j = 0; j < (1 << table.depth); ++j) {
                uint8_t index = j < int(table.colorMap.size()) ? table.colorMap[j] : 0;
                // The other bytes of an entry mean nothing to the editor.
                out.insert(out.end(), {0x11, 0x22, index, 0x33});
            }
        }
        for (const TTestFrame& frame : table.frames) {
            out.insert(out.end(), {uint8_t(frame.width), uint8_t(frame.height), 0x77});
            std::vector<uint8_t> pixels = frame.pixels;
            pixels.resize(size_t(frame.width) * size_t(frame.height), 0);
            out.insert(out.end(), pixels.begin(), pixels.end());
        }
        size_t length = out.size() - start;
        for (int b = 0; b < 4; ++b) out[table.index * 4 + b] = uint8_t(start >> (8 * b));
        Put16(out, 512 + table.index * 2, uint16_t(length > 0xFFFF ? 0xFFFF : length));
    }
    return out;
}
