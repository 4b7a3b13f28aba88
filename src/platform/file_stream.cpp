// Streams on files of the host (POSIX), and the registry of files built into
// the program.

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"
#include "platform/stream.h"

namespace {

thread_local int lastFileError = 0;

// Keeps the system's reason of a failure for callers that only learn that
// something failed. Gives null, so that failing opens can end with it.
std::nullptr_t FailWith(int error) {
    lastFileError = error;
    return nullptr;
}

mode_t CurrentUmask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

class TFileStream : public TStream {
public:
    explicit TFileStream(FILE* file) : file(file) { lastFileError = 0; }
    ~TFileStream() override {
        if (file) std::fclose(file);
    }

    size_t ReadRaw(void* buffer, size_t count) override {
        if (!file || count == 0) return 0;
        size_t got = std::fread(buffer, 1, count, file);
        if (got != count && std::ferror(file)) Fail();
        return got;
    }
    size_t WriteRaw(const void* buffer, size_t count) override {
        if (!file || count == 0) return 0;
        size_t written = std::fwrite(buffer, 1, count, file);
        if (written != count) Fail();
        return written;
    }
    bool Eof() override {
        if (!file) return true;
        int c = std::fgetc(file);
        if (c == EOF) return true;
        std::ungetc(c, file);
        return false;
    }
    int64_t Pos() override { return file ? static_cast<int64_t>(ftello(file)) : 0; }
    int64_t Size() override {
        struct stat info;
        if (!file || fstat(fileno(file), &info) != 0) return 0;
        return static_cast<int64_t>(info.st_size);
    }
    bool Seek(int64_t position) override { return file && fseeko(file, static_cast<off_t>(position), SEEK_SET) == 0; }
    bool Flush() override {
        if (!file) return false;
        if (std::fflush(file) != 0) Fail();
        return good;
    }
    // Pushes the written bytes to the disk itself, not only to the system.
    bool Sync() {
        if (!Flush()) return false;
        if (fsync(fileno(file)) != 0) Fail();
        return good;
    }
    bool Close() override {
        if (!file) return good;
        if (std::fclose(file) != 0) Fail();
        file = nullptr;
        return good;
    }
    bool Good() const override { return good; }
    int ErrorNumber() const override { return error; }

    // A failure that happened around the stream (making the file take its
    // place) counts as the stream's own.
    void Fail(int reason) {
        good = false;
        if (error == 0) error = reason != 0 ? reason : EIO;
        lastFileError = error;
    }

private:
    void Fail() { Fail(errno); }

    FILE* file;
    bool good = true;
    int error = 0;
};

// Where a replace of path really writes: the file at the end of its chain
// of symbolic links, a relative link read from the link's own folder. A link
// naming nothing gives the name it holds. Sets errno and gives "" when the
// chain does not end.
std::string ReplacedFile(std::string path) {
    // As the system itself gives up on a loop of links.
    constexpr int kMaxLinks = 40;
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
        if (next.empty() || next[0] == '/' || folder.empty()) {
            path = next;
        } else {
            path = folder.back() == '/' ? folder + next : folder + "/" + next;
        }
    }
    errno = ELOOP;
    return "";
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

class TReplaceStream : public TStream {
public:
    TReplaceStream(std::string target, std::string temporary, FILE* file, bool toDisk)
        : target(std::move(target)), temporary(std::move(temporary)), inner(file), toDisk(toDisk) {}
    ~TReplaceStream() override {
        if (!finished) Abandon();
    }

    size_t ReadRaw(void*, size_t) override { return 0; }
    size_t WriteRaw(const void* buffer, size_t count) override { return inner.WriteRaw(buffer, count); }
    bool Eof() override { return true; }
    int64_t Pos() override { return inner.Pos(); }
    int64_t Size() override { return inner.Size(); }
    bool Seek(int64_t position) override { return inner.Seek(position); }
    bool Flush() override { return inner.Flush(); }
    bool Good() const override { return inner.Good(); }
    int ErrorNumber() const override { return inner.ErrorNumber(); }

