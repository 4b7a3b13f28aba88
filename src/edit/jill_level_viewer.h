#pragma once
// The one editor object. It owns everything for the whole run; its fields are
// grouped by the subsystem that owns them, and its methods are defined in that
// subsystem's folder (files named viewer_*.cpp).

#include <memory>
#include <string>
#include <vector>

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

    // --- object palette (kept with the settings)
    std::vector<std::shared_ptr<TLevelObject>> objects;

    // --- settings
    std::shared_ptr<TIniParser> ini;
};
