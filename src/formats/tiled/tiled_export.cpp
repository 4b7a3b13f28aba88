// A level as a Tiled map whose default render is the level's mapshot: the
// same tiles, overlays and object pictures, composed the same way.

#include <algorithm>

#include "formats/tiled/tiled_level.h"
#include "formats/tiled/tiled_object_pictures.h"
#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"
#include "level/object_kinds.h"

namespace {

constexpr int kTileColumns = 20;
constexpr uint16_t kOpaque = 256;       // Paste limit that copies every index
constexpr uint16_t kSeeThrough = 255;   // Paste limit that leaves index 255 out
constexpr uint8_t kClear = 255;
constexpr int kBoardPixelsWide = kBoardWidth * kTileSize;
constexpr int kBoardPixelsHigh = kBoardHeight * kTileSize;

// The overlays tileset: the see-through tiles 100-105, the five ledge edges
// of shape table 0x2A, and a black cell for a neighbour that names no tile.
constexpr int kFirstSeeThroughTile = 100;
constexpr int kSeeThroughTiles = 6;
constexpr uint16_t kFirstLedgeShape = 0x2A01;
constexpr int kLedgeShapes = 5;
constexpr int kBlackCell = kSeeThroughTiles + kLedgeShapes;
constexpr int kOverlayCount = kBlackCell + 1;

// The game palette with every colour opaque, or with index 255 alone clear.
TColorTablePtr PictureColours(const TShapeManager& shapes, bool seeThrough) {
    auto colours = std::make_shared<TColorTable>(*shapes.Palette);
    colours->resize(256, 0);
    for (uint32_t& colour : *colours) colour |= 0xFF000000u;
    if (seeThrough) (*colours)[kClear] &= 0x00FFFFFFu;
    return colours;
}

void PasteCell(TBitmap& target, const TBitmap* picture, int cell, int columns, uint16_t limit) {
    if (picture)
        target.Paste(picture, 0, 0, kTileSize, kTileSize, cell % columns * kTileSize, cell / columns * kTileSize,
                     limit);
}

TTiledProperty Int(const char* name, int64_t value) { return {name, "int", std::to_string(value)}; }

class TExporter {
public:
    TExporter(const TLevel& level, const TShapeManager& shapes, const TTileInfo& tiles, const std::string& base)
        : level(level), shapes(shapes), tiles(tiles), base(base) {}

    TTiledExport Run() {
        result.map.width = kBoardWidth;
        result.map.height = kBoardHeight;
        result.map.tileWidth = kTileSize;
        result.map.tileHeight = kTileSize;
        AddTileset();
        AddOverlayTileset();
        AddBoardLayers();
        AddObjectLayer();
        AddLevelProperties();
        return std::move(result);
    }

private:
    const TLevel& level;
    const TShapeManager& shapes;
    const TTileInfo& tiles;
    const std::string base;
    TTiledExport result;
    TColorTablePtr seeThroughColours = PictureColours(shapes, true);
    TObjectPictureSheets sheets;

    uint32_t TileGid(int tile) const { return result.map.tilesets[0].firstgid + uint32_t(tile); }
    uint32_t OverlayGid(int id) const { return result.map.tilesets[1].firstgid + uint32_t(id); }

    void AddTileset() {
        const int rows = (TileCount + kTileColumns - 1) / kTileColumns;
        TBitmapPtr sheet =
            CreateBitmap(kTileColumns * kTileSize, rows * kTileSize, PictureColours(shapes, false), 0);
        for (int tile = 0; tile < TileCount; ++tile)
            PasteCell(*sheet, TileFrame(shapes, tiles, uint16_t(tile)), tile, kTileColumns, kOpaque);
        AddSheet(kTileset, TileCount, kTileColumns, sheet, false, ".tiles.png");
    }

    void AddOverlayTileset() {
        TBitmapPtr sheet = CreateBitmap(kOverlayCount * kTileSize, kTileSize, PictureColours(shapes, true), kClear);
        for (int i = 0; i < kSeeThroughTiles; ++i)
            PasteCell(*sheet, TileFrame(shapes, tiles, uint16_t(kFirstSeeThroughTile + i)), i, kOverlayCount,
                      kOpaque);
        for (int i = 0; i < kLedgeShapes; ++i)
            PasteCell(*sheet, shapes.FrameBitmap(uint16_t(kFirstLedgeShape + i)), kSeeThroughTiles + i,
                      kOverlayCount, kOpaque);
        for (int y = 0; y < kTileSize; ++y)
            std::fill_n(&sheet->fPixels[size_t(y) * size_t(sheet->fWidth) + kBlackCell * kTileSize], kTileSize, 0);
        AddSheet(kOverlayTileset, kOverlayCount, kOverlayCount, sheet, true, ".overlays.png");
    }

