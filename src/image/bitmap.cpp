#include "image/bitmap.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "image/masked_bitmap.h"
#include "image/palette_tools.h"

void TBitmap::CopyFrom(const TBitmap& source) {
    fWidth = source.fWidth;
    fHeight = source.fHeight;
    fColorTable = std::make_shared<TColorTable>(*source.fColorTable);
    fPixels = source.fPixels;
}

void TBitmap::Init(int32_t width, int32_t height) {
    fWidth = std::max(width, 0);
    fHeight = std::max(height, 0);
    fPixels.assign(size_t(fWidth) * size_t(fHeight), 0);
    fColorTable = std::make_shared<TColorTable>(256, 0u);
}

TBitmapPtr TBitmap::Crop(int32_t x, int32_t y, int32_t w, int32_t h) const {
    auto result = std::make_shared<TBitmap>();
    result->Init(w, h);
    *result->fColorTable = *fColorTable;
    // Only the part of the rectangle inside this bitmap is read.
    result->Paste(this, x, y, w, h, 0, 0, 256);
    return result;
}

void TBitmap::Paste(const TBitmap* src, int32_t sx, int32_t sy, int32_t w, int32_t h,
                    int32_t dx, int32_t dy, uint16_t limit) {
    if (!src) return;
    // The part of the w x h block that lies inside both bitmaps; 64-bit so
    // that offsets near the int32 limits cannot wrap into range.
    const int64_t firstColumn = std::max({int64_t(0), -int64_t(sx), -int64_t(dx)});
    const int64_t endColumn = std::min({int64_t(w), int64_t(src->fWidth) - sx, int64_t(fWidth) - dx});
    const int64_t firstRow = std::max({int64_t(0), -int64_t(sy), -int64_t(dy)});
    const int64_t endRow = std::min({int64_t(h), int64_t(src->fHeight) - sy, int64_t(fHeight) - dy});
    if (firstColumn >= endColumn || firstRow >= endRow) return;
    const size_t count = size_t(endColumn - firstColumn), rows = size_t(endRow - firstRow);
    const size_t fromStride = size_t(src->fWidth), toStride = size_t(fWidth);
    const uint8_t* from = src->fPixels.data() + size_t(sy + firstRow) * fromStride + size_t(sx + firstColumn);
    uint8_t* to = fPixels.data() + size_t(dy + firstRow) * toStride + size_t(dx + firstColumn);
    // The mapshot pastes whole opaque 16-pixel tile rows by the hundred
    // thousand: with the choice made once per paste, each row is a fixed-size
    // copy the compiler inlines instead of a library call.
    if (limit > 255 && count == 16 && src != this) {
        for (size_t i = 0; i < rows; ++i) std::memcpy(to + i * toStride, from + i * fromStride, 16);
        return;
    }
    for (size_t i = 0; i < rows; ++i) {
        const uint8_t* fromRow = from + i * fromStride;
        uint8_t* toRow = to + i * toStride;
        if (limit > 255) {
            std::memmove(toRow, fromRow, count);
            continue;
        }
        // A select instead of a branch: see-through pixels come in no order a
        // predictor could learn.
        for (size_t k = 0; k < count; ++k) toRow[k] = fromRow[k] < limit ? fromRow[k] : toRow[k];
    }
}

TPixmapPtr TBitmap::ToPixmap(uint8_t alpha) const {
    auto pixmap = TPixmap::Create(fWidth, fHeight, alpha ? PF_RGBA8888 : PF_RGB888, 4);
    if (!pixmap) return nullptr;
    for (int32_t y = 0; y < fHeight; ++y)
        for (int32_t x = 0; x < fWidth; ++x) WritePixel(*pixmap, x, y, Color(Pixel(x, y)));
    return pixmap;
}

TMaskedBitmapPtr TBitmap::MaskColor(uint8_t index) const {
    auto result = std::make_shared<TMaskedBitmap>();
    result->Init(fWidth, fHeight);
    *result->fColorTable = *fColorTable;
    result->fPixels = fPixels;
    for (size_t i = 0; i < fPixels.size(); ++i) result->fMaskPixels[i] = fPixels[i] != index;
    return result;
}

