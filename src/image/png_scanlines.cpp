#include "image/png_scanlines.h"

#include <cstdlib>

namespace {

struct TPass {
    int row0, col0, rowStep, colStep;
};

constexpr TPass kWholeImage[] = {{0, 0, 1, 1}};
constexpr TPass kAdam7Passes[] = {{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                                  {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}};

// Number of positions start, start + step, ... below limit.
int64_t Steps(int64_t limit, int start, int step) { return limit > start ? (limit - start + step - 1) / step : 0; }

int64_t LineBytes(int64_t columns, int depth) { return (columns * depth + 7) / 8; }

template <typename Visit>
void ForEachPass(int interlace, Visit visit) {
    if (interlace == PNG_NOT_INTERLACED)
        for (const TPass& pass : kWholeImage) visit(pass);
    else if (interlace == PNG_ADAM7)
        for (const TPass& pass : kAdam7Passes) visit(pass);
}

uint8_t Paeth(int a, int up, int c) {
    int pa = std::abs(up - c), pb = std::abs(a - c), pc = std::abs(a + up - 2 * c);
    if (pa <= pb && pa <= pc) return uint8_t(a);
    return uint8_t(pb <= pc ? up : c);
}

}  // namespace

uint64_t PngFilteredSize(int64_t width, int64_t height, int depth, int interlace) {
    uint64_t total = 0;
    ForEachPass(interlace, [&](const TPass& pass) {
        int64_t rows = Steps(height, pass.row0, pass.rowStep), columns = Steps(width, pass.col0, pass.colStep);
        if (rows > 0 && columns > 0) total += uint64_t(rows) * uint64_t(1 + LineBytes(columns, depth));
    });
    return total;
}

void UnfilterScanline(uint8_t* line, const uint8_t* prev, size_t n, int filter) {
    // Every supported pixel fits in one byte, so the "byte before" is always
    // the neighbouring byte.
    for (size_t i = 0; i < n; ++i) {
        int a = i > 0 ? line[i - 1] : 0;
        int up = prev ? prev[i] : 0;
        int c = prev && i > 0 ? prev[i - 1] : 0;
        int predictor = 0;
        switch (filter) {
            case 1: predictor = a; break;
            case 2: predictor = up; break;
            case 3: predictor = (a + up) >> 1; break;
            case 4: predictor = Paeth(a, up, c); break;
            default: break;
        }
        line[i] = uint8_t(line[i] + predictor);
    }
}

void DecodePngScanlines(std::vector<uint8_t>& data, TBitmap& bitmap, int depth, int interlace) {
    const int64_t width = bitmap.fWidth, height = bitmap.fHeight;
    if (data.size() < PngFilteredSize(width, height, depth, interlace)) return;

    const unsigned mask = (1u << depth) - 1;
    size_t offset = 0;
    ForEachPass(interlace, [&](const TPass& pass) {
        const int64_t rows = Steps(height, pass.row0, pass.rowStep);
        const int64_t columns = Steps(width, pass.col0, pass.colStep);
        if (rows <= 0 || columns <= 0) return;
        const size_t lineBytes = size_t(LineBytes(columns, depth));
        const uint8_t* prev = nullptr;
        for (int64_t r = 0; r < rows; ++r) {
            uint8_t* line = data.data() + offset + 1;
            UnfilterScanline(line, prev, lineBytes, data[offset]);
            uint8_t* target = bitmap.fPixels.data() + (pass.row0 + r * pass.rowStep) * width + pass.col0;
            for (int64_t k = 0; k < columns; ++k) {
                int64_t bit = k * depth;
                target[k * pass.colStep] = uint8_t((line[bit / 8] >> (8 - depth - bit % 8)) & mask);
            }
            prev = line;
            offset += 1 + lineBytes;
        }
    });
}
