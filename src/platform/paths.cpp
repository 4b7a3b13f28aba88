#include "platform/paths.h"

#include <sys/stat.h>

std::string HostPath(const std::string& path) {
    std::string result = path;
    for (char& c : result)
        if (c == '\\') c = '/';
    return result;
}

int PathType(const std::string& path) {
    struct stat info;
    if (path.empty() || stat(HostPath(path).c_str(), &info) != 0) return 0;
    if (S_ISREG(info.st_mode)) return 1;
    if (S_ISDIR(info.st_mode)) return 2;
    return 0;
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
