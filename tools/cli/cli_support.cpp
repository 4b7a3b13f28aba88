#include "cli/cli_commands.h"

#include "gamedata/object_labels.h"
#include "level/level_file.h"
#include "system/stream.h"

TLevelPtr ReadLevelForCli(const std::string& path, TCliCall& call) {
    int noticesBefore = call.host.notices;
    TLevelPtr level = ReadLevel(path);
    // The reader explains a file that is no level; this one could not even be opened.
    if (!level && call.host.notices == noticesBefore)
        call.err << WithFileErrorReason("tarn-cli: cannot open the level file " + path, " ") << "\n";
    return level;
}

bool BindLevelGame(const std::string& path, TCliLevel& bound) {
    const TGameInfoPtr game = FindLevelGame(LevelFolder(path), path, MakeGameInfos());
    if (!game) return false;
    bound.game = LoadGameData(LevelFolder(path), *game);
    GenerateObjectImages(*bound.level, bound.game.shapeman.get());
    return true;
}

bool ReadBoundLevelForCli(const std::string& path, TCliCall& call, TCliLevel& bound) {
    bound.level = ReadLevelForCli(path, call);
    if (!bound.level) return false;
    if (!BindLevelGame(path, bound)) {
        call.err << "tarn-cli: no game data (shape file and tile info file) found in " << LevelFolder(path) << "\n";
        return false;
    }
    return true;
}
