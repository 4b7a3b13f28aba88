// The streams' file operations on POSIX systems.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "platform/host_file.h"
#include "platform/paths.h"

namespace {

mode_t CurrentUmask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

std::string FolderOf(const std::string& path) {
    std::string folder = DirectoryPart(path);
    return folder.empty() ? std::string(".") : folder;
}

// Makes a renamed file's name last: the folder's own entry goes to disk.
void SyncFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

FILE* OpenHostFile(const std::string& path, bool write) {
    if (write) return std::fopen(HostPath(path).c_str(), "wb");
    struct stat info;
    if (stat(HostPath(path).c_str(), &info) != 0) return nullptr;
    if (S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        errno = 0;
        return nullptr;
    }
    return std::fopen(HostPath(path).c_str(), "rb");
}

bool SyncHostFile(FILE* file) { return fsync(fileno(file)) == 0; }

// The game reads the file a link points to: that file is the one to replace,
// in its own folder, or the edit would only cut the link. A relative link is
// read from the link's own folder; a link naming nothing gives the name it holds.
std::string ReplacedFile(const std::string& start) {
    // As the system itself gives up on a loop of links.
    constexpr int kMaxLinks = 40;
    std::string path = start;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat info;
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        char target[PATH_MAX];
        ssize_t length = readlink(path.c_str(), target, sizeof target);
        if (length < 0) return "";
        if (size_t(length) >= sizeof target) {
            errno = ENAMETOOLONG;
            return "";
        }
        std::string next(target, size_t(length));
        std::string folder = DirectoryPart(path);
        path = next.empty() || next[0] == '/' ? next : InFolder(folder, next);
    }
    errno = ELOOP;
    return "";
}

TTemporaryFile MakeTemporaryBeside(const std::string& target) {
    std::string pattern = FolderOf(target) + "/." + FileNamePart(target) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return {};
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        int reason = errno;
        close(fd);
        std::remove(name.data());
        errno = reason;
        return {};
    }
    return {std::string(name.data()), file};
}

bool PutInPlace(const std::string& temporary, const std::string& target, bool toDisk) {
    // mkstemp makes the file private; a replaced file keeps its own bits and
    // a new one gets what an ordinary create would have given it.
    struct stat old;
    const bool hadOld = stat(target.c_str(), &old) == 0;
    const mode_t mode = hadOld ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
    if (chmod(temporary.c_str(), mode) != 0) return false;
    if (std::rename(temporary.c_str(), target.c_str()) != 0) return false;
    if (toDisk) SyncFolder(FolderOf(target));
    return true;
}
