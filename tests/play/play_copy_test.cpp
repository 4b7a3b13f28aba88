#include "play/play_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/files.h"
#include "support/temp_dir.h"
#include "system/paths.h"

namespace {

const std::vector<uint8_t> kLevel = {1, 2, 3, 4};

// A game folder as DOS left it, with a folder of its own the copy skips.
void MakeGameFolder(const std::string& folder) {
    WriteFileText(InFolder(folder, "JILL1.EXE"), "program");
    WriteFileText(InFolder(folder, "1.JN1"), "the first level");
    WriteFileText(InFolder(folder, "HISCORE.DAT"), "nobody 0");
    std::filesystem::create_directory(InFolder(folder, "EXTRAS"));
    WriteFileText(InFolder(folder, "EXTRAS/readme.txt"), "not copied");
}

TEST(PlayCopy, CopiesTheFlatFolderAndWritesTheLevelUnderEachNameInTheFoldersCase) {
    TTempDir game, settings;
    MakeGameFolder(game.Path());
    TScratchCopy copy;
    std::string whyNot;
    ASSERT_TRUE(MakeScratchCopy(game.Path(), settings.File("play"), kLevel, {"mine.jn1", "1.jn1"}, copy, whyNot))
        << whyNot;
    EXPECT_EQ(FileNamePart(DirectoryPart(copy.folder)).rfind("run-" + std::to_string(ProcessId()) + "-", 0), 0u)
        << copy.folder;
    EXPECT_EQ(DirectoryPart(DirectoryPart(copy.folder)), settings.File("play"));
    EXPECT_EQ(FolderFileNames(copy.folder),
              (std::vector<std::string>{"1.JN1", "HISCORE.DAT", "JILL1.EXE", "mine.jn1"}));
    EXPECT_TRUE(FolderSubfolderNames(copy.folder).empty());
    EXPECT_EQ(ReadFileBytes(copy.folder + "1.JN1"), kLevel) << "the slot's file in the case the game uses";
    EXPECT_EQ(ReadFileBytes(copy.folder + "mine.jn1"), kLevel);
    EXPECT_EQ(ReadFileText(copy.folder + "JILL1.EXE"), "program");
    EXPECT_EQ(ReadFileText(game.File("1.JN1")), "the first level") << "the game folder is never touched";

    // A second copy while the first is played gets a folder of its own.
    TScratchCopy second;
    ASSERT_TRUE(MakeScratchCopy(game.Path(), settings.File("play"), kLevel, {"1.JN1"}, second, whyNot));
    EXPECT_NE(second.folder, copy.folder);
}

TEST(PlayCopy, AGameFolderOfAtMost64MiBIsCopiedAndALargerOneRefusedWithNothingLeft) {
    TTempDir game, settings;
    WriteFileText(game.File("BIG.DAT"), "");
    std::filesystem::resize_file(game.File("BIG.DAT"), kMaxGameFolderBytes);
    TScratchCopy copy;
    std::string whyNot;
    ASSERT_TRUE(MakeScratchCopy(game.Path(), settings.Path(), kLevel, {}, copy, whyNot)) << whyNot;
    EXPECT_EQ(FileIdentity(copy.folder + "BIG.DAT").size, kMaxGameFolderBytes);
    FinishScratchCopy(copy, settings.File("kept"), "jn1");

    WriteFileText(game.File("ONE.MORE"), "x");
    EXPECT_FALSE(MakeScratchCopy(game.Path(), settings.Path(), kLevel, {"1.JN1"}, copy, whyNot));
    EXPECT_EQ(whyNot, "The game folder " + game.Path() +
                          " holds more than 64 MiB; play-testing copies the whole folder, so it only works for a "
                          "game folder of at most 64 MiB.");
    EXPECT_TRUE(FolderSubfolderNames(settings.Path()).empty());
}

TEST(PlayCopy, FinishingKeepsNewAndChangedFilesButNeitherLevelsNorUnchangedFiles) {
    TTempDir game, settings;
    MakeGameFolder(game.Path());
    const std::string kept = settings.File("kept");
    std::filesystem::create_directory(kept);
    WriteFileText(InFolder(kept, "SAVEGAME.1"), "an earlier play's save");
    TScratchCopy copy;
    std::string whyNot;
    ASSERT_TRUE(MakeScratchCopy(game.Path(), settings.File("play"), kLevel, {"mine.jn1", "SLOT.LEV"}, copy, whyNot));
    RecordPlayProcess(copy, 12345);
    WriteFileText(copy.folder + kPlayConfigFile, "[autoexec]");
    // What the game does while it is played.
    WriteFileText(copy.folder + "SAVEGAME.1", "a new save");
    WriteFileText(copy.folder + "HISCORE.DAT", "somebody 9000");
    WriteFileText(copy.folder + "1.JN1", "a level the game changed");
    WriteFileText(copy.folder + "SLOT.LEV", "the written level, changed");

    const std::vector<std::string> keptPaths = FinishScratchCopy(copy, kept, "JN1");
    EXPECT_EQ(keptPaths, (std::vector<std::string>{InFolder(kept, "HISCORE.DAT"), InFolder(kept, "SAVEGAME-2.1")}));
    EXPECT_EQ(ReadFileText(InFolder(kept, "HISCORE.DAT")), "somebody 9000");
    EXPECT_EQ(ReadFileText(InFolder(kept, "SAVEGAME-2.1")), "a new save");
    EXPECT_EQ(ReadFileText(InFolder(kept, "SAVEGAME.1")), "an earlier play's save") << "never replaced";
    EXPECT_EQ(FolderFileNames(kept).size(), 3u);
    EXPECT_EQ(EntryKind(copy.folder), TEntryKind::Nothing);
}

TEST(PlayCopy, StartUpRemovesOnlyCopiesWhoseRunAndDosBoxHaveBothEnded) {
    TTempDir root;
    // No system gives a process this number.
    const std::string ended = "run-2147483000-";
    const std::string own = "run-" + std::to_string(ProcessId()) + "-1";
    for (const std::string& name : {ended + "1", ended + "2", own, std::string("kept")}) {
        std::filesystem::create_directory(root.File(name));
        WriteFileText(InFolder(root.File(name), "SAVEGAME.1"), "save");
    }
    // The run ended, but the DOSBox it started (here: this process) plays on.
    RecordPlayProcess(TScratchCopy{root.File(ended + "2") + "/", {}}, ProcessId());

    RemoveEndedScratchCopies(root.Path());
    std::vector<std::string> left = FolderSubfolderNames(root.Path());
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected{"kept", ended + "2", own};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
}

}  // namespace
