// File identities, folders and locks on Windows. The file index stands for
// the inode: a file replaced by moving another over it gets a new one.

#include <windows.h>

#include <algorithm>

#include "platform/file_identity.h"
#include "platform/wide_text.h"

namespace {

// FILETIME counts 100 ns steps from 1601; the identity counts from 1970.
int64_t NanosecondsSince1970(FILETIME time) {
    constexpr int64_t kStepsFrom1601To1970 = 116444736000000000LL;
    const int64_t steps = (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return (steps - kStepsFrom1601To1970) * 100;
}

HANDLE OpenForLock(const std::string& path, bool create) {
    // Shared in every way: the lock, not the open, keeps others out, and the
    // recovery code must still be able to remove the file it guards.
    return CreateFileW(WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// LockFileEx belongs to the handle, as flock to the open file: a second
// handle in this process is refused as another process's would be. The
// system drops the lock when the process ends in any way.
class TWindowsFileLock : public TFileLock {
public:
    explicit TWindowsFileLock(HANDLE handle) : handle(handle) {}
    ~TWindowsFileLock() override { CloseHandle(handle); }

private:
    HANDLE handle;
};

}  // namespace

namespace {

// What the system keeps about the file at path, read without opening it
// for reading or writing. False when it is not there.
bool FileInformation(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    if (path.empty()) return false;
    const HANDLE handle = CreateFileW(WidePath(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    return known;
}

}  // namespace

TFileIdentity FileIdentity(const std::string& path) {
    TFileIdentity identity;
    BY_HANDLE_FILE_INFORMATION info;
    if (!FileInformation(path, info)) return identity;
    identity.exists = true;
    identity.size = (static_cast<int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    identity.modifiedNs = NanosecondsSince1970(info.ftLastWriteTime);
    identity.inode = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity.device = info.dwVolumeSerialNumber;
    return identity;
}

int HardLinkCount(const std::string& path) {
    BY_HANDLE_FILE_INFORMATION info;
    return FileInformation(path, info) ? static_cast<int>(info.nNumberOfLinks) : 0;
}

std::vector<std::string> FolderFileNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((WidePath(folder) + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
            names.push_back(Utf8Text(entry.cFileName));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool MakeFolder(const std::string& folder) {
    if (CreateDirectoryW(WidePath(folder).c_str(), nullptr)) return true;
    const DWORD attributes = GetFileAttributesW(WidePath(folder).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFile(const std::string& path) {
    return DeleteFileW(WidePath(path).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND;
}

bool RenameFile(const std::string& from, const std::string& to) {
    return MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_REPLACE_EXISTING);
}

int ProcessId() { return static_cast<int>(GetCurrentProcessId()); }

std::unique_ptr<TFileLock> TryLockFile(const std::string& path, bool create) {
    const HANDLE handle = OpenForLock(path, create);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    OVERLAPPED whole{};
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole)) {
        CloseHandle(handle);
        return nullptr;
    }
    return std::make_unique<TWindowsFileLock>(handle);
}
