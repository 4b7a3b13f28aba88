// File identities, folders and locks on POSIX systems.

#include "system/file_identity.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "system/paths.h"

TFileIdentity FileIdentity(const std::string& path) {
    TFileIdentity identity;
    struct stat info;
    if (path.empty() || stat(HostPath(path).c_str(), &info) != 0) return identity;
    identity.exists = true;
    identity.size = static_cast<int64_t>(info.st_size);
    identity.modifiedNs = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    identity.inode = static_cast<uint64_t>(info.st_ino);
    identity.device = static_cast<uint64_t>(info.st_dev);
    return identity;
}

int HardLinkCount(const std::string& path) {
    struct stat info;
    return path.empty() || stat(HostPath(path).c_str(), &info) != 0 ? 0 : static_cast<int>(info.st_nlink);
}

namespace {

// The names of the entries of folder that keep accepts, in name order.
template <class Keep>
std::vector<std::string> EntryNames(const std::string& folder, Keep keep) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entries(HostPath(folder), error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error))
        if (keep(*entries, error)) names.push_back(entries->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::vector<std::string> FolderFileNames(const std::string& folder) {
    return EntryNames(folder, [](const std::filesystem::directory_entry& entry, std::error_code& error) {
        return entry.is_regular_file(error);
    });
}

std::vector<std::string> FolderSubfolderNames(const std::string& folder) {
    return EntryNames(folder, [](const std::filesystem::directory_entry& entry, std::error_code& error) {
        return entry.is_directory(error) && !entry.is_symlink(error);
    });
}

bool MakeFolder(const std::string& folder) {
    return mkdir(HostPath(folder).c_str(), 0700) == 0 || errno == EEXIST;
}

std::string NotPrivateFolderReason(const std::string& folder) {
    struct stat info;
    if (lstat(HostPath(folder).c_str(), &info) != 0) return std::strerror(errno);
    if (S_ISLNK(info.st_mode)) return "it is a symbolic link";
    if (!S_ISDIR(info.st_mode)) return "it is not a folder";
    // The administrator can change anything anyway; anyone else may not.
    if (info.st_uid != geteuid() && info.st_uid != 0) return "it belongs to another user";
    if (info.st_mode & (S_IWGRP | S_IWOTH)) return "other users can write to it";
    return "";
}

TEntryKind EntryKind(const std::string& path) {
    struct stat info;
    if (lstat(HostPath(path).c_str(), &info) != 0) return TEntryKind::Nothing;
    if (S_ISLNK(info.st_mode)) return TEntryKind::Link;
    if (S_ISREG(info.st_mode)) return TEntryKind::File;
    if (S_ISDIR(info.st_mode)) return TEntryKind::Folder;
    return TEntryKind::Other;
}

bool RemoveFile(const std::string& path) { return std::remove(HostPath(path).c_str()) == 0 || errno == ENOENT; }

bool RemoveFolder(const std::string& folder) { return rmdir(HostPath(folder).c_str()) == 0 || errno == ENOENT; }

bool RenameFile(const std::string& from, const std::string& to) {
    // A second name first: unlike rename, link refuses a name that is taken.
    if (link(HostPath(from).c_str(), HostPath(to).c_str()) == 0) {
        if (unlink(HostPath(from).c_str()) == 0) return true;
        unlink(HostPath(to).c_str());
        return false;
    }
    if (errno == EEXIST) return false;
    // File systems without hard links.
    if (EntryKind(to) != TEntryKind::Nothing) {
        errno = EEXIST;
        return false;
    }
    return std::rename(HostPath(from).c_str(), HostPath(to).c_str()) == 0;
}

int ProcessId() { return static_cast<int>(getpid()); }

namespace {

// flock belongs to the open file, not the process: a second open of the
// same file in this process is refused as another process's would be.
class TPosixFileLock : public TFileLock {
public:
    explicit TPosixFileLock(int fd) : fd(fd) {}
    ~TPosixFileLock() override { close(fd); }

private:
    int fd;
};

}  // namespace

std::unique_ptr<TFileLock> TryLockFile(const std::string& path, bool create) {
    const std::string host = HostPath(path);
    // Without blocking: a pipe put in a lock file's place must not stop the program.
    constexpr int kFlags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    int fd = create ? open(host.c_str(), kFlags | O_CREAT | O_EXCL, 0600) : -1;
    // A lock file left by a run that has ended is taken as it is.
    if (fd < 0 && (!create || errno == EEXIST)) fd = open(host.c_str(), kFlags);
    if (fd < 0) return nullptr;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<TPosixFileLock>(fd);
}
