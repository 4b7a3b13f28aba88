#include "image/pixmap.h"

#include <limits>

std::shared_ptr<TPixmap> TPixmap::Create(int width, int height, int format, int align) {
    if (width < 0 || height < 0 || (format != PF_RGB888 && format != PF_RGBA8888)) return nullptr;
    if (align < 1) align = 1;
    auto pixmap = std::make_shared<TPixmap>();
    pixmap->width = width;
    pixmap->height = height;
    pixmap->format = format;
    int64_t row = int64_t(width) * pixmap->BytesPerPixel();
    row = (row + align - 1) / align * align;
    if (row > std::numeric_limits<int>::max() || row * height > (int64_t(1) << 31)) return nullptr;
    pixmap->pitch = static_cast<int>(row);
    pixmap->pixels.assign(static_cast<size_t>(row * height), 0);
    return pixmap;
}

bool TPixmap::Consistent() const {
    if (width < 0 || height < 0 || (format != PF_RGB888 && format != PF_RGBA8888)) return false;
    if (int64_t(pitch) < int64_t(width) * BytesPerPixel()) return false;
    return uint64_t(pitch) * uint64_t(height) <= pixels.size();
}

namespace {

bool Inside(const TPixmap& pixmap, int x, int y) {
    return x >= 0 && y >= 0 && x < pixmap.width && y < pixmap.height && pixmap.Consistent();
}

}  // namespace

void WritePixel(TPixmap& pixmap, int x, int y, uint32_t argb) {
    if (!Inside(pixmap, x, y)) return;
    uint8_t* p = pixmap.pixels.data() + size_t(y) * pixmap.pitch + size_t(x) * pixmap.BytesPerPixel();
    p[0] = uint8_t(argb >> 16);
    p[1] = uint8_t(argb >> 8);
    p[2] = uint8_t(argb);
    if (pixmap.format == PF_RGBA8888) p[3] = uint8_t(argb >> 24);
}

uint32_t ReadPixel(const TPixmap& pixmap, int x, int y) {
    if (!Inside(pixmap, x, y)) return 0;
    const uint8_t* p = pixmap.pixels.data() + size_t(y) * pixmap.pitch + size_t(x) * pixmap.BytesPerPixel();
    uint32_t alpha = pixmap.format == PF_RGBA8888 ? p[3] : 255;
    return alpha << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}
