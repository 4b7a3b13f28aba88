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
    if (!document.ChangedOnDisk(path)) return true;
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
    DisplayMessage("Saving...");
    const TSaveOutcome outcome = document.Save(path);
    if (!outcome.written) {
        MyNotify(WithFileErrorReason("ERROR: Cannot write level to the file\n\n" + path, "\n\n"), 0);
        return 0;
    }
    if (outcome.tellOtherNames)
        MyNotify("The level was saved to\n\n" + path +
                     "\n\nThat file had other names (hard links). They still hold the level as it was before; copy "
                     "the level to them if they should have the changes too.",
                 0);
    return 1;
}
