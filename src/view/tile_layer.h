#pragma once
// The level's whole tile layer as one picture, 16 x 16 pixels per cell, made
// on the processor from the very images the map would draw cell by cell.
// Drawing thousands of small images every frame is what makes a redraw slow;
// one scaled copy of this picture shows the same pixels for a fraction of it.
//
// The picture never trusts its callers to say what changed: every Update
// compares the board, the game data and the display mode with what it was
// made from and recomposes the cells whose picture differs, so no edit, undo
// or newly loaded level can leave a stale cell on screen.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "image/image.h"
#include "level/level.h"

class TShapeManager;
class TTileInfo;
class TScreenLayout;

// What DrawSh draws for a shape number, or null: table 0 is never drawn.
const TImage* ShapeImage(const TShapeManager& shapes, uint16_t shape);
// The picture of a tile's shape, or null for a board value whose lookup fails.
const TImage* TileShapeImage(const TShapeManager& shapes, const TTileInfo& tiles, uint16_t tile);

// Pictures made of 16 x 16 cells.
class TCellPicture {
public:
    TCellPicture(int columns, int rows);

    const TImage& Picture() const { return picture; }
    // Empties a cell: what nothing covers stays see-through.
    void ClearCell(int column, int row);
    // Lays an image (may be null) over a cell by the mask rule of drawing:
    // alpha from one half up is drawn opaque, the rest not at all. False for
    // an image that is not a whole cell, which this picture cannot stand for.
    bool PaintCell(int column, int row, const TImage* image);
    // Covers a cell with an opaque square of the drawing colour, white: the
    // colour that tints the picture then gives it the colour of a drawn square.
    void FillCell(int column, int row);
    // Hands the cells changed since the last call over to the renderer.
    void Publish();

private:
    TImage picture;
    int dirtyLeft, dirtyTop, dirtyRight, dirtyBottom;   // in cells, right and bottom exclusive
};

// The tile layer drawn cell by cell, column by column and top to bottom, at
// the current scale and clip: what the picture stands for, and what the map
// falls back on where the picture cannot stand for it.
void DrawTileCells(const TLevel& level, const TShapeManager& shapes, const TTileInfo& tiles,
                   const TScreenLayout& view, int drawtiles, int drawwin);

class TTileLayer {
public:
    TTileLayer();

    // Brings the picture in step with the level's board, the game data and
    // the display switches (drawtiles 1-3, drawwin 0/1). True when it shows
    // exactly what drawing every cell shows; false while some cell names a
    // picture that is not a whole 16 x 16 cell, whose overhang on its
    // neighbours only drawing cell by cell reproduces.
    bool Update(const TLevel& level, const std::shared_ptr<TShapeManager>& shapes,
                const std::shared_ptr<TTileInfo>& tiles, int drawtiles, int drawwin);

    // Draws the part of the level the map view shows, at its zoom and camera,
    // exactly as drawing cell by cell would. False, drawing nothing, at a
    // zoom where cells are not a whole number of screen pixels.
    bool Draw(const TScreenLayout& view) const;

    const TImage& Picture() const { return cells.Picture(); }

private:
    void ComposeCell(const TLevel& level, int x, int y);

    TCellPicture cells;
    bool built = false;
    std::array<uint16_t, kBoardWidth * kBoardHeight> board{};
    std::weak_ptr<TShapeManager> builtShapes;
    std::weak_ptr<TTileInfo> builtTiles;
    int builtMode = 0, builtMarks = 0;
    const TShapeManager* shapes = nullptr;
    const TTileInfo* tiles = nullptr;
    // Cells whose picture is not a whole cell, and how many there are.
    std::vector<bool> oddCell;
    int oddCells = 0;
};
