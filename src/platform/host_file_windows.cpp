// The streams' file operations on Windows: UTF-16 names, FlushFileBuffers for
// the disk, and ReplaceFileW / MoveFileExW to put a new file in the old one's place.

#include <windows.h>
#include <io.h>

#include <atomic>
#include <cerrno>

#include "platform/host_file.h"
#include "platform/paths.h"
#include "platform/wide_text.h"

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
        errno = there ? 0 : ErrnoOf(GetLastError());
        return nullptr;
    }
    return _wfopen(WidePath(path).c_str(), write ? L"wb" : L"rb");
}

bool SyncHostFile(FILE* file) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && (FlushFileBuffers(handle) || Failed());
}

// Links on Windows need rights a modder seldom has, and the game folders
// hold none: the path is the file.
std::string ReplacedFile(const std::string& path) { return path; }

TTemporaryFile MakeTemporaryBeside(const std::string& target) {
    static std::atomic<unsigned> made{0};
    // CREATE_NEW refuses a name that is taken; the next number is tried then.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = FolderOf(target) + "/~" + FileNamePart(target) + "." +
                                 std::to_string(GetCurrentProcessId()) + "-" + std::to_string(made++) + ".tmp";
        const HANDLE handle = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
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

bool PutInPlace(const std::string& temporary, const std::string& target, bool toDisk) {
    const std::wstring from = WidePath(temporary);
    const std::wstring to = WidePath(target);
    // ReplaceFileW keeps the old file's attributes and security, as the
    // POSIX side keeps its permission bits.
    if (PathType(target) == 1) {
        if (!MayBeReplaced(to)) return false;
        if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return true;
    }
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | (toDisk ? MOVEFILE_WRITE_THROUGH : 0);
    return MoveFileExW(from.c_str(), to.c_str(), flags) || Failed();
}
