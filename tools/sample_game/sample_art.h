#pragma once
// The sample game's pictures: every shape table that the tiles, the object
// frame rules, the fonts and the inventory icons use, drawn by code.

#include "sample_game/sample_shape_file.h"
#include "sample_game/sample_tiles.h"

TSampleShapeTables BuildSampleShapes(TSampleGame game);

// The font tables alone (1: 8 x 8, 2: 6 x 6, 4: 4 x 5 digits first).
void AddSampleFonts(TSampleShapeTables& tables);
