#include "support/log_capture.h"

#include <algorithm>
#include <sstream>

#include "base/log.h"
#include "support/files.h"

namespace {
const std::string Rule(40, '=');
}

TLogCapture::TLogCapture() { SetLogPath(dir.File("log.txt")); }

TLogCapture::~TLogCapture() { SetLogPath(""); }

std::string TLogCapture::Text() const { return ReadFileText(dir.File("log.txt")); }

std::vector<std::string> TLogCapture::Lines() const {
    std::istringstream file(Text());
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool TLogCapture::HasLine(const std::string& line) const {
    std::vector<std::string> lines = Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> TLogCapture::Section(const std::string& first, size_t count) const {
    std::vector<std::string> lines = Lines();
    auto start = std::find(lines.begin(), lines.end(), first);
    if (start == lines.begin() || start == lines.end() || size_t(lines.end() - start) < count) return {};
    return std::vector<std::string>(start - 1, start + std::ptrdiff_t(count));
}

bool TLogCapture::HasBlock(const std::string& text) const {
    std::vector<std::string> lines = Lines();
    for (size_t i = 1; i + 1 < lines.size(); ++i)
        if (lines[i] == text && lines[i - 1] == Rule && lines[i + 1] == Rule) return true;
    return false;
}

int TLogCapture::CountBlocks() const {
    std::vector<std::string> lines = Lines();
    return int(std::count(lines.begin(), lines.end(), Rule)) / 2;
}
