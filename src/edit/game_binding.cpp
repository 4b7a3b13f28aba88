// Loading a level, starting a new one, and binding the editor to the game a
// level belongs to.

#include "base/log.h"
#include "edit/jill_level_viewer.h"
#include "gamedata/game_binding.h"
#include "level/level.h"
#include "level/level_file.h"
#include "system/paths.h"

std::vector<TGameInfoPtr> TJillLevelViewer::GetGames(const std::string& folder) {
    return FindGames(folder, GameInfos);
}

void TJillLevelViewer::InitGame(const std::string& folder, const TGameInfoPtr& game) {
    if (!game) return;
    // Shape manager and tile info belong together: both are replaced at once.
    TGameData data = LoadGameData(folder, *game);
    shapeman = data.shapeman;
    tileinfo = data.tileinfo;
    boundGame = game;
}

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
    // Taken before reading: a change made while the file is read then shows
    // as a change at the next save instead of going unnoticed.
    const TFileIdentity before = FileIdentity(path);
    TLevelPtr loaded = ReadLevel(path);
    if (!loaded) return;
    levelfileKnown = before;
    if (level) lastlevel = level->levelfile;
    loaded->levelfile = FileNamePart(path);
    level = loaded;
    levelchanged = 0;
    if (shapeman) GenerateImages();
    undoList = std::make_shared<TLevelList>();
    redoList = std::make_shared<TLevelList>();
}

void TJillLevelViewer::NewLevel() {
    level = std::make_shared<TLevel>();
    levelfile.clear();
    levelfileKnown = {};
    levelchanged = 0;
    undoList = std::make_shared<TLevelList>();
    redoList = std::make_shared<TLevelList>();
    GenerateImages();
    ClearSelection();
}
