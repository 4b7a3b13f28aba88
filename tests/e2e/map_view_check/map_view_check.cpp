// map_view_check SCREENSHOT.ppm LEVEL MAPSHOT.png CAMX CAMY ZOOM: whether the
// map view (320, 0, 960, 704) of a screenshot of the real editor shows the
// level's mapshot as the camera and zoom say: level pixel (lx, ly) at
// (320 + (lx - 16 camX) zoom, (ly - 16 camY) zoom). The see-through index
// 255 shows black, and cells whose value names no tile are left out (the
// picture's ground there is colour 0, the screen's black). Prints the count
// of differing pixels; exit status 0 when there are none.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "image/bitmap.h"
#include "image/png_load.h"
#include "level/level.h"
#include "level/level_file.h"

namespace {

constexpr int kMapX = 320, kMapW = 960, kMapH = 704;

struct TRgbImage {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    unsigned Pixel(int x, int y) const {
        const unsigned char* p = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
        return unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | p[2];
    }
};

bool ReadPpm(const std::string& path, TRgbImage& image) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    if (!(in >> magic >> image.width >> image.height >> maxValue) || magic != "P6" || maxValue != 255) return false;
    in.get();
    image.rgb.resize(size_t(image.width) * size_t(image.height) * 3);
    return bool(in.read(reinterpret_cast<char*>(image.rgb.data()), std::streamsize(image.rgb.size())));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: map_view_check SCREENSHOT.ppm LEVEL MAPSHOT.png CAMX CAMY ZOOM\n");
        return 2;
    }
    TRgbImage shot;
    const TLevelPtr level = ReadLevel(argv[2]);
    const TBitmapPtr picture = LoadPng(argv[3]);
    if (!ReadPpm(argv[1], shot) || !level || !picture || shot.width < kMapX + kMapW || shot.height < kMapH) {
        std::fprintf(stderr, "map_view_check: cannot read the screenshot, the level or the mapshot\n");
        return 2;
    }
    const int camX = std::atoi(argv[4]), camY = std::atoi(argv[5]);
    const float zoom = std::strtof(argv[6], nullptr);
    int wrong = 0, compared = 0;
    for (int sy = 0; sy < kMapH; ++sy)
        for (int sx = 0; sx < kMapW; ++sx) {
            const int lx = int(sx / zoom) + 16 * camX, ly = int(sy / zoom) + 16 * camY;
            if (lx >= picture->fWidth || ly >= picture->fHeight) continue;
            uint16_t overlay = 0;
            if ((level->GetTile(lx / 16, ly / 16, overlay) & 0x3FF) >= 600) continue;
            const uint8_t index = picture->fPixels[size_t(ly) * size_t(picture->fWidth) + size_t(lx)];
            const unsigned expected = index == 255 ? 0 : (*picture->fColorTable)[index] & 0xFFFFFF;
            ++compared;
            if (shot.Pixel(kMapX + sx, sy) != expected) ++wrong;
        }
    std::printf("%d of %d pixels differ\n", wrong, compared);
    return wrong == 0 && compared > 0 ? 0 : 1;
}
