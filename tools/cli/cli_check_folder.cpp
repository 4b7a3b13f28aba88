// check FOLDER: every level of the games in a folder judged as check LEVEL
// judges one, with one line per level that a mod's continuous integration
// can read (or JSON lines) and the worst level's status.

#include "cli/cli_commands.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "gamedata/game_info.h"
#include "level/level_file.h"
#include "level/save_findings.h"
#include "system/file_extension.h"
#include "system/file_identity.h"
#include "system/stream.h"

namespace {

// Keys in the order written, so that a line reads file first.
using TJson = nlohmann::ordered_json;

struct TLevelVerdict {
    std::string file;      // its name in the folder
    std::string game;
    int status = 0;        // as check LEVEL exits for it
    std::string problem;   // why it could not be read
    std::vector<TSaveFinding> findings;
};

// A finding's text, whose lines are meant for a message box, on one line.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// The game whose level extension the file name ends in, of those found.
TGameInfoPtr GameOfFile(const std::string& name, const std::vector<TGameInfoPtr>& games) {
    for (const TGameInfoPtr& game : games)
        if (HasExtensionIgnoringCase(name, game->Extension)) return game;
    return nullptr;
}

// Reads the level without a notice: its reason goes into the level's line.
TLevelVerdict Judge(const std::string& path, const std::string& name, const TGameInfo& game) {
    TLevelVerdict verdict;
    verdict.file = name;
    verdict.game = game.Name;
    TStreamPtr stream = LittleEndian(OpenReadStream(path));
    TLevelPtr level;
    if (!stream)
        verdict.problem = WithFileErrorReason("cannot open the file", " ");
    else if (!(level = ReadLevelWithoutNotice(*stream, verdict.problem)) && verdict.problem.empty())
        verdict.problem = "not a level";
    if (!level) {
        verdict.status = 1;
        return verdict;
    }
    const TSaveFindings findings = FindSaveProblems(*level);
    verdict.status = CheckStatus(findings);
    for (const TSaveFinding& finding : findings.list) verdict.findings.push_back({OneLine(finding.text), finding.serious});
    return verdict;
}

// "FILE (GAME): ok", "FILE (GAME): unreadable: WHY" or the findings joined
// by " | ", each serious one marked.
std::string TextLine(const TLevelVerdict& verdict) {
    std::string line = verdict.file + " (" + verdict.game + "): ";
    if (verdict.status == 0) return line + "ok";
    if (verdict.status == 1) return line + "unreadable: " + verdict.problem;
    for (size_t i = 0; i < verdict.findings.size(); ++i)
        line += (i ? " | " : "") + std::string(verdict.findings[i].serious ? "serious: " : "") + verdict.findings[i].text;
    return line;
}

// File names need not be UTF-8: a byte that is not becomes U+FFFD rather
// than stopping the check.
std::string Dump(const TJson& value) {
    return value.dump(-1, ' ', false, TJson::error_handler_t::replace);
}

std::string JsonLine(const TLevelVerdict& verdict) {
    TJson line = {{"file", verdict.file}, {"game", verdict.game}, {"status", verdict.status}};
    if (verdict.status == 1) line["problem"] = verdict.problem;
    line["findings"] = TJson::array();
    for (const TSaveFinding& finding : verdict.findings)
        line["findings"].push_back({{"text", finding.text}, {"serious", finding.serious}});
    return Dump(line);
}

}  // namespace

int CheckFolder(TCliCall& call, const std::string& folder, bool json) {
    const std::vector<TGameInfoPtr> games = FindGames(folder, MakeGameInfos());
    if (games.empty()) {
        call.err << "tarn-cli: no game data (shape file and tile info file) found in " << folder << "\n";
        return 2;
    }
    const std::string prefix = folder.back() == '/' ? folder : folder + "/";
    // Counts by the status each level gave: 0, 1, 3 and 4.
    int counts[5] = {};
    int worst = 0;
    for (const std::string& name : FolderFileNames(folder)) {
        const TGameInfoPtr game = GameOfFile(name, games);
        if (!game) continue;
        const TLevelVerdict verdict = Judge(prefix + name, name, *game);
        ++counts[verdict.status];
        worst = std::max(worst, verdict.status);
        call.out << (json ? JsonLine(verdict) : TextLine(verdict)) << "\n";
    }
    const int levels = counts[0] + counts[1] + counts[3] + counts[4];
    if (json)
        call.out << Dump({{"levels", levels}, {"ok", counts[0]}, {"findings", counts[3]}, {"serious", counts[4]},
                          {"unreadable", counts[1]}, {"status", worst}})
                 << "\n";
    else
        call.out << levels << " level(s): " << counts[0] << " ok, " << counts[3] << " with findings, " << counts[4]
                 << " with serious findings, " << counts[1] << " unreadable\n";
    return worst;
}
