#pragma once
// One table of the shape file: its frames as indexed bitmaps and as images
// ready to draw.

#include <cstdint>
#include <memory>
#include <vector>

#include "image/bitmap.h"
#include "image/image.h"

class TShape;
using TShapePtr = std::shared_ptr<TShape>;

class TShape {
public:
    uint8_t numshapes = 0;
    uint16_t flags = 0;                // table flags as stored in the file
    std::vector<TBitmapPtr> bitmaps;   // numshapes entries, palette indices; null where not made
    // numshapes entries, each frame as it is drawn (colour 0 see-through
    // unless the table keeps it opaque), shared and never changed; null where
    // not made. The same object as in bitmaps when colour 0 stays opaque.
    std::vector<std::shared_ptr<const TBitmap>> frames;
    std::vector<TImagePtr> images;     // numshapes entries; null where not made

    virtual ~TShape() = default;

    // A table of count frames, all of them still null.
    static TShapePtr Create(uint8_t count, uint16_t flags);

    // Draws a frame's image with its top-left corner at (x, y); frames that
    // do not exist or were not made draw nothing.
    void Draw(int x, int y, int frame) const;
};
