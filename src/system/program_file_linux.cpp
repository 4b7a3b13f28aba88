#include "system/program_file.h"

#include <unistd.h>

#include <climits>

std::string ProgramFilePath() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || size_t(length) >= sizeof path) return "";
    return std::string(path, size_t(length));
}
