#include "gamedata/game_binding.h"

#include <cctype>

#include "base/log.h"
#include "system/paths.h"

TGameInfoPtr FindLevelGame(const std::string& dir, const std::string& levelPath,
                           const std::vector<TGameInfoPtr>& table) {
    std::string name = FileNamePart(levelPath);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    LogLine("Trying to find game files for level file \"" + levelPath + "\" ...");
    const std::vector<TGameInfoPtr> games = FindGames(dir, table);
    for (const TGameInfoPtr& game : games)
        if (name.find(game->Extension) != std::string::npos) {
            LogLine("Using \"" + game->Name + "\"");
            return game;
        }
    LogLine("No matching game detected!");
    if (games.empty()) return nullptr;
    LogLine("Using first detected game (" + games.front()->Name + ")");
    return games.front();
}

std::string LevelFolder(const std::string& levelPath) {
    // Without a folder in the name the level lies in the current one; taken
    // literally, "" + "/" would search the root.
    const std::string folder = DirectoryPart(levelPath);
    if (folder.empty()) return "./";
    return folder.back() == '/' ? folder : folder + "/";
}

TGameData LoadGameData(const std::string& folder, const TGameInfo& game) {
    TGameData data{std::make_shared<TShapeManager>(), std::make_shared<TTileInfo>()};
    data.shapeman->Init(GameFilePath(folder, game.ShapeFile));
    data.tileinfo->Init(GameFilePath(folder, game.TileInfoFile), data.shapeman);
    return data;
}
