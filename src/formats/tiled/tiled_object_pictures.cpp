#include "formats/tiled/tiled_object_pictures.h"

#include <algorithm>

namespace {

constexpr int kMinCell = 16;
constexpr int kMaxSheetWidth = 2048;
constexpr uint8_t kClear = 255;

int CellSize(int size) {
    int cell = kMinCell;
    while (cell < size) cell *= 2;
    return cell;
}

}  // namespace

int TObjectPictureSheets::Add(const TBitmapPtr& picture, int dx, int dy, const TTiledProperties& defaults) {
    const int cellWidth = CellSize(picture->fWidth), cellHeight = CellSize(picture->fHeight);
    // The tile object's top edge is the cell's, which lies above a picture
    // shorter than its cell.
    const int cellDy = dy - (cellHeight - picture->fHeight);
    std::string key = std::to_string(picture->fWidth) + "x" + std::to_string(picture->fHeight) + "@" +
                      std::to_string(dx) + "," + std::to_string(cellDy) + ":";
    key.append(picture->fPixels.begin(), picture->fPixels.end());
    auto [found, added] = numbers.emplace(std::move(key), int(pictureList.size()));
    if (!added) return found->second;

    auto sheet = std::find_if(sheets.begin(), sheets.end(), [&](const TSheet& s) {
        return s.cellWidth == cellWidth && s.cellHeight == cellHeight;
    });
    if (sheet == sheets.end()) sheet = sheets.insert(sheets.end(), {cellWidth, cellHeight, {}});
    TPlaced place{int(sheet - sheets.begin()), int(sheet->pictures.size()), 0, cellWidth, cellHeight};
    sheet->pictures.push_back(found->second);
    placed.push_back(place);
    TTiledProperties properties = {{kPictureDx, "int", std::to_string(dx)}, {kPictureDy, "int", std::to_string(cellDy)}};
    properties.insert(properties.end(), defaults.begin(), defaults.end());
    pictureList.push_back({picture, std::move(properties)});
    return found->second;
}

void TObjectPictureSheets::Finish(uint32_t firstgid, const std::string& base, std::vector<TTiledTileset>& tilesets,
                                  std::vector<TTiledPicture>& pictures) {
    std::vector<uint32_t> sheetGids;
    for (const TSheet& sheet : sheets) {
        const int count = int(sheet.pictures.size());
        const int columns = std::clamp(kMaxSheetWidth / sheet.cellWidth, 1, count);
        const int rows = (count + columns - 1) / columns;
        const std::string size = std::to_string(sheet.cellWidth) + "x" + std::to_string(sheet.cellHeight);
        TBitmapPtr image = CreateBitmap(columns * sheet.cellWidth, rows * sheet.cellHeight,
                                        pictureList[size_t(sheet.pictures[0])].bitmap->fColorTable, kClear);
        TTiledTileset tileset;
        tileset.firstgid = firstgid;
        tileset.name = std::string(kObjectTileset) + " " + size;
        tileset.tileWidth = sheet.cellWidth;
        tileset.tileHeight = sheet.cellHeight;
        tileset.tileCount = count;
        tileset.columns = columns;
        tileset.image = base + "." + kObjectTileset + "-" + size + ".png";
        tileset.imageWidth = image->fWidth;
        tileset.imageHeight = image->fHeight;
        for (int index = 0; index < count; ++index) {
            const TPicture& picture = pictureList[size_t(sheet.pictures[size_t(index)])];
            const TBitmap& bitmap = *picture.bitmap;
            const int cellBottom = (index / columns + 1) * sheet.cellHeight;
            image->Paste(&bitmap, 0, 0, bitmap.fWidth, bitmap.fHeight, index % columns * sheet.cellWidth,
                         cellBottom - bitmap.fHeight, 256);
            tileset.tiles.push_back({index, "", 0, 0, picture.properties});
        }
        sheetGids.push_back(firstgid);
        firstgid += uint32_t(count);
        pictures.push_back({tileset.image, image, true});
        tilesets.push_back(std::move(tileset));
    }
    for (TPlaced& place : placed) place.gid = sheetGids[size_t(place.sheet)] + uint32_t(place.index);
}
