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

#include "base/log.h"
#include "edit/jill_level_viewer.h"
#include "edit/recovery_copy.h"
#include "level/level.h"
#include "level/level_file.h"
#include "platform/clock.h"
#include "platform/stream.h"

namespace {

// A change is written no sooner than this after the level became changed,
// and no copy follows the one before sooner than this either, so that a
// stroke in progress is not written on every pass.
constexpr int kRecoveryIntervalMs = 1000;

bool TimeReached(int now, int time) { return static_cast<int>(static_cast<unsigned>(now) - static_cast<unsigned>(time)) >= 0; }

// The level file's bytes as saving would write them; empty when the level
// cannot be put in the format (then it cannot be saved either).
std::vector<uint8_t> LevelFileBytes(const TLevel& level) {
    auto memory = std::make_shared<TMemoryStream>();
    TStreamPtr stream = LittleEndian(memory);
    if (!WriteLevel(*stream, level)) return {};
    return memory->Bytes();
}

// A name no copy or lock in the folder has: this run's process number, and
// a count where an older run of the same number left a copy behind.
std::string UnusedRecoveryName() {
    for (int count = 1;; ++count) {
        const std::string name = "tarn-" + std::to_string(ProcessId()) + "-" + std::to_string(count);
        if (!FileIdentity(RecoveryCopyPath(name)).exists && !FileIdentity(RecoveryLockPath(name)).exists) return name;
    }
}

}  // namespace

void TJillLevelViewer::KeepRecoveryCopy() {
    if (!level || !levelchanged) {
        if (recoveryLock) DropRecoveryCopy();
        recoveryCheckDue = 0;
        return;
    }
    const int now = TickCount();
    if (!recoveryCheckDue) {
        recoveryCheckDue = 1;
        recoveryCheckTime = now + kRecoveryIntervalMs;
        return;
    }
    if (!TimeReached(now, recoveryCheckTime)) return;
    recoveryCheckTime = now + kRecoveryIntervalMs;

    std::vector<uint8_t> bytes = LevelFileBytes(*level);
    if (bytes.empty() || (recoveryLock && bytes == recoveryLevelBytes)) return;

    if (!recoveryLock) {
        if (!MakeFolder(kRecoveryFolder)) {
            LogLine("Recovery :: cannot make the folder \"" + kRecoveryFolder + "\"");
            return;
        }
        if (recoveryName.empty()) recoveryName = UnusedRecoveryName();
        recoveryLock = TryLockFile(RecoveryLockPath(recoveryName), true);
        if (!recoveryLock) {
            LogLine("Recovery :: cannot lock \"" + RecoveryLockPath(recoveryName) + "\"");
            recoveryName.clear();
            return;
        }
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
    TStreamPtr stream = OpenReplaceStream(RecoveryCopyPath(recoveryName), TReplace::Private);
    if (!stream || stream->WriteRaw(file.data(), file.size()) != file.size() || !stream->Close()) {
        // Tried again at the next check; a box every second would stop the work.
        LogLine(WithFileErrorReason("Recovery :: cannot write \"" + RecoveryCopyPath(recoveryName) + "\"", " "));
        return;
    }
    recoveryLevelBytes = std::move(copy.levelBytes);
}

void TJillLevelViewer::DropRecoveryCopy() {
    recoveryCheckDue = 0;
    recoveryLevelBytes.clear();
    if (!recoveryLock) return;
    // The copy goes first: a run that looks meanwhile finds it still locked,
    // or finds no copy at all.
    RemoveFile(RecoveryCopyPath(recoveryName));
    RemoveFile(RecoveryLockPath(recoveryName));
    recoveryLock = nullptr;
}
