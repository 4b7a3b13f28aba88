// The main menu: what the program shows first and comes back to from the
// editor.

#include <algorithm>
#include <array>

#include "base/requesters.h"
#include "edit/jill_level_viewer.h"
#include "edit/modal_menu.h"
#include "edit/save_name.h"
#include "play/play_copy.h"
#include "screen/input.h"
#include "system/file_identity.h"
#include "system/paths.h"
#include "system/stream.h"

namespace {

enum TMainEntry { kNewLevel, kLoadLevel, kSaveLevel, kSaveLevelAs, kExportMapshot, kBackToEditor, kQuit, kEntryCount };

const std::array<std::string, kEntryCount> kEntryNames = {"New Level",      "Load Level",     "Save Level",
                                                          "Save Level As",  "Export Mapshot", "Back To Editor",
                                                          "Quit"};

bool NeedsLevel(int entry) { return entry >= kSaveLevel && entry <= kBackToEditor; }

// Reads the level file name and binds its game, then enters the editor; on
// failure no level remains loaded and the notice says why. Both "Load Level"
// and a level named when the program starts come this way.
void LoadLevelAndEdit(TJillLevelViewer& viewer, const std::string& name, std::string& lastLoadedFolder) {
    if (!viewer.Init(name)) {
        // A level without its game cannot be shown or saved sensibly.
        viewer.level = nullptr;
        viewer.levelfile.clear();
        // The reader explains a file that is no level; a file that
        // could not even be opened is explained here.
        const std::string notice = "ERROR: Cannot load level from the file\n\n" + name;
        viewer.MyNotify(OpenReadStream(name) ? notice : WithFileErrorReason(notice, "\n\n"), 0);
        return;
    }
    viewer.levelfile = name;
    lastLoadedFolder = DirectoryPart(name);
    viewer.EditLoop();
}

}  // namespace

void TJillLevelViewer::MainMenu(const std::string& levelToOpen) {
    LoadSettings();
    FlushInput();
    // Scratch copies whose DOSBox ended after an earlier run ended.
    RemoveEndedScratchCopies(PlayRootFor(kPlayFolder));
    const bool restored = OfferRecoveryCopies();
    if (restored) EditLoop();

    TModalMenu menu;
    for (const std::string& name : kEntryNames) {
        menu.entries.push_back({{name}});
        menu.w = std::max(menu.w, StringWidth(name));
    }
    menu.centred = true;
    menu.drawFrame = [&] {
        DrawBackground(1);
        DrawWindow(menu.x - 8, menu.y - 8, menu.w + 16, menu.Height() + 16);
        // Without a level the entries that need one are shown unavailable.
        for (int i = 0; i < kEntryCount; ++i) {
            const bool unavailable = NeedsLevel(i) && !level;
            menu.entries[size_t(i)].plain = unavailable ? TColor{127, 0, 0} : TColor{127, 127, 127};
            menu.entries[size_t(i)].highlight = unavailable ? TColor{255, 127, 127} : TColor{255, 255, 255};
        }
    };
    menu.extraKeys = [&] {
        if (KeyPresses(VK_ESCAPE)) return level ? int(kBackToEditor) : int(kQuit);
        if (CloseRequested()) return int(kQuit);
        return TModalMenu::kStayOpen;
    };

    // Without a level, the next level is looked for where the last one came from.
    std::string lastLoadedFolder;
    // After a restore the level named on the command line is loaded as any
    // other load, through the question about unsaved changes, unless it is
    // the very file restored.
    if (!levelToOpen.empty() && !(restored && SameFile(FileIdentity(levelToOpen), FileIdentity(levelfile))) && AskSave())
        LoadLevelAndEdit(*this, levelToOpen, lastLoadedFolder);
    for (;;) {
        const int chosen = menu.Run(*this);
        if (NeedsLevel(chosen) && !level) {
            MyNotify("ERROR: No Level Loaded!", 0);
            continue;
        }
        switch (chosen) {
        case kNewLevel: {
            if (!AskSave()) break;
            const std::string oldDir = dir;
            if (!SelectGame()) {
                dir = oldDir;
                break;
            }
            NewLevel();
            levelfile.clear();
            levelchanged = 0;
            EditLoop();
            break;
        }
        case kLoadLevel: {
            if (!AskSave()) break;
            const std::string name = RequestFile("Open Jill Level File...", kLevelFilesFilter, 0,
                                                 level ? CurrentLevelFolder(*this) : lastLoadedFolder);
            FlushInput();
            if (name.empty()) break;
            LoadLevelAndEdit(*this, name, lastLoadedFolder);
            break;
        }
        case kSaveLevel: SaveLevel(""); break;
        case kSaveLevelAs: {
            // Cancelled or failed, the level keeps its path.
            const std::string name = AskLevelSaveName(*this);
            if (!name.empty()) SaveLevel(name);
            break;
        }
        case kExportMapshot: ExportMapshot(); break;
        case kBackToEditor: EditLoop(); break;
        case kQuit: Quit(); break;
        default: break;
        }
    }
}
