// Where DOSBox and its settings are on Windows: its installer puts it in a
// folder "DOSBox-0.74..." among the programs, and it keeps its settings in
// the user's local application data.

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "play/dosbox_places.h"
#include "system/paths.h"
#include "system/wide_text.h"

namespace {

std::string EnvironmentFolder(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value ? Utf8Text(value) : "";
}

// The folders named like pattern in folder, the greatest name (the newest
// version) first.
std::vector<std::string> FoldersLike(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(WidePath(InFolder(folder, pattern)).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) names.push_back(Utf8Text(entry.cFileName));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::sort(names.rbegin(), names.rend());
    return names;
}

}  // namespace

std::string InstalledDosBox() {
    for (const wchar_t* variable : {L"ProgramFiles(x86)", L"ProgramFiles"}) {
        const std::string programs = EnvironmentFolder(variable);
        if (programs.empty()) continue;
        for (const std::string& name : FoldersLike(programs, "DOSBox-0.74*")) {
            const std::string program = InFolder(InFolder(programs, name), "DOSBox.exe");
            if (PathType(program) == 1) return program;
        }
    }
    return "";
}

std::string DosBoxSettingsFolder() {
    const std::string local = EnvironmentFolder(L"LOCALAPPDATA");
    return local.empty() ? "" : InFolder(local, "DOSBox");
}

std::string TemporaryPlayRoot() {
    // The short (8.3) form of the path is ASCII even where the user's name is not.
    wchar_t temporary[MAX_PATH + 1];
    wchar_t shortForm[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temporary);
    if (length == 0 || length > MAX_PATH) return "";
    const DWORD shortLength = GetShortPathNameW(temporary, shortForm, MAX_PATH + 1);
    const std::wstring folder = shortLength > 0 && shortLength <= MAX_PATH ? shortForm : temporary;
    return InFolder(Utf8Text(folder), "tarn-play");
}
