// The game chooser: which of the games in a folder a new level (or a level
// whose game was not recognised) is for.

#include <algorithm>

#include "base/requesters.h"
#include "edit/jill_level_viewer.h"
#include "edit/modal_menu.h"
#include "screen/input.h"
#include "system/paths.h"

namespace {

const std::string kChangeFolder = "CHANGE FOLDER";
const std::string kAbort = "ABORT";

}  // namespace

std::string TJillLevelViewer::SelectGameDir() {
    std::string folder = RequestDir("Please select your Jill/Onesimus folder.", DirectoryPart(dir));
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += "/";
    FlushInput();
    return folder;
}

bool TJillLevelViewer::SelectGame() {
    // Each pass of this loop is a folder; "CHANGE FOLDER" starts the next.
    for (;;) {
        if (dir.empty()) dir = SelectGameDir();
        if (dir.empty()) return false;
        std::vector<TGameInfoPtr> games = GetGames(dir);
        while (games.empty()) {
            MyNotify("There are no supported games in the directory\n\n" + dir, 0);
            dir = SelectGameDir();
            if (dir.empty()) return false;
            games = GetGames(dir);
        }

        TModalMenu menu;
        for (const TGameInfoPtr& game : games) menu.entries.push_back({{game->Name}});
        menu.entries.push_back({{kChangeFolder}});
        menu.entries.push_back({{kAbort}});
        for (const TMenuEntry& entry : menu.entries) menu.w = std::max(menu.w, StringWidth(entry.lines[0]));
        // The two commands are centred under the names.
        for (size_t i = games.size(); i < menu.entries.size(); ++i)
            menu.entries[i].indent = (menu.w - StringWidth(menu.entries[i].lines[0])) / 2;
        menu.centred = true;
        menu.drawFrame = [&] {
            DrawBackground(1);
            DrawTitledWindow("Select Game", menu.x - 8, menu.y - 8, menu.w + 16, menu.Height() + 16);
        };
        menu.extraKeys = [] {
            const bool escape = KeyPresses(VK_ESCAPE) > 0;
            const bool close = CloseRequested() > 0;
            return escape || close ? TModalMenu::kCancelled : TModalMenu::kStayOpen;
        };

        for (;;) {
            const int chosen = menu.Run(*this);
            if (chosen == TModalMenu::kCancelled || chosen == int(games.size()) + 1) return false;
            if (chosen < int(games.size())) {
                InitGame(dir, games[size_t(chosen)]);
                return true;
            }
            // "CHANGE FOLDER": a cancelled folder requester keeps this menu.
            const std::string folder = SelectGameDir();
            if (folder.empty()) continue;
            dir = folder;
            break;
        }
    }
}
