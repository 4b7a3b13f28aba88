#include "cli/cli_commands.h"
#include "edit/jill_level_viewer.h"

int CliGames(TCliCall& call) {
    TJillLevelViewer viewer;
    for (const TGameInfoPtr& game : viewer.GetGames(call.args[0])) call.out << game->Name << "\n";
    return 0;
}
