// Stands in for DOSBox in the play-testing tests: writes what it was given
// and what its folder (the scratch copy) holds into "stand-in.txt", copies
// every level it finds to NAME.seen, waits while a file "HOLD" is there, and
// ends. What it writes is new in the copy, so the editor keeps it. The test
// may take "HOLD" away while the listing is made (a slow start), so a file
// that is gone by the time its size is read is left out, not an error.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::current_path()))
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::ofstream report("stand-in.txt", std::ios::binary);   // the same lines on every system
    for (int i = 1; i < argc; ++i) report << argv[i] << "\n";
    report << "--\n";
    for (const std::string& name : names) {
        std::error_code gone;
        const auto size = fs::file_size(name, gone);
        if (gone) continue;
        report << name << " " << size << "\n";
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        if (lower.ends_with(".jn1")) fs::copy_file(name, name + ".seen");
    }
    report.close();
    while (fs::exists("HOLD")) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return 0;
}
