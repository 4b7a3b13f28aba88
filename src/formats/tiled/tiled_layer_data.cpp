// The cells of a tile layer as Tiled stores them: a comma separated list, or
// little-endian 32-bit ids in base64, either plain or packed with zlib or
// gzip. zstd is one of Tiled's choices too, but no zstd reader is linked.

#include <zlib.h>

#include <charconv>

#include "formats/tiled/tiled_map.h"

namespace {

int Base64Value(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

std::vector<uint8_t> DecodeBase64(const std::string& text, const std::string& where) {
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);
    uint32_t bits = 0;
    int held = 0;
    bool padded = false;
    for (unsigned char c : text) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
        if (c == '=') {
            padded = true;
            continue;
        }
        const int value = Base64Value(c);
        if (value < 0 || padded) throw TTiledError(where + ": the base64 data is damaged");
        bits = bits << 6 | uint32_t(value);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes.push_back(uint8_t(bits >> held));
        }
    }
    return bytes;
}

// Unpacks zlib (windowBits 15) or gzip (15 + 16) data that must give exactly
// size bytes: more is refused before it is stored.
std::vector<uint8_t> Inflate(const std::vector<uint8_t>& packed, size_t size, int windowBits,
                             const std::string& where) {
    std::vector<uint8_t> bytes(size + 1);
    z_stream stream{};
    if (inflateInit2(&stream, windowBits) != Z_OK) throw TTiledError(where + ": cannot unpack the data");
    stream.next_in = const_cast<Bytef*>(packed.data());
    stream.avail_in = uInt(packed.size());
    stream.next_out = bytes.data();
    stream.avail_out = uInt(bytes.size());
    const int result = inflate(&stream, Z_FINISH);
    const size_t produced = bytes.size() - stream.avail_out;
    inflateEnd(&stream);
    if (result != Z_STREAM_END) throw TTiledError(where + ": the packed data is damaged or too long");
    bytes.resize(produced);
    return bytes;
}

std::vector<uint32_t> DecodeCsv(const std::string& text, size_t count, const std::string& where) {
    std::vector<uint32_t> cells;
    cells.reserve(count);
    const char* p = text.data();
    const char* end = p + text.size();
    auto skipSpace = [&] {
        while (p < end && (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t')) ++p;
    };
    skipSpace();
    while (p < end) {
        uint32_t gid = 0;
        auto [next, error] = std::from_chars(p, end, gid);
        if (error != std::errc()) throw TTiledError(where + ": the cell list holds something that is not a tile id");
        if (cells.size() == count) throw TTiledError(where + ": more than " + std::to_string(count) + " cells");
        cells.push_back(gid);
        p = next;
        skipSpace();
        if (p < end && *p == ',') ++p;
        skipSpace();
    }
    return cells;
}

}  // namespace

std::vector<uint32_t> DecodeLayerData(const std::string& encoding, const std::string& compression,
                                      const std::string& text, size_t count, const std::string& where) {
    std::vector<uint32_t> cells;
    if (encoding == "csv") {
        if (!compression.empty()) throw TTiledError(where + ": csv data cannot be compressed");
        cells = DecodeCsv(text, count, where);
    } else if (encoding == "base64") {
        std::vector<uint8_t> bytes = DecodeBase64(text, where);
        if (compression == "zlib" || compression == "gzip")
            bytes = Inflate(bytes, count * 4, compression == "zlib" ? 15 : 15 + 16, where);
        else if (compression == "zstd")
            throw TTiledError(where + ": zstd compression cannot be read; save the map with zlib, gzip or no "
                                      "compression (Map Properties, Tile Layer Format)");
        else if (!compression.empty())
            throw TTiledError(where + ": unknown compression \"" + compression + "\"");
        if (bytes.size() % 4 != 0) throw TTiledError(where + ": the data does not hold whole tile ids");
        cells.resize(bytes.size() / 4);
        for (size_t i = 0; i < cells.size(); ++i)
            cells[i] = uint32_t(bytes[4 * i]) | uint32_t(bytes[4 * i + 1]) << 8 | uint32_t(bytes[4 * i + 2]) << 16 |
                       uint32_t(bytes[4 * i + 3]) << 24;
    } else {
        throw TTiledError(where + ": unknown encoding \"" + encoding + "\"");
    }
    if (cells.size() != count)
        throw TTiledError(where + ": " + std::to_string(cells.size()) + " cells where " + std::to_string(count) +
                          " are needed");
    return cells;
}
