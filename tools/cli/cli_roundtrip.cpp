#include "cli/cli_commands.h"
#include "system/file_identity.h"
#include "system/stream.h"

int CliRoundtrip(TCliCall& call) {
    TLevelPtr level = ReadLevelForCli(call.args[0], call);
    if (!level) return 1;
    const std::string& target = call.args[1];
    // The level is written as a new file, so that a failed write never
    // destroys the old one: other names of the old file keep the old level.
    const bool otherNames = HardLinkCount(target) > 1;
    if (!level->WriteToFile(target)) {
        call.err << WithFileErrorReason("tarn-cli: cannot write the level to the file " + target, " ") << "\n";
        return 1;
    }
    if (otherNames)
        call.err << "tarn-cli: " << target << " had other names (hard links); they still hold the old level\n";
    return 0;
}
