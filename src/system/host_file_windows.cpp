// The streams' file operations on Windows: UTF-16 names, FlushFileBuffers for
// the disk, and ReplaceFileW / MoveFileExW to put a new file in the old one's
// place. ReplaceFileW keeps the old file's owner, security and attributes.

#include <windows.h>
#include <io.h>

#include <atomic>
#include <cerrno>

#include "system/host_file.h"
#include "system/paths.h"
#include "system/wide_text.h"

namespace {

// The C library's reason for a Windows failure, so that messages read the
// same whichever call failed.
int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        default:
            return EIO;
    }
}

bool Failed() {
    errno = ErrnoOf(GetLastError());
    return false;
}

std::string FolderOf(const std::string& path) {
    std::string folder = DirectoryPart(path);
    return folder.empty() ? std::string(".") : folder;
}

}  // namespace

FILE* OpenHostFile(const std::string& path, bool write) {
    const int type = PathType(path);
    if (type == 2) {
        errno = EISDIR;
        return nullptr;
    }
    if (!write && type == 0) {
        const bool there = GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
        errno = there ? kNotARegularFile : ErrnoOf(GetLastError());
        return nullptr;
    }
    return _wfopen(WidePath(path).c_str(), write ? L"wb" : L"rb");
}

bool SyncHostFile(FILE* file) {
    TellReplaceStep(TReplaceStep::SyncFile);
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && (FlushFileBuffers(handle) || Failed());
}

namespace {

// Whether the file at path is kept on a disk, as a regular file is; a
// device ("NUL", "COM1") or a pipe is not. Opened without any access, which
// reads and changes nothing.
bool IsDiskFile(const std::wstring& path) {
    const HANDLE handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return true;   // the replace itself then says why it cannot
    const bool disk = GetFileType(handle) == FILE_TYPE_DISK;
    CloseHandle(handle);
    return disk;
}

std::string Refused(int reason) {
    errno = reason;
    return "";
}

// A writer holds its temporary file open for writing while it writes and
// closes it right before the rename; a file nobody holds that was not
// written for this long is one a killed run left.
constexpr int64_t kLeftAfter100ns = 60LL * 10000000;

int64_t Steps(FILETIME time) { return (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

}  // namespace

// Links on Windows need rights a modder seldom has, and the game folders
// hold none: the path is the file.
std::string ReplacedFile(const std::string& path, TReplace) {
    const std::wstring wide = WidePath(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return path;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Refused(EISDIR);
    if ((attributes & FILE_ATTRIBUTE_DEVICE) || !IsDiskFile(wide)) return Refused(kNotARegularFile);
    return path;
}

TTemporaryFile MakeTemporaryBeside(const std::string& target) {
    static std::atomic<unsigned> made{0};
    // CREATE_NEW refuses a name that is taken; the next number is tried then.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = FolderOf(target) + "/" + TemporaryNameStart(target) +
                                 std::to_string(GetCurrentProcessId()) + "-" + std::to_string(made++) +
                                 kTemporaryNameEnd;
        const HANDLE handle = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS) continue;
            Failed();
            return {};
        }
        const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), 0);
        FILE* file = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
        if (!file) {
            if (fd >= 0) {
                _close(fd);   // closes the handle with it
            } else {
                CloseHandle(handle);
            }
            DeleteFileW(WidePath(path).c_str());
            errno = EIO;
            return {};
        }
        return {path, file};
    }
    errno = EEXIST;
    return {};
}

namespace {

// Whether another program's open of the file lets it be replaced now. Asked
// first, because ReplaceFileW refused midway may leave a file of its own
// beside the old one.
bool MayBeReplaced(const std::wstring& path) {
    const HANDLE handle = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return Failed();
    CloseHandle(handle);
    return true;
}

}  // namespace

void RemoveLeftTemporariesBeside(const std::string& target) {
    const std::wstring folder = WidePath(FolderOf(target)) + L"\\";
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    do {
        const DWORD notAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
        if ((entry.dwFileAttributes & notAFile) || !IsTemporaryName(Utf8Text(entry.cFileName)) ||
            Steps(now) - Steps(entry.ftLastWriteTime) <= kLeftAfter100ns)
            continue;
        // Shared with nobody: refused while a live writer holds the file.
        const HANDLE file = CreateFileW((folder + entry.cFileName).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

// The owner, security and attributes go with ReplaceFileW; a new file gets
// the folder's, as an ordinary create would.
bool TakeOverAttributes(FILE*, const std::string&) { return true; }

bool PutInPlace(const std::string& temporary, const std::string& target, TReplace how) {
    const std::wstring from = WidePath(temporary);
    const std::wstring to = WidePath(target);
    const bool document = how == TReplace::Document;
    TellReplaceStep(TReplaceStep::Rename);
    if (document && PathType(target) == 1) {
        if (!MayBeReplaced(to)) return false;
        if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return true;
    }
    // Write-through is the folder's sync: the move is on the disk when it answers.
    if (document) TellReplaceStep(TReplaceStep::SyncFolder);
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | (document ? MOVEFILE_WRITE_THROUGH : 0);
    return MoveFileExW(from.c_str(), to.c_str(), flags) || Failed();
}
