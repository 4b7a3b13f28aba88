#pragma once
// One sprite placement of an object's picture. An object's picture is a chain
// of placements, drawn in order so that later ones lie on top.

#include <cstdint>
#include <memory>

#include "image/image.h"

class TBitmap;

class TMyShape {
public:
    // Level pixel of the sprite's top-left corner (absolute, not relative to the object).
    int32_t x = 0;
    int32_t y = 0;
    // Shape number (table in the high byte, frame in the low byte); kNoShape
    // when the placement is a bitmap.
    uint16_t sh = 0;
    std::shared_ptr<TImage> image;     // made from bitmap; empty for a shape number
    std::shared_ptr<TBitmap> bitmap;   // a picture made at run time, such as a text label
    std::shared_ptr<TMyShape> succ;    // next placement of the same object
};

// The shape number of a placement that draws a bitmap instead of a sprite.
inline constexpr uint16_t kNoShape = 0xFFFF;
