// Programs started as processes of their own, on Windows.

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "support/files.h"
#include "support/temp_dir.h"
#include "system/file_identity.h"
#include "system/process.h"

TEST(WindowsProcess, ProgramsWriteIntoTheOutputFileFromTheirFolder) {
    TTempDir dir;
    const std::string output = dir.File("output.txt");
    std::filesystem::create_directory(dir.File("game"));
    WriteFileText(output, "before\n");
    const std::string cmd = FindOnSearchPath("cmd");
    ASSERT_EQ(FindOnSearchPath(cmd), cmd);
    std::string whyNot;
    auto child = StartProcess(cmd, {"/c", "cd"}, dir.File("game"), output, whyNot);
    ASSERT_TRUE(child) << whyNot;
    // cmd ends within milliseconds; the bound only keeps a fault from hanging the test.
    for (long tries = 0; tries < 10'000'000 && !child->HasEnded(); ++tries) std::this_thread::yield();
    ASSERT_TRUE(child->HasEnded());
    EXPECT_FALSE(ProcessRunning(child->Id()));
    EXPECT_TRUE(ProcessRunning(ProcessId()));
    const std::string text = ReadFileText(output);
    EXPECT_EQ(text.substr(0, 7), "before\n");
    EXPECT_NE(text.find("game"), std::string::npos) << text;

    EXPECT_FALSE(StartProcess(dir.File("missing.exe"), {}, "", output, whyNot));
    EXPECT_NE(whyNot, "");
    EXPECT_EQ(FindOnSearchPath("tarn-no-such-program"), "");
}
