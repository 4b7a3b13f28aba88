#pragma once
// The editor's own picture: a grid of 8-bit colour indices with a table of
// 0xAARRGGBB colours. Pictures are composed index by index (Paste) and turned
// into true colour only at the end (ToPixmap, ToImage).

#include <cstdint>
#include <memory>
#include <vector>

#include "image/image.h"
#include "image/pixmap.h"

// Colours packed 0xAARRGGBB. A table is usually shared by many bitmaps (every
// bitmap built on the game palette holds the very same one), so it lives
// behind a shared pointer; changing an entry changes every holder.
using TColorTable = std::vector<uint32_t>;
using TColorTablePtr = std::shared_ptr<TColorTable>;

class TBitmap;
class TMaskedBitmap;
using TBitmapPtr = std::shared_ptr<TBitmap>;
using TMaskedBitmapPtr = std::shared_ptr<TMaskedBitmap>;

class TBitmap {
public:
    int32_t fWidth = 0;
    int32_t fHeight = 0;
    TColorTablePtr fColorTable = std::make_shared<TColorTable>();
    std::vector<uint8_t> fPixels;   // row-major, top row first; (x, y) is y * fWidth + x

    TBitmap() = default;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    virtual ~TBitmap() = default;

    // Sets the size, a fresh 256-entry table of zeros and zero pixels.
    // Negative sizes count as 0.
    virtual void Init(int32_t width, int32_t height);

    // A plain bitmap w x h with a copy of the whole colour table. Only the part
    // of (x, y, w, h) that lies inside this bitmap is copied; the rest stays 0.
    virtual TBitmapPtr Crop(int32_t x, int32_t y, int32_t w, int32_t h) const;

    // Copies the w x h rectangle at (sx, sy) of src to (dx, dy) of this bitmap,
    // skipping source indices >= limit (256 copies all, 255 makes index 255
    // transparent). Colour tables are not consulted. Clipped pixel by pixel on
    // both sides; a null src does nothing.
    virtual void Paste(const TBitmap* src, int32_t sx, int32_t sy, int32_t w, int32_t h,
                       int32_t dx, int32_t dy, uint16_t limit);
    void Paste(const TBitmapPtr& src, int32_t sx, int32_t sy, int32_t w, int32_t h,
               int32_t dx, int32_t dy, uint16_t limit) {
        Paste(src.get(), sx, sy, w, h, dx, dy, limit);
    }

    // RGBA 8888 when alpha is non-zero, RGB 888 otherwise; rows aligned to 4
    // bytes. Indices past the end of the colour table read as colour 0.
    virtual TPixmapPtr ToPixmap(uint8_t alpha) const;

    // A masked copy: mask 1 where the pixel differs from index, 0 where it equals it.
    virtual TMaskedBitmapPtr MaskColor(uint8_t index) const;

    // ImageFromPixmap of ToPixmap(alpha) with the default image flags.
    virtual TImagePtr ToImage(uint8_t alpha) const;

    // Gives this bitmap its own table of the first 16 colours; pixels keep their low nibble.
    virtual void ReduceTo16Colors();

    // Cuts every channel of the (shared) table to 6 bits, refilling the low two
    // bits from the top two. Changes every bitmap holding the same table.
    virtual void ReduceTo6BitColors();

    // Same size, own copies of table and pixels.
    virtual TBitmapPtr Clone() const;

    // Re-flows the grid of tileW x tileH tiles (numbered row by row) into rows of
    // `columns` tiles, keeping the order. Leaves the bitmap alone when the sizes
    // do not divide.
    virtual void RearrangeTiles(int32_t tileW, int32_t tileH, int32_t columns);

    // Remaps every pixel to the nearest colour of palette and takes palette itself
    // (shared, not copied) as the colour table.
    virtual void ApplyPalette(const TColorTablePtr& palette);

    virtual void ReplaceColor(uint8_t from, uint8_t to);

    // Colour of an index; indices past the end of the table give 0.
    uint32_t Color(uint8_t index) const {
        return index < fColorTable->size() ? (*fColorTable)[index] : 0u;
    }
    uint8_t Pixel(int32_t x, int32_t y) const { return fPixels[size_t(y) * size_t(fWidth) + size_t(x)]; }

protected:
    void CopyFrom(const TBitmap& source);
};

// A bitmap width x height of zero pixels (every pixel fill when fill is
// non-zero). A non-empty palette becomes the colour table itself, shared;
// otherwise the table is 256 zeros. Null for negative or unreasonably large sizes.
TBitmapPtr CreateBitmap(int32_t width, int32_t height, const TColorTablePtr& palette, uint8_t fill);

// Largest pixel count any bitmap may have; bigger pictures are refused rather
// than allocated (a forged file must not make us reserve gigabytes).
constexpr int64_t kMaxBitmapPixels = int64_t(1) << 28;
