#include <gtest/gtest.h>

#include <filesystem>

#include "play/play_copy.h"
#include "support/environment.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(PlayDosBox, DosBoxIsTheOneNamedInTheSettingsElseTheOneOnTheSearchPath) {
    TTempDir folder;
    const std::string dosbox = folder.File("dosbox"), named = folder.File("my-dosbox");
    for (const std::string& program : {dosbox, named}) {
        WriteFileText(program, "#!/bin/sh\n");
        fs::permissions(program, fs::perms::owner_exec, fs::perm_options::add);
    }
    const TEnvironmentVariable path("PATH", folder.Path());
    EXPECT_EQ(FindDosBox(""), dosbox);
    EXPECT_EQ(FindDosBox(named), named);
    EXPECT_EQ(FindDosBox("my-dosbox"), named);
    fs::remove(dosbox);
    EXPECT_EQ(FindDosBox(""), "");
    EXPECT_EQ(FindDosBox(folder.File("no-such-dosbox")), "");
}

}  // namespace
