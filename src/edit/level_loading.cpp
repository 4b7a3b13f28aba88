// Loading a level, starting a new one, and binding the editor to the game a
// level belongs to: found in the level's folder, or chosen by the user.

#include "base/log.h"
#include "edit/jill_level_viewer.h"
#include "gamedata/game_binding.h"
#include "level/level.h"

bool TJillLevelViewer::Init(const std::string& levelPath) {
    DisplayMessage("Loading...");
    level = nullptr;
    shapeman = nullptr;
    tileinfo = nullptr;
    boundGame = nullptr;
    dir.clear();
    LoadLevel(levelPath);
    if (!level) return false;

    dir = LevelFolder(levelPath);
    const TGameInfoPtr game = FindLevelGame(dir, levelPath, GameInfos);
    if (game) {
        InitGame(dir, game);
    } else if (!SelectGame()) {
        LogBlock("ERROR: Could not find game data for this level!");
        return false;
    }
    GenerateImages();
    ClearSelection();
    return true;
}

void TJillLevelViewer::LoadLevel(const std::string& path) {
    const TLevelPtr previous = level;
    if (!document.Load(path)) return;
    if (previous) lastlevel = previous->levelfile;
    if (shapeman) GenerateImages();
}

void TJillLevelViewer::NewLevel() {
    document.New();
    GenerateImages();
    ClearSelection();
}
