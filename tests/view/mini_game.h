#pragma once
// A tiny game made in memory for the view tests: a few tile and sprite
// frames of plain colours, the sample game's fonts, and a tile info file.

#include <cstdint>
#include <utility>
#include <vector>

#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"
#include "sample_game/sample_shape_file.h"

struct TMiniGame {
    TShapeManagerPtr shapes = std::make_shared<TShapeManager>();
    TTileInfoPtr tiles = std::make_shared<TTileInfo>();

    // tileShapes: (tile number, shape number) records of the tile info file.
    TMiniGame(const TSampleShapeTables& tables, const std::vector<std::pair<int, int>>& tileShapes);
};

TCanvas Plain(int w, int h, uint8_t colour);
