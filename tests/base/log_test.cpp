#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/app_title.h"
#include "base/log.h"
#include "support/files.h"
#include "support/system_traits.h"
#include "support/temp_dir.h"
#include "system/clock.h"

namespace {

// Stands still at one moment, so that whole log files can be compared.
class TStoppedClock : public TClock {
public:
    uint32_t Milliseconds() override { return 0; }
    void Sleep(int) override {}
    std::string DateText() override { return "06 Dec 2026"; }
    std::string TimeText() override { return "09:15:30"; }
};

const std::string kHeader = "Test Title - Log File\r\n=====================\r\nCreated: 06 Dec 2026 - 09:15:30\r\n\r\n";
const std::string kFooter = "Closed: 06 Dec 2026 - 09:15:30\r\n";

class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetClock(std::make_shared<TStoppedClock>());
        SetLogTitle("Test Title");
        SetLogPath(path);
    }
    void TearDown() override {
        SetLogPath("");
        SetLogTitle(kApplicationTitle);
        SetClock(nullptr);
    }

    TTempDir dir;
    std::string path = dir.File("log.txt");
};

}  // namespace

TEST_F(LogTest, BlankLineRuleKeepsExactlyOneEmptyLine) {
    const std::string rule(40, '=');
    const std::string block = "\r\n" + rule + "\r\nboom\r\n" + rule + "\r\n\r\n";
    LogBlankLine();   // not open yet: nothing, not even the header
    EXPECT_FALSE(std::filesystem::exists(path));
    LogBlock("boom");   // the header's own empty line does not count
    LogText("a");
    EXPECT_EQ(ReadFileText(path), kHeader + block + "a");   // every write is flushed
    LogBlankLine();
    LogBlankLine();
    LogText("step ... ");
    LogOK();
    LogText("other ... ");
    LogError();
    LogLine("");   // an explicit empty line
    LogText("tail");
    LogLine("");   // only ends the line: not a blank line
    LogBlankLine();
    LogText("unfinished");
    CloseLog();
    EXPECT_EQ(ReadFileText(path), kHeader + block +
                                 "a\r\n\r\nstep ... OK\r\nother ... ERROR\r\n\r\ntail\r\n\r\nunfinished\r\n\r\n" +
                                 kFooter);
}

TEST_F(LogTest, OpeningIsRetriedAndAClosedLogIsNeverReplaced) {
    { std::ofstream(path) << "older and longer contents than the new log"; }
    std::string nested = dir.File("later/log.txt");
    SetLogPath(nested);
    LogLine("lost");   // its folder does not exist yet
    std::filesystem::create_directory(dir.File("later"));
    LogLine("kept");
    SetLogPath(path);   // finishes the first log
    LogLine("new run");
    CloseLog();
    LogLine("from a late exit handler");
    EXPECT_EQ(ReadFileText(nested), kHeader + "kept\r\n\r\n" + kFooter);
    EXPECT_EQ(ReadFileText(path), kHeader + "new run\r\n\r\n" + kFooter);

    SetLogPath("");   // logging off
    LogBlock("nowhere");
    EXPECT_EQ(ReadFileText(path), kHeader + "new run\r\n\r\n" + kFooter);
}

TEST_F(LogTest, ProgramEndClosesTheLogByItself) {
    if (!DeathTestsShareTheTestsState())
        GTEST_SKIP() << "the ending program would be a new run of the tests, with a log of its own";
    EXPECT_EXIT(
        {
            LogText("busy ... ");
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadFileText(path), kHeader + "busy ... \r\n\r\n" + kFooter);
}
