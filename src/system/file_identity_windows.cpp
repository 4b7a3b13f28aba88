// File identities, folders and locks on Windows. The file index stands for
// the inode: a file replaced by moving another over it gets a new one.

#include <windows.h>
#include <direct.h>

#include <algorithm>
#include <cerrno>

#include "system/file_identity.h"
#include "system/wide_text.h"

namespace {

// FILETIME counts 100 ns steps from 1601; the identity counts from 1970.
int64_t NanosecondsSince1970(FILETIME time) {
    constexpr int64_t kStepsFrom1601To1970 = 116444736000000000LL;
    const int64_t steps = (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return (steps - kStepsFrom1601To1970) * 100;
}

// disposition CREATE_NEW makes a file only where nothing is; OPEN_EXISTING
// opens a link itself, not what it points to, so that it can be refused.
HANDLE OpenForLock(const std::string& path, DWORD disposition) {
    // Shared in every way: the lock, not the open, keeps others out, and the
    // recovery code must still be able to remove the file it guards.
    return CreateFileW(WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// The reason a lock file could not be had, where the callers read it.
void KeepLockFailureReason() {
    const DWORD error = GetLastError();
    errno = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ? EACCES
            : error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT
                                                                             : EIO;
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

namespace {

// The names of the entries of folder that keep accepts, in name order.
template <class Keep>
std::vector<std::string> EntryNames(const std::string& folder, Keep keep) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((WidePath(folder) + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (keep(entry)) names.push_back(Utf8Text(entry.cFileName));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::vector<std::string> FolderFileNames(const std::string& folder) {
    return EntryNames(folder, [](const WIN32_FIND_DATAW& entry) {
        return !(entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
    });
}

std::vector<std::string> FolderSubfolderNames(const std::string& folder) {
    return EntryNames(folder, [](const WIN32_FIND_DATAW& entry) {
        const std::wstring name = entry.cFileName;
        // A junction or folder link is a reparse point: not followed.
        return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
               !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && name != L"." && name != L"..";
    });
}

bool MakeFolder(const std::string& folder) {
    // The folder takes the rights of the one it is made in: on Windows the
    // user's own settings folders are the user's alone.
    return _wmkdir(WidePath(folder).c_str()) == 0 || errno == EEXIST;
}

std::string NotPrivateFolderReason(const std::string& folder) {
    switch (EntryKind(folder)) {
    case TEntryKind::Folder: return "";
    case TEntryKind::Link: return "it is a symbolic link";
    case TEntryKind::Nothing: return "it is not there";
    default: return "it is not a folder";
    }
}

TEntryKind EntryKind(const std::string& path) {
    // The attributes of a link (a reparse point) are its own, not its target's.
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return TEntryKind::Nothing;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return TEntryKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return TEntryKind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return TEntryKind::Other;
    return TEntryKind::File;
}

bool RemoveFile(const std::string& path) {
    return DeleteFileW(WidePath(path).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND;
}

bool RemoveFolder(const std::string& folder) {
    return RemoveDirectoryW(WidePath(folder).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND;
}

bool RenameFile(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING a name that is taken is refused.
    if (MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), 0)) return true;
    const DWORD error = GetLastError();
    errno = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? EEXIST : EIO;
    return false;
}

int ProcessId() { return static_cast<int>(GetCurrentProcessId()); }

std::unique_ptr<TFileLock> TryLockFile(const std::string& path, bool create) {
    HANDLE handle = create ? OpenForLock(path, CREATE_NEW) : INVALID_HANDLE_VALUE;
    // A lock file left by a run that has ended is taken as it is.
    if (handle == INVALID_HANDLE_VALUE && (!create || GetLastError() == ERROR_FILE_EXISTS))
        handle = OpenForLock(path, OPEN_EXISTING);
    if (handle == INVALID_HANDLE_VALUE) {
        KeepLockFailureReason();
        return nullptr;
    }
    BY_HANDLE_FILE_INFORMATION info;
    OVERLAPPED whole{};
    if (!GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) ||
        !LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole)) {
        CloseHandle(handle);
        return nullptr;
    }
    return std::make_unique<TWindowsFileLock>(handle);
}
