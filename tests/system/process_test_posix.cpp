// Programs started as processes of their own, on POSIX systems.

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "support/files.h"
#include "support/temp_dir.h"
#include "system/file_identity.h"
#include "system/process.h"

namespace {

// The programs used end within milliseconds; the bound only keeps a fault
// from hanging the test.
bool EndsSoon(TChildProcess& child) {
    for (long tries = 0; tries < 10'000'000; ++tries) {
        if (child.HasEnded()) return true;
        std::this_thread::yield();
    }
    return false;
}

}  // namespace

TEST(Process, ProgramsWriteIntoTheOutputFileFromTheirFolder) {
    TTempDir dir;
    const std::string output = dir.File("output.txt");
    std::filesystem::create_directory(dir.File("game"));
    WriteFileText(output, "before\n");
    std::string whyNot;

    auto printf = StartProcess(FindOnSearchPath("printf"), {"%s|\n", "a b", "\"c\""}, "", output, whyNot);
    ASSERT_TRUE(printf) << whyNot;
    ASSERT_TRUE(EndsSoon(*printf));
    EXPECT_FALSE(ProcessRunning(printf->Id()));
    auto pwd = StartProcess(FindOnSearchPath("pwd"), {}, dir.File("game"), output, whyNot);
    ASSERT_TRUE(pwd) << whyNot;
    ASSERT_TRUE(EndsSoon(*pwd));
    // Standard error goes to the same file.
    auto ls = StartProcess(FindOnSearchPath("ls"), {dir.File("no such file")}, "", output, whyNot);
    ASSERT_TRUE(ls) << whyNot;
    ASSERT_TRUE(EndsSoon(*ls));

    const std::string text = ReadFileText(output);
    const std::string folder = std::filesystem::canonical(dir.File("game")).string();
    EXPECT_EQ(text.substr(0, text.find(folder) + folder.size() + 1), "before\na b|\n\"c\"|\n" + folder + "\n");
    EXPECT_NE(text.find("no such file", text.find(folder)), std::string::npos) << text;
    EXPECT_TRUE(ProcessRunning(ProcessId()));
}

TEST(Process, WhatCannotBeStartedOrFoundSaysSo) {
    TTempDir dir;
    std::string whyNot;
    EXPECT_FALSE(StartProcess(dir.File("missing"), {}, "", dir.File("output.txt"), whyNot));
    EXPECT_EQ(whyNot, "No such file or directory");
    whyNot.clear();
    EXPECT_FALSE(StartProcess(FindOnSearchPath("true"), {}, dir.File("missing"), dir.File("output.txt"), whyNot));
    EXPECT_EQ(whyNot, "No such file or directory");
    EXPECT_EQ(FindOnSearchPath("tarn-no-such-program"), "");
    const std::string found = FindOnSearchPath("true");
    ASSERT_EQ(found.substr(found.rfind('/')), "/true");
    EXPECT_EQ(FindOnSearchPath(found), found);
    // Only programs count: a file that may not be run, or a folder, is none.
    WriteFileText(dir.File("data"), "x");
    EXPECT_EQ(FindOnSearchPath(dir.File("data")), "");
    EXPECT_EQ(FindOnSearchPath(dir.Path()), "");
    EXPECT_FALSE(ProcessRunning(0));
}
