#pragma once
// A bitmap with one opacity byte per pixel beside its indices.

#include <cstdint>

#include "image/bitmap.h"

class TMaskedBitmap : public TBitmap {
public:
    std::vector<uint8_t> fMaskPixels;   // same layout as fPixels; non-zero = opaque

    // Also makes a zero (all transparent) mask.
    void Init(int32_t width, int32_t height) override;

    // Always RGBA 8888, whatever alpha says: the mask alone decides, opaque
    // pixels get alpha 0xFF and masked-out ones 0x00.
    TPixmapPtr ToPixmap(uint8_t alpha) const override;

    // A masked bitmap with its own copy of the mask too.
    TBitmapPtr Clone() const override;
};

// Matches every pixel of pixmap to palette over all four bytes of its colour
// (see NearestPaletteIndex); the mask is set where the pixel's alpha is 128 or
// more. The colour table is a copy of palette.
TMaskedBitmapPtr PixmapToMaskedBitmap(const TPixmap& pixmap, const TColorTable& palette);
