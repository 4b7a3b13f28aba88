#pragma once
// The four supported games and how to tell which of them a folder holds.

#include <memory>
#include <string>
#include <vector>

class TGameInfo {
public:
    std::string Name;           // title shown to the user and in the log
    std::string Extension;      // level file extension, lower case, no dot
    std::string ShapeFile;      // relative to the game folder
    std::string TileInfoFile;   // relative to the game folder
    std::string VocFile;        // carried along; nothing here uses it
};

using TGameInfoPtr = std::shared_ptr<TGameInfo>;

// The table of the four games in detection order: the three Jill episodes,
// then Onesimus. The order matters, the first match wins.
std::vector<TGameInfoPtr> MakeGameInfos();

// The games of table whose shape file and tile info file are both regular
// files in folder, in table order, with the search logged. The data files'
// names are matched without regard to case (folders copied from DOS hold
// them in capitals); where names differ only in case, the log says which file
// was taken. A folder without a trailing separator gets "/" added.
std::vector<TGameInfoPtr> FindGames(const std::string& folder, const std::vector<TGameInfoPtr>& table);

// The path of a game's data file in folder, by the name the file really has
// there in any case, chosen as FindGames chooses it; the name as given when
// there is no such file, so that the loader reports it missing.
std::string GameFilePath(const std::string& folder, const std::string& name);
