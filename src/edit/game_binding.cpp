// Binding the editor to a game: the games a folder holds, and the game data
// of the one chosen. Loading a level (level_loading.cpp) and the game
// chooser (game_chooser.cpp) both bind through here.

#include "edit/jill_level_viewer.h"
#include "gamedata/game_info.h"

std::vector<TGameInfoPtr> TJillLevelViewer::GetGames(const std::string& folder) {
    return FindGames(folder, GameInfos);
}

void TJillLevelViewer::InitGame(const std::string& folder, const TGameInfoPtr& game) {
    document.BindGame(folder, game);
}
