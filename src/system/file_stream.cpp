// Streams on files of the host, and the registry of files built into the
// program. What differs between systems is in host_file.h.

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include "system/file_identity.h"
#include "system/host_file.h"
#include "system/paths.h"
#include "system/stream.h"

namespace {

thread_local int lastFileError = 0;

// Keeps the system's reason of a failure for callers that only learn that
// something failed. Gives null, so that failing opens can end with it.
std::nullptr_t FailWith(int error) {
    lastFileError = error;
    return nullptr;
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
        if (!SyncHostFile(file)) Fail();
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
    FILE* File() const { return file; }

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

class TReplaceStream : public TStream {
public:
    TReplaceStream(std::string target, std::string temporary, FILE* file, TReplace how)
        : target(std::move(target)), temporary(std::move(temporary)), inner(file), how(how) {}
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
        bool ok = inner.Flush();
        if (how == TReplace::Document) ok = ok && Step(TakeOverAttributes(inner.File(), target)) && inner.Sync();
        ok = ok && inner.Close() && Step(PutInPlace(temporary, target, how));
        if (!ok) Abandon();
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
        RemoveFile(temporary);
    }

    std::string target;
    std::string temporary;
    TFileStream inner;
    TReplace how;
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
    FILE* file = OpenHostFile(path, false);
    if (!file) return FailWith(errno);
    return std::make_shared<TFileStream>(file);
}

TStreamPtr OpenWriteStream(const std::string& path) {
    if (path.empty()) return FailWith(ENOENT);
    if (PathType(path) == 2) return FailWith(EISDIR);
    FILE* file = OpenHostFile(path, true);
    if (!file) return FailWith(errno);
    return std::make_shared<TFileStream>(file);
}

TStreamPtr OpenReplaceStream(const std::string& path, TReplace how) {
    if (HostPath(path).empty()) return FailWith(ENOENT);
    const std::string target = ReplacedFile(HostPath(path), how);
    if (target.empty()) return FailWith(errno);
    RemoveLeftTemporariesBeside(target);
    TTemporaryFile temporary = MakeTemporaryBeside(target);
    if (!temporary.file) return FailWith(errno);
    return std::make_shared<TReplaceStream>(target, temporary.path, temporary.file, how);
}

int LastFileError() { return lastFileError; }

std::string WithFileErrorReason(const std::string& text, const std::string& separator) {
    if (lastFileError == 0) return text;
    const std::string reason =
        lastFileError == kNotARegularFile ? "is not a regular file" : std::strerror(lastFileError);
    return text + separator + "(" + reason + ")";
}
