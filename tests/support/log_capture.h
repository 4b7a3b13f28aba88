#pragma once
// Sends the log to a file of its own for the length of one test and reads it back.

#include <string>
#include <vector>

#include "support/temp_dir.h"

class TLogCapture {
public:
    TLogCapture();
    ~TLogCapture();

    std::string Text() const;                 // the whole log as written
    std::vector<std::string> Lines() const;   // without the CR LF endings
    bool HasLine(const std::string& line) const;
    // The line before the first line equal to first, then count lines from
    // it on; empty when the log does not hold that many.
    std::vector<std::string> Section(const std::string& first, size_t count) const;
    // True when text stands alone between two rules, as a log block writes it.
    bool HasBlock(const std::string& text) const;
    int CountBlocks() const;

private:
    TTempDir dir;
};
