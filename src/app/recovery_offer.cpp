// At start-up, the levels that runs which did not end in order left with
// unsaved changes are offered back, one at a time. Only one can become the
// current level: the first the user takes enters the editor, and the copies
// not yet offered wait for the next start.

#include <algorithm>

#include "base/log.h"
#include "edit/jill_level_viewer.h"
#include "edit/recovery_copy.h"
#include "level/level.h"
#include "level/level_file.h"
#include "platform/paths.h"
#include "platform/stream.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A copy that cannot be read is moved aside, where it is offered no more but
// is still there for a person to look at.
void SetDamagedCopyAside(TJillLevelViewer& viewer, const std::string& path, const std::string& problem) {
    const std::string aside = path + ".damaged";
    LogLine("Recovery :: \"" + path + "\" cannot be read: " + problem);
    RenameFile(path, aside);
    viewer.MyNotify("Tarn did not end properly last time, but the copy it kept of the unsaved changes cannot be "
                    "read (" + problem + ").\n\nIt was moved to\n\n" + aside,
                    0);
}

}  // namespace

bool TJillLevelViewer::OfferRecoveryCopies() {
    for (const std::string& file : FolderFileNames(kRecoveryFolder)) {
        if (!EndsWith(file, kRecoveryCopySuffix)) continue;
        const std::string name = file.substr(0, file.size() - kRecoveryCopySuffix.size());
        const std::string path = RecoveryCopyPath(name);
        // A copy whose lock is held belongs to a Tarn that is still running.
        std::shared_ptr<TFileLock> lock = TryLockFile(RecoveryLockPath(name), true);
        if (!lock) continue;
        // The lock file is only for as long as the copy is looked at here,
        // unless the copy becomes this run's own.
        const auto release = [&] {
            RemoveFile(RecoveryLockPath(name));
            lock = nullptr;
        };

        std::vector<uint8_t> bytes;
        TRecoveryCopy copy;
        std::string problem;
        if (!ReadWholeFile(path, bytes)) {
            release();
            continue;   // gone meanwhile, or not readable at all: nothing to offer
        }
        if (!DecodeRecoveryCopy(bytes, copy, problem)) {
            SetDamagedCopyAside(*this, path, problem);
            release();
            continue;
        }
        const std::string which = copy.levelPath.empty() ? "a new level" : copy.levelPath;
        if (!MyConfirm("Tarn did not end properly last time.\n\nThe level\n\n" + which + "\n\nhad changes from " +
                           copy.time + " that were not saved.\n\nRestore them?",
                       0)) {
            LogLine("Recovery :: the changes to " + which + " were not restored");
            RemoveFile(path);
            release();
            continue;
        }

        // The game the level was bound to, where it was.
        const std::vector<TGameInfoPtr> games = GetGames(copy.gameFolder);
        const auto game = std::find_if(games.begin(), games.end(),
                                       [&](const TGameInfoPtr& info) { return info->Name == copy.gameName; });
        if (game == games.end()) {
            MyNotify("The changes to " + which + " cannot be restored now: the files of the game \"" + copy.gameName +
                         "\" are no longer in the folder\n\n" + copy.gameFolder +
                         "\n\nThe copy of the changes is kept in\n\n" + path +
                         "\n\nPut the game's files back and start Tarn again to restore them.",
                     0);
            release();
            continue;
        }
        auto memory = std::make_shared<TMemoryStream>(std::move(copy.levelBytes));
        TLevelPtr restored = ReadLevel(*LittleEndian(memory), path);
        if (!restored) {
            // The reader has told the user what is wrong with it.
            SetDamagedCopyAside(*this, path, "the level in it is damaged");
            release();
            continue;
        }

        InitGame(copy.gameFolder, *game);
        level = restored;
        level->levelfile = FileNamePart(copy.levelPath);
        undoList = std::make_shared<TLevelList>();
        redoList = std::make_shared<TLevelList>();
        GenerateImages();
        ClearSelection();
        dir = copy.gameFolder;
        levelfile = copy.levelPath;
        levelchanged = 1;
        // A save asks first only if the file changed after the run that
        // crashed last saw it.
        levelfileKnown = copy.known;
        recoveryName = name;
        recoveryLock = lock;
        recoveryLevelBytes = memory->Bytes();
        LogLine("Recovery :: restored the changes to " + which + " from " + copy.time);
        return true;
    }
    return false;
}
