#include "cli/cli_commands.h"
#include "platform/stream.h"

int CliRoundtrip(TCliCall& call) {
    TLevelPtr level = ReadLevelForCli(call.args[0], call);
    if (!level) return 1;
    const std::string& target = call.args[1];
    if (!level->WriteToFile(target)) {
        call.err << WithFileErrorReason("tarn-cli: cannot write the level to the file " + target, " ") << "\n";
        return 1;
    }
    return 0;
}
