// Saving the current level: the check against the game's limits, then the
// safe write that never destroys the previous file.

#include "edit/jill_level_viewer.h"
#include "edit/save_name.h"
#include "level/level.h"
#include "level/save_findings.h"
#include "system/stream.h"

int TJillLevelViewer::ConfirmSave() {
    const TSaveFindings findings = FindSaveProblems(*level);
    if (!findings.any) return 1;
    return MyConfirm(findings.message + "\n\nDo you want to save the level anyway?", findings.serious ? 1 : 0);
}

bool TJillLevelViewer::ChangedOnDiskMayBeReplaced(const std::string& path) {
    // A file removed meanwhile is simply written again.
    const TFileIdentity now = FileIdentity(path);
    if (!levelfileKnown.exists || !now.exists) return true;
    // The level's own file by any of its names: opened by a relative one and
    // saved by the requester's absolute one, or through a link. Replaced by
    // another program, it is the one the level's name leads to now.
    const bool levelsOwn = SameFile(now, levelfileKnown) || SameFile(now, FileIdentity(levelfile));
    if (!levelsOwn || now == levelfileKnown) return true;
    return MyConfirm("The file\n\n" + path +
                         "\n\nwas changed by another program since Tarn opened it.\n\nOverwrite it with the level as "
                         "it is in Tarn?",
                     0) == 1;
}

int TJillLevelViewer::SaveLevel(const std::string& url) {
    if (!level) return 0;
    std::string path = url.empty() ? levelfile : url;
    if (path.empty()) path = AskLevelSaveName(*this);
    if (path.empty() || !ChangedOnDiskMayBeReplaced(path) || !ConfirmSave()) return 0;
    // The save writes a new file, so that a failed one never destroys the
    // old: any other names of the old file keep the old level.
    const bool otherNames = HardLinkCount(path) > 1;
    const bool otherNamesToldAlready = SameFile(FileIdentity(path), otherNamesTold);
    DisplayMessage("Saving...");
    if (!level->WriteToFile(path)) {
        MyNotify(WithFileErrorReason("ERROR: Cannot write level to the file\n\n" + path, "\n\n"), 0);
        return 0;
    }
    levelfile = path;
    levelfileKnown = FileIdentity(path);
    levelchanged = 0;
    DropRecoveryCopy();
    if (otherNames && !otherNamesToldAlready)
        MyNotify("The level was saved to\n\n" + path +
                     "\n\nThat file had other names (hard links). They still hold the level as it was before; copy "
                     "the level to them if they should have the changes too.",
                 0);
    if (otherNames || otherNamesToldAlready) otherNamesTold = levelfileKnown;
    return 1;
}
