#include <gtest/gtest.h>

#include <filesystem>

#include "play/play_copy.h"
#include "support/environment.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(PlayDosBox, DosBoxIsFoundInItsInstallFoldersElseOnTheSearchPath) {
    TTempDir programs, other, bin;
    fs::create_directories(programs.File("DOSBox-0.74-3"));
    WriteFileText(programs.File("DOSBox-0.74-3/DOSBox.exe"), "");
    const TEnvironmentVariable x86("ProgramFiles(x86)", other.Path());
    const TEnvironmentVariable plain("ProgramFiles", programs.Path());
    const TEnvironmentVariable path("PATH", bin.Path());
    EXPECT_TRUE(fs::equivalent(FindDosBox(""), programs.File("DOSBox-0.74-3/DOSBox.exe")));
    fs::remove(programs.File("DOSBox-0.74-3/DOSBox.exe"));
    EXPECT_EQ(FindDosBox(""), "");
    WriteFileText(bin.File("dosbox.exe"), "");
    EXPECT_TRUE(fs::equivalent(FindDosBox(""), bin.File("dosbox.exe")));
}

}  // namespace