TImagePtr TBitmap::ToImage(uint8_t alpha) const {
    auto pixmap = ToPixmap(alpha);
    if (!pixmap) return nullptr;
    return ImageFromPixmap(*pixmap, -1);
}

void TBitmap::ReduceTo16Colors() {
    auto table = std::make_shared<TColorTable>(16, 0u);
    for (size_t i = 0; i < 16 && i < fColorTable->size(); ++i) (*table)[i] = (*fColorTable)[i];
    fColorTable = table;
    for (auto& p : fPixels) p &= 0x0F;
}

void TBitmap::ReduceTo6BitColors() {
    for (auto& c : *fColorTable) {
        uint32_t cut = c & 0xFFFCFCFCu;
        c = cut | ((cut >> 6) & 0x00030303u);
    }
}

TBitmapPtr TBitmap::Clone() const {
    auto result = std::make_shared<TBitmap>();
    result->CopyFrom(*this);
    return result;
}

void TBitmap::RearrangeTiles(int32_t tileW, int32_t tileH, int32_t columns) {
    if (tileW <= 0 || tileH <= 0 || columns <= 0) return;
    const int64_t W = fWidth, H = fHeight;
    if (W % tileW != 0 || H % tileH != 0) return;
    const int64_t count = (W * H) / (int64_t(tileW) * tileH);
    if (count % columns != 0) return;

    const int64_t perRow = W / tileW;
    const int64_t newWidth = int64_t(tileW) * columns;
    std::vector<uint8_t> pixels(fPixels.size());
    for (int64_t n = 0; n < count; ++n) {
        int64_t sx = tileW * (n % perRow), sy = tileH * (n / perRow);
        int64_t tx = tileW * (n % columns), ty = tileH * (n / columns);
        for (int64_t row = 0; row < tileH; ++row) {
            const uint8_t* from = fPixels.data() + (sy + row) * W + sx;
            std::copy(from, from + tileW, pixels.data() + (ty + row) * newWidth + tx);
        }
    }
    fPixels = std::move(pixels);
    fWidth = int32_t(newWidth);
    fHeight = int32_t((W * H) / newWidth);
}

void TBitmap::ApplyPalette(const TColorTablePtr& palette) {
    const TColorTable empty;
    const TColorTable& target = palette ? *palette : empty;
    std::array<uint8_t, 256> remap{};
    // An index can only name the first 256 entries of the old table.
    for (size_t i = 0; i < fColorTable->size() && i < remap.size(); ++i)
        remap[i] = NearestPaletteIndexAlphaFirst((*fColorTable)[i], target);
    for (auto& p : fPixels) p = remap[p];
    fColorTable = palette ? palette : std::make_shared<TColorTable>();
}

void TBitmap::ReplaceColor(uint8_t from, uint8_t to) {
    // Every frame of a shape file passes here as it loads. A select instead
    // of a branch that guesses wrong on every other pixel, in blocks of a
    // fixed 16 that the compiler turns into vector instructions even at -O2.
    const auto replace = [from, to](uint8_t p) { return p == from ? to : p; };
    uint8_t* pixels = fPixels.data();
    const size_t count = fPixels.size();
    size_t i = 0;
    for (; i + 16 <= count; i += 16)
        for (size_t k = 0; k < 16; ++k) pixels[i + k] = replace(pixels[i + k]);
    for (; i < count; ++i) pixels[i] = replace(pixels[i]);
}

TBitmapPtr CreateBitmap(int32_t width, int32_t height, const TColorTablePtr& palette, uint8_t fill) {
    if (width < 0 || height < 0 || int64_t(width) * height > kMaxBitmapPixels) return nullptr;
    auto result = std::make_shared<TBitmap>();
    result->fWidth = width;
    result->fHeight = height;
    result->fPixels.assign(size_t(width) * size_t(height), fill);
    result->fColorTable = palette && !palette->empty() ? palette : std::make_shared<TColorTable>(256, 0u);
    return result;
}
