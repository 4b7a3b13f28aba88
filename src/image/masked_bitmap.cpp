#include "image/masked_bitmap.h"

#include "image/palette_tools.h"

void TMaskedBitmap::Init(int32_t width, int32_t height) {
    TBitmap::Init(width, height);
    fMaskPixels.assign(fPixels.size(), 0);
}

TPixmapPtr TMaskedBitmap::ToPixmap(uint8_t) const {
    auto pixmap = TPixmap::Create(fWidth, fHeight, PF_RGBA8888, 4);
    if (!pixmap) return nullptr;
    for (int32_t y = 0; y < fHeight; ++y) {
        for (int32_t x = 0; x < fWidth; ++x) {
            size_t i = size_t(y) * size_t(fWidth) + size_t(x);
            // A mask shorter than the pixels (someone resized fPixels alone) reads as transparent.
            bool opaque = i < fMaskPixels.size() && fMaskPixels[i] != 0;
            uint32_t colour = Color(fPixels[i]) & 0x00FFFFFFu;
            WritePixel(*pixmap, x, y, opaque ? colour | 0xFF000000u : colour);
        }
    }
    return pixmap;
}

TBitmapPtr TMaskedBitmap::Clone() const {
    auto result = std::make_shared<TMaskedBitmap>();
    result->CopyFrom(*this);
    result->fMaskPixels = fMaskPixels;
    return result;
}

TMaskedBitmapPtr PixmapToMaskedBitmap(const TPixmap& pixmap, const TColorTable& palette) {
    auto result = std::make_shared<TMaskedBitmap>();
    result->Init(pixmap.width, pixmap.height);
    *result->fColorTable = palette;
    for (int y = 0; y < pixmap.height; ++y) {
        for (int x = 0; x < pixmap.width; ++x) {
            uint32_t colour = ReadPixel(pixmap, x, y);
            size_t i = size_t(y) * size_t(pixmap.width) + size_t(x);
            result->fPixels[i] = NearestPaletteIndexWithAlpha(colour, palette);
            result->fMaskPixels[i] = (colour >> 31) != 0;
        }
    }
    return result;
}
