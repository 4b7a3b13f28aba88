#include "system/program_file.h"

#include <windows.h>

#include "system/wide_text.h"

std::string ProgramFilePath() {
    // Long paths are possible: grow the buffer until the whole name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return "";
        if (length < path.size()) return Utf8Text(path.substr(0, length));
        path.resize(path.size() * 2);
    }
}
