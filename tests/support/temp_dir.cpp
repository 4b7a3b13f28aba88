#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

TTempDir::TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarn-test-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) throw std::runtime_error("cannot make a temporary folder");
    path = name.data();
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}
