#pragma once
// The one editor object. It owns everything for the whole run; its fields are
// grouped by the subsystem that owns them, and its methods are defined in that
// subsystem's folder (files named viewer_*.cpp).

#include <memory>
#include <string>
#include <vector>

#include "gamedata/game_info.h"

class TBitmap;
class TLevel;
class TLevelObject;
class TShapeManager;
class TTileInfo;
class TIniParser;

class TJillLevelViewer {
public:
    TJillLevelViewer();
    ~TJillLevelViewer();

    // --- level and its file
    std::shared_ptr<TLevel> level;
    std::string levelfile;
    int levelchanged = 0;

    // --- game data and game binding
    std::shared_ptr<TShapeManager> shapeman;
    std::shared_ptr<TTileInfo> tileinfo;
    std::string dir;
    std::string lastlevel;
    std::vector<TGameInfoPtr> GameInfos = MakeGameInfos();   // the four games, in detection order

    // The games of GameInfos whose data files are in folder, in table order.
    std::vector<TGameInfoPtr> GetGames(const std::string& folder);
    // Binds game: a new shape manager and tile info loaded from folder (which
    // ends in a separator). A null game does nothing.
    void InitGame(const std::string& folder, const TGameInfoPtr& game);

    // --- object palette (kept with the settings)
    std::vector<std::shared_ptr<TLevelObject>> objects;

    // --- object pictures (level/viewer_object_images.cpp)
    // Rebuilds obj's sprites and, with a shape file loaded, the label of a
    // TEXT6, TEXT8 or SCORE object. Nothing for a null obj.
    void GenerateImage(const std::shared_ptr<TLevelObject>& obj);
    // GenerateImage for every object of the level, then of the palette.
    void GenerateImages();

    // --- mapshot (view/viewer_mapshot.cpp)
    // The whole level at full size, 2048 x 1024 on the game palette with
    // index 0 opaque; null when no level is loaded.
    std::shared_ptr<TBitmap> LevelToBitmap();

    // --- settings
    std::shared_ptr<TIniParser> ini;
};
