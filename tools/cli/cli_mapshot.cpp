#include <cctype>

#include "app/log.h"
#include "cli/cli_commands.h"
#include "edit/jill_level_viewer.h"
#include "image/png_save.h"
#include "platform/paths.h"

namespace {

// The game a level belongs to, as loading a level decides it and logs it:
// the first game of the folder whose extension occurs anywhere in the
// lower-cased file name, otherwise the first game found there.
TGameInfoPtr ChooseGame(TJillLevelViewer& viewer, const std::string& dir, const std::string& levelPath) {
    std::string name = FileNamePart(levelPath);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    LogLine("Trying to find game files for level file \"" + levelPath + "\" ...");
    const std::vector<TGameInfoPtr> games = viewer.GetGames(dir);
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

}  // namespace

int CliMapshot(TCliCall& call) {
    const std::string& levelPath = call.args[0];
    const std::string& target = call.args[1];
    TJillLevelViewer viewer;
    viewer.level = ReadLevelForCli(levelPath, call);
    if (!viewer.level) return 1;
    // A level named without a folder lies in the current one, not in the root.
    const std::string folder = DirectoryPart(levelPath);
    const std::string dir = (folder.empty() ? "." : folder) + "/";
    TGameInfoPtr game = ChooseGame(viewer, dir, levelPath);
    if (!game) {
        call.err << "tarn-cli: no game data (shape file and tile info file) found in " << dir << "\n";
        return 1;
    }
    viewer.InitGame(dir, game);
    viewer.GenerateImages();
    if (!SavePng(viewer.LevelToBitmap(), target, 0)) {
        call.err << "tarn-cli: cannot write the mapshot to the file " << target << "\n";
        return 1;
    }
    return 0;
}
