// Streams on files of the host (POSIX), and the registry of files built into
// the program.

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"
#include "platform/stream.h"

namespace {

mode_t CurrentUmask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

class TFileStream : public TStream {
public:
    explicit TFileStream(FILE* file) : file(file) {}
    ~TFileStream() override {
        if (file) std::fclose(file);
    }

    size_t ReadRaw(void* buffer, size_t count) override {
        if (!file || count == 0) return 0;
        return std::fread(buffer, 1, count, file);
    }
    size_t WriteRaw(const void* buffer, size_t count) override {
        if (!file || count == 0) return 0;
        size_t written = std::fwrite(buffer, 1, count, file);
        if (written != count) good = false;
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
        if (std::fflush(file) != 0) good = false;
        return good;
    }
    // Pushes the written bytes to the disk itself, not only to the system.
    bool Sync() {
        if (!Flush()) return false;
        if (fsync(fileno(file)) != 0) good = false;
        return good;
    }
    bool Close() override {
        if (!file) return good;
        if (std::fclose(file) != 0) good = false;
        file = nullptr;
        return good;
    }
    bool Good() const override { return good; }

private:
    FILE* file;
    bool good = true;
};

class TReplaceStream : public TStream {
public:
    TReplaceStream(std::string target, std::string temporary, FILE* file)
        : target(std::move(target)), temporary(std::move(temporary)), inner(file) {}
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

    bool Close() override {
        if (finished) return succeeded;
        finished = true;
        struct stat old;
        bool hadOld = stat(target.c_str(), &old) == 0;
        bool ok = inner.Sync() && inner.Close();
        // mkstemp makes the file private; a replaced file keeps its own bits and
        // a new one gets what an ordinary create would have given it.
        mode_t mode = hadOld ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
        if (ok) ok = chmod(temporary.c_str(), mode) == 0;
        if (ok) ok = std::rename(temporary.c_str(), target.c_str()) == 0;
        if (!ok) {
            inner.Close();
            std::remove(temporary.c_str());
        }
        succeeded = ok;
        return ok;
    }

private:
    void Abandon() {
        inner.Close();
        std::remove(temporary.c_str());
    }

    std::string target;
    std::string temporary;
    TFileStream inner;
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
        if (found == BuiltinFiles().end()) return nullptr;
        return std::make_shared<TMemoryStream>(found->second.bytes, found->second.count);
    }
    if (path.empty() || PathType(path) != 1) return nullptr;
    FILE* file = std::fopen(HostPath(path).c_str(), "rb");
    if (!file) return nullptr;
    return std::make_shared<TFileStream>(file);
}

TStreamPtr OpenWriteStream(const std::string& path) {
    if (path.empty() || PathType(path) == 2) return nullptr;
    FILE* file = std::fopen(HostPath(path).c_str(), "wb");
    if (!file) return nullptr;
    return std::make_shared<TFileStream>(file);
}

TStreamPtr OpenReplaceStream(const std::string& path) {
    std::string target = HostPath(path);
    if (target.empty() || PathType(target) == 2) return nullptr;
    std::string folder = DirectoryPart(target);
    std::string pattern = (folder.empty() ? std::string(".") : folder) + "/." + FileNamePart(target) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return nullptr;
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        std::remove(name.data());
        return nullptr;
    }
    return std::make_shared<TReplaceStream>(target, std::string(name.data()), file);
}
