#include "view/tile_layer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"
#include "screen/graphics.h"
#include "view/screen_layout.h"

namespace {

constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
constexpr uint16_t kFlagBits = 0xC000;

template <class T>
bool SameObject(const std::weak_ptr<T>& known, const std::shared_ptr<T>& now) {
    // Owner comparison: a new object that happens to get the old one's
    // address is still a new object.
    return !known.owner_before(now) && !now.owner_before(known) && !known.expired();
}

int FloorDiv(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }
int CeilDiv(int a, int b) { return -FloorDiv(-a, b); }

// A run of cells along one axis that is drawn with one copy.
struct TRun {
    int first = 0, count = 0;
};

// The cells of one axis of the map view, cut into runs: each cell the clip
// cuts alone, so that SDL's rounding of its clipped source is the very one it
// applies to that cell drawn by itself, and the whole cells between them in
// one run.
std::vector<TRun> AxisRuns(int screenStart, int cellPixels, int cells, int clipStart, int clipEnd) {
    std::vector<TRun> runs;
    const int firstSeen = std::max(0, FloorDiv(clipStart - screenStart, cellPixels));
    const int endSeen = std::min(cells, CeilDiv(clipEnd - screenStart, cellPixels));
    bool lastWhole = false;
    for (int i = firstSeen; i < endSeen; ++i) {
        const int left = screenStart + i * cellPixels;
        const bool whole = left >= clipStart && left + cellPixels <= clipEnd;
        if (whole && lastWhole) ++runs.back().count;
        else runs.push_back({i, 1});
        lastWhole = whole;
    }
    return runs;
}

}  // namespace

const TImage* ShapeImage(const TShapeManager& shapes, uint16_t shape) {
    if (((shape & 0x3FFF) >> 8) == 0) return nullptr;
    return shapes.GetImage(shape).get();
}

const TImage* TileShapeImage(const TShapeManager& shapes, const TTileInfo& tiles, uint16_t tile) {
    const std::optional<uint16_t> shape = tiles.FindShape(tile);
    return shape ? ShapeImage(shapes, *shape) : nullptr;
}

TCellPicture::TCellPicture(int columns, int rows)
    : dirtyLeft(columns), dirtyTop(rows), dirtyRight(0), dirtyBottom(0) {
    picture.width = columns * kTileSize;
    picture.height = rows * kTileSize;
    picture.flags = IMAGE_MASKED;
    picture.argb.assign(size_t(picture.width) * picture.height, 0);
}

void TCellPicture::ClearCell(int column, int row) {
    for (int y = 0; y < kTileSize; ++y)
        std::fill_n(&picture.argb[size_t(row * kTileSize + y) * picture.width + column * kTileSize], kTileSize, 0u);
    dirtyLeft = std::min(dirtyLeft, column);
    dirtyTop = std::min(dirtyTop, row);
    dirtyRight = std::max(dirtyRight, column + 1);
    dirtyBottom = std::max(dirtyBottom, row + 1);
}

bool TCellPicture::PaintCell(int column, int row, const TImage* image) {
    if (!image) return true;
    if (image->width != kTileSize || image->height != kTileSize ||
        image->argb.size() != size_t(kTileSize) * kTileSize)
        return false;
    for (int y = 0; y < kTileSize; ++y) {
        uint32_t* target = &picture.argb[size_t(row * kTileSize + y) * picture.width + column * kTileSize];
        const uint32_t* source = &image->argb[size_t(y) * kTileSize];
        for (int x = 0; x < kTileSize; ++x)
            if ((source[x] >> 24) >= 128) target[x] = 0xFF000000u | (source[x] & 0xFFFFFFu);
    }
    return true;
}

void TCellPicture::FillCell(int column, int row) {
    for (int y = 0; y < kTileSize; ++y)
        std::fill_n(&picture.argb[size_t(row * kTileSize + y) * picture.width + column * kTileSize], kTileSize,
                    kOpaqueWhite);
}

