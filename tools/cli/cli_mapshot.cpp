#include "cli/cli_commands.h"
#include "gamedata/level_picture.h"
#include "image/png_save.h"
#include "system/stream.h"

int CliMapshot(TCliCall& call) {
    const std::string& levelPath = call.args[0];
    const std::string& target = call.args[1];
    TCliLevel bound;
    if (!ReadBoundLevelForCli(levelPath, call, bound)) return 1;
    const auto shot = LevelToBitmap(*bound.level, bound.game.shapeman.get(), bound.game.tileinfo.get());
    if (!SavePng(shot, target, 0)) {
        call.err << WithFileErrorReason("tarn-cli: cannot write the mapshot to the file " + target, " ") << "\n";
        return 1;
    }
    return 0;
}
