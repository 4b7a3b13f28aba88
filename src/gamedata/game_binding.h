#pragma once
// Which game a level file belongs to, and the game data that binding it loads.

#include <string>
#include <vector>

#include "gamedata/game_info.h"
#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"

// Looks for the games of table in dir (ending in a separator) and picks the
// level's: the first whose extension occurs anywhere in the lower-cased file
// name (a substring, so "phone.jn1" may be a Onesimus level where only that
// game is installed), else the first game found. Null when dir holds none.
// The search and the choice are logged.
TGameInfoPtr FindLevelGame(const std::string& dir, const std::string& levelPath,
                           const std::vector<TGameInfoPtr>& table);

// The folder of a level's game: the level's own folder, or the current one
// for a bare file name; always ending in "/".
std::string LevelFolder(const std::string& levelPath);

struct TGameData {
    TShapeManagerPtr shapeman;
    TTileInfoPtr tileinfo;
};

// Loads game's shape file and tile info from folder, each by the name it
// really has there in any case; the tile pictures are made from the new shapes.
TGameData LoadGameData(const std::string& folder, const TGameInfo& game);
