#pragma once
// A small file system of its own (tmpfs) on a fresh folder, to see how the
// program meets a full or a read-only disk. Mounting needs root; where it
// fails, Mounted() is false and the test skips what needs it. The disk is
// always unmounted when the object goes.

#include <cstddef>
#include <string>

#include "support/temp_dir.h"

class TSmallDisk {
public:
    explicit TSmallDisk(size_t bytes = 64 * 1024);
    ~TSmallDisk();
    TSmallDisk(const TSmallDisk&) = delete;
    TSmallDisk& operator=(const TSmallDisk&) = delete;

    bool Mounted() const { return mounted; }
    std::string File(const std::string& name) const { return dir.File(name); }
    // Takes all the room that is left, so that the next write finds none.
    void Fill() const;
    // From now on nothing on the disk can be changed.
    bool MakeReadOnly() const;

private:
    TTempDir dir;
    bool mounted = false;
};

// A folder whose files cannot be written, and the system's words for why:
// a read-only disk when mounting is allowed (as root, where permission bits
// stop nothing), otherwise a folder without write permission.
class TUnwritableFolder {
public:
    TUnwritableFolder();
    ~TUnwritableFolder();
    TUnwritableFolder(const TUnwritableFolder&) = delete;
    TUnwritableFolder& operator=(const TUnwritableFolder&) = delete;

    std::string File(const std::string& name) const { return folder + "/" + name; }
    // "(Read-only file system)" or "(Permission denied)".
    const std::string& Reason() const { return reason; }
    // Closes the folder to writing, with the files put there until now.
    // False when that cannot be had here.
    bool Close();

private:
    TSmallDisk disk;
    TTempDir plain;
    std::string folder;
    std::string reason;
};
