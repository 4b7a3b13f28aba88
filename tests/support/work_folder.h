#pragma once
// A fresh folder that is the current one for the length of a test, as the
// editor's folder is for a person: "tarn.ini" and "log.txt" are written there.

#include <string>

#include "support/temp_dir.h"

class TWorkFolder {
public:
    TWorkFolder();
    ~TWorkFolder();
    TWorkFolder(const TWorkFolder&) = delete;
    TWorkFolder& operator=(const TWorkFolder&) = delete;

    std::string File(const std::string& name) const { return dir.File(name); }

private:
    TTempDir dir;
    std::string previous;
};
