#pragma once
// Building PNG files byte by byte, for images no ordinary encoder would write.

#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

TBytes PngSignature();
// Appends one chunk: length, type, data and a correct CRC.
void AddChunk(TBytes& file, const std::string& type, const TBytes& data);
TBytes IhdrData(int32_t width, int32_t height, int depth, int colourType, int interlace = 0);
TBytes Deflate(const TBytes& raw);

// A complete file: signature, IHDR, then the given chunks and IEND.
struct TChunk {
    std::string type;
    TBytes data;
};
TBytes PngFile(const TBytes& ihdr, const std::vector<TChunk>& chunks);

// The chunk types of a file in order, with their data.
std::vector<TChunk> ListChunks(const TBytes& file);
