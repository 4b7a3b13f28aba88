// Opening a level into the document, starting a new one, and binding the
// game whose pictures and tile info the level is shown with.

#include "document/level_document.h"

#include "gamedata/game_binding.h"
#include "level/level.h"
#include "level/level_file.h"
#include "system/paths.h"

bool TLevelDocument::Load(const std::string& path) {
    // Taken before reading: a change made while the file is read then shows
    // as a change at the next save instead of going unnoticed.
    const TFileIdentity before = FileIdentity(path);
    TLevelPtr loaded = ReadLevel(path);
    if (!loaded) return false;
    levelfileKnown = before;
    loaded->levelfile = FileNamePart(path);
    level = loaded;
    levelchanged = 0;
    undoList = std::make_shared<TLevelList>();
    redoList = std::make_shared<TLevelList>();
    return true;
}

void TLevelDocument::New() {
    level = std::make_shared<TLevel>();
    levelfile.clear();
    levelfileKnown = {};
    levelchanged = 0;
    undoList = std::make_shared<TLevelList>();
    redoList = std::make_shared<TLevelList>();
}

void TLevelDocument::BindGame(const std::string& folder, const TGameInfoPtr& game) {
    if (!game) return;
    TGameData data = LoadGameData(folder, *game);
    shapeman = data.shapeman;
    tileinfo = data.tileinfo;
    boundGame = game;
}
