#pragma once
// Drawable images. An image keeps its pixels on the CPU; the renderer's
// texture is made the first time it is drawn, so images can be built before a
// window exists, by the command-line tool, and in tests.

#include <cstdint>
#include <memory>
#include <vector>

#include "image/pixmap.h"

enum : int { IMAGE_MASKED = 1, IMAGE_FILTERED = 2 };

// The renderer's copies of an image, made when it is first drawn (graphics).
struct TImageTextures;

class TImage {
public:
    int width = 0;
    int height = 0;
    int flags = 0;
    std::vector<uint32_t> argb;   // width * height pixels, 0xAARRGGBB, alpha final

    uint32_t Pixel(int x, int y) const { return argb[size_t(y) * width + x]; }

    // Made on first draw; pixels changed after it are shown only once
    // ImagePixelsChanged (graphics.h) has been told where.
    mutable std::shared_ptr<TImageTextures> textures;
};

using TImagePtr = std::shared_ptr<TImage>;

// Flags used by every later ImageFromPixmap called with -1.
void SetDefaultImageFlags(int flags);
int DefaultImageFlags();

// With the masked flag, an RGB pixmap's pixels of the mask colour (black)
// become transparent and all others opaque; an RGBA pixmap keeps its alpha.
TImagePtr ImageFromPixmap(const TPixmap& pixmap, int flags = -1);
