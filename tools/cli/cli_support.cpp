#include "cli/cli_commands.h"

#include "level/level_file.h"

TLevelPtr ReadLevelForCli(const std::string& path, TCliCall& call) {
    int noticesBefore = call.host.notices;
    TLevelPtr level = ReadLevel(path);
    if (!level && call.host.notices == noticesBefore) call.err << "tarn-cli: cannot open the level file " << path << "\n";
    return level;
}
