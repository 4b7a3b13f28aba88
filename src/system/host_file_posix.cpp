// The streams' file operations on POSIX systems.

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <ctime>
#include <vector>

#include "system/host_file.h"
#include "system/paths.h"

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
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    TellReplaceStep(TReplaceStep::SyncFolder);
    fsync(fd);
    close(fd);
}

std::string Refused(int reason) {
    errno = reason;
    return "";
}

// A writer holds its temporary file locked while it writes and closes it
// right before the rename; a file nobody holds that was not written for
// this long is one a killed run left.
constexpr time_t kLeftAfterSeconds = 60;

}  // namespace

FILE* OpenHostFile(const std::string& path, bool write) {
    if (write) return std::fopen(HostPath(path).c_str(), "wb");
    // Only a regular file is opened at all: opening a device may already
    // do something, and a pipe would wait for a writer.
    struct stat info;
    if (stat(HostPath(path).c_str(), &info) != 0) return nullptr;
    if (!S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : kNotARegularFile;
        return nullptr;
    }
    // Not waiting even if a pipe took the file's place meanwhile; what was
    // opened is checked again.
    const int fd = open(HostPath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    int reason = 0;
    if (fstat(fd, &info) != 0 || fcntl(fd, F_SETFL, 0) != 0) {
        reason = errno;
    } else if (!S_ISREG(info.st_mode)) {
        reason = S_ISDIR(info.st_mode) ? EISDIR : kNotARegularFile;
    }
    FILE* file = reason == 0 ? fdopen(fd, "rb") : nullptr;
    if (!file) {
        if (reason == 0) reason = errno;
        close(fd);
        errno = reason;
    }
    return file;
}

bool SyncHostFile(FILE* file) {
    TellReplaceStep(TReplaceStep::SyncFile);
    return fsync(fileno(file)) == 0;
}

// The game reads the file a link points to: that file is the one to replace,
// in its own folder, or the edit would only cut the link. A relative link is
// read from the link's own folder; a link naming nothing gives the name it holds.
std::string ReplacedFile(const std::string& start, TReplace how) {
    // As the system itself gives up on a loop of links.
    constexpr int kMaxLinks = 40;
    std::string path = start;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat info;
        // Nothing there: the file is made; where it cannot be, making the
        // temporary file beside it says why.
        if (lstat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return path;
        if (S_ISDIR(info.st_mode)) return Refused(EISDIR);
        if (!S_ISLNK(info.st_mode)) return Refused(kNotARegularFile);
        if (how == TReplace::Private) return path;
        char target[PATH_MAX];
        ssize_t length = readlink(path.c_str(), target, sizeof target);
        if (length < 0) return "";
        if (size_t(length) >= sizeof target) return Refused(ENAMETOOLONG);
        std::string next(target, size_t(length));
        std::string folder = DirectoryPart(path);
        path = next.empty() || next[0] == '/' ? next : InFolder(folder, next);
    }
    return Refused(ELOOP);
}

TTemporaryFile MakeTemporaryBeside(const std::string& target) {
    const std::string pattern = InFolder(FolderOf(target), TemporaryNameStart(target)) + "XXXXXX" + kTemporaryNameEnd;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    // Made new (O_EXCL) and private to this user until it takes the old file's place.
    int fd = mkostemps(name.data(), int(kTemporaryNameEnd.size()), O_CLOEXEC);
    if (fd < 0) return {};
    // The lock goes with the file's close, or with the process however it ends.
    flock(fd, LOCK_EX | LOCK_NB);
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

void RemoveLeftTemporariesBeside(const std::string& target) {
    DIR* listing = opendir(FolderOf(target).c_str());
    if (!listing) return;
    const int at = dirfd(listing);
    const time_t now = std::time(nullptr);
    while (const dirent* entry = readdir(listing)) {
        if (!IsTemporaryName(entry->d_name)) continue;
        // Looked at before it is opened, and never through a link.
        struct stat info;
        if (fstatat(at, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
            now - info.st_mtime <= kLeftAfterSeconds)
            continue;
        const int fd = openat(at, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) unlinkat(at, entry->d_name, 0);
        close(fd);
    }
    closedir(listing);
}

bool TakeOverAttributes(FILE* temporary, const std::string& target) {
    const int fd = fileno(temporary);
    struct stat old;
    // A new file gets what an ordinary create would have given it, not the
    // temporary file's privacy.
    if (stat(target.c_str(), &old) != 0) return fchmod(fd, 0666 & ~CurrentUmask()) == 0;
    // Root may give the file to anyone, others only to a group of their own:
    // a group member's save keeps the group, a stranger's keeps the bits.
    const bool owner = fchown(fd, old.st_uid, old.st_gid) == 0;
    const bool group = owner || fchown(fd, uid_t(-1), old.st_gid) == 0;
    // After fchown, which clears them: the set-user and set-group bits only
    // go to a file that has its old owner and group, or it would run as this user.
    const mode_t bits = old.st_mode & (owner && group ? 07777 : 01777);
    return fchmod(fd, bits) == 0;
}

bool PutInPlace(const std::string& temporary, const std::string& target, TReplace how) {
    TellReplaceStep(TReplaceStep::Rename);
    if (std::rename(temporary.c_str(), target.c_str()) != 0) return false;
    if (how == TReplace::Document) SyncFolder(FolderOf(target));
    return true;
}
