// Finding a file by its name in any case, and paths the system cannot use.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/system_traits.h"
#include "support/temp_dir.h"
#include "system/paths.h"

namespace {

void Touch(const std::string& path) { std::ofstream(path, std::ios::binary) << "x"; }

// A folder path of exactly length characters below base, in names of at
// most 200 characters.
std::string NestedFolder(const std::string& base, size_t length) {
    std::string path = base;
    while (path.size() < length) path += "/" + std::string(std::min<size_t>(200, length - path.size() - 1), 'd');
    return path;
}

}  // namespace

TEST(Paths, FilesAreFoundByTheirNameInAnyCase) {
    TTempDir dir;
    Touch(dir.File("JILL1.SHA"));
    Touch(dir.File("Jill.Dma"));
    std::filesystem::create_directory(dir.File("ONESIMUS.SHA"));

    TFileLookup lookup = FindFileIgnoringCase(dir.Path(), "jill1.sha");
    EXPECT_EQ(lookup.name, "JILL1.SHA");
    EXPECT_EQ(lookup.matches, (std::vector<std::string>{"JILL1.SHA"}));
    EXPECT_EQ(FindFileIgnoringCase(dir.Path() + "/", "JILL.DMA").name, "Jill.Dma");
    EXPECT_EQ(FindFileIgnoringCase(dir.Path() + "\\", "jill.dma").name, "Jill.Dma");
    // A folder carrying the name is no file; near names are other names.
    EXPECT_EQ(FindFileIgnoringCase(dir.Path(), "onesimus.sha").name, "");
    EXPECT_TRUE(FindFileIgnoringCase(dir.Path(), "onesimus.sha").matches.empty());
    EXPECT_EQ(FindFileIgnoringCase(dir.Path(), "jill1.sh").name, "");
    EXPECT_EQ(FindFileIgnoringCase(dir.Path(), "jill1.shaa").name, "");
    EXPECT_EQ(FindFileIgnoringCase(dir.File("missing"), "jill1.sha").name, "");
    // Only the letters A-Z fold: "ü" and "Ü" are different names.
    Touch(dir.File("\xc3\x9c.jn1"));
    EXPECT_EQ(FindFileIgnoringCase(dir.Path(), "\xc3\xbc.jn1").name, "");
    EXPECT_TRUE(SameNameIgnoringCase("Level1.JN1", "lEVEL1.jn1"));
    EXPECT_FALSE(SameNameIgnoringCase("level1.jn1", "level1.jn"));
}

TEST(Paths, AmongNamesDifferingInCaseTheExactOneWinsElseTheFirstInNameOrder) {
    TTempDir dir;
    if (!NamesDifferingInCaseAreDistinct(dir.Path()))
        GTEST_SKIP() << "this file system holds no two names that differ only in case";
    for (const char* name : {"jill1.sha", "Jill1.sha", "JILL1.SHA"}) Touch(dir.File(name));
    const std::vector<std::string> all{"JILL1.SHA", "Jill1.sha", "jill1.sha"};
    for (const std::string& asked : all) {
        TFileLookup lookup = FindFileIgnoringCase(dir.Path(), asked);
        EXPECT_EQ(lookup.name, asked);
        EXPECT_EQ(lookup.matches, all);
    }
    TFileLookup lookup = FindFileIgnoringCase(dir.Path(), "jILL1.sha");
    EXPECT_EQ(lookup.name, "JILL1.SHA");
    EXPECT_EQ(lookup.matches, all);
}

TEST(Paths, OnlyPathsTooLongForTheSystemAreUnusable) {
    if (!PathLimitsAreLinuxs()) GTEST_SKIP() << "the limits and words checked here are Linux's";
    TTempDir dir;
    // A file 300 characters deep is an ordinary path.
    const std::string deep = NestedFolder(dir.Path(), 290);
    std::filesystem::create_directories(deep);
    const std::string level = deep + "/level1.jn1";
    ASSERT_GE(level.size(), 300u);
    Touch(level);
    EXPECT_EQ(PathType(level), 1);
    EXPECT_EQ(UnusablePathReason(level), "");
    EXPECT_EQ(UnusablePathReason(deep + "/new.jn1"), "");   // not there yet, and that is the caller's to judge

    // One name: 255 characters are allowed, 256 are not.
    EXPECT_EQ(UnusablePathReason(dir.File(std::string(255, 'n'))), "");
    EXPECT_EQ(UnusablePathReason(dir.File(std::string(256, 'n'))), "File name too long");
    // The whole path: 4095 bytes are allowed, 4096 are not.
    EXPECT_EQ(UnusablePathReason(NestedFolder(dir.Path(), 4095)), "");
    EXPECT_EQ(UnusablePathReason(NestedFolder(dir.Path(), 4096)), "File name too long");
}
