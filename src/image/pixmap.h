#pragma once
// Pixel buffers on the CPU side, and images made from them.

#include <cstdint>
#include <memory>
#include <vector>

enum : int { PF_RGB888 = 4, PF_RGBA8888 = 6 };

class TPixmap {
public:
    int width = 0;
    int height = 0;
    int pitch = 0;    // bytes per row, rows aligned as asked at creation
    int format = PF_RGBA8888;
    std::vector<uint8_t> pixels;

    // Null when the size is negative, the format unknown or the buffer too large.
    static std::shared_ptr<TPixmap> Create(int width, int height, int format, int align = 4);

    int BytesPerPixel() const { return format == PF_RGB888 ? 3 : 4; }
    // Whether the fields describe the buffer: a pixmap put together by hand
    // may claim more pixels than it holds.
    bool Consistent() const;
};

using TPixmapPtr = std::shared_ptr<TPixmap>;

// Pixels as 0xAARRGGBB. Writing drops alpha in RGB pixmaps; reading gives it as 255.
// Positions outside the pixmap are ignored (read as 0).
void WritePixel(TPixmap& pixmap, int x, int y, uint32_t argb);
uint32_t ReadPixel(const TPixmap& pixmap, int x, int y);
