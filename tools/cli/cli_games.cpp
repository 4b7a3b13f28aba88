#include "cli/cli_commands.h"
#include "gamedata/game_info.h"

int CliGames(TCliCall& call) {
    for (const TGameInfoPtr& game : FindGames(call.args[0], MakeGameInfos())) call.out << game->Name << "\n";
    return 0;
}
