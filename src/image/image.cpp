#include "image/image.h"

namespace {
int defaultImageFlags = IMAGE_MASKED | IMAGE_FILTERED;
}

void SetDefaultImageFlags(int flags) { defaultImageFlags = flags; }
int DefaultImageFlags() { return defaultImageFlags; }

TImagePtr ImageFromPixmap(const TPixmap& pixmap, int flags) {
    if (pixmap.width <= 0 || pixmap.height <= 0 || !pixmap.Consistent()) return nullptr;
    auto image = std::make_shared<TImage>();
    image->width = pixmap.width;
    image->height = pixmap.height;
    image->flags = flags == -1 ? defaultImageFlags : flags;
    image->argb.resize(size_t(pixmap.width) * pixmap.height);
    bool maskBlack = (image->flags & IMAGE_MASKED) && pixmap.format == PF_RGB888;
    for (int y = 0; y < pixmap.height; ++y) {
        for (int x = 0; x < pixmap.width; ++x) {
            uint32_t p = ReadPixel(pixmap, x, y);
            if (maskBlack) p = (p & 0xFFFFFF) == 0 ? 0 : (p | 0xFF000000u);
            image->argb[size_t(y) * pixmap.width + x] = p;
        }
    }
    return image;
}
