// map_view_check SCREENSHOT.ppm LEVEL MAPSHOT.png CAMX CAMY ZOOM [SCALE]:
// whether the map view (320, 0, W - 320, H - 16, for a screen of W x H
// logical pixels: 960 x 704 in the default window) of a screenshot of the real editor
// shows the level's mapshot as the camera and zoom say: level pixel (lx, ly)
// at (320 + (lx - 16 camX) zoom, (ly - 16 camY) zoom). At an interface scale
// (1 unless given) each of those positions is a SCALE x SCALE block of the
// screenshot, all of that pixel's colour. The see-through index
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

// The map view starts right of the tileset and ends above the status line.
constexpr int kMapX = 320, kStatusHeight = 16;

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
    if (argc != 7 && argc != 8) {
        std::fprintf(stderr, "usage: map_view_check SCREENSHOT.ppm LEVEL MAPSHOT.png CAMX CAMY ZOOM [SCALE]\n");
        return 2;
    }
    const int scale = argc == 8 ? std::atoi(argv[7]) : 1;
    TRgbImage shot;
    const TLevelPtr level = ReadLevel(argv[2]);
    const TBitmapPtr picture = LoadPng(argv[3]);
    if (!ReadPpm(argv[1], shot) || !level || !picture || scale < 1 ||
        shot.width / scale <= kMapX || shot.height / scale <= kStatusHeight) {
        std::fprintf(stderr, "map_view_check: cannot read the screenshot, the level or the mapshot\n");
        return 2;
    }
    const int mapWidth = shot.width / scale - kMapX, mapHeight = shot.height / scale - kStatusHeight;
    const int camX = std::atoi(argv[4]), camY = std::atoi(argv[5]);
    const float zoom = std::strtof(argv[6], nullptr);
    int wrong = 0, compared = 0;
    for (int sy = 0; sy < mapHeight; ++sy)
        for (int sx = 0; sx < mapWidth; ++sx) {
            const int lx = int(sx / zoom) + 16 * camX, ly = int(sy / zoom) + 16 * camY;
            if (lx >= picture->fWidth || ly >= picture->fHeight) continue;
            uint16_t overlay = 0;
            if ((level->GetTile(lx / 16, ly / 16, overlay) & 0x3FF) >= 600) continue;
            const uint8_t index = picture->fPixels[size_t(ly) * size_t(picture->fWidth) + size_t(lx)];
            const unsigned expected = index == 255 ? 0 : (*picture->fColorTable)[index] & 0xFFFFFF;
            ++compared;
            bool same = true;
            for (int k = 0; k < scale * scale; ++k)
                same = same && shot.Pixel((kMapX + sx) * scale + k % scale, sy * scale + k / scale) == expected;
            if (!same) ++wrong;
        }
    std::printf("%d of %d pixels differ\n", wrong, compared);
    return wrong == 0 && compared > 0 ? 0 : 1;
}
