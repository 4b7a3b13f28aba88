#pragma once
// The file operations of the streams whose form differs between systems.
// Failures leave the reason in errno, as the C library does, so that the
// streams report every system's failures the same way.

#include <cstdio>
#include <functional>
#include <string>

#include "system/stream.h"

// Opens a regular file for reading ("rb") or creates or truncates one for
// writing ("wb"). Null when that fails; kNotARegularFile for a pipe or a
// device, which is never opened for reading (that could wait forever).
FILE* OpenHostFile(const std::string& path, bool write);

// Pushes the bytes written to a flushed file to the disk itself.
bool SyncHostFile(FILE* file);

// The file a replace of path writes: for a document, the one path names,
// found through symbolic links where the system has them; for a private
// file, path itself. "" when that cannot be found, and errno
// kNotARegularFile when something other than a regular file (or a link, for
// a private file) is there: a replace would put a file in a pipe's or a
// device's place.
std::string ReplacedFile(const std::string& path, TReplace how);

// A new, empty file beside target, for writing, with a name nobody else uses
// that tells it apart as this program's (IsTemporaryName). It stays claimed
// while it is open, so that no other run takes it for one left behind.
struct TTemporaryFile {
    std::string path;
    FILE* file = nullptr;   // null when it could not be made
};
TTemporaryFile MakeTemporaryBeside(const std::string& target);
// Whether a file name is one MakeTemporaryBeside gives.
bool IsTemporaryName(const std::string& name);
// The name MakeTemporaryBeside starts from for target; the system's own part
// that makes it unique goes between the two.
std::string TemporaryNameStart(const std::string& target);
extern const std::string kTemporaryNameEnd;

// Removes the temporary files that runs of this program left in target's
// folder when they were killed while writing: those not written for over a
// minute that nobody holds open any more. Live writes are left alone.
void RemoveLeftTemporariesBeside(const std::string& target);

// Gives the written temporary file what a document's old file had: its
// owner and group where the system lets this process give them (both, else
// the group, else neither, without complaint), and its permissions; a new
// document what an ordinary create would have given it. False when the
// permissions cannot be set.
bool TakeOverAttributes(FILE* temporary, const std::string& target);

// Puts the written and closed temporary file in target's place in one step;
// a document's new name is on the disk before this answers. False when
// target is left as it was.
bool PutInPlace(const std::string& temporary, const std::string& target, TReplace how);

// The steps of a replace that decide whether a saved file survives a power
// cut, told as they are asked of the system, so that a test can see that a
// document is synced before its rename and its folder after.
enum class TReplaceStep { SyncFile, Rename, SyncFolder };
using TReplaceStepWatcher = std::function<void(TReplaceStep)>;
// Sets the watcher (an empty one watches nothing, the default).
void WatchReplaceSteps(TReplaceStepWatcher watcher);
void TellReplaceStep(TReplaceStep step);
