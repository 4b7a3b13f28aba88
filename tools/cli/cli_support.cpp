#include "cli/cli_commands.h"

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
