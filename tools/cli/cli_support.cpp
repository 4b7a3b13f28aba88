#include "cli/cli_commands.h"

#include "level/level_file.h"

void TCliRequesterHost::Notify(const std::string& text, int) {
    ++notices;
    err << text << "\n";
}

int TCliRequesterHost::Confirm(const std::string& text, int serious) {
    Notify(text, serious);
    return 0;
}

int TCliRequesterHost::Proceed(const std::string& text, int serious) {
    Notify(text, serious);
    return -1;
}

std::string TCliRequesterHost::RequestFile(const std::string&, const std::string&, int, const std::string&) {
    return "";
}

std::string TCliRequesterHost::RequestDir(const std::string&, const std::string&) { return ""; }

TLevelPtr ReadLevelForCli(const std::string& path, TCliCall& call) {
    int noticesBefore = call.host.notices;
    TLevelPtr level = ReadLevel(path);
    if (!level && call.host.notices == noticesBefore) call.err << "tarn-cli: cannot open the level file " << path << "\n";
    return level;
}