void TCellPicture::Publish() {
    if (dirtyRight <= dirtyLeft || dirtyBottom <= dirtyTop) return;
    ImagePixelsChanged(picture, dirtyLeft * kTileSize, dirtyTop * kTileSize, (dirtyRight - dirtyLeft) * kTileSize,
                       (dirtyBottom - dirtyTop) * kTileSize);
    dirtyLeft = picture.width / kTileSize, dirtyTop = picture.height / kTileSize;
    dirtyRight = dirtyBottom = 0;
}

TTileLayer::TTileLayer() : cells(kBoardWidth, kBoardHeight), oddCell(board.size(), false) {}

void TTileLayer::ComposeCell(const TLevel& level, int x, int y) {
    const size_t index = size_t(x) * kBoardHeight + y;
    const uint16_t word = level.bd[index];
    uint16_t tile = word & kTileNumberMask, overlay = kNoOverlay;
    if (builtMode == 1) tile = level.GetTile(x, y, overlay);
    cells.ClearCell(x, y);
    bool whole = true;
    const TImage* attributes = builtMode == 3 && tile < TileCount ? tiles->tiles[tile].attributeImg.get() : nullptr;
    if (attributes) {
        whole = cells.PaintCell(x, y, attributes);
    } else {
        whole = cells.PaintCell(x, y, TileShapeImage(*shapes, *tiles, tile));
        // An overlay with bit 15 is a tile of its own, drawn even where the
        // tile below names none; without it, a shape number.
        if (overlay != kNoOverlay)
            whole &= cells.PaintCell(x, y, overlay & 0x8000 ? TileShapeImage(*shapes, *tiles, overlay & 0x7FFF)
                                                            : ShapeImage(*shapes, overlay));
    }
    if (builtMarks && (word & kFlagBits)) cells.FillCell(x, y);
    if (oddCell[index] != !whole) {
        oddCell[index] = !whole;
        oddCells += whole ? -1 : 1;
    }
}

bool TTileLayer::Update(const TLevel& level, const std::shared_ptr<TShapeManager>& shapeManager,
                        const std::shared_ptr<TTileInfo>& tileInfo, int drawtiles, int drawwin) {
    const bool rebuild = !built || !SameObject(builtShapes, shapeManager) || !SameObject(builtTiles, tileInfo) ||
                         builtMode != drawtiles || builtMarks != drawwin;
    builtShapes = shapeManager, builtTiles = tileInfo;
    shapes = shapeManager.get(), tiles = tileInfo.get();
    builtMode = drawtiles, builtMarks = drawwin;
    if (rebuild) {
        for (int x = 0; x < kBoardWidth; ++x)
            for (int y = 0; y < kBoardHeight; ++y) ComposeCell(level, x, y);
    } else if (std::memcmp(board.data(), level.bd.data(), sizeof board) != 0) {
        // The cells that changed, and in mode 1 their neighbours, whose
        // edges and underlying tiles are read from them.
        std::vector<bool> stale(board.size(), false);
        const int reach = builtMode == 1 ? 1 : 0;
        for (size_t i = 0; i < board.size(); ++i) {
            if (board[i] == level.bd[i]) continue;
            const int x = int(i) / kBoardHeight, y = int(i) % kBoardHeight;
            for (int dx = -reach; dx <= reach; ++dx)
                for (int dy = -reach; dy <= reach; ++dy)
                    if (TScreenLayout::IsValidTilePos(x + dx, y + dy))
                        stale[size_t(x + dx) * kBoardHeight + (y + dy)] = true;
        }
        for (size_t i = 0; i < stale.size(); ++i)
            if (stale[i]) ComposeCell(level, int(i) / kBoardHeight, int(i) % kBoardHeight);
    }
    board = level.bd;
    built = true;
    cells.Publish();
    return oddCells == 0;
}

