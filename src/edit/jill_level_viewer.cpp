#include "edit/jill_level_viewer.h"

#include "base/ini.h"
#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"
#include "level/level.h"
#include "system/process.h"

// The brush starts as one cell of tile 0.
TJillLevelViewer::TJillLevelViewer() : selTiles(1, 0), selW(1), selH(1) {}
TJillLevelViewer::~TJillLevelViewer() = default;
