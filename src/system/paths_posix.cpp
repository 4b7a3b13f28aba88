// The path tests that ask the system (POSIX).

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

#include "system/paths.h"

int PathType(const std::string& path) {
    struct stat info;
    if (path.empty() || stat(HostPath(path).c_str(), &info) != 0) return 0;
    if (S_ISREG(info.st_mode)) return 1;
    if (S_ISDIR(info.st_mode)) return 2;
    return 0;
}

std::string UnusablePathReason(const std::string& path) {
    struct stat info;
    if (stat(HostPath(path).c_str(), &info) == 0 || errno != ENAMETOOLONG) return "";
    return std::strerror(ENAMETOOLONG);
}

std::string CurrentWorkingDir() {
    std::vector<char> buffer(PATH_MAX + 1);
    return getcwd(buffer.data(), buffer.size()) ? std::string(buffer.data()) : "";
}

bool IsAbsolutePath(const std::string& path) { return !path.empty() && path[0] == '/'; }
