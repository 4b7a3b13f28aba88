#include "support/system_traits.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

bool NamesDifferingInCaseAreDistinct(const std::string& folder) {
    const fs::path probe = fs::path(folder) / "case-probe";
    std::ofstream(probe) << "x";
    std::error_code error;
    const bool distinct = !fs::exists(fs::path(folder) / "CASE-PROBE", error);
    fs::remove(probe, error);
    return distinct;
}

bool SymbolicLinksCanBeMade(const std::string& folder) {
    const fs::path probe = fs::path(folder) / "link-probe";
    std::error_code error;
    fs::create_symlink("nowhere", probe, error);
    if (error) return false;
    fs::remove(probe, error);
    return true;
}
