#pragma once
// The sample game written into a fresh folder for one benchmark run, and
// removed again at the end.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "sample_game/sample_game.h"

class TSampleGameFolder {
public:
    TSampleGameFolder() {
        char pattern[] = "/tmp/tarn-bench-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        dir = std::string(pattern) + "/";
        std::string error;
        if (!WriteSampleGame(dir, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::abort();
        }
    }
    ~TSampleGameFolder() { std::filesystem::remove_all(dir); }
    TSampleGameFolder(const TSampleGameFolder&) = delete;
    TSampleGameFolder& operator=(const TSampleGameFolder&) = delete;

    std::string dir;   // ends in "/"
};