    void AddSheet(const char* name, int count, int columns, const TBitmapPtr& sheet, bool seeThrough,
                  const char* suffix) {
        TTiledTileset tileset;
        tileset.firstgid = result.map.tilesets.empty() ? 1 : TileGid(TileCount);
        tileset.name = name;
        tileset.tileWidth = tileset.tileHeight = kTileSize;
        tileset.tileCount = count;
        tileset.columns = columns;
        tileset.image = base + suffix;
        tileset.imageWidth = sheet->fWidth;
        tileset.imageHeight = sheet->fHeight;
        result.map.tilesets.push_back(std::move(tileset));
        result.pictures.push_back({base + suffix, sheet, seeThrough});
    }

    // "board" with the words it cannot tell; the derived layers with what
    // GetTile draws over or instead of a cell's own tile.
    void AddBoardLayers() {
        TTiledLayer board{false, kBoardLayer, true, false, kBoardWidth, kBoardHeight, {}, {}};
        board.cells.assign(size_t(kBoardWidth) * kBoardHeight, 0);
        TTiledLayer beneath = board, overlays = board;
        beneath.name = kBeneathLayer;
        overlays.name = kOverlayLayer;
        beneath.locked = overlays.locked = true;
        std::string words;
        for (int y = 0; y < kBoardHeight; ++y)
            for (int x = 0; x < kBoardWidth; ++x) {
                const size_t cell = size_t(y) * kBoardWidth + size_t(x);
                const uint16_t word = level.bd[size_t(x) * kBoardHeight + size_t(y)];
                const int shown = ShownTile(word);
                if (shown >= 0) board.cells[cell] = TileGid(shown);
                if (word != shown) {
                    const uint8_t bytes[2] = {uint8_t(word >> 8), uint8_t(word)};
                    words += (words.empty() ? "" : " ") + std::to_string(x) + "," + std::to_string(y) + "=" +
                             HexBytes(bytes, 2);
                }
                uint16_t overlay = kNoOverlay;
                const uint16_t drawn = level.GetTile(x, y, overlay);
                if (drawn != level.Board(x, y)) {
                    // The lookups take the low 10 bits; beyond the tiles the
                    // cell stays black.
                    const int tile = drawn & 0x3FF;
                    beneath.cells[cell] = tile < TileCount ? TileGid(tile) : OverlayGid(kBlackCell);
                }
                if (overlay == kNoOverlay) continue;
                const int over = overlay & 0x8000 ? (overlay & 0x7FFF) - kFirstSeeThroughTile
                                                  : kSeeThroughTiles + overlay - kFirstLedgeShape;
                overlays.cells[cell] = OverlayGid(over);
            }
        if (!words.empty()) result.map.properties.push_back({kBoardWords, "string", words});
        result.map.layers.push_back(std::move(board));
        result.map.layers.push_back(std::move(beneath));
        result.map.layers.push_back(std::move(overlays));
    }

    // Index 0 is drawn last, on top, as in the mapshot; the ids keep the
    // level's order.
    void AddObjectLayer() {
        TTiledLayer layer{true, kObjectLayer, true, false, 0, 0, {}, {}};
        std::vector<int> pictureOf;
        for (size_t index = level.objs.size(); index-- > 0;) {
            const TLevelObject* obj = level.objs[index].get();
            if (!obj) continue;
            TTiledObject object = PictureObject(*obj, pictureOf);
            object.id = int(index) + 1;
            object.properties = RecordProperties(*obj);
            layer.objects.push_back(std::move(object));
        }
        const uint32_t firstgid = result.map.tilesets.back().firstgid + uint32_t(result.map.tilesets.back().tileCount);
        sheets.Finish(firstgid, base, result.map.tilesets, result.pictures);
        for (size_t i = 0; i < layer.objects.size(); ++i) {
            const TObjectPictureSheets::TPlaced& place = sheets.Placed(pictureOf[i]);
            layer.objects[i].gid = place.gid;
            layer.objects[i].width = place.cellWidth;
            layer.objects[i].height = place.cellHeight;
        }
        result.map.nextObjectId = int(level.objs.size()) + 1;
        result.map.layers.push_back(std::move(layer));
    }

