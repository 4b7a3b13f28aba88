#include "cli/cli_commands.h"
#include "sample_game/sample_game.h"

int CliSampleGame(TCliCall& call) {
    std::string error;
    if (!WriteSampleGame(call.args[0], error)) {
        call.err << "tarn-cli: " << error << "\n";
        return 1;
    }
    return 0;
}
