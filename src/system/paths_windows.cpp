// The path tests that ask the system (Windows).

#include <windows.h>

#include "system/error_text.h"
#include "system/paths.h"
#include "system/wide_text.h"

int PathType(const std::string& path) {
    if (path.empty()) return 0;
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return 2;
    // Devices ("CON", "NUL") answer like files but are none.
    if (attributes & FILE_ATTRIBUTE_DEVICE) return 0;
    return 1;
}

std::string UnusablePathReason(const std::string& path) {
    if (GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return "";
    const DWORD error = GetLastError();
    if (error != ERROR_FILENAME_EXCED_RANGE && error != ERROR_INVALID_NAME) return "";
    const std::string reason = WindowsErrorText(error);
    return reason.empty() ? "The file name is too long." : reason;
}

std::string CurrentWorkingDir() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(length, L'\0');
    folder.resize(GetCurrentDirectoryW(length, folder.data()));
    return Utf8Text(folder);
}

// "C:\\..." and "C:/..." name a drive's root, "\\server\\share" and "\\..." the
// current drive's or the network's; "C:name" is relative to that drive's folder.
bool IsAbsolutePath(const std::string& path) {
    if (!path.empty() && (path[0] == '/' || path[0] == '\\')) return true;
    return path.size() > 2 && path[1] == ':' && (path[2] == '/' || path[2] == '\\');
}