    static TTiledProperties RecordProperties(const TLevelObject& obj) {
        return {Int("objkind", obj.objkind),
                Int("xd", AsSigned16(obj.xd)),
                Int("yd", AsSigned16(obj.yd)),
                Int("xl", AsSigned16(obj.xl)),
                Int("yl", AsSigned16(obj.yl)),
                Int("state", AsSigned16(obj.state)),
                Int("substate", AsSigned16(obj.substate)),
                Int("statecount", AsSigned16(obj.statecount)),
                Int("counter", AsSigned16(obj.counter)),
                Int("objflags", AsSigned16(obj.objflags)),
                Int("info1", AsSigned16(obj.info1)),
                Int("zaphold", AsSigned16(obj.zaphold)),
                Int("inside", obj.inside),
                {"text", "string", LevelTextToUnicode(obj.insideStr)}};
    }

    // The object as a tile object showing its picture: its sprites composed
    // as the mapshot pastes them, cut to the board. An object without a
    // picture shows a clear box of its size, so that it can still be picked.
    // The object stands on the bottom-left corner of its picture.
    TTiledObject PictureObject(const TLevelObject& obj, std::vector<int>& pictureOf) {
        const int objX = AsSigned16(obj.x), objY = AsSigned16(obj.y);
        int left = kBoardPixelsWide, top = kBoardPixelsHigh, right = 0, bottom = 0;
        for (const TMyShape* s = obj.myshape.get(); s; s = s->succ.get())
            if (const TBitmap* picture = Sprite(*s)) {
                left = std::min(left, std::max(s->x, 0));
                top = std::min(top, std::max(s->y, 0));
                right = std::max(right, std::min(s->x + picture->fWidth, kBoardPixelsWide));
                bottom = std::max(bottom, std::min(s->y + picture->fHeight, kBoardPixelsHigh));
            }
        TBitmapPtr picture;
        if (left < right && top < bottom) {
            picture = CreateBitmap(right - left, bottom - top, seeThroughColours, kClear);
            for (const TMyShape* s = obj.myshape.get(); s; s = s->succ.get())
                if (const TBitmap* sprite = Sprite(*s))
                    picture->Paste(sprite, 0, 0, sprite->fWidth, sprite->fHeight, s->x - left, s->y - top,
                                   kSeeThrough);
        } else {
            left = objX;
            top = objY;
            const int width = std::clamp(obj.xl ? int(obj.xl) : kTileSize, 1, kBoardPixelsWide);
            const int height = std::clamp(obj.yl ? int(obj.yl) : kTileSize, 1, kBoardPixelsHigh);
            picture = CreateBitmap(width, height, seeThroughColours, kClear);
        }
        pictureOf.push_back(sheets.Add(picture, left - objX, top - objY, RecordProperties(obj)));
        TTiledObject object;
        object.x = left;
        object.y = top + picture->fHeight;
        return object;
    }

    const TBitmap* Sprite(const TMyShape& s) const { return s.bitmap ? s.bitmap.get() : shapes.FrameBitmap(s.sh); }

    void AddLevelProperties() {
        TTiledProperties& properties = result.map.properties;
        std::string inventory;
        for (uint16_t item : level.pl_inv) inventory += (inventory.empty() ? "" : " ") + std::to_string(AsSigned16(item));
        properties.push_back(Int("pl_level", AsSigned16(level.pl_level)));
        properties.push_back(Int("pl_health", AsSigned16(level.pl_health)));
        properties.push_back(Int("pl_numinv", AsSigned16(level.pl_numinv)));
        properties.push_back({"pl_inv", "string", inventory});
        properties.push_back(Int("pl_score", level.pl_score));
        properties.push_back(Int("pl_ouched", AsSigned16(level.pl_ouched)));
        properties.push_back(Int("pl_oldscore", level.pl_oldscore));
        properties.push_back({"pl_pad", "string", HexBytes(level.pl_pad.data(), level.pl_pad.size())});
        if (level.tail) properties.push_back({"tail", "string", HexBytes(level.tail->data(), level.tail->size())});
    }
};

}  // namespace

std::string HexBytes(const uint8_t* bytes, size_t count) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(count * 2);
    for (size_t i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

int ShownTile(uint16_t word) {
    const int number = word & kTileNumberMask;
    if (number < TileCount) return number;
    return (number & 0x3FF) < TileCount ? number & 0x3FF : -1;
}

TTiledExport LevelToTiled(const TLevel& level, const TShapeManager& shapes, const TTileInfo& tiles,
                          const std::string& pictureBase) {
    return TExporter(level, shapes, tiles, pictureBase).Run();
}
