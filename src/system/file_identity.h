#pragma once
// What the system tells about a file without reading it, to notice that
// another program changed it, and the few folder operations the recovery
// copies need. Each system has its own implementation file.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A file as the system knows it at one moment. A file replaced by renaming
// another over it gets a new inode; one rewritten in place a new time, to
// the nanosecond where the file system keeps it so finely.
struct TFileIdentity {
    bool exists = false;
    int64_t size = 0;
    int64_t modifiedNs = 0;   // modification time, nanoseconds since 1970
    uint64_t inode = 0;       // the file's number on its device (Windows: the file index)
    uint64_t device = 0;      // the device (Windows: the volume's serial number)

    bool operator==(const TFileIdentity&) const = default;
};

// The file at path now; through symbolic links, the file they point to.
// Not there (or not readable as a file entry): exists is false.
TFileIdentity FileIdentity(const std::string& path);

// How many names (hard links) the file at path has; through symbolic links,
// the file they point to. 0 when it is not there.
int HardLinkCount(const std::string& path);

// Whether two identities are of one file, whatever names it was found by:
// relative or absolute, through links, or another hard link. Its contents
// may differ between the two moments.
inline bool SameFile(const TFileIdentity& a, const TFileIdentity& b) {
    return a.exists && b.exists && a.device == b.device && a.inode == b.inode;
}

// The plain file names in folder, in name order; empty when it cannot be listed.
std::vector<std::string> FolderFileNames(const std::string& folder);
// The names of the folders directly inside folder, in name order; links to
// folders are not among them. Empty when it cannot be listed.
std::vector<std::string> FolderSubfolderNames(const std::string& folder);
// Makes folder for this user alone unless something of that name is there.
// False, with the system's reason in errno, when it could not be made.
bool MakeFolder(const std::string& folder);
// Why folder is not one that only this user can change, in words for the
// user ("other users can write to it"); "" when it is. A symbolic link, even
// to such a folder, is not one: another user could point it elsewhere.
std::string NotPrivateFolderReason(const std::string& folder);

// What a path names itself; a symbolic link is not followed.
enum class TEntryKind { Nothing, File, Folder, Link, Other };
TEntryKind EntryKind(const std::string& path);

// Removes a file; false when it is not there afterwards.
bool RemoveFile(const std::string& path);
// Removes an empty folder; false when it is still there afterwards.
bool RemoveFolder(const std::string& folder);
// Gives a file another name in the same file system. Never replaces a file:
// false, with errno EEXIST, when something has that name already.
bool RenameFile(const std::string& from, const std::string& to);
// The running program's process number, to make names no other run uses.
int ProcessId();

// A lock on a file held for as long as the object lives, or until the
// process ends in any way (the system drops it even after a kill), so a run
// can tell that the owner of a file is gone.
class TFileLock {
public:
    virtual ~TFileLock() = default;
};

// Locks path for this object alone, creating the file when create is set.
// Null (with the system's reason in errno) when the file is not there and
// create is not set, when another holder, in this process or another, has it
// locked, or when path is a symbolic link or anything but a plain file: a
// link is never followed, and a new file is made only where nothing is.
std::unique_ptr<TFileLock> TryLockFile(const std::string& path, bool create);
