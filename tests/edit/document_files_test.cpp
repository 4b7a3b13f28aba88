#include <gtest/gtest.h>

#include "document/level_document.h"
#include "document/recovery_copy.h"
#include "level/level.h"
#include "support/files.h"
#include "support/work_folder.h"

namespace {

TEST(DocumentFiles, SavedAndLoadedLevelsKnowTheirFileAndNoticeAnotherProgramsChange) {
    TWorkFolder work;
    const std::string path = work.File("one.jn1");
    TLevelDocument document;
    document.New();
    document.level->SetTile(3, 4, 5);
    document.levelchanged = 1;
    ASSERT_TRUE(document.Save(path).written);
    EXPECT_EQ(document.levelfile, path);
    EXPECT_EQ(document.levelchanged, 0);
    EXPECT_FALSE(document.ChangedOnDisk(path));

    TLevelDocument other;
    ASSERT_TRUE(other.Load(path));
    EXPECT_EQ(other.level->Board(3, 4), 5);
    EXPECT_EQ(other.level->levelfile, "one.jn1");
    EXPECT_FALSE(other.CanUndo());

    // Another program writes the file anew, one byte longer.
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    bytes.push_back(0);
    WriteFileBytes(path, bytes);
    EXPECT_TRUE(document.ChangedOnDisk(path));
    EXPECT_FALSE(document.ChangedOnDisk(work.File("elsewhere.jn1"))) << "a file that is not there is no change";
    EXPECT_FALSE(document.Save(work.File("no folder/two.jn1")).written);
    EXPECT_EQ(document.levelfile, path) << "a failed save keeps the level's file";
}

TEST(DocumentFiles, AChangedLevelKeepsARecoveryCopyASecondLaterUntilItIsSaved) {
    TWorkFolder work;
    TLevelDocument document;
    document.New();
    document.level->SetTile(1, 1, 9);
    document.levelchanged = 1;
    document.KeepRecoveryCopy(5000);
    EXPECT_TRUE(document.recoveryName.empty()) << "the first check only plans the next";
    document.KeepRecoveryCopy(5999);
    EXPECT_TRUE(document.recoveryName.empty());
    document.KeepRecoveryCopy(6000);
    ASSERT_FALSE(document.recoveryName.empty());
    EXPECT_TRUE(document.recoveryProblem.empty());

    TRecoveryCopy copy;
    std::string problem;
    const std::string copyPath = work.File(RecoveryCopyPath(document.recoveryName));
    ASSERT_TRUE(DecodeRecoveryCopy(ReadFileBytes(copyPath), copy, problem)) << problem;
    EXPECT_EQ(copy.levelBytes, document.recoveryLevelBytes);

    ASSERT_TRUE(document.Save(work.File("saved.jn1")).written);
    EXPECT_TRUE(ReadFileBytes(copyPath).empty()) << "a saved level needs no copy";
    EXPECT_FALSE(document.recoveryLock);
}

}  // namespace
