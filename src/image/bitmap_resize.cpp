#include "image/bitmap_resize.h"

#include <algorithm>
#include <array>

namespace {

// The source pixels [first, end) that target pixel `at` of `size` covers
// along one axis of `sourceSize`: at least one.
struct TSpan {
    int32_t first, end;
};

TSpan Covered(int32_t at, int32_t size, int32_t sourceSize) {
    const int32_t first = int32_t(int64_t(at) * sourceSize / size);
    const int32_t end = int32_t(int64_t(at + 1) * sourceSize / size);
    return {first, std::max(end, first + 1)};
}

}  // namespace

TBitmapPtr ResizeBitmap(const TBitmap& source, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || source.fWidth <= 0 || source.fHeight <= 0) return nullptr;
    TBitmapPtr result = CreateBitmap(width, height, source.fColorTable, 0);
    if (!result) return nullptr;
    std::array<int32_t, 256> counts{};
    for (int32_t y = 0; y < height; ++y) {
        const TSpan rows = Covered(y, height, source.fHeight);
        for (int32_t x = 0; x < width; ++x) {
            const TSpan columns = Covered(x, width, source.fWidth);
            uint8_t best = source.Pixel(columns.first, rows.first);
            for (int32_t sy = rows.first; sy < rows.end; ++sy)
                for (int32_t sx = columns.first; sx < columns.end; ++sx) {
                    const uint8_t index = source.Pixel(sx, sy);
                    const int32_t count = ++counts[index];
                    if (count > counts[best] || (count == counts[best] && index < best)) best = index;
                }
            result->fPixels[size_t(y) * size_t(width) + size_t(x)] = best;
            // Cleared by the pixels just counted, not the whole table: a
            // block is often smaller than 256 pixels.
            for (int32_t sy = rows.first; sy < rows.end; ++sy)
                for (int32_t sx = columns.first; sx < columns.end; ++sx) counts[source.Pixel(sx, sy)] = 0;
        }
    }
    return result;
}
