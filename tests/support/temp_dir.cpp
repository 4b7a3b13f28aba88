#include "support/temp_dir.h"

#include <filesystem>
#include <stdexcept>

#include "system/file_identity.h"

TTempDir::TTempDir() {
    // The process number keeps parallel test programs apart, the count the
    // folders of one program; a name that is taken already is skipped.
    static int made = 0;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::filesystem::path candidate =
            base / ("tarn-test-" + std::to_string(ProcessId()) + "-" + std::to_string(made++));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            path = candidate.generic_string();
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}
