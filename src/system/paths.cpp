#include "system/paths.h"

#include <algorithm>

#include "system/file_identity.h"

std::string InFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}

std::string HostPath(const std::string& path) {
    std::string result = path;
    for (char& c : result)
        if (c == '\\') c = '/';
    return result;
}

std::string FileNamePart(const std::string& path) {
    std::string p = HostPath(path);
    size_t slash = p.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirectoryPart(const std::string& path) {
    std::string p = HostPath(path);
    if (p == "." || p == ".." || p == "/") return path;
    size_t slash = p.rfind('/');
    if (slash == std::string::npos) return "";
    if (slash == 0) return path.substr(0, 1);
    return path.substr(0, slash);
}

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

TFileLookup FindFileIgnoringCase(const std::string& folder, const std::string& name) {
    TFileLookup found;
    for (const std::string& entry : FolderFileNames(folder.empty() ? "." : folder))
        if (SameNameIgnoringCase(entry, name)) found.matches.push_back(entry);
    // A folder that may be searched but not listed still opens the exact name.
    if (found.matches.empty() && PathType(InFolder(folder, name)) == 1) found.matches.push_back(name);
    if (found.matches.empty()) return found;
    std::sort(found.matches.begin(), found.matches.end());
    const bool exact = std::find(found.matches.begin(), found.matches.end(), name) != found.matches.end();
    found.name = exact ? name : found.matches.front();
    return found;
}

std::string AbsolutePath(const std::string& path, const std::string& workingDir) {
    if (path.empty()) return workingDir;
    if (IsAbsolutePath(path)) return path;
    if (workingDir.empty()) return "./" + path;
    return InFolder(workingDir, path);
}
