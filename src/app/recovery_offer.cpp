// At start-up, the levels that runs which did not end in order left with
// unsaved changes are offered back, one at a time. Only one can become the
// current level: the first the user takes enters the editor, and the copies
// not yet offered wait for the next start. A copy is offered only when it
// can be restored; one that cannot is explained and kept, or set aside when
// it is damaged.

#include <algorithm>
#include <cerrno>

#include "base/log.h"
#include "document/recovery_copy.h"
#include "edit/jill_level_viewer.h"
#include "level/level.h"
#include "level/level_file.h"
#include "system/paths.h"
#include "system/stream.h"

namespace {

// A copy's file as the user can find it, wherever Tarn was started from.
std::string Shown(const std::string& path) { return AbsolutePath(path, CurrentWorkingDir()); }

// How both notices about a copy that cannot be read begin.
const std::string kUnreadableCopy =
    "Tarn did not end properly last time, but the copy it kept of the unsaved changes cannot be read";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A copy that cannot be read is moved aside, where it is offered no more but
// is still there for a person to look at; an earlier damaged copy of the same
// name is never replaced.
void SetDamagedCopyAside(TJillLevelViewer& viewer, const std::string& path, const std::string& problem) {
    LogLine("Recovery :: \"" + path + "\" cannot be read: " + problem);
    std::string aside;
    bool moved = false;
    for (int count = 1; !moved; ++count) {
        aside = path + (count == 1 ? "" : "." + std::to_string(count)) + ".damaged";
        moved = RenameFile(path, aside);
        if (!moved && errno != EEXIST) break;
    }
    const std::string where = moved ? "It was moved to\n\n" + Shown(aside) : "It is still in\n\n" + Shown(path);
    viewer.MyNotify(kUnreadableCopy + " (" + problem + ").\n\n" + where, 0);
}

// What a copy restores to: the level and the game it was bound to.
struct TRestorable {
    TRecoveryCopy copy;
    TLevelPtr level;
    TGameInfoPtr game;
};

// Reads the copy at path and finds its game. False when it cannot be
// restored; the user has then been told why, and what became of the copy.
bool ReadRestorable(TJillLevelViewer& viewer, const std::string& path, TRestorable& restorable) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        // Gone meanwhile: nothing to offer.
        if (EntryKind(path) == TEntryKind::Nothing) return false;
        viewer.MyNotify(WithFileErrorReason(kUnreadableCopy, " ") + ".\n\nIt is kept in\n\n" + Shown(path), 0);
        return false;
    }
    TRecoveryCopy& copy = restorable.copy;
    std::string problem;
    if (!DecodeRecoveryCopy(bytes, copy, problem)) {
        SetDamagedCopyAside(viewer, path, problem);
        return false;
    }
    auto memory = std::make_shared<TMemoryStream>(copy.levelBytes);
    restorable.level = ReadLevelWithoutNotice(*LittleEndian(memory), problem);
    if (!restorable.level) {
        SetDamagedCopyAside(viewer, path, problem.empty() ? "the level in it is damaged"
                                                          : "the level in it is damaged: " + problem);
        return false;
    }
    // The game the level was bound to, where it was.
    const std::vector<TGameInfoPtr> games = viewer.GetGames(copy.gameFolder);
    const auto game = std::find_if(games.begin(), games.end(),
                                   [&](const TGameInfoPtr& info) { return info->Name == copy.gameName; });
    if (game == games.end()) {
        viewer.MyNotify("The changes to " + (copy.levelPath.empty() ? "a new level" : copy.levelPath) +
                            " cannot be restored now: the files of the game \"" + copy.gameName +
                            "\" are no longer in the folder\n\n" + copy.gameFolder +
                            "\n\nThe copy of the changes is kept in\n\n" + Shown(path) +
                            "\n\nPut the game's files back and start Tarn again to restore them, or delete the "
                            "copy to give them up.",
                        0);
        return false;
    }
    restorable.game = *game;
    return true;
}

}  // namespace

bool TJillLevelViewer::OfferRecoveryCopies() {
    if (EntryKind(kRecoveryFolder) == TEntryKind::Nothing) return false;
    // Copies another user could have planted are not read at all.
    if (const std::string reason = NotPrivateFolderReason(kRecoveryFolder); !reason.empty()) {
        LogLine("Recovery :: the folder \"" + kRecoveryFolder + "\" is not used: " + reason);
        return false;
    }
    for (const std::string& file : FolderFileNames(kRecoveryFolder)) {
        if (!EndsWith(file, kRecoveryCopySuffix)) continue;
        const std::string name = file.substr(0, file.size() - kRecoveryCopySuffix.size());
        const std::string path = RecoveryCopyPath(name);
        if (IsPlantedLink(path) || IsPlantedLink(RecoveryLockPath(name))) continue;
        // A copy whose lock is held belongs to a Tarn that is still running.
        std::shared_ptr<TFileLock> lock = TryLockFile(RecoveryLockPath(name), true);
        if (!lock) continue;
        // The lock file is only for as long as the copy is looked at here,
        // unless the copy becomes this run's own.
        const auto release = [&] {
            RemoveFile(RecoveryLockPath(name));
            lock = nullptr;
        };

        TRestorable restorable;
        if (!ReadRestorable(*this, path, restorable)) {
            release();
            continue;
        }
        const TRecoveryCopy& copy = restorable.copy;
        const std::string which = copy.levelPath.empty() ? "a new level" : copy.levelPath;
        if (!MyConfirm("Tarn did not end properly last time.\n\nThe level\n\n" + which + "\n\nhad changes from " +
                           copy.time + " that were not saved.\n\nRestore them? Cancel deletes them.",
                       0)) {
            LogLine("Recovery :: the changes to " + which + " were not restored");
            RemoveFile(path);
            release();
            continue;
        }

        InitGame(copy.gameFolder, restorable.game);
        document.TakeOverRecoveryCopy(restorable.level, copy, name, lock);
        GenerateImages();
        ClearSelection();
        LogLine("Recovery :: restored the changes to " + which + " from " + copy.time);
        return true;
    }
    return false;
}
