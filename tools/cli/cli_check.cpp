#include "cli/cli_commands.h"

#include "level/save_findings.h"

int CliCheck(TCliCall& call) {
    TLevelPtr level = ReadLevelForCli(call.args[0], call);
    if (!level) return 1;
    TSaveFindings findings = FindSaveProblems(*level);
    if (!findings.any) return 0;
    call.out << findings.message << "\n";
    return findings.serious ? 4 : 3;
}
