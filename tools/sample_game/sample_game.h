#pragma once
// The sample game: a small original game in the four games' file formats
// (shape files, tile info files and levels), drawn by our own code, so the
// editor can be tried without the original games and tests have realistic
// data. The output is the same bytes on every run.

#include <cstdint>
#include <string>
#include <vector>

struct TSampleFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// Every file of the sample game, in a fixed order.
std::vector<TSampleFile> BuildSampleGame();

// Writes every file into dir, creating dir when it is missing. False, with
// the reason in error, when a folder or file cannot be written.
bool WriteSampleGame(const std::string& dir, std::string& error);

// The level with every object kind in several states: the busiest one.
inline constexpr const char* kSampleShowcaseLevel = "showcase.jn1";
