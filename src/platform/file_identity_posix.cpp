// File identities, folders and locks on POSIX systems.

#include "platform/file_identity.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/paths.h"

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

std::vector<std::string> FolderFileNames(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entries(HostPath(folder), error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error))
        if (entries->is_regular_file(error)) names.push_back(entries->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool MakeFolder(const std::string& folder) {
    if (mkdir(HostPath(folder).c_str(), 0777) == 0) return true;
    return PathType(folder) == 2;
}

bool RemoveFile(const std::string& path) { return std::remove(HostPath(path).c_str()) == 0 || errno == ENOENT; }

bool RenameFile(const std::string& from, const std::string& to) {
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
    const int fd = open(HostPath(path).c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
    if (fd < 0) return nullptr;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<TPosixFileLock>(fd);
}
