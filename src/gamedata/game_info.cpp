#include "gamedata/game_info.h"

#include "base/log.h"
#include "platform/paths.h"

namespace {

TGameInfoPtr MakeGameInfo(const char* name, const char* extension, const char* shapeFile,
                          const char* tileInfoFile, const char* vocFile) {
    auto game = std::make_shared<TGameInfo>();
    game->Name = name;
    game->Extension = extension;
    game->ShapeFile = shapeFile;
    game->TileInfoFile = tileInfoFile;
    game->VocFile = vocFile;
    return game;
}

// A directory that happens to carry a data file's name must not make a game
// look installed.
bool IsRegularFile(const std::string& path) { return PathType(path) == 1; }

}  // namespace

std::vector<TGameInfoPtr> MakeGameInfos() {
    return {
        MakeGameInfo("Jill of the Jungle", "jn1", "jill1.sha", "jill.dma", "jill1.vcl"),
        MakeGameInfo("Jill Goes Underground", "jn2", "jill2.sha", "jill.dma", "jill2.vcl"),
        MakeGameInfo("Jill Saves the Prince", "jn3", "jill3.sha", "jill.dma", "jill3.vcl"),
        MakeGameInfo("Onesimus - A Quest For Freedom", "one", "onesimus.sha", "onesimus.dma",
                     "onesimus.vcl"),
    };
}

std::vector<TGameInfoPtr> FindGames(const std::string& folder, const std::vector<TGameInfoPtr>& table) {
    std::string base = folder;
    if (base.empty() || (base.back() != '/' && base.back() != '\\')) base += "/";

    LogBlankLine();
    LogLine("Searching for supported games in \"" + base + "\" ...");
    std::vector<TGameInfoPtr> found;
    for (const TGameInfoPtr& game : table) {
        if (!game) continue;
        LogText(" Testing \"" + game->Name + "\" ... ");
        if (IsRegularFile(base + game->ShapeFile) && IsRegularFile(base + game->TileInfoFile)) {
            found.push_back(game);
            LogLine("SUCCESS!");
        } else {
            LogLine("not found.");
        }
    }
    return found;
}
