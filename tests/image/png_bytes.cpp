#include "png_bytes.h"

#include <zlib.h>

#include "image/crc32.h"

namespace {

void Put32(TBytes& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

uint32_t Get32(const TBytes& in, size_t at) {
    return uint32_t(in[at]) << 24 | uint32_t(in[at + 1]) << 16 | uint32_t(in[at + 2]) << 8 | in[at + 3];
}

}  // namespace

TBytes PngSignature() { return {137, 80, 78, 71, 13, 10, 26, 10}; }

void AddChunk(TBytes& file, const std::string& type, const TBytes& data) {
    Put32(file, uint32_t(data.size()));
    TBytes body(type.begin(), type.end());
    body.insert(body.end(), data.begin(), data.end());
    file.insert(file.end(), body.begin(), body.end());
    Put32(file, Crc32(body.data(), body.size()));
}

TBytes IhdrData(int32_t width, int32_t height, int depth, int colourType, int interlace) {
    TBytes data;
    Put32(data, uint32_t(width));
    Put32(data, uint32_t(height));
    for (int b : {depth, colourType, 0, 0, interlace}) data.push_back(uint8_t(b));
    return data;
}

TBytes Deflate(const TBytes& raw) {
    uLongf size = compressBound(uLong(raw.size()));
    TBytes packed(size);
    compress(packed.data(), &size, raw.data(), uLong(raw.size()));
    packed.resize(size);
    return packed;
}

TBytes PngFile(const TBytes& ihdr, const std::vector<TChunk>& chunks) {
    TBytes file = PngSignature();
    AddChunk(file, "IHDR", ihdr);
    for (const TChunk& chunk : chunks) AddChunk(file, chunk.type, chunk.data);
    AddChunk(file, "IEND", {});
    return file;
}

std::vector<TChunk> ListChunks(const TBytes& file) {
    std::vector<TChunk> chunks;
    for (size_t at = 8; at + 12 <= file.size();) {
        size_t length = Get32(file, at);
        if (at + 12 + length > file.size()) break;
        chunks.push_back({std::string(file.begin() + long(at + 4), file.begin() + long(at + 8)),
                          TBytes(file.begin() + long(at + 8), file.begin() + long(at + 8 + length))});
        at += 12 + length;
    }
    return chunks;
}
