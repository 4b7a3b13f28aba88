#include "sample_game/sample_shape_file.h"

#include <stdexcept>
#include <string>

#include "system/stream.h"

namespace {

std::vector<uint8_t> EncodeTable(int number, const TSampleShapeTable& table) {
    const std::string where = "shape table " + std::to_string(number);
    if (table.frames.size() > 255) throw std::length_error(where + " has too many frames");
    auto memory = std::make_shared<TMemoryStream>();
    TStreamPtr out = LittleEndian(memory);
    out->WriteByte(static_cast<int>(table.frames.size()));
    // Four words the games use for their own bookkeeping; the editor skips them.
    for (int i = 0; i < 4; ++i) out->WriteShort(0);
    out->WriteByte(table.depth);
    out->WriteShort(table.flags);
    if ((table.flags & 1) == 0 && table.depth != 8) {
        const size_t entries = size_t(1) << table.depth;
        if (table.colourMap.size() != entries) throw std::length_error(where + " has a wrong colour map");
        for (uint8_t index : table.colourMap) {
            // Only the third byte of an entry names the palette index.
            const uint8_t entry[4] = {0, 0, index, 0};
            out->WriteRaw(entry, 4);
        }
    }
    for (const TCanvas& frame : table.frames) {
        if (frame.Width() > 255 || frame.Height() > 255) throw std::length_error(where + " has a frame too large");
        out->WriteByte(frame.Width());
        out->WriteByte(frame.Height());
        out->WriteByte(0);
        out->WriteRaw(frame.Pixels().data(), frame.Pixels().size());
    }
    if (memory->Bytes().size() > 0xFFFF) throw std::length_error(where + " is longer than 65535 bytes");
    return memory->Bytes();
}

}  // namespace

std::vector<uint8_t> EncodeShapeFile(const TSampleShapeTables& tables) {
    std::vector<int32_t> offsets(128, 0);
    std::vector<uint16_t> lengths(128, 0);
    std::vector<uint8_t> body;
    int32_t position = 128 * 4 + 128 * 2;
    for (const auto& [number, table] : tables) {
        if (number < 0 || number > 127) throw std::length_error("shape table number out of range");
        const std::vector<uint8_t> bytes = EncodeTable(number, table);
        offsets[size_t(number)] = position;
        lengths[size_t(number)] = static_cast<uint16_t>(bytes.size());
        body.insert(body.end(), bytes.begin(), bytes.end());
        position += static_cast<int32_t>(bytes.size());
    }
    auto memory = std::make_shared<TMemoryStream>();
    TStreamPtr out = LittleEndian(memory);
    for (int32_t offset : offsets) out->WriteInt(offset);
    for (uint16_t length : lengths) out->WriteShort(length);
    out->WriteRaw(body.data(), body.size());
    return memory->Bytes();
}
