#pragma once
// The whole level as a small picture, for file managers that show a level
// file as what it holds.

#include <cstdint>

#include "image/bitmap.h"

class TLevel;
class TShapeManager;
class TTileInfo;

// The level at most maxWidth wide in the board's shape, 2:1 (maxWidth
// rounded down to an even number, half as high): its mapshot shrunk, when
// the game's shapes and tiles are known; else the board in plain colours
// (PlainBoardPicture) so that the level can still be told from others.
// The objects' pictures are drawn as they are: make them first
// (GenerateObjectImages). Null when maxWidth is below 2.
TBitmapPtr LevelThumbnail(const TLevel& level, const TShapeManager* shapes, const TTileInfo* tiles, int32_t maxWidth);

// The board with one pixel per cell, without any game file: what a tile
// looks like and does is the game's, so a cell shows its tile number alone.
// Tile 0 is black, the tiles 1 to 599 go once round the colour wheel in
// number order (the games number the tiles of one surface side by side, so
// a surface keeps one hue; odd tiles are darker than even ones, so that
// neighbours still differ), and a board word naming no tile is white. The
// flag bits of a board word are ignored.
TBitmapPtr PlainBoardPicture(const TLevel& level);
