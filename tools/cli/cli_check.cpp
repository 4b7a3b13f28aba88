#include "cli/cli_commands.h"

#include "level/save_findings.h"
#include "system/paths.h"

int CheckStatus(const TSaveFindings& findings) {
    if (!findings.any) return 0;
    return findings.serious ? 4 : 3;
}

int CliCheck(TCliCall& call) {
    std::string target;
    bool json = false;
    for (const std::string& arg : call.args) {
        if (arg.rfind("--format=", 0) == 0) {
            if (arg != "--format=json") {
                call.err << "tarn-cli: unknown output format " << arg.substr(9) << " (there is json)\n";
                return 2;
            }
            json = true;
        } else if (target.empty()) {
            target = arg;
        } else {
            call.err << "tarn-cli: check takes one level or one folder\n";
            return 2;
        }
    }
    if (target.empty()) {
        call.err << "tarn-cli: check needs a level or a folder\n";
        return 2;
    }
    if (PathType(target) == 2) return CheckFolder(call, target, json);
    if (json) {
        call.err << "tarn-cli: --format=json is for a folder's check\n";
        return 2;
    }
    TLevelPtr level = ReadLevelForCli(target, call);
    if (!level) return 1;
    TSaveFindings findings = FindSaveProblems(*level);
    if (findings.any) call.out << findings.message << "\n";
    return CheckStatus(findings);
}
