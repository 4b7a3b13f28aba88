#include "gamedata/game_info.h"

#include <map>

#include "base/log.h"
#include "system/paths.h"

namespace {

TGameInfoPtr MakeGameInfo(const char* name, const char* extension, const char* shapeFile,
                          const char* tileInfoFile, const char* vocFile) {
    auto game = std::make_shared<TGameInfo>();
    game->Name = name;
    game->Extension = extension;
    game->ShapeFile = shapeFile;
    game->TileInfoFile = tileInfoFile;
    game->VocFile = vocFile;
    return game;
}

std::string FolderWithSeparator(const std::string& folder) {
    if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) return folder;
    return folder + "/";
}

// "A", "B" and "C": the names of the files that differ only in case.
std::string QuotedList(const std::vector<std::string>& names) {
    std::string list;
    for (size_t i = 0; i < names.size(); ++i)
        list += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + ("\"" + names[i] + "\"");
    return list;
}

// The data files of one folder as looked up during one search. The Jill
// episodes share their tile info file, so each name is looked up (and a
// choice between names differing in case logged) only once.
class TDataFiles {
public:
    explicit TDataFiles(std::string folder) : folder(std::move(folder)) {}

    // Whether the file is there as a regular file (a directory carrying a data
    // file's name must not make a game look installed).
    bool Has(const std::string& name) {
        auto known = lookups.find(name);
        if (known == lookups.end()) {
            known = lookups.emplace(name, FindFileIgnoringCase(folder, name)).first;
            if (known->second.matches.size() > 1) unreported.push_back(known->second);
        }
        return !known->second.name.empty();
    }

    // Logs the choices made since the last call, one line each.
    void LogChoices() {
        for (const TFileLookup& lookup : unreported)
            LogLine("  " + QuotedList(lookup.matches) + " differ only in case: using \"" + lookup.name + "\"");
        unreported.clear();
    }

private:
    std::string folder;
    std::map<std::string, TFileLookup> lookups;
    std::vector<TFileLookup> unreported;
};

}  // namespace

std::vector<TGameInfoPtr> MakeGameInfos() {
    return {
        MakeGameInfo("Jill of the Jungle", "jn1", "jill1.sha", "jill.dma", "jill1.vcl"),
        MakeGameInfo("Jill Goes Underground", "jn2", "jill2.sha", "jill.dma", "jill2.vcl"),
        MakeGameInfo("Jill Saves the Prince", "jn3", "jill3.sha", "jill.dma", "jill3.vcl"),
        MakeGameInfo("Onesimus - A Quest For Freedom", "one", "onesimus.sha", "onesimus.dma",
                     "onesimus.vcl"),
    };
}

std::vector<TGameInfoPtr> FindGames(const std::string& folder, const std::vector<TGameInfoPtr>& table) {
    const std::string base = FolderWithSeparator(folder);
    LogBlankLine();
    LogLine("Searching for supported games in \"" + base + "\" ...");
    TDataFiles files(base);
    std::vector<TGameInfoPtr> found;
    for (const TGameInfoPtr& game : table) {
        if (!game) continue;
        LogText(" Testing \"" + game->Name + "\" ... ");
        if (files.Has(game->ShapeFile) && files.Has(game->TileInfoFile)) {
            found.push_back(game);
            LogLine("SUCCESS!");
        } else {
            LogLine("not found.");
        }
        files.LogChoices();
    }
    return found;
}

std::string GameFilePath(const std::string& folder, const std::string& name) {
    const TFileLookup lookup = FindFileIgnoringCase(folder, name);
    return FolderWithSeparator(folder) + (lookup.name.empty() ? name : lookup.name);
}
