// Keeping a copy of a level with unsaved changes on disk while the user
// works, so that a crash or a kill loses seconds of work, not a session.
//
// Whether the copy is stale is found by comparing bytes: at most once a
// second, while the level has unsaved changes, it is written to memory as
// saving would write it (some 20 KB, a few dozen microseconds) and compared
// with what the copy holds. Signs such as the length of the undo list would
// be cheaper but miss changes that take no undo state of their own (every
// pass of a paint stroke after its first), and a counter bumped wherever the
// level changes breaks with the next edit that forgets it. When nothing
// changed, a pass costs a flag test and a time comparison.

#include <cerrno>
#include <cstring>

#include "base/log.h"
#include "document/level_document.h"
#include "document/recovery_copy.h"
#include "level/level.h"
#include "level/level_file.h"
#include "system/clock.h"
#include "system/paths.h"
#include "system/stream.h"

namespace {

// A change is written no sooner than this after the level became changed,
// and no copy follows the one before sooner than this either, so that a
// stroke in progress is not written on every pass.
constexpr int kRecoveryIntervalMs = 1000;

bool TimeReached(int now, int time) { return static_cast<int>(static_cast<unsigned>(now) - static_cast<unsigned>(time)) >= 0; }

// The folder as the user can find it.
std::string ShownFolder(const std::string& folder) { return AbsolutePath(folder, CurrentWorkingDir()); }

std::string NotWritable(const std::string& folder, int error) {
    std::string text = "Unsaved changes cannot be protected: the folder " + folder + " is not writable";
    return error ? text + " (" + std::strerror(error) + ")" : text;
}

// Why no copy can be kept in the copies' folder now; "" when one can. Only
// this user may be able to change the folder: another could plant a link
// there and have the copy written wherever it points.
std::string RecoveryFolderProblem() {
    // The folder is made beside "tarn.ini", in the working folder.
    if (!MakeFolder(kRecoveryFolder)) return NotWritable(CurrentWorkingDir(), errno);
    const std::string reason = NotPrivateFolderReason(kRecoveryFolder);
    if (reason.empty()) return "";
    return "Unsaved changes cannot be protected: the folder " + ShownFolder(kRecoveryFolder) + " is not safe (" +
           reason + ")";
}

// A name no copy or lock in the folder has: this run's process number, and
// a count where an older run of the same number left a copy behind.
std::string UnusedRecoveryName() {
    for (int count = 1;; ++count) {
        const std::string name = "tarn-" + std::to_string(ProcessId()) + "-" + std::to_string(count);
        bool unused = true;
        for (const std::string& path : {RecoveryCopyPath(name), RecoveryLockPath(name)})
            if (IsPlantedLink(path) || EntryKind(path) != TEntryKind::Nothing) unused = false;
        if (unused) return name;
    }
}

// The log hears of every new problem; the editor tells the user.
void ReportRecoveryProblem(TLevelDocument& document, const std::string& problem) {
    if (problem != document.recoveryProblem) LogLine("Recovery :: " + problem);
    document.recoveryProblem = problem;
}

}  // namespace

void TLevelDocument::KeepRecoveryCopy(int now) {
    if (!level || !levelchanged) {
        if (recoveryLock) DropRecoveryCopy();
        recoveryCheckDue = 0;
        return;
    }
    if (!recoveryCheckDue) {
        recoveryCheckDue = 1;
        recoveryCheckTime = now + kRecoveryIntervalMs;
        return;
    }
    if (!TimeReached(now, recoveryCheckTime)) return;
    recoveryCheckTime = now + kRecoveryIntervalMs;

    std::vector<uint8_t> bytes = LevelFileBytes(*level);
    if (bytes.empty() || (recoveryLock && bytes == recoveryLevelBytes)) return;

    if (const std::string problem = RecoveryFolderProblem(); !problem.empty()) return ReportRecoveryProblem(*this, problem);
    if (!recoveryLock) {
        if (recoveryName.empty()) recoveryName = UnusedRecoveryName();
        recoveryLock = TryLockFile(RecoveryLockPath(recoveryName), true);
        if (!recoveryLock) {
            ReportRecoveryProblem(*this, NotWritable(ShownFolder(kRecoveryFolder), errno));
            recoveryName.clear();
            return;
        }
    }
    const std::string path = RecoveryCopyPath(recoveryName);
    const TEntryKind there = EntryKind(path);
    if (there != TEntryKind::Nothing && there != TEntryKind::File) {
        // Nobody else writes here: whatever took the copy's place is left
        // alone, and the next check writes under a new name.
        LogLine("Recovery :: \"" + path + "\" is not written: " +
                (there == TEntryKind::Link ? "a symbolic link" : "something else") + " is in its place");
        RemoveFile(RecoveryLockPath(recoveryName));
        recoveryLock = nullptr;
        recoveryName.clear();
        return;
    }

    TRecoveryCopy copy;
    copy.levelPath = levelfile;
    copy.gameFolder = dir;
    copy.gameName = boundGame ? boundGame->Name : "";
    copy.time = CurrentDateText() + " " + CurrentTimeText();
    copy.known = levelfileKnown;
    copy.levelBytes = std::move(bytes);
    const std::vector<uint8_t> file = EncodeRecoveryCopy(copy);
    // Handed to the system without waiting for the disk: that keeps the write
    // well inside a frame, and the copy is there for the next run however
    // this one ends, short of the machine losing power.
    TStreamPtr stream = OpenReplaceStream(path, TReplace::Private);
    if (!stream || stream->WriteRaw(file.data(), file.size()) != file.size() || !stream->Close()) {
        // Tried again at the next check; a box every second would stop the work.
        ReportRecoveryProblem(*this, NotWritable(ShownFolder(kRecoveryFolder), LastFileError()));
        return;
    }
    recoveryLevelBytes = std::move(copy.levelBytes);
    recoveryProblem.clear();
}

void TLevelDocument::DropRecoveryCopy() {
    recoveryCheckDue = 0;
    recoveryLevelBytes.clear();
    if (!recoveryLock) return;
    // The copy goes first: a run that looks meanwhile finds it still locked,
    // or finds no copy at all.
    RemoveFile(RecoveryCopyPath(recoveryName));
    RemoveFile(RecoveryLockPath(recoveryName));
    recoveryLock = nullptr;
}

void TLevelDocument::TakeOverRecoveryCopy(const std::shared_ptr<TLevel>& restored, const TRecoveryCopy& copy,
                                          const std::string& name, const std::shared_ptr<TFileLock>& lock) {
    level = restored;
    level->levelfile = FileNamePart(copy.levelPath);
    undoList = std::make_shared<TLevelList>();
    redoList = std::make_shared<TLevelList>();
    dir = copy.gameFolder;
    levelfile = copy.levelPath;
    levelchanged = 1;
    // A save asks first only if the file changed after the run that crashed
    // last saw it.
    levelfileKnown = copy.known;
    recoveryName = name;
    recoveryLock = lock;
    recoveryLevelBytes = copy.levelBytes;
}