bool TTileLayer::Draw(const TScreenLayout& view) const {
    const float cellPixels = kTileSize * view.mapZoom;
    if (cellPixels < 1 || cellPixels != std::floor(cellPixels) || view.camX < 0 || view.camY < 0) return false;
    const int cell = int(cellPixels);
    // The clip SDL applies: the viewport within the window.
    const TViewport viewport = CurrentViewport();
    const int clipLeft = std::max(viewport.x, 0), clipTop = std::max(viewport.y, 0);
    const int clipRight = std::min(viewport.x + viewport.w, ScreenWidth());
    const int clipBottom = std::min(viewport.y + viewport.h, ScreenHeight());
    // One column and one row more than fit, as far as the level goes.
    const int columns = std::min(view.mapTilesW + 1, kBoardWidth - view.camX);
    const int rows = std::min(view.mapTilesH + 1, kBoardHeight - view.camY);
    const float scaleX = DrawScaleX(), scaleY = DrawScaleY();
    // The tile layer is the first thing drawn on the cleared (black) map,
    // and its see-through pixels are black: copied without blending they
    // give the same pixels, and SDL's scaled copy is several times faster so.
    const int blend = CurrentBlend();
    SetBlend(BLEND_SOLID);
    SetDrawScale(view.mapZoom, view.mapZoom);
    for (const TRun& across : AxisRuns(view.mapX, cell, columns, clipLeft, clipRight))
        for (const TRun& down : AxisRuns(view.mapY, cell, rows, clipTop, clipBottom))
            DrawImageRect(Picture(), (view.camX + across.first) * kTileSize, (view.camY + down.first) * kTileSize,
                          across.count * kTileSize, down.count * kTileSize, float(view.mapX + across.first * cell),
                          float(view.mapY + down.first * cell));
    SetDrawScale(scaleX, scaleY);
    SetBlend(blend);
    return true;
}

namespace {

// DrawSh of a tile's shape; a board value whose lookup fails draws nothing.
void DrawTileShape(const TShapeManager& shapes, const TTileInfo& tiles, uint16_t tile, int x, int y) {
    if (const std::optional<uint16_t> shape = tiles.FindShape(tile)) shapes.DrawSh(*shape, x, y);
}

}  // namespace

void DrawTileCells(const TLevel& level, const TShapeManager& shapes, const TTileInfo& tiles,
                   const TScreenLayout& view, int drawtiles, int drawwin) {
    if (drawtiles == 0) return;
    for (int i = 0; i <= view.mapTilesW; ++i) {
        const int tx = view.camX + i;
        if (tx < 0 || tx >= kBoardWidth) continue;
        const int x = int(float(view.mapX) + float(kTileSize * i) * view.mapZoom);
        for (int j = 0; j <= view.mapTilesH; ++j) {
            const int ty = view.camY + j;
            if (ty < 0 || ty >= kBoardHeight) continue;
            const int y = int(float(view.mapY) + float(kTileSize * j) * view.mapZoom);
            const uint16_t word = level.bd[size_t(tx) * kBoardHeight + ty];
            uint16_t tile = word & kTileNumberMask, overlay = kNoOverlay;
            if (drawtiles == 1) tile = level.GetTile(tx, ty, overlay);
            if (drawtiles == 3 && tile < TileCount && tiles.tiles[tile].attributeImg) {
                DrawImageAt(tiles.tiles[tile].attributeImg, float(x), float(y));
            } else {
                DrawTileShape(shapes, tiles, tile, x, y);
                if (overlay != kNoOverlay) {
                    if (overlay & 0x8000) DrawTileShape(shapes, tiles, overlay & 0x7FFF, x, y);
                    else shapes.DrawSh(overlay, x, y);
                }
            }
            if (drawwin == 1 && (word & kFlagBits)) DrawRect(float(x), float(y), kTileSize, kTileSize);
        }
    }
}
