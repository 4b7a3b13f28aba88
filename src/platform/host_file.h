#pragma once
// The file operations of the streams whose form differs between systems.
// Failures leave the reason in errno, as the C library does, so that the
// streams report every system's failures the same way.

#include <cstdio>
#include <string>

// Opens a regular file for reading ("rb") or creates or truncates one for
// writing ("wb"). Null when that fails; errno 0 for something that is not a
// regular file (reading a pipe or a device could wait forever).
FILE* OpenHostFile(const std::string& path, bool write);

// Pushes the bytes written to a flushed file to the disk itself.
bool SyncHostFile(FILE* file);

// The file a replace of path writes: the one path names, found through
// symbolic links where the system has them. "" when that cannot be found.
std::string ReplacedFile(const std::string& path);

// A new, empty file beside target, with a name nobody else uses, for writing.
struct TTemporaryFile {
    std::string path;
    FILE* file = nullptr;   // null when it could not be made
};
TTemporaryFile MakeTemporaryBeside(const std::string& target);

// Puts the written and closed temporary file in target's place in one step,
// keeping what the system keeps of the old file (its permissions); with
// toDisk the new name is on the disk before this answers. False when target
// is left as it was.
bool PutInPlace(const std::string& temporary, const std::string& target, bool toDisk);
