#include "support/work_folder.h"

#include <filesystem>

TWorkFolder::TWorkFolder() : previous(std::filesystem::current_path().string()) {
    std::filesystem::current_path(dir.Path());
}

TWorkFolder::~TWorkFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
}