    bool Close() override {
        if (finished) return succeeded;
        finished = true;
        struct stat old;
        bool hadOld = stat(target.c_str(), &old) == 0;
        bool ok = (toDisk ? inner.Sync() : inner.Flush()) && inner.Close();
        // mkstemp makes the file private; a replaced file keeps its own bits and
        // a new one gets what an ordinary create would have given it.
        mode_t mode = hadOld ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
        ok = ok && Step(chmod(temporary.c_str(), mode) == 0);
        ok = ok && Step(std::rename(temporary.c_str(), target.c_str()) == 0);
        if (ok) {
            if (toDisk) SyncFolder(FolderOf(target));
        } else {
            inner.Close();
            std::remove(temporary.c_str());
        }
        succeeded = ok;
        return ok;
    }

private:
    bool Step(bool done) {
        if (!done) inner.Fail(errno);
        return done;
    }

    void Abandon() {
        inner.Close();
        std::remove(temporary.c_str());
    }

    std::string target;
    std::string temporary;
    TFileStream inner;
    bool toDisk;
    bool finished = false;
    bool succeeded = false;
};

struct TBuiltinFile {
    const void* bytes;
    size_t count;
};

std::map<std::string, TBuiltinFile>& BuiltinFiles() {
    static std::map<std::string, TBuiltinFile> files;
    return files;
}

const std::string builtinPrefix = "incbin::";

}  // namespace

void RegisterBuiltinFile(const std::string& name, const void* bytes, size_t count) {
    BuiltinFiles()[name] = TBuiltinFile{bytes, count};
}

TStreamPtr OpenReadStream(const std::string& path) {
    if (path.rfind(builtinPrefix, 0) == 0) {
        auto found = BuiltinFiles().find(path.substr(builtinPrefix.size()));
        if (found == BuiltinFiles().end()) return FailWith(ENOENT);
        lastFileError = 0;
        return std::make_shared<TMemoryStream>(found->second.bytes, found->second.count);
    }
    if (path.empty()) return FailWith(ENOENT);
    // Only regular files: opening a pipe or a device could wait forever.
    struct stat info;
    if (stat(HostPath(path).c_str(), &info) != 0) return FailWith(errno);
    if (S_ISDIR(info.st_mode)) return FailWith(EISDIR);
    if (!S_ISREG(info.st_mode)) return FailWith(0);
    FILE* file = std::fopen(HostPath(path).c_str(), "rb");
    if (!file) return FailWith(errno);
    return std::make_shared<TFileStream>(file);
}

TStreamPtr OpenWriteStream(const std::string& path) {
    if (path.empty()) return FailWith(ENOENT);
    if (PathType(path) == 2) return FailWith(EISDIR);
    FILE* file = std::fopen(HostPath(path).c_str(), "wb");
    if (!file) return FailWith(errno);
    return std::make_shared<TFileStream>(file);
}

TStreamPtr OpenReplaceStream(const std::string& path, bool toDisk) {
    if (HostPath(path).empty()) return FailWith(ENOENT);
    // The game reads the file a link points to: that file is the one to
    // replace, in its own folder, or the edit would only cut the link.
    std::string target = ReplacedFile(HostPath(path));
    if (target.empty()) return FailWith(errno);
    if (PathType(target) == 2) return FailWith(EISDIR);
    std::string pattern = FolderOf(target) + "/." + FileNamePart(target) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return FailWith(errno);
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        int reason = errno;
        close(fd);
        std::remove(name.data());
        return FailWith(reason);
    }
    return std::make_shared<TReplaceStream>(target, std::string(name.data()), file, toDisk);
}

int LastFileError() { return lastFileError; }

std::string WithFileErrorReason(const std::string& text, const std::string& separator) {
    if (lastFileError == 0) return text;
    return text + separator + "(" + std::strerror(lastFileError) + ")";
}
