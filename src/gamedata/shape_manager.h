#pragma once
// Every picture of a game (tiles, sprites, fonts) comes from its shape file.
// The shape manager reads that file once into bitmaps and images on the
// fixed game palette and answers requests by shape number: bits 8-13 name
// the table, bits 0-7 the frame, bits 14-15 are ignored.

#include <array>
#include <cstdint>
#include <string>

#include "gamedata/shape.h"
#include "gamedata/shape_file.h"
#include "image/bitmap.h"
#include "system/stream.h"

class TShapeManager;
using TShapeManagerPtr = std::shared_ptr<TShapeManager>;

class TShapeManager {
public:
    TColorTablePtr Palette;   // the game palette; every frame and label shares it
    std::array<int32_t, ShapeTableCount> offsets{};
    std::array<uint16_t, ShapeTableCount> lengths{};
    std::array<TShapePtr, ShapeTableCount> shapes;   // null where absent or unreadable

    TShapeManager();
    virtual ~TShapeManager() = default;

    // Loads the shape file at a path (or "incbin::" name). Always gives 0:
    // how it went shows in the log and in which tables are loaded.
    virtual int Init(const std::string& source);
    // The same for an open stream.
    virtual int Init(TStreamPtr source);

    // A frame as a bitmap, or null. Colour 0 comes back as the transparent
    // index in a fresh copy, unless the table keeps colour 0 opaque: then the
    // stored bitmap itself is given, and the caller must not change it.
    virtual TBitmapPtr GetBitmap(uint16_t shape) const;
    // The same frame without a copy, or null: shared by every caller, so
    // read-only, and valid as long as this manager keeps its tables. For
    // callers that only read the pixels, such as composing a picture.
    const TBitmap* FrameBitmap(uint16_t shape) const;
    // The frame's image made at load time, or null.
    virtual TImagePtr GetImage(uint16_t shape) const;

    // Draws a frame of a table at (x, y). Table 0 is never drawn this way;
    // tables 64-127 are reachable only here.
    void DrawShape(int table, int x, int y, int frame) const;
    // Draws the frame a shape number names.
    void DrawSh(uint16_t shape, int x, int y) const;

    // A one-line label in game font 1 (8 x 8), 2 (6 x 6) or 4 (4 x 5 digits),
    // font pixels 1 and 2 in bright colour (colour & 7) + 8, pixel 3 in
    // background (0xFFFF: transparent). Null for another font, an empty text
    // or a missing font table.
    virtual TBitmapPtr GetTextBitmap(const std::string& text, int font, uint16_t colour,
                                     uint16_t background) const;

private:
    // path is only named in the log; empty for a stream.
    int Load(TStreamPtr stream, const std::string& path);
};

// Frame in shape table 14 of the icon of inventory item 0-10; 0 for any other
// item, which is how callers find the number of items.
int InventoryIconFrame(int item);
