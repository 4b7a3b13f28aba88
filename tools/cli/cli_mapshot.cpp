#include "cli/cli_commands.h"
#include "edit/jill_level_viewer.h"
#include "gamedata/game_binding.h"
#include "image/png_save.h"
#include "system/stream.h"

int CliMapshot(TCliCall& call) {
    const std::string& levelPath = call.args[0];
    const std::string& target = call.args[1];
    TJillLevelViewer viewer;
    viewer.level = ReadLevelForCli(levelPath, call);
    if (!viewer.level) return 1;
    // The game is chosen as the editor chooses it when it loads a level; there
    // is nobody here to ask when none fits.
    const std::string dir = LevelFolder(levelPath);
    const TGameInfoPtr game = FindLevelGame(dir, levelPath, viewer.GameInfos);
    if (!game) {
        call.err << "tarn-cli: no game data (shape file and tile info file) found in " << dir << "\n";
        return 1;
    }
    viewer.InitGame(dir, game);
    viewer.GenerateImages();
    if (!SavePng(viewer.LevelToBitmap(), target, 0)) {
        call.err << WithFileErrorReason("tarn-cli: cannot write the mapshot to the file " + target, " ") << "\n";
        return 1;
    }
    return 0;
}
